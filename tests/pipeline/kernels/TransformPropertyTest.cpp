// SPDX-License-Identifier: MIT
// Properties of the transforms on random images of awkward sizes: round trips give back the
// original words, and the tiled kernels agree with the plain pixel loop word for word.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pipeline/kernels/Transform.h"

namespace vantrel {
namespace {

using TWords = std::vector<uint16_t>;
using enum TTransformType;

struct TImage {
    TWords Words;
    int32_t Width, Height, Samples;
};

TImage RandomImage(int32_t width, int32_t height, int32_t samples, uint32_t seed) {
    std::mt19937 random(seed);
    TImage image{TWords(size_t(width) * height * samples), width, height, samples};
    for (auto& w : image.Words)
        w = static_cast<uint16_t>(random());
    return image;
}

TImage Apply(const TImage& image, TTransformType t, unsigned threads) {
    const TTransformResult r =
        TransformWords(image.Words, image.Width, image.Height, image.Samples, t, threads);
    return {TWords(r.NewWords->begin(), r.NewWords->end()), r.NewWidth, r.NewHeight, image.Samples};
}

// Destination row by row, each pixel fetched from the source as the mapping table says.
TImage NaiveGeometric(const TImage& src, TTransformType t) {
    const int64_t w = src.Width, h = src.Height, s = src.Samples;
    const bool quarter = t == tt90CW || t == tt90CCW;
    TImage dst{TWords(src.Words.size()), int32_t(quarter ? h : w), int32_t(quarter ? w : h),
               src.Samples};
    for (int64_t y = 0; y < dst.Height; ++y)
        for (int64_t x = 0; x < dst.Width; ++x) {
            int64_t sx = 0, sy = 0;
            switch (t) {
            case tt90CW:
                sx = y, sy = h - 1 - x;
                break;
            case tt90CCW:
                sx = w - 1 - y, sy = x;
                break;
            case tt180:
                sx = w - 1 - x, sy = h - 1 - y;
                break;
            default:
                sx = w - 1 - x, sy = y;
            }
            for (int64_t c = 0; c < s; ++c)
                dst.Words[(y * dst.Width + x) * s + c] = src.Words[(sy * w + sx) * s + c];
        }
    return dst;
}

struct TSize {
    int32_t Width, Height;
};

// 1 × 1, single rows and columns, primes, and sizes past the tile edge and the thread split.
const TSize kSizes[] = {{1, 1}, {1, 13}, {13, 1}, {2, 3}, {7, 5}, {31, 37}, {67, 129}, {257, 131}};

class TransformPropertyTest : public testing::TestWithParam<std::tuple<TSize, int32_t, unsigned>> {
protected:
    TImage Image() const {
        const auto [size, samples, threads] = GetParam();
        return RandomImage(size.Width, size.Height, samples,
                           uint32_t(size.Width * 1000 + size.Height * 10 + samples));
    }
    unsigned Threads() const { return std::get<2>(GetParam()); }
};

TEST_P(TransformPropertyTest, RoundTripsGiveBackTheOriginal) {
    const TImage original = Image();
    struct TTrip {
        const char* Name;
        std::vector<TTransformType> Steps;
    };
    const TTrip trips[] = {
        {"four quarter turns clockwise", {tt90CW, tt90CW, tt90CW, tt90CW}},
        {"four quarter turns counter-clockwise", {tt90CCW, tt90CCW, tt90CCW, tt90CCW}},
        {"two half turns", {tt180, tt180}},
        {"two mirrors", {ttFlipH, ttFlipH}},
        {"two inversions", {ttInvert, ttInvert}},
        {"a quarter turn and back", {tt90CW, tt90CCW}},
        {"two quarter turns are a half turn, undone", {tt90CW, tt90CW, tt180}},
    };
    for (const TTrip& trip : trips) {
        SCOPED_TRACE(trip.Name);
        TImage image = original;
        for (TTransformType t : trip.Steps)
            image = Apply(image, t, Threads());
        EXPECT_EQ(image.Width, original.Width);
        EXPECT_EQ(image.Height, original.Height);
        EXPECT_TRUE(image.Words == original.Words);
    }
}

TEST_P(TransformPropertyTest, TiledKernelsEqualThePlainLoop) {
    const TImage image = Image();
    for (TTransformType t : {tt90CW, tt90CCW, tt180, ttFlipH}) {
        SCOPED_TRACE(static_cast<int>(t));
        const TImage fast = Apply(image, t, Threads());
        const TImage naive = NaiveGeometric(image, t);
        EXPECT_EQ(fast.Width, naive.Width);
        EXPECT_EQ(fast.Height, naive.Height);
        EXPECT_TRUE(fast.Words == naive.Words);
    }
}

std::string CaseName(const testing::TestParamInfo<TransformPropertyTest::ParamType>& info) {
    const auto [size, samples, threads] = info.param;
    return std::to_string(size.Width) + "x" + std::to_string(size.Height) + "_s" +
           std::to_string(samples) + "_t" + std::to_string(threads);
}

INSTANTIATE_TEST_SUITE_P(RandomImages, TransformPropertyTest,
                         testing::Combine(testing::ValuesIn(kSizes), testing::Values(1, 2, 3, 4, 5),
                                          testing::Values(1u, 2u, 3u)),
                         CaseName);

} // namespace
} // namespace vantrel
