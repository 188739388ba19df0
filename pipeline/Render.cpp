#include "pipeline/Render.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "pipeline/KernelMemory.h"
#include "pipeline/ParallelRows.h"
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

// One row. S is the samples per pixel (1 to 4); grey images show their first sample, colour
// images their first three. `flip` complements the sample first (WhiteIsZero), which leaves
// 255 minus the high byte.
template <bool UseTable, int S>
void RenderRow(const uint16_t* __restrict s, uint8_t* __restrict d, int64_t width, uint16_t flip,
               const uint8_t* __restrict table) {
    auto level = [&](uint16_t sample) -> uint8_t {
        const auto high = static_cast<uint8_t>(static_cast<uint16_t>(sample ^ flip) >> 8);
        if constexpr (UseTable)
            return table[high];
        else
            return high;
    };
    for (int64_t x = 0; x < width; ++x, s += S, d += 3) {
        if constexpr (S <= 2) {
            const uint8_t v = level(s[0]);
            d[0] = v;
            d[1] = v;
            d[2] = v;
        } else {
            d[0] = level(s[2]);
            d[1] = level(s[1]);
            d[2] = level(s[0]);
        }
    }
}

template <bool UseTable, int S>
void RenderBand(const uint16_t* words, uint16_t flip, const uint8_t* table, TViewBitmap& bitmap,
                int64_t rowFirst, int64_t rowEnd) {
    const int64_t width = bitmap.Width;
    const int64_t pixelBytes = 3 * width;
    const auto padding = static_cast<size_t>(bitmap.BytesPerLine - pixelBytes);
    for (int64_t y = rowFirst; y < rowEnd; ++y) {
        uint8_t* row = bitmap.Row(static_cast<int32_t>(y));
        RenderRow<UseTable, S>(words + y * width * S, row, width, flip, table);
        if (padding > 0)
            std::memset(row + pixelBytes, 0, padding); // defined bytes for whoever copies rows
    }
}

template <bool UseTable>
void RenderAll(const uint16_t* words, int32_t samples, uint16_t flip, const uint8_t* table,
               TViewBitmap& bitmap, unsigned threads) {
    auto band = [&](int64_t a, int64_t b) {
        switch (samples) {
        case 1:
            RenderBand<UseTable, 1>(words, flip, table, bitmap, a, b);
            break;
        case 2:
            RenderBand<UseTable, 2>(words, flip, table, bitmap, a, b);
            break;
        case 3:
            RenderBand<UseTable, 3>(words, flip, table, bitmap, a, b);
            break;
        default:
            RenderBand<UseTable, 4>(words, flip, table, bitmap, a, b);
        }
    };
    ParallelRows(bitmap.Height, band, threads);
}

} // namespace

double GammaFromPosition(int32_t position) {
    return std::pow(10.0, position / 100.0);
}

bool DisplayAdjustmentsActive(int32_t brightness, double sContrast, double gamma) {
    return SContrastActive(sContrast) || brightness != 0 || GammaActive(gamma);
}

TDisplayTable BuildDisplayTable(int32_t brightness, double sContrast, double gamma) {
    TDisplayTable table{};
    for (int i = 0; i < 256; ++i) {
        const double w = i / 255.0;
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
            throw Exception(
                Format("Неподдерживаемая цветовая модель для одноканального изображения.\r\n"
                       "PhotometricInterpretation = %d (ожидалось 0=WhiteIsZero или 1=BlackIsZero)",
                       photometric));
        return;
    }
    if ((samples == 3 || samples == 4) && photometric == 2)
        return;
    throw Exception(Format("Неподдерживаемая цветовая модель.\r\n"
                           "SamplesPerPixel = %d, PhotometricInterpretation = %d",
                           samples, photometric));
}

void RenderWordsInto(const uint16_t* words, int32_t samples, uint16_t photometric,
                     const TDisplayTable* table, TViewBitmap& bitmap, unsigned threads) {
    const uint16_t flip = photometric == 0 ? 0xFFFF : 0;
    if (table)
        RenderAll<true>(words, samples, flip, table->data(), bitmap, threads);
    else
        RenderAll<false>(words, samples, flip, nullptr, bitmap, threads);
}

TViewBitmap RenderWordsToBitmap(std::span<const uint16_t> words, int32_t width, int32_t height,
                                int32_t samples, uint16_t photometric, int32_t brightness,
                                double sContrast, double gamma, unsigned threads) {
    CheckColourModel(samples, photometric);
    // Reading past the words would show (or crash on) foreign memory: refuse a geometry that
    // does not match them.
    if (width <= 0 || height <= 0)
        throw Exception("Invalid image dimensions or sample count");
    if (static_cast<unsigned __int128>(uint32_t(width)) * uint32_t(height) * uint32_t(samples) !=
        words.size())
        throw Exception("SourceWords length mismatch");

    const bool active = DisplayAdjustmentsActive(brightness, sContrast, gamma);
    const TDisplayTable table =
        active ? BuildDisplayTable(brightness, sContrast, gamma) : TDisplayTable{};
    TViewBitmap bitmap = AllocateViewBitmap(width, height);
    RenderWordsInto(words.data(), samples, photometric, active ? &table : nullptr, bitmap, threads);
    return bitmap;
}

} // namespace vantrel
