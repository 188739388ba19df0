// SPDX-License-Identifier: MIT
// The word-moving kernels behind TransformWords. Each writes every destination word exactly
// once; only the order of the memory accesses differs from a plain pixel loop. Results go to
// memory through streaming stores (see StreamStore.h) where the platform has them.
#include <algorithm>
#include <bit>
#include <cstring>
#include <initializer_list>

#include "pipeline/kernels/ParallelRows.h"
#include "pipeline/kernels/StreamStore.h"
#include "pipeline/kernels/Transform.h"

#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

namespace vantrel {

namespace {

using kernels::IsAligned;
using kernels::StreamBytes;
using kernels::StreamFence;

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// Copies one pixel. S > 0 is known at compile time (1 to 4 samples, the images shown);
// S == 0 takes the count at run time for anything else.
template <int S>
inline void CopyPixel(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t samples) {
    if constexpr (S > 0) {
        std::memcpy(d, s, S * sizeof(uint16_t)); // one or two moves
    } else {
        std::memcpy(d, s, static_cast<size_t>(samples) * sizeof(uint16_t));
    }
}

// Quarter turns.

// The destination is cut into tiles. A tile is gathered in a buffer that stays in the cache
// together with the source rows it reads (one per destination column), then streamed out row
// by row. Grey tiles are 64 × 64 words, transposed 8 × 8 in registers; other tiles are 256
// destination rows by 16 columns, so that each source row is read in long runs (measured
// fastest for three samples among tiles from 32 × 32 to 2048 × 4).
template <int S> constexpr int64_t RotateTileRows() {
    return S == 1 ? 64 : 256;
}
template <int S> constexpr int64_t RotateTileCols() {
    return S == 1 ? 64 : 16;
}

struct TRotation {
    const uint16_t* Src;
    int64_t Width, Height; // of the source
    bool Clockwise;
    uint16_t* Dst;

