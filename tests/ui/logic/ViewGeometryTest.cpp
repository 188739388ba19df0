// SPDX-License-Identifier: MIT
// Where the view draws: scale, drawn size and origin; the frame's pixels; the smooth copy.

#include <gtest/gtest.h>

#include <map>

#include "ui/logic/ViewGeometry.h"

namespace vantrel {
namespace {

TEST(LayoutViewTest, ScaleRoundingAndOrigin) {
    const struct {
        int32_t ViewW, ViewH, BitmapW, BitmapH;
        double Scale;
        int32_t DrawnW, DrawnH, Left, Top;
    } cases[] = {
        {800, 600, 4000, 2000, 0.2, 800, 400, 0, 100},
        {801, 600, 800, 600, 1.0, 800, 600, 0, 0}, // the leftover column lies at the right
        {1000, 1000, 100, 50, 10.0, 1000, 500, 0, 250},
        {800, 600, 9000, 6000, 800.0 / 9000.0, 800, 533, 0, 33},
    };
    for (const auto& c : cases) {
        const TViewLayout l = LayoutView(c.ViewW, c.ViewH, c.BitmapW, c.BitmapH);
        EXPECT_DOUBLE_EQ(l.Scale, c.Scale);
        EXPECT_EQ(l.DrawnWidth, c.DrawnW);
        EXPECT_EQ(l.DrawnHeight, c.DrawnH);
        EXPECT_EQ(l.Left, c.Left);
        EXPECT_EQ(l.Top, c.Top);
    }
}

TEST(FrameRectTest, RoundsEachEdgeFromTheOrigin) {
    const TViewLayout l = LayoutView(800, 600, 4000, 2000); // scale 0.2, origin (0, 100)
    EXPECT_EQ(FrameRectInView(l, {1000, 500}, {1650, 1100}), (TViewRect{200, 200, 530, 420}));
    EXPECT_EQ(FrameRectInView(l, {-1000, -1500}, {6000, 9000}),
              (TViewRect{-200, -200, 1000, 1600}));
    EXPECT_TRUE(RectContains({200, 200, 530, 420}, 200, 200));
    EXPECT_FALSE(RectContains({200, 200, 530, 420}, 530, 300));
    EXPECT_FALSE(RectContains({200, 200, 530, 420}, 300, 420));
}

// Colours of the pixels along the top row of a rectangle: 0 where nothing is drawn.
std::map<int32_t, int> TopRow(const std::vector<TFrameRun>& runs, int32_t top) {
    std::map<int32_t, int> row;
    for (const TFrameRun& r : runs)
        if (r.Y <= top && top < r.Y + r.Height)
            for (int32_t x = r.X; x < r.X + r.Width; ++x)
                row[x] = r.Colour;
    return row;
}

int ColourAt(const std::map<int32_t, int>& row, int32_t x) {
    const auto it = row.find(x);
    return it == row.end() ? 0 : it->second;
}

TEST(DashedFrameTest, TopEdgeOf120Pixels) {
    // Corners 120 pixels apart: right = left + 121.
    const auto row = TopRow(DashedFrameRuns({10, 5, 131, 60}, 36, 18), 5);
    auto expect = [&](int from, int to, int colour) {
        for (int k = from; k <= to; ++k)
            EXPECT_EQ(ColourAt(row, 10 + k), colour) << "pixel " << k;
    };
    expect(0, 17, 1);
    expect(18, 35, 2);
    expect(36, 53, 0);
    expect(54, 71, 1);
    expect(72, 89, 2);
    expect(90, 107, 0);
    expect(108, 113, 1); // the last dash, cut short by the corner
    expect(114, 119, 2);
    expect(120, 120, 1); // the right edge starts here
}

TEST(DashedFrameTest, TopEdgeOf100PixelsEndsInAGap) {
    const auto row = TopRow(DashedFrameRuns({0, 0, 101, 50}, 36, 18), 0);
    for (int k = 90; k <= 99; ++k)
        EXPECT_EQ(ColourAt(row, k), 0) << k;
    EXPECT_EQ(ColourAt(row, 100), 1);
}

TEST(DashedFrameTest, DashOfThreeAndGapOfZero) {
    const auto row = TopRow(DashedFrameRuns({0, 0, 31, 20}, 3, 2), 0);
    for (int k = 0; k + 5 <= 30; k += 5) {
        EXPECT_EQ(ColourAt(row, k), 1) << k;
        EXPECT_EQ(ColourAt(row, k + 1), 2) << k;
        EXPECT_EQ(ColourAt(row, k + 2), 2) << k;
        EXPECT_EQ(ColourAt(row, k + 3), 0) << k;
    }
    const auto solid = TopRow(DashedFrameRuns({0, 0, 61, 20}, 4, 0), 0);
    for (int k = 0; k < 60; ++k)
        EXPECT_EQ(ColourAt(solid, k), k % 4 < 2 ? 1 : 2) << k;
}

TEST(DashedFrameTest, EdgesRunClockwiseFromTheirFirstCorner) {
    // Bottom edge runs right to left: its first dash starts at the bottom-right corner.
    const auto runs = DashedFrameRuns({0, 0, 121, 61}, 36, 18);
    const auto bottom = TopRow(runs, 60);
    EXPECT_EQ(ColourAt(bottom, 120), 1);
    EXPECT_EQ(ColourAt(bottom, 103), 1);
    EXPECT_EQ(ColourAt(bottom, 102), 2);
    EXPECT_EQ(ColourAt(bottom, 84), 0);
    // No dash length: the solid outline in colour 1.
    const auto solid = DashedFrameRuns({0, 0, 10, 10}, 0, 18);
    EXPECT_EQ(solid, SolidFrameRuns({0, 0, 10, 10}));
    EXPECT_EQ(TopRow(solid, 9).size(), 10u);
}

} // namespace
} // namespace vantrel
