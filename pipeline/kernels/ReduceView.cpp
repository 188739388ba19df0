// SPDX-License-Identifier: MIT
#include "pipeline/kernels/ReduceView.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "pipeline/kernels/KernelMemory.h"
#include "pipeline/kernels/Render.h"

namespace vantrel {

namespace {

// The source pixels that one target pixel covers along an axis, each with the share of its
// area: target t covers [t × n ÷ m, (t + 1) × n ÷ m) of the source.
struct TTaps {
    std::vector<int32_t> First;  // first source index of each target
    std::vector<int32_t> Count;  // number of source indices
    std::vector<int32_t> Offset; // where its weights begin in Weights
    std::vector<float> Weights;  // shares, summing to 1 per target

    [[nodiscard]] int32_t FirstOf(int32_t t) const { return First[static_cast<size_t>(t)]; }
    [[nodiscard]] int32_t CountOf(int32_t t) const { return Count[static_cast<size_t>(t)]; }
    [[nodiscard]] const float* WeightsOf(int32_t t) const {
        return &Weights[static_cast<size_t>(Offset[static_cast<size_t>(t)])];
    }
};

TTaps AreaTaps(int32_t sourceSize, int32_t targetSize) {
    TTaps taps;
    taps.First.resize(static_cast<size_t>(targetSize));
    taps.Count.resize(static_cast<size_t>(targetSize));
    taps.Offset.resize(static_cast<size_t>(targetSize));
    const double step = static_cast<double>(sourceSize) / targetSize;
    for (int32_t t = 0; t < targetSize; ++t) {
        const double from = t * step;
        const double to = std::min((t + 1) * step, static_cast<double>(sourceSize));
        int32_t first = static_cast<int32_t>(std::floor(from));
        int32_t last = std::max(first, static_cast<int32_t>(std::ceil(to)) - 1);
        last = std::min(last, sourceSize - 1);
        first = std::min(first, last);
        const auto ti = static_cast<size_t>(t);
        taps.First[ti] = first;
        taps.Count[ti] = last - first + 1;
        taps.Offset[ti] = static_cast<int32_t>(taps.Weights.size());
        const double span = to - from;
        for (int32_t s = first; s <= last; ++s) {
            const double covered = std::min(to, s + 1.0) - std::max(from, double(s));
            taps.Weights.push_back(static_cast<float>(span > 0 ? covered / span : 1.0));
        }
    }
    return taps;
}

// The reduction over the rows of a view of sourceWidth × sourceHeight that `rowAt` gives,
// asked for from the top down, each once.
void ReduceRows(int32_t sourceWidth, int32_t sourceHeight,
                const std::function<const uint8_t*(int32_t)>& rowAt, int32_t width, int32_t height,
                uint32_t* target, int64_t stride) {
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    const TTaps columns = AreaTaps(sourceWidth, width);
    const TTaps rows = AreaTaps(sourceHeight, height);
    // One source row reduced across: kept while the next target row also covers it.
    std::vector<float> across(size_t(width) * 3);
    int32_t acrossRow = -1;
    std::vector<float> sum(size_t(width) * 3);
    for (int32_t ty = 0; ty < height; ++ty) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int32_t i = 0; i < rows.CountOf(ty); ++i) {
            const int32_t y = rows.FirstOf(ty) + i;
            if (y != acrossRow) {
                const uint8_t* row = rowAt(y);
                for (int32_t tx = 0; tx < width; ++tx) {
                    const uint8_t* p = row + int64_t(columns.FirstOf(tx)) * 3;
                    const float* w = columns.WeightsOf(tx);
                    float b = 0, g = 0, r = 0;
                    for (int32_t k = 0; k < columns.CountOf(tx); ++k, p += 3) {
                        b += w[k] * p[0];
                        g += w[k] * p[1];
                        r += w[k] * p[2];
                    }
                    across[size_t(tx) * 3] = b;
                    across[size_t(tx) * 3 + 1] = g;
                    across[size_t(tx) * 3 + 2] = r;
                }
                acrossRow = y;
            }
            const float wy = rows.WeightsOf(ty)[i];
            for (size_t k = 0; k < sum.size(); ++k)
                sum[k] += wy * across[k];
        }
        uint32_t* out = target + int64_t(ty) * stride;
        auto channel = [](float v) {
            return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L));
        };
        for (int32_t tx = 0; tx < width; ++tx)
            out[tx] = 0xFF000000u | (channel(sum[size_t(tx) * 3 + 2]) << 16) |
                      (channel(sum[size_t(tx) * 3 + 1]) << 8) | channel(sum[size_t(tx) * 3]);
    }
}

} // namespace

void ReduceAreaAverage(const TViewBitmap& source, int32_t width, int32_t height, uint32_t* target,
                       int64_t stride) {
    ReduceRows(
        source.Width, source.Height, [&](int32_t y) { return source.Row(y); }, width, height,
        target, stride);
}

TReducedView RenderReduced(std::span<const uint16_t> words, int32_t width, int32_t height,
                           int32_t samples, uint16_t photometric, uint16_t sampleFormat,
                           const TDisplayAdjustments& adjustments, int32_t reducedWidth,
                           int32_t reducedHeight) {
    const std::optional<TDisplayTable> table =
        CheckedDisplayTable(words, width, height, samples, photometric, adjustments);
    TReducedView reduced{adjustments, reducedWidth, reducedHeight, {}};
    if (reducedWidth <= 0 || reducedHeight <= 0)
        return reduced;
    reduced.Pixels.resize(size_t(reducedWidth) * size_t(reducedHeight));
    // A band of rows small enough to stay in the caches while it is reduced.
    constexpr int32_t kBandRows = 32;
    TViewBitmap band = AllocateViewBitmap(width, std::min(kBandRows, height));
    int32_t bandFirst = 0, bandEnd = 0;
    const auto wordsPerRow = int64_t(width) * samples;
    auto rowAt = [&](int32_t y) {
        if (y >= bandEnd) {
            bandFirst = y;
            bandEnd = std::min(height, y + kBandRows);
            band.Height = bandEnd - bandFirst;
            RenderWordsInto(words.data() + y * wordsPerRow, samples, photometric, sampleFormat,
                            table ? &*table : nullptr, band, 1);
        }
        return band.Row(y - bandFirst);
    };
    ReduceRows(width, height, rowAt, reducedWidth, reducedHeight, reduced.Pixels.data(),
               reducedWidth);
    return reduced;
}

} // namespace vantrel