    // Destination (x, y) comes from source column y, row H-1-x (clockwise) or column W-1-y,
    // row x (counter-clockwise): along a destination row the source steps a whole row.
    const uint16_t* Source(int64_t x, int64_t y, int64_t spp) const {
        return Src + (Clockwise ? (Height - 1 - x) * Width + y : x * Width + (Width - 1 - y)) * spp;
    }
    int64_t SourceStep(int64_t spp) const { return (Clockwise ? -Width : Width) * spp; }
};

// Gathers destination rows [ty, tyEnd) × columns [tx, txEnd) into buf (pitch `pitch` words).
template <int S>
void GatherTile(const TRotation& r, int64_t tx, int64_t txEnd, int64_t ty, int64_t tyEnd,
                uint16_t* buf, int64_t pitch, int64_t spp) {
    const int64_t step = r.SourceStep(spp);
    for (int64_t y = ty; y < tyEnd; ++y) {
        const uint16_t* s = r.Source(tx, y, spp);
        uint16_t* d = buf + (y - ty) * pitch;
        for (int64_t x = tx; x < txEnd; ++x, s += step, d += spp)
            CopyPixel<S>(s, d, spp);
    }
}

#if defined(__SSE2__)
// Transposes eight rows of eight words.
inline void Transpose8(__m128i a[8]) {
    const __m128i t0 = _mm_unpacklo_epi16(a[0], a[1]), t1 = _mm_unpackhi_epi16(a[0], a[1]);
    const __m128i t2 = _mm_unpacklo_epi16(a[2], a[3]), t3 = _mm_unpackhi_epi16(a[2], a[3]);
    const __m128i t4 = _mm_unpacklo_epi16(a[4], a[5]), t5 = _mm_unpackhi_epi16(a[4], a[5]);
    const __m128i t6 = _mm_unpacklo_epi16(a[6], a[7]), t7 = _mm_unpackhi_epi16(a[6], a[7]);
    const __m128i u0 = _mm_unpacklo_epi32(t0, t2), u1 = _mm_unpackhi_epi32(t0, t2);
    const __m128i u2 = _mm_unpacklo_epi32(t1, t3), u3 = _mm_unpackhi_epi32(t1, t3);
    const __m128i u4 = _mm_unpacklo_epi32(t4, t6), u5 = _mm_unpackhi_epi32(t4, t6);
    const __m128i u6 = _mm_unpacklo_epi32(t5, t7), u7 = _mm_unpackhi_epi32(t5, t7);
    a[0] = _mm_unpacklo_epi64(u0, u4), a[1] = _mm_unpackhi_epi64(u0, u4);
    a[2] = _mm_unpacklo_epi64(u1, u5), a[3] = _mm_unpackhi_epi64(u1, u5);
    a[4] = _mm_unpacklo_epi64(u2, u6), a[5] = _mm_unpackhi_epi64(u2, u6);
    a[6] = _mm_unpacklo_epi64(u3, u7), a[7] = _mm_unpackhi_epi64(u3, u7);
}

// Grey tiles in blocks of 8 × 8 words, transposed in registers; ragged edges word by word.
void GatherGreyTile(const TRotation& r, int64_t tx, int64_t txEnd, int64_t ty, int64_t tyEnd,
                    uint16_t* buf, int64_t pitch) {
    for (int64_t by = ty; by < tyEnd; by += 8) {
        for (int64_t bx = tx; bx < txEnd; bx += 8) {
            if (by + 8 > tyEnd || bx + 8 > txEnd) {
                GatherTile<1>(r, bx, std::min(bx + 8, txEnd), by, std::min(by + 8, tyEnd),
                              buf + (by - ty) * pitch + (bx - tx), pitch, 1);
                continue;
            }
            __m128i a[8];
            if (r.Clockwise) {
                // Row j: source row H-1-(bx+j), columns by … by+7; transposed, block row i is
                // destination row by+i.
                for (int j = 0; j < 8; ++j)
                    a[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                        r.Src + (r.Height - 1 - bx - j) * r.Width + by));
                Transpose8(a);
                for (int i = 0; i < 8; ++i)
                    _mm_store_si128(
                        reinterpret_cast<__m128i*>(buf + (by - ty + i) * pitch + (bx - tx)), a[i]);
            } else {
                // Row j: source row bx+j, columns W-8-by … W-1-by; transposed, block row k is
                // destination row by+7-k.
                for (int j = 0; j < 8; ++j)
                    a[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                        r.Src + (bx + j) * r.Width + (r.Width - 8 - by)));
                Transpose8(a);
                for (int k = 0; k < 8; ++k)
                    _mm_store_si128(
                        reinterpret_cast<__m128i*>(buf + (by - ty + 7 - k) * pitch + (bx - tx)),
                        a[k]);
            }
        }
    }
}
#endif

template <int S> void Rotate90Band(const TRotation& r, int64_t rowFirst, int64_t rowEnd) {
    constexpr int64_t tileRows = RotateTileRows<S>(), tileCols = RotateTileCols<S>();
    const int64_t newWidth = r.Height;
    alignas(64) uint16_t buf[static_cast<size_t>(tileRows * tileCols * S)];
    const int64_t pitch = tileCols * S;
    for (int64_t ty = rowFirst; ty < rowEnd; ty += tileRows) {
        const int64_t tyEnd = std::min(ty + tileRows, rowEnd);
        for (int64_t tx = 0; tx < newWidth; tx += tileCols) {
            const int64_t txEnd = std::min(tx + tileCols, newWidth);
#if defined(__SSE2__)
            if constexpr (S == 1)
                GatherGreyTile(r, tx, txEnd, ty, tyEnd, buf, pitch);
            else
#endif
                GatherTile<S>(r, tx, txEnd, ty, tyEnd, buf, pitch, S);
            for (int64_t y = ty; y < tyEnd; ++y)
                StreamBytes(r.Dst + (y * newWidth + tx) * S, buf + (y - ty) * pitch,
                            static_cast<size_t>((txEnd - tx) * S) * sizeof(uint16_t));
        }
    }
    StreamFence();
}

