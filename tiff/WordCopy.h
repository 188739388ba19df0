// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel {

/// Copies `n` 16-bit words from `src` (any alignment) to `dst`, swapping the two bytes of each
/// word when `swap` is set: the byte-order conversion of a big-endian file fused with the copy,
/// for loading and saving alike.
void CopyWords(uint16_t* dst, const uint8_t* src, size_t n, bool swap) noexcept;

/// Interleaves one row of `samples` planes (1 to 4) into chunky order:
/// dst[x * samples + c] = plane c's word x, swapped when `swap` is set.
void InterleaveRow(uint16_t* dst, const uint8_t* const* planes, size_t width, int samples,
                   bool swap) noexcept;

} // namespace vantrel
