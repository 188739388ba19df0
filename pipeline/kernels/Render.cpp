// SPDX-License-Identifier: MIT
#include "pipeline/kernels/Render.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "pipeline/PipelineTexts.h"
#include "pipeline/kernels/KernelMemory.h"
#include "pipeline/kernels/ParallelRows.h"
#include "pipeline/kernels/StreamStore.h"
#include "tiff/Exceptions.h"

namespace vantrel {

namespace {

constexpr double kNeutralEpsilon = 1e-6;

bool GammaActive(double gamma) {
    return std::fabs(gamma - 1.0) > kNeutralEpsilon;
}
bool SContrastActive(double s) {
    return std::fabs(s) > kNeutralEpsilon;
}

std::string Format(const char* pattern, int a, int b = 0) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// Levels per high byte: the table, or the byte itself when no adjustment is active, with the
// WhiteIsZero complement folded in.
struct TLevels {
    uint8_t Level[256];
    uint32_t Grey[256]; // the level in the three low bytes (blue, green, red alike)

    TLevels(const TDisplayTable* table, bool whiteIsZero, bool signedSamples) {
        for (size_t h = 0; h < 256; ++h) {
            // Signed samples are shown around their zero: -32768 black, 0 mid-grey.
            const size_t biased = signedSamples ? h ^ 0x80 : h;
            const size_t high = whiteIsZero ? 255 - biased : biased;
            Level[h] = table ? (*table)[high] : static_cast<uint8_t>(high);
            Grey[h] = Level[h] * 0x010101u;
        }
    }
};

inline uint8_t High(uint16_t sample) {
    return static_cast<uint8_t>(sample >> 8);
}

// Pixels [0, n) of a row into `out` (3 bytes each). Four pixels make three 32-bit stores.
template <int S>
void RenderPixels(const uint16_t* __restrict s, uint8_t* __restrict out, int64_t n,
                  const TLevels& lv) {
    int64_t x = 0;
    if constexpr (S == 1 && std::endian::native == std::endian::little) {
        // Eight grey words are two 64-bit loads, their 24 output bytes three 64-bit stores.
        for (; x + 8 <= n; x += 8, s += 8, out += 24) {
            uint64_t q[2];
            std::memcpy(q, s, sizeof q);
            uint64_t g[8];
            for (int k = 0; k < 4; ++k) {
                g[k] = lv.Grey[(q[0] >> (16 * k + 8)) & 0xFF];
                g[k + 4] = lv.Grey[(q[1] >> (16 * k + 8)) & 0xFF];
            }
            const uint64_t o[3] = {g[0] | g[1] << 24 | g[2] << 48,
                                   g[2] >> 16 | g[3] << 8 | g[4] << 32 | g[5] << 56,
                                   g[5] >> 8 | g[6] << 16 | g[7] << 40};
            std::memcpy(out, o, sizeof o);
        }
    }
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 4 <= n; x += 4, s += 4 * S, out += 12) {
            uint32_t w[3];
            if constexpr (S <= 2) {
                const uint32_t g0 = lv.Grey[High(s[0])], g1 = lv.Grey[High(s[S])];
                const uint32_t g2 = lv.Grey[High(s[2 * S])], g3 = lv.Grey[High(s[3 * S])];
                w[0] = g0 | g1 << 24;
                w[1] = g1 >> 8 | g2 << 16;
                w[2] = g2 >> 16 | g3 << 8;
            } else {
                auto bgr = [&](const uint16_t* p) {
                    return uint32_t(lv.Level[High(p[2])]) | uint32_t(lv.Level[High(p[1])]) << 8 |
                           uint32_t(lv.Level[High(p[0])]) << 16;
                };
                const uint32_t p0 = bgr(s), p1 = bgr(s + S), p2 = bgr(s + 2 * S),
                               p3 = bgr(s + 3 * S);
                w[0] = p0 | p1 << 24;
                w[1] = p1 >> 8 | p2 << 16;
                w[2] = p2 >> 16 | p3 << 8;
            }
            std::memcpy(out, w, sizeof w);
        }
    }
    for (; x < n; ++x, s += S, out += 3) {
        if constexpr (S <= 2) {
            out[0] = out[1] = out[2] = lv.Level[High(s[0])];
        } else {
            out[0] = lv.Level[High(s[2])];
            out[1] = lv.Level[High(s[1])];
            out[2] = lv.Level[High(s[0])];
        }
    }
}

