// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/kernels/Transform.h"
#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

using TWords = std::vector<uint16_t>;

TWords Words(const TTransformResult& r) {
    return TWords(r.NewWords->begin(), r.NewWords->end());
}

struct TGeometryCase {
    const char* Name;
    TTransformType Transform;
    int32_t NewWidth, NewHeight;
    TWords Pixels; // source pixel numbers (a = 0 … f = 5) in destination order
};

// The 3 × 2 image [a b c] / [d e f].
const TGeometryCase kGeometry[] = {
    {"90CW", TTransformType::tt90CW, 2, 3, {3, 0, 4, 1, 5, 2}},
    {"90CCW", TTransformType::tt90CCW, 2, 3, {2, 5, 1, 4, 0, 3}},
    {"180", TTransformType::tt180, 3, 2, {5, 4, 3, 2, 1, 0}},
    {"FlipH", TTransformType::ttFlipH, 3, 2, {2, 1, 0, 5, 4, 3}},
};

class GeometryTest : public testing::TestWithParam<TGeometryCase> {};

TEST_P(GeometryTest, MovesWholePixelsWithSamplesInOrder) {
    const TGeometryCase& c = GetParam();
    for (int32_t samples = 1; samples <= 5; ++samples) {
        SCOPED_TRACE("samples " + std::to_string(samples));
        TWords src;
        for (int p = 0; p < 6; ++p)
            for (int s = 0; s < samples; ++s)
                src.push_back(static_cast<uint16_t>(100 * (p + 1) + s));
        TWords expected;
        for (uint16_t p : c.Pixels)
            for (int s = 0; s < samples; ++s)
                expected.push_back(static_cast<uint16_t>(100 * (p + 1) + s));

        const TTransformResult r = TransformWords(src, 3, 2, samples, c.Transform);
        EXPECT_EQ(r.NewWidth, c.NewWidth);
        EXPECT_EQ(r.NewHeight, c.NewHeight);
        EXPECT_EQ(Words(r), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeByTwo, GeometryTest, testing::ValuesIn(kGeometry),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(InvertTest, ComplementsColourSamplesOnly) {
    struct TCase {
        int32_t Samples;
        TWords Pixel, Expected;
    };
    const TCase cases[] = {
        {1, {0}, {65535}},
        {1, {65535}, {0}},
        {1, {1000}, {64535}},
        {2, {1000, 7}, {64535, 7}},
        {3, {0, 65535, 1000}, {65535, 0, 64535}},
        {4, {10, 20, 30, 40}, {65525, 65515, 65505, 40}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("samples " + std::to_string(c.Samples));
        // Two pixels in a 2 × 1 image, so the pattern must repeat per pixel.
        TWords src = c.Pixel, expected = c.Expected;
        src.insert(src.end(), c.Pixel.begin(), c.Pixel.end());
        expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
        const TTransformResult r = TransformWords(src, 2, 1, c.Samples, TTransformType::ttInvert);
        EXPECT_EQ(r.NewWidth, 2);
        EXPECT_EQ(r.NewHeight, 1);
        EXPECT_EQ(Words(r), expected);
    }
}

TEST(TransformWordsTest, RefusesBadArgumentsWithTheFirstFailingCheck) {
    const TWords six(6, 1);
    const auto bogus = static_cast<TTransformType>(7);
    // A span as long as the largest refused result, never read: the size checks come first.
    const std::span<const uint16_t> huge(six.data(), size_t{1} << 62);
    struct TCase {
        std::span<const uint16_t> Words;
        int32_t Width, Height, Samples;
        TTransformType Transform;
        const char* Message;
    };
    const TCase cases[] = {
        {six, 3, 0, 1, bogus, "Invalid image dimensions or sample count"},
        {six, -3, 2, 1, TTransformType::tt180, "Invalid image dimensions or sample count"},
        {six, 3, 2, 0, TTransformType::tt180, "Invalid image dimensions or sample count"},
        {{six.data(), 5}, 3, 2, 1, bogus, "SourceWords length mismatch"},
        {{}, 3, 2, 1, TTransformType::tt90CW, "SourceWords length mismatch"},
        // 2^31-1 cubed overflows 64 bits; it must not wrap into a match.
        {{},
         INT32_MAX,
         INT32_MAX,
         INT32_MAX,
         TTransformType::tt90CW,
         "SourceWords length mismatch"},
        {six, 3, 2, 1, bogus, "Unsupported transform type"},
        {huge, 1 << 30, 1 << 30, 4, bogus, "Unsupported transform type"},
        {huge, 1 << 30, 1 << 30, 4, TTransformType::tt90CW, "Result too large"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        try {
            (void)TransformWords(c.Words, c.Width, c.Height, c.Samples, c.Transform);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
            EXPECT_STREQ(e.ClassName(), "Exception");
        }
    }
}

TEST(TransformFrameTest, MapsTheFrameWithTheImage) {
    struct TCase {
        TTransformType Transform;
        TFramePlacement Expected;
    };
    // A 100 × 50 image with a 30 × 20 frame at (10, 5).
    const TCase cases[] = {
        {TTransformType::tt90CW, {{20, 30}, {25, 10}}},
        {TTransformType::tt90CCW, {{20, 30}, {5, 60}}},
        {TTransformType::tt180, {{30, 20}, {60, 25}}},
        {TTransformType::ttFlipH, {{30, 20}, {60, 5}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TransformFrame(c.Transform, {30, 20}, {10, 5}, 100, 50), c.Expected);
    EXPECT_FALSE(TransformFrame(TTransformType::ttInvert, {30, 20}, {10, 5}, 100, 50));
}

// The frame must cover after the transform exactly the pixels it covered before: mark them in
// an image, transform it, and look where the marks went.
TEST(TransformFrameTest, CoversTheSamePixels) {
    const int32_t width = 11, height = 7;
    const TPixelPoint size{4, 3}, pos{6, 2};
    TWords marks(width * height, 0);
    for (int32_t y = pos.Y; y < pos.Y + size.Y; ++y)
        for (int32_t x = pos.X; x < pos.X + size.X; ++x)
            marks[y * width + x] = 1;
    for (auto t : {TTransformType::tt90CW, TTransformType::tt90CCW, TTransformType::tt180,
                   TTransformType::ttFlipH}) {
        SCOPED_TRACE(static_cast<int>(t));
        const TTransformResult r = TransformWords(marks, width, height, 1, t);
        const TFramePlacement f = *TransformFrame(t, size, pos, width, height);
        for (int32_t y = 0; y < r.NewHeight; ++y)
            for (int32_t x = 0; x < r.NewWidth; ++x) {
                const bool inside = x >= f.Pos.X && x < f.Pos.X + f.Size.X && y >= f.Pos.Y &&
                                    y < f.Pos.Y + f.Size.Y;
                EXPECT_EQ((*r.NewWords)[y * r.NewWidth + x], inside ? 1 : 0) << x << "," << y;
            }
    }
}

TEST(TransformStateTest, FollowsRotationsAndMirrors) {
    using enum TTransformType;
    struct TCase {
        std::vector<TTransformType> Steps;
        int32_t NetRotation, FlipHCount;
        bool Preserved;
    };
    const TCase cases[] = {
        {{}, 0, 0, true},
        {{tt90CW}, 90, 0, false},
        {{tt90CCW}, 270, 0, false},
        {{tt180, tt90CW}, 270, 0, false},
        {{tt90CW, tt90CW, tt90CW, tt90CW}, 0, 0, true},
        {{tt90CW, tt90CCW}, 0, 0, true},
        {{tt180, tt180}, 0, 0, true},
        {{ttFlipH}, 0, 1, false},
        {{ttFlipH, ttFlipH}, 0, 2, true},
        {{ttInvert, ttInvert, ttInvert}, 0, 0, true},
        {{ttFlipH, tt180, ttFlipH}, 180, 2, false},
    };
    for (const TCase& c : cases) {
        TImageTransformState state;
        for (TTransformType t : c.Steps)
            UpdateTransformState(state, t);
        EXPECT_EQ(state.NetRotation, c.NetRotation);
        EXPECT_EQ(state.FlipHCount, c.FlipHCount);
        EXPECT_EQ(PreserveOriginalOrientation(state), c.Preserved);
    }
}

} // namespace
} // namespace vantrel