// More than four samples: never shown, so kept simple.
void Rotate90BandGeneric(const TRotation& r, int64_t samples, int64_t rowFirst, int64_t rowEnd) {
    constexpr int64_t tile = 32;
    for (int64_t ty = rowFirst; ty < rowEnd; ty += tile)
        for (int64_t tx = 0; tx < r.Height; tx += tile) {
            const int64_t tyEnd = std::min(ty + tile, rowEnd),
                          txEnd = std::min(tx + tile, r.Height);
            GatherTile<0>(r, tx, txEnd, ty, tyEnd, r.Dst + (ty * r.Height + tx) * samples,
                          r.Height * samples, samples);
        }
}

// Mirrors and half turns.

// One row with its pixels in reverse order.
template <int S>
void ReverseRowPlain(const uint16_t* s, uint16_t* d, int64_t first, int64_t end, int64_t width,
                     int64_t spp) {
    for (int64_t x = first; x < end; ++x)
        CopyPixel<S>(s + (width - 1 - x) * spp, d + x * spp, spp);
}

#if defined(__SSE2__)
// Reverses the pixels within one vector: 8 grey words, 4 two-sample or 2 four-sample pixels.
template <int S> inline __m128i ReverseVector(__m128i v) {
    if constexpr (S == 1) {
        v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
        v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(0, 1, 2, 3));
        return _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2));
    } else if constexpr (S == 2) {
        return _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
    } else {
        return _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2));
    }
}
#endif

#if defined(__x86_64__)
// Four three-sample pixels are three 64-bit words: source pixels A B C D (A leftmost) become
// D C B A by moving whole 16-bit lanes.
inline void ReverseFourRGB(const uint16_t* s, uint64_t o[3]) {
    uint64_t q[3];
    std::memcpy(q, s, sizeof q);
    o[0] = (q[2] >> 16) | ((q[1] << 16) & 0xFFFF000000000000ull);
    o[1] = (q[1] >> 48) | ((q[2] & 0xFFFF) << 16) | ((q[0] >> 48) << 32) | (q[1] << 48);
    o[2] = (q[0] << 16) | ((q[1] >> 16) & 0xFFFF);
}

// Eight pixels, 48 bytes: three aligned vector stores.
inline void ReverseEightRGB(const uint16_t* s, uint16_t* d) {
    uint64_t o[6];
    ReverseFourRGB(s + 12, o);
    ReverseFourRGB(s, o + 3);
    auto* out = reinterpret_cast<__m128i*>(d);
    _mm_stream_si128(out,
                     _mm_set_epi64x(static_cast<long long>(o[1]), static_cast<long long>(o[0])));
    _mm_stream_si128(out + 1,
                     _mm_set_epi64x(static_cast<long long>(o[3]), static_cast<long long>(o[2])));
    _mm_stream_si128(out + 2,
                     _mm_set_epi64x(static_cast<long long>(o[5]), static_cast<long long>(o[4])));
}
// The same with byte shuffles, where the processor has them (nearly every x86-64 one does):
// each output vector gathers its words from two or three input vectors.
__attribute__((target("ssse3"))) void ReverseEightRGBShuffled(const uint16_t* s, uint16_t* d) {
    // Byte masks from word picks; -1 leaves the word zero.
    auto pick = [](std::initializer_list<int> words) {
        alignas(16) int8_t bytes[16];
        int i = 0;
        for (int w : words) {
            bytes[i++] = static_cast<int8_t>(w < 0 ? -128 : 2 * w);
            bytes[i++] = static_cast<int8_t>(w < 0 ? -128 : 2 * w + 1);
        }
        return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
    };
    static const __m128i m0a = pick({5, 6, 7, 2, 3, 4, -1, 0}),
                         m0b = pick({-1, -1, -1, -1, -1, -1, 7, -1});
    static const __m128i m1a = pick({1, -1, -1, -1, -1, -1, -1, -1}),
                         m1b = pick({-1, 4, 5, 6, 1, 2, 3, -1}),
                         m1c = pick({-1, -1, -1, -1, -1, -1, -1, 6});
    static const __m128i m2a = pick({7, -1, 3, 4, 5, 0, 1, 2}),
                         m2b = pick({-1, 0, -1, -1, -1, -1, -1, -1});
    const auto* in = reinterpret_cast<const __m128i*>(s);
    const __m128i v0 = _mm_loadu_si128(in), v1 = _mm_loadu_si128(in + 1),
                  v2 = _mm_loadu_si128(in + 2);
    auto* out = reinterpret_cast<__m128i*>(d);
    _mm_stream_si128(out, _mm_or_si128(_mm_shuffle_epi8(v2, m0a), _mm_shuffle_epi8(v1, m0b)));
    _mm_stream_si128(
        out + 1, _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v2, m1a), _mm_shuffle_epi8(v1, m1b)),
                              _mm_shuffle_epi8(v0, m1c)));
    _mm_stream_si128(out + 2, _mm_or_si128(_mm_shuffle_epi8(v0, m2a), _mm_shuffle_epi8(v1, m2b)));
}

