// SPDX-License-Identifier: MIT
// The smooth reduced copy of the view: each target pixel the mean of the area it covers.
#include <gtest/gtest.h>

#include <algorithm>

#include "pipeline/kernels/ReduceView.h"

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

} // namespace
} // namespace vantrel
