// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "tiff/TIFFRecords.h"

namespace vantrel {

/// True for the field types whose values the reader keeps in RawData and the writer can put out
/// of line: BYTE, ASCII, SHORT, LONG, RATIONAL, UNDEFINED and SRATIONAL. The carry-over drops
/// out-of-line tags of other types and the writer refuses them.
[[nodiscard]] inline bool IsWritableOutOfLine(TTIFFDataType type) {
    switch (static_cast<uint8_t>(type)) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 7:
    case 10:
        return true;
    default:
        return false;
    }
}

} // namespace vantrel
