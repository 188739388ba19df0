// SPDX-License-Identifier: MIT
#include "tiff/WordCopy.h"

#include <cstring>

#include "tiff/ByteOrder.h"

namespace vantrel {
namespace {

template <bool Swap> inline uint16_t Take(const uint8_t* p) noexcept {
    return ReadU16(p, Swap);
}

void SwapCopy(uint16_t* __restrict dst, const uint8_t* __restrict src, size_t n) noexcept {
    for (size_t i = 0; i < n; ++i)
        dst[i] = Take<true>(src + 2 * i);
}

template <size_t S, bool Swap>
void Interleave(uint16_t* __restrict dst, const uint8_t* const* planes, size_t width) noexcept {
    const uint8_t* p[S];
    for (size_t c = 0; c < S; ++c)
        p[c] = planes[c];
    for (size_t x = 0; x < width; ++x)
        for (size_t c = 0; c < S; ++c)
            dst[x * S + c] = Take<Swap>(p[c] + 2 * x);
}

template <bool Swap>
void InterleaveAny(uint16_t* dst, const uint8_t* const* planes, size_t width,
                   int samples) noexcept {
    switch (samples) {
    case 1:
        return Interleave<1, Swap>(dst, planes, width);
    case 2:
        return Interleave<2, Swap>(dst, planes, width);
    case 3:
        return Interleave<3, Swap>(dst, planes, width);
    case 4:
        return Interleave<4, Swap>(dst, planes, width);
    default:
        for (size_t x = 0; x < width; ++x)
            for (size_t c = 0; c < static_cast<size_t>(samples); ++c)
                dst[x * static_cast<size_t>(samples) + c] = Take<Swap>(planes[c] + 2 * x);
    }
}

} // namespace

void CopyWords(uint16_t* dst, const uint8_t* src, size_t n, bool swap) noexcept {
    if (swap)
        SwapCopy(dst, src, n);
    else
        std::memcpy(dst, src, n * 2);
}

void InterleaveRow(uint16_t* dst, const uint8_t* const* planes, size_t width, int samples,
                   bool swap) noexcept {
    if (swap)
        InterleaveAny<true>(dst, planes, width, samples);
    else
        InterleaveAny<false>(dst, planes, width, samples);
}

} // namespace vantrel