// Rows are rendered in chunks into a buffer that stays in L1 and streamed to the bitmap,
// which is far larger than any cache.
template <int S>
void RenderBand(const uint16_t* words, const TLevels& levels, TViewBitmap& bitmap, int64_t rowFirst,
                int64_t rowEnd) {
    constexpr int64_t kChunk = 1024;
    alignas(64) uint8_t chunk[3 * kChunk];
    const int64_t width = bitmap.Width;
    const int64_t pixelBytes = 3 * width;
    const auto padding = static_cast<size_t>(bitmap.BytesPerLine - pixelBytes);
    for (int64_t y = rowFirst; y < rowEnd; ++y) {
        uint8_t* row = bitmap.Row(static_cast<int32_t>(y));
        const uint16_t* s = words + y * width * S;
        for (int64_t x = 0; x < width; x += kChunk) {
            const int64_t n = std::min(kChunk, width - x);
            RenderPixels<S>(s + x * S, chunk, n, levels);
            kernels::StreamBytes(row + 3 * x, chunk, static_cast<size_t>(3 * n));
        }
        if (padding > 0)
            std::memset(row + pixelBytes, 0, padding); // defined bytes for whoever copies rows
    }
    kernels::StreamFence();
}

// The 8-bit level of an IEEE half float shown from 0.0 (black) to 1.0 (white); below, and a
// value that is not a number, black; above, white.
uint8_t HalfFloatLevel(uint16_t h) {
    const uint32_t exponent = (h >> 10) & 0x1F, mantissa = h & 0x3FF;
    if ((h & 0x8000) != 0 || exponent == 0x1F)
        return (h & 0x8000) == 0 && mantissa == 0 ? 255 : 0; // +inf white; -inf, NaN black
    const double v = exponent == 0 ? std::ldexp(mantissa, -24)
                                   : std::ldexp(mantissa + 1024.0, static_cast<int>(exponent) - 25);
    return static_cast<uint8_t>(std::min(255.0, std::floor(v * 256.0)));
}

// Half floats go through one level per word: 64 KiB of table, made once per render.
struct TWordLevels {
    std::vector<uint8_t> Level = std::vector<uint8_t>(65536);
    TWordLevels(const TDisplayTable* table, bool whiteIsZero) {
        for (uint32_t w = 0; w < 65536; ++w) {
            const uint8_t v = HalfFloatLevel(static_cast<uint16_t>(w));
            const uint8_t shown = whiteIsZero ? static_cast<uint8_t>(255 - v) : v;
            Level[w] = table ? (*table)[shown] : shown;
        }
    }
};

template <int S>
void RenderWordBand(const uint16_t* words, const TWordLevels& lv, TViewBitmap& bitmap,
                    int64_t rowFirst, int64_t rowEnd) {
    const int64_t width = bitmap.Width;
    const auto padding = static_cast<size_t>(bitmap.BytesPerLine - 3 * width);
    for (int64_t y = rowFirst; y < rowEnd; ++y) {
        uint8_t* out = bitmap.Row(static_cast<int32_t>(y));
        const uint16_t* s = words + y * width * S;
        for (int64_t x = 0; x < width; ++x, s += S, out += 3) {
            if constexpr (S <= 2) {
                out[0] = out[1] = out[2] = lv.Level[s[0]];
            } else {
                out[0] = lv.Level[s[2]];
                out[1] = lv.Level[s[1]];
                out[2] = lv.Level[s[0]];
            }
        }
        if (padding > 0)
            std::memset(out, 0, padding);
    }
}

// The bitmap's rows in bands over the threads, each band rendered by the kernel made for the
// image's samples per pixel: kernel(std::integral_constant<int, S>(), firstRow, endRow).
template <class TKernel>
void RenderRows(int32_t samples, TViewBitmap& bitmap, unsigned threads, const TKernel& kernel) {
    auto band = [&](int64_t a, int64_t b) {
        switch (samples) {
        case 1:
            return kernel(std::integral_constant<int, 1>(), a, b);
        case 2:
            return kernel(std::integral_constant<int, 2>(), a, b);
        case 3:
            return kernel(std::integral_constant<int, 3>(), a, b);
        default:
            return kernel(std::integral_constant<int, 4>(), a, b);
        }
    };
    ParallelRows(bitmap.Height, band, threads);
}

} // namespace

bool DisplayAdjustmentsActive(int32_t brightness, double sContrast, double gamma) {
    return SContrastActive(sContrast) || brightness != 0 || GammaActive(gamma);
}