const bool kHasByteShuffle = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));

inline void ReverseEightRGBBest(const uint16_t* s, uint16_t* d) {
    if (kHasByteShuffle)
        ReverseEightRGBShuffled(s, d);
    else
        ReverseEightRGB(s, d);
}
#endif

// One row with its pixels in reverse order. The source is read from its end to its start
// (`backwardSource`), or from its start with the destination written from its end: whichever
// keeps the reads of consecutive rows one continuous stream for the hardware prefetcher.
template <int S>
void ReverseRow(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t width, int64_t spp,
                bool backwardSource) {
    // Destination pixels [first, end) are still to be written.
    int64_t first = 0, end = width;
#if defined(__SSE2__)
    constexpr bool kVector = S == 1 || S == 2 || S == 4;
#if defined(__x86_64__)
    constexpr bool kRGB = S == 3 && kLittleEndian;
#else
    constexpr bool kRGB = false;
#endif
    if constexpr (kVector || kRGB) {
        constexpr int64_t group = kVector ? 8 / S : 8; // pixels per step
        constexpr size_t alignment = 16;               // of the destination
        if (backwardSource) {
            while (first < end && !IsAligned(d + first * S, alignment))
                ReverseRowPlain<S>(s, d, first, first + 1, width, S), ++first;
            if (IsAligned(d + first * S, alignment)) {
                for (; first + group <= end; first += group) {
                    const uint16_t* from = s + (width - group - first) * S;
#if defined(__x86_64__)
                    if constexpr (kRGB)
                        ReverseEightRGBBest(from, d + first * S);
                    else
#endif
                        _mm_stream_si128(reinterpret_cast<__m128i*>(d + first * S),
                                         ReverseVector<S>(_mm_loadu_si128(
                                             reinterpret_cast<const __m128i*>(from))));
                }
            }
        } else {
            while (end > first && !IsAligned(d + end * S, alignment))
                --end, ReverseRowPlain<S>(s, d, end, end + 1, width, S);
            if (IsAligned(d + end * S, alignment)) {
                for (; end - group >= first; end -= group) {
                    const uint16_t* from = s + (width - end) * S;
#if defined(__x86_64__)
                    if constexpr (kRGB)
                        ReverseEightRGBBest(from, d + (end - group) * S);
                    else
#endif
                        _mm_stream_si128(reinterpret_cast<__m128i*>(d + (end - group) * S),
                                         ReverseVector<S>(_mm_loadu_si128(
                                             reinterpret_cast<const __m128i*>(from))));
                }
            }
        }
    }
#endif
    ReverseRowPlain<S>(s, d, first, end, width, spp);
}

template <int S>
void ReverseBand(const uint16_t* src, int64_t width, int64_t height, int64_t samples, bool flipRows,
                 uint16_t* dst, int64_t rowFirst, int64_t rowEnd) {
    const int64_t rowWords = width * (S > 0 ? S : samples);
    for (int64_t y = rowFirst; y < rowEnd; ++y) {
        const int64_t sy = flipRows ? height - 1 - y : y;
        // A half turn reads the whole image backwards; a mirror reads it forwards.
        ReverseRow<S>(src + sy * rowWords, dst + y * rowWords, width, samples, flipRows);
    }
    StreamFence();
}

