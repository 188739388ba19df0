// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tiff/TIFFRecords.h"

namespace vantrel {

/// What a file says about reading its samples besides their geometry: the values of IFD0's
/// SampleFormat, ExtraSamples and FillOrder entries in force. As for the structural tags, a
/// later readable entry of a tag overrides an earlier one; an entry whose values cannot be read
/// counts as absent.
struct TSampleDescription {
    /// SampleFormat's first value: 1 unsigned, 2 signed, 3 IEEE floating point (16-bit half
    /// floats here); none when the file has no readable entry.
    std::optional<uint16_t> SampleFormat;
    /// ExtraSamples' values (what each sample beyond the colour channels is); none: no entry.
    std::optional<std::vector<uint16_t>> ExtraSamples;
    /// FillOrder 2: the bits of every byte of the samples are stored lowest first.
    bool BitsReversed = false;
    bool HasFillOrder = false;

    bool operator==(const TSampleDescription&) const = default;
};

/// \brief The description from a tag list as the reader gives it (IFD0's records are those
/// without a nested directory's prefix), for a file in the given byte order.
[[nodiscard]] TSampleDescription DescribeSamples(const std::vector<TTIFFTag>& Tags, bool BigEndian);

/// \brief All values of a BYTE, SHORT or LONG record as numbers in host order, from its inline
/// value or its raw bytes; none for another type or bytes that were not read.
[[nodiscard]] std::optional<std::vector<uint32_t>> RecordNumbers(const TTIFFTag& Tag,
                                                                 bool BigEndian);

/// Another page (IFD) of the file after IFD0, as far as the reader looks at it.
struct TFurtherPage {
    uint32_t Number = 2; // counted from 1: IFD0 is page 1
    uint32_t Width = 0;  // low 16 bits, as IFD0's are taken; 0 when unreadable
    uint32_t Height = 0;
    bool SameSize = false; // the width and height of IFD0: a page a crop would have to carry
};

/// \brief Raises ETIFFError naming the pages of the size of page 1 that a save of page 1 alone
/// would lose; pages of other sizes (thumbnails) are left out without a word.
void RefuseToLosePages(const std::vector<TFurtherPage>& Pages);

} // namespace vantrel