TDisplayTable BuildDisplayTable(int32_t brightness, double sContrast, double gamma) {
    TDisplayTable table{};
    for (size_t i = 0; i < 256; ++i) {
        const double w = static_cast<double>(i) / 255.0;
        double v = w;
        if (GammaActive(gamma))
            v = w > 0 ? std::pow(w, gamma) : 0.0;
        if (SContrastActive(sContrast))
            v = sContrast * v * (v - 0.5) * (v - 1) + v;
        const double c = v * 255 + brightness;
        // A value that is not a number (from a gamma that is not one) shows as black.
        if (!(c >= 0))
            table[i] = 0;
        else if (c > 255)
            table[i] = 255;
        else
            table[i] = static_cast<uint8_t>(std::nearbyint(c)); // ties to even
    }
    return table;
}

void CheckColourModel(int32_t samples, uint16_t photometric) {
    if (samples == 1 || samples == 2) {
        if (photometric != 0 && photometric != 1)
            throw Exception(Format(pipeline_texts::UnsupportedGreyModel(), photometric));
        return;
    }
    if ((samples == 3 || samples == 4) && photometric == 2)
        return;
    throw Exception(Format(pipeline_texts::UnsupportedColourModel(), samples, photometric));
}

void RenderWordsInto(const uint16_t* words, int32_t samples, uint16_t photometric,
                     uint16_t sampleFormat, const TDisplayTable* table, TViewBitmap& bitmap,
                     unsigned threads) {
    if (sampleFormat == kFloatSamples) {
        const TWordLevels levels(table, photometric == 0);
        return RenderRows(samples, bitmap, threads, [&](auto s, int64_t a, int64_t b) {
            RenderWordBand<s()>(words, levels, bitmap, a, b);
        });
    }
    const TLevels levels(table, photometric == 0, sampleFormat == kSignedSamples);
    RenderRows(samples, bitmap, threads,
               [&](auto s, int64_t a, int64_t b) { RenderBand<s()>(words, levels, bitmap, a, b); });
}

std::optional<TDisplayTable> CheckedDisplayTable(std::span<const uint16_t> words, int32_t width,
                                                 int32_t height, int32_t samples,
                                                 uint16_t photometric,
                                                 const TDisplayAdjustments& a) {
    CheckColourModel(samples, photometric);
    // Reading past the words would show (or crash on) foreign memory: refuse a geometry that
    // does not match them.
    if (width <= 0 || height <= 0)
        throw Exception("Invalid image dimensions or sample count");
    if (static_cast<unsigned __int128>(uint32_t(width)) * uint32_t(height) * uint32_t(samples) !=
        words.size())
        throw Exception("SourceWords length mismatch");
    if (!DisplayAdjustmentsActive(a.Brightness, a.SContrast, a.Gamma))
        return std::nullopt;
    return BuildDisplayTable(a.Brightness, a.SContrast, a.Gamma);
}

namespace {

TViewBitmap RenderChecked(TViewBitmap bitmap, std::span<const uint16_t> words, int32_t width,
                          int32_t height, int32_t samples, uint16_t photometric,
                          uint16_t sampleFormat, const TDisplayAdjustments& adjustments,
                          unsigned threads) {
    const std::optional<TDisplayTable> table =
        CheckedDisplayTable(words, width, height, samples, photometric, adjustments);
    if (bitmap.Width != width || bitmap.Height != height || !bitmap.Pixels) {
        bitmap = TViewBitmap{};
        bitmap = AllocateViewBitmap(width, height);
    }
    RenderWordsInto(words.data(), samples, photometric, sampleFormat, table ? &*table : nullptr,
                    bitmap, threads);
    return bitmap;
}

} // namespace

TViewBitmap RenderWordsToBitmap(std::span<const uint16_t> words, int32_t width, int32_t height,
                                int32_t samples, uint16_t photometric, uint16_t sampleFormat,
                                int32_t brightness, double sContrast, double gamma,
                                unsigned threads) {
    return RenderChecked(TViewBitmap{}, words, width, height, samples, photometric, sampleFormat,
                         {brightness, sContrast, gamma}, threads);
}

TViewBitmap RenderWordsOver(TViewBitmap spent, std::span<const uint16_t> words, int32_t width,
                            int32_t height, int32_t samples, uint16_t photometric,
                            uint16_t sampleFormat, const TDisplayAdjustments& adjustments) {
    return RenderChecked(std::move(spent), words, width, height, samples, photometric, sampleFormat,
                         adjustments, 0);
}

} // namespace vantrel