// Inversion.

// Colour samples are complemented, an extra sample (the second of two, the fourth of four) is
// copied. Beyond four samples no image is shown; the first three are taken as colour there.
inline uint16_t InvertMask(int64_t sampleIndex, int64_t samples) {
    if (samples == 2)
        return sampleIndex == 1 ? 0 : 0xFFFF;
    if (samples == 1 || samples == 3)
        return 0xFFFF;
    return sampleIndex < 3 ? 0xFFFF : 0;
}

// Words [0, n) of a band that starts at a pixel boundary.
void InvertBand(const uint16_t* __restrict s, uint16_t* __restrict d, int64_t n, int64_t samples) {
    int64_t i = 0;
#if defined(__SSE2__)
    if (samples <= 4) {
        while (i < n && !IsAligned(d + i, 16))
            d[i] = s[i] ^ InvertMask(i % samples, samples), ++i;
        if (IsAligned(d + i, 16)) {
            // Eight words hold whole pixels of 1, 2 or 4 samples, so one mask fits every
            // vector; with 3 samples every word is complemented anyway.
            alignas(16) uint16_t maskWords[8];
            for (int k = 0; k < 8; ++k)
                maskWords[k] = InvertMask((i + k) % samples, samples);
            const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(maskWords));
            for (; i + 8 <= n; i += 8)
                _mm_stream_si128(
                    reinterpret_cast<__m128i*>(d + i),
                    _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), mask));
        }
    }
#endif
    for (; i < n; ++i)
        d[i] = s[i] ^ InvertMask(i % samples, samples);
    StreamFence();
}

template <int S>
void RunGeometric(const uint16_t* src, int64_t width, int64_t height, int64_t samples,
                  TTransformType transform, uint16_t* dst, unsigned threads) {
    if (transform == TTransformType::tt90CW || transform == TTransformType::tt90CCW) {
        const TRotation r{src, width, height, transform == TTransformType::tt90CW, dst};
        ParallelRows(
            width,
            [&](int64_t a, int64_t b) {
                if constexpr (S > 0)
                    Rotate90Band<S>(r, a, b);
                else
                    Rotate90BandGeneric(r, samples, a, b);
            },
            threads, 64);
        return;
    }
    const bool flipRows = transform == TTransformType::tt180;
    ParallelRows(
        height,
        [&](int64_t a, int64_t b) {
            ReverseBand<S>(src, width, height, samples, flipRows, dst, a, b);
        },
        threads);
}

} // namespace

void TransformWordsInto(const uint16_t* src, int32_t width, int32_t height, int32_t samples,
                        TTransformType transform, uint16_t* dst, unsigned threads) {
    const int64_t w = width, h = height, spp = samples;
    switch (transform) {
    case TTransformType::ttInvert: {
        const int64_t rowWords = w * spp;
        ParallelRows(
            h,
            [&](int64_t a, int64_t b) {
                InvertBand(src + a * rowWords, dst + a * rowWords, (b - a) * rowWords, spp);
            },
            threads);
        return;
    }
    case TTransformType::tt90CW:
    case TTransformType::tt90CCW:
    case TTransformType::tt180:
    case TTransformType::ttFlipH:
        break;
    default:
        return;
    }
    switch (spp) {
    case 1:
        return RunGeometric<1>(src, w, h, spp, transform, dst, threads);
    case 2:
        return RunGeometric<2>(src, w, h, spp, transform, dst, threads);
    case 3:
        return RunGeometric<3>(src, w, h, spp, transform, dst, threads);
    case 4:
        return RunGeometric<4>(src, w, h, spp, transform, dst, threads);
    default:
        return RunGeometric<0>(src, w, h, spp, transform, dst, threads);
    }
}

} // namespace vantrel
