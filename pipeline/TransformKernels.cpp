// The word-moving kernels behind TransformWords. Each writes every destination word exactly
// once, row by row; only the order of the source reads differs from a plain pixel loop.
#include <algorithm>
#include <cstring>

#include "pipeline/ParallelRows.h"
#include "pipeline/Transform.h"

namespace vantrel {

namespace {

// Copies one pixel. S > 0 is known at compile time (1 to 4 samples, the images shown);
// S == 0 takes the count at run time for anything else.
template <int S>
inline void CopyPixel(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t samples) {
    if constexpr (S > 0) {
        for (int c = 0; c < S; ++c)
            d[c] = s[c];
    } else {
        std::memcpy(d, s, static_cast<size_t>(samples) * sizeof(uint16_t));
    }
}

// Quarter turns in square tiles of the destination: the tile's source rows (one per
// destination column) stay in L1 while the destination is written sequentially.
template <int S> constexpr int64_t RotateTile() {
    return S == 1 ? 64 : 32;
}

template <int S>
void Rotate90Band(const uint16_t* __restrict src, int64_t width, int64_t height, int64_t samples,
                  bool clockwise, uint16_t* __restrict dst, int64_t rowFirst, int64_t rowEnd) {
    constexpr int64_t tile = RotateTile<S>();
    const int64_t spp = S > 0 ? S : samples;
    const int64_t newWidth = height;
    // Destination (x, y) comes from source column y, row H-1-x (clockwise) or column W-1-y,
    // row x (counter-clockwise): along a destination row the source steps a whole row.
    const int64_t step = (clockwise ? -width : width) * spp;
    for (int64_t ty = rowFirst; ty < rowEnd; ty += tile) {
        const int64_t tyEnd = std::min(ty + tile, rowEnd);
        for (int64_t tx = 0; tx < newWidth; tx += tile) {
            const int64_t txEnd = std::min(tx + tile, newWidth);
            for (int64_t y = ty; y < tyEnd; ++y) {
                const uint16_t* s = src + (clockwise ? (height - 1 - tx) * width + y
                                                     : tx * width + (width - 1 - y)) *
                                              spp;
                uint16_t* d = dst + (y * newWidth + tx) * spp;
                for (int64_t x = tx; x < txEnd; ++x, s += step, d += spp)
                    CopyPixel<S>(s, d, spp);
            }
        }
    }
}

// One row, pixels in reverse order (the whole of a mirror, and of a half turn once the row
// order is reversed too).
template <int S>
inline void ReverseRow(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t width,
                       int64_t samples) {
    const int64_t spp = S > 0 ? S : samples;
    const uint16_t* sp = s + (width - 1) * spp;
    for (int64_t x = 0; x < width; ++x, sp -= spp, d += spp)
        CopyPixel<S>(sp, d, spp);
}

template <int S>
void ReverseBand(const uint16_t* src, int64_t width, int64_t height, int64_t samples, bool flipRows,
                 uint16_t* dst, int64_t rowFirst, int64_t rowEnd) {
    const int64_t rowWords = width * (S > 0 ? S : samples);
    for (int64_t y = rowFirst; y < rowEnd; ++y) {
        const int64_t sy = flipRows ? height - 1 - y : y;
        ReverseRow<S>(src + sy * rowWords, dst + y * rowWords, width, samples);
    }
}

// Complements the colour samples and copies the rest, as one plain loop the compiler turns
// into vector instructions: the mask of which samples are colour repeats every pixel.
template <int S> void InvertWords(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t n) {
    for (int64_t i = 0; i < n; ++i) {
        uint16_t mask = 0xFFFF;
        if constexpr (S == 2)
            mask = (i % 2 == 1) ? 0 : 0xFFFF;
        else if constexpr (S == 4)
            mask = (i % 4 == 3) ? 0 : 0xFFFF;
        d[i] = static_cast<uint16_t>(s[i] ^ mask);
    }
}

// Beyond four samples no image is shown; the first three are taken as colour there too.
void InvertWordsGeneric(const uint16_t* s, uint16_t* d, int64_t pixels, int64_t samples) {
    for (int64_t p = 0; p < pixels; ++p, s += samples, d += samples)
        for (int64_t c = 0; c < samples; ++c)
            d[c] = c < 3 ? static_cast<uint16_t>(~s[c]) : s[c];
}

template <int S>
void RunGeometric(const uint16_t* src, int64_t width, int64_t height, int64_t samples,
                  TTransformType transform, uint16_t* dst, unsigned threads) {
    switch (transform) {
    case TTransformType::tt90CW:
    case TTransformType::tt90CCW: {
        const bool cw = transform == TTransformType::tt90CW;
        ParallelRows(
            width,
            [&](int64_t a, int64_t b) {
                Rotate90Band<S>(src, width, height, samples, cw, dst, a, b);
            },
            threads, RotateTile<S>());
        break;
    }
    case TTransformType::tt180:
    case TTransformType::ttFlipH: {
        const bool flipRows = transform == TTransformType::tt180;
        ParallelRows(
            height,
            [&](int64_t a, int64_t b) {
                ReverseBand<S>(src, width, height, samples, flipRows, dst, a, b);
            },
            threads);
        break;
    }
    default:
        break;
    }
}

} // namespace

void TransformWordsInto(const uint16_t* src, int32_t width, int32_t height, int32_t samples,
                        TTransformType transform, uint16_t* dst, unsigned threads) {
    const int64_t w = width, h = height, spp = samples;
    if (transform == TTransformType::ttInvert) {
        const int64_t rowWords = w * spp;
        ParallelRows(
            h,
            [&](int64_t a, int64_t b) {
                const uint16_t* s = src + a * rowWords;
                uint16_t* d = dst + a * rowWords;
                const int64_t n = (b - a) * rowWords;
                switch (spp) {
                case 1:
                case 3:
                    InvertWords<1>(s, d, n);
                    break;
                case 2:
                    InvertWords<2>(s, d, n);
                    break;
                case 4:
                    InvertWords<4>(s, d, n);
                    break;
                default:
                    InvertWordsGeneric(s, d, n / spp, spp);
                }
            },
            threads);
        return;
    }
    switch (spp) {
    case 1:
        RunGeometric<1>(src, w, h, spp, transform, dst, threads);
        break;
    case 2:
        RunGeometric<2>(src, w, h, spp, transform, dst, threads);
        break;
    case 3:
        RunGeometric<3>(src, w, h, spp, transform, dst, threads);
        break;
    case 4:
        RunGeometric<4>(src, w, h, spp, transform, dst, threads);
        break;
    default:
        RunGeometric<0>(src, w, h, spp, transform, dst, threads);
    }
}

} // namespace vantrel
