// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "tiff/TIFFRecords.h"

namespace vantrel {

/// True for the field types whose values the reader keeps in RawData and the writer can put out
/// of line: BYTE, ASCII, SHORT, LONG, RATIONAL, UNDEFINED and SRATIONAL. The carry-over drops
/// out-of-line tags of other types and the writer refuses them.
[[nodiscard]] inline bool IsWritableOutOfLine(TTIFFDataType type) {
    switch (type) {
    case TTIFFDataType::dtByte:
    case TTIFFDataType::dtASCII:
    case TTIFFDataType::dtShort:
    case TTIFFDataType::dtLong:
    case TTIFFDataType::dtRational:
    case TTIFFDataType::dtUndefined:
    case TTIFFDataType::dtSRational:
        return true;
    default:
        return false;
    }
}

} // namespace vantrel
