// SPDX-License-Identifier: MIT
// The smooth reduced copy of the view: each target pixel the mean of the area it covers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "pipeline/kernels/ReduceView.h"
#include "pipeline/kernels/Render.h"
#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

TViewBitmap MakeBitmap(int32_t w, int32_t h) {
    TViewBitmap b;
    b.Width = w;
    b.Height = h;
    b.BytesPerLine = (int64_t(w) * 3 + 3) & ~int64_t(3);
    b.Pixels = std::make_unique<uint8_t[]>(size_t(b.BytesPerLine) * h);
    return b;
}

TEST(ReduceAreaAverageTest, AveragesEachBlock) {
    // A 4 × 2 bitmap of black and white columns reduces to 2 × 1 grey pixels; blue, green and
    // red keep their places.
    TViewBitmap b = MakeBitmap(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* p = b.Row(y) + x * 3;
            p[0] = x % 2 ? 200 : 0; // blue
            p[1] = 100;             // green
            p[2] = x < 2 ? 10 : 30; // red
        }
    uint32_t out[2] = {};
    ReduceAreaAverage(b, 2, 1, out, 2);
    EXPECT_EQ(out[0], 0xFF0A6464u);
    EXPECT_EQ(out[1], 0xFF1E6464u);
}

TEST(ReduceAreaAverageTest, PartlyCoveredPixelsCountByTheirShare) {
    // Three columns into two: each target covers one and a half.
    TViewBitmap b = MakeBitmap(3, 1);
    const uint8_t values[] = {0, 90, 180};
    for (int x = 0; x < 3; ++x)
        std::fill_n(b.Row(0) + x * 3, 3, values[x]);
    uint32_t out[2] = {};
    ReduceAreaAverage(b, 2, 1, out, 2);
    EXPECT_EQ(out[0] & 0xFF, 30u);  // (0 + 90 ÷ 2) ÷ 1.5
    EXPECT_EQ(out[1] & 0xFF, 150u); // (90 ÷ 2 + 180) ÷ 1.5
}

TEST(RenderReducedTest, IsTheReductionOfTheWholeView) {
    // Made band by band, without the whole view: pixel for pixel the reduction of that view,
    // for every kind of sample, with and without adjustments, bands cut anywhere.
    const struct {
        int32_t Width, Height, Samples;
        uint16_t Photometric, Format;
        TDisplayAdjustments Adjustments;
        int32_t ToWidth, ToHeight;
    } cases[] = {
        {97, 71, 3, 2, 1, {}, 40, 29},       {50, 33, 1, 1, 1, {20, 1.5, 0.8}, 17, 11},
        {64, 64, 4, 2, 2, {}, 63, 63},       {31, 100, 2, 0, 3, {-30, 0, 2.0}, 9, 30},
        {20, 5, 3, 2, 1, {0, 0, 1.0}, 7, 2}, {40, 40, 3, 2, 1, {}, 0, 0},
    };
    std::mt19937 random(7);
    for (const auto& c : cases) {
        std::vector<uint16_t> words(size_t(c.Width) * size_t(c.Height) * size_t(c.Samples));
        for (uint16_t& w : words)
            w = static_cast<uint16_t>(random());
        const TViewBitmap view = RenderWordsToBitmap(
            words, c.Width, c.Height, c.Samples, c.Photometric, c.Format, c.Adjustments.Brightness,
            c.Adjustments.SContrast, c.Adjustments.Gamma);
        std::vector<uint32_t> expected(size_t(c.ToWidth) * size_t(c.ToHeight));
        ReduceAreaAverage(view, c.ToWidth, c.ToHeight, expected.data(), c.ToWidth);
        const TReducedView reduced =
            RenderReduced(words, c.Width, c.Height, c.Samples, c.Photometric, c.Format,
                          c.Adjustments, c.ToWidth, c.ToHeight);
        EXPECT_EQ(reduced.Pixels, expected) << c.Width << "x" << c.Height << " s" << c.Samples;
        EXPECT_EQ(reduced.Adjustments, c.Adjustments);
    }
    std::vector<uint16_t> few(5);
    EXPECT_THROW((void)RenderReduced(few, 2, 2, 1, 1, 1, {}, 1, 1), Exception);
}

} // namespace
} // namespace vantrel
