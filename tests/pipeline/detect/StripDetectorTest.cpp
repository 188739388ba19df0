// SPDX-License-Identifier: MIT
// Every picture of a scanned strip, on generated strips of each kind of film and format: all
// whole pictures found with every edge near the truth, in order along the strip, none extra,
// none off. VERBOSE=1 prints every strip.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pipeline/detect/StripDetector.h"
#include "tests/support/FilmScan.h"

namespace vantrel {
namespace {

using namespace vantrel::test;

struct TStripCase {
    const char* Name;
    TFilm Film;
    TFormat Format;
    int Pictures;
    bool Vertical;
    TSurround Surround;
    double FrameGap;
    int TouchingAfter = -1; // two pictures with no film between them
};

// clang-format off
constexpr TStripCase kStrips[] = {
    {"ColourNegative35x6",  TFilm::ColourNegative, TFormat::Film35,     6, false, TSurround::BlackHolder, 1.8},
    {"Slide35x5",           TFilm::Slide,          TFormat::Film35,     5, false, TSurround::BareBed,     1.5},
    {"BlackAndWhite35x4",   TFilm::BlackAndWhite,  TFormat::Film35,     4, true,  TSurround::BareBed,     2.2},
    {"HalfFrameX8",         TFilm::ColourNegative, TFormat::HalfFrame,  8, false, TSurround::BareBed,     1.0},
    {"Square6x6x3",         TFilm::BlackAndWhite,  TFormat::Square6x6,  3, false, TSurround::BlackHolder, 4.0},
    {"Medium6x7x3",         TFilm::Slide,          TFormat::Medium6x7,  3, false, TSurround::BareBed,     4.0},
    {"Medium6x9x2",         TFilm::ColourNegative, TFormat::Medium6x9,  2, true,  TSurround::BlackHolder, 3.0},
    {"TouchingPair35x5",    TFilm::ColourNegative, TFormat::Film35,     5, false, TSurround::BareBed,     1.5, 2},
    {"Medium6x45x4",        TFilm::ColourNegative, TFormat::Medium6x45, 4, false, TSurround::BareBed,     3.0},
};
// clang-format on

struct TStripScore {
    int Pictures = 0, Found = 0, Extra = 0, Bad = 0;
};

TStripScore Score(const TStripCase& c, uint32_t seed) {
    TScanRecipe recipe;
    recipe.Seed = seed;
    recipe.Film = c.Film;
    recipe.Format = c.Format;
    recipe.Pictures = c.Pictures;
    recipe.VerticalStrip = c.Vertical;
    recipe.Surround = c.Surround;
    recipe.FrameGap = c.FrameGap;
    recipe.TouchingAfter = c.TouchingAfter;
    recipe.MarginAlong = c.FrameGap + 4;
    recipe.TiltDegrees = (static_cast<int>(seed % 9) - 4) * 0.08;
    recipe.BlurPx = 1.5;
    recipe.Dust = static_cast<int>(seed % 7);
    recipe.Before = seed % 2 == 0 ? TFrameEnd::CutEnd : TFrameEnd::Neighbour;
    recipe.After = seed % 3 == 0 ? TFrameEnd::CutEnd : TFrameEnd::Neighbour;
    recipe.LongSide = 2000;
    const TFilmScan scan = DrawFilmScan(recipe);
    if (const char* folder = std::getenv("STRIP_FOLDER"))
        WriteFilmScan(std::string(folder) + "/" + c.Name + "-" + std::to_string(seed) + ".tif",
                      scan, false);
    TCurrentImage image;
    image.Width = scan.Width;
    image.Height = scan.Height;
    image.Samples = scan.Samples;
    image.Photometric = scan.Photometric;
    image.Words = std::make_shared<TSampleWords>(scan.Words.begin(), scan.Words.end());
    const TStripPictures strip = FindStripPictures(ReduceStripScan(image));

    TStripScore score;
    score.Pictures = static_cast<int>(scan.Pictures.size());
    std::vector<bool> matched(scan.Pictures.size());
    for (const TCropRect& p : strip.Pictures) {
        bool hit = false;
        for (size_t k = 0; k < scan.Pictures.size() && !hit; ++k) {
            const auto& [l, t, r, b] = scan.Pictures[k];
            const double tw = std::max(6.0, 0.004 * (r - l)), th = std::max(6.0, 0.004 * (b - t));
            hit = std::abs(p.X - l) <= tw && std::abs(p.X + p.W - r) <= tw &&
                  std::abs(p.Y - t) <= th && std::abs(p.Y + p.H - b) <= th;
            if (hit)
                matched[k] = true;
        }
        // An answer overlapping a picture but off is bad; one on no picture is extra.
        bool overlaps = false;
        for (const auto& [l, t, r, b] : scan.Pictures)
            overlaps = overlaps || (p.X < r && p.X + p.W > l && p.Y < b && p.Y + p.H > t);
        score.Bad += !hit && overlaps;
        score.Extra += !hit && !overlaps;
        if (std::getenv("VERBOSE") != nullptr)
            std::printf("  %s seed %u: %d,%d,%d,%d %s\n", c.Name, seed, p.X, p.Y, p.W, p.H,
                        hit ? "good" : "BAD");
    }
    for (const bool m : matched)
        score.Found += m;
    for (size_t k = 1; k < strip.Pictures.size(); ++k) {
        const TCropRect &a = strip.Pictures[k - 1], &b = strip.Pictures[k];
        EXPECT_TRUE(c.Vertical ? a.Y + a.H <= b.Y : a.X + a.W <= b.X)
            << c.Name << " seed " << seed << ": pictures out of order along the strip";
    }
    return score;
}

TEST(StripDetector, FindsEveryWholePictureOfGeneratedStrips) {
    TStripScore total;
    for (const TStripCase& c : kStrips)
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            const TStripScore s = Score(c, seed);
            std::printf("%-20s seed %u: %d of %d found, %d extra, %d bad\n", c.Name, seed, s.Found,
                        s.Pictures, s.Extra, s.Bad);
            total.Pictures += s.Pictures, total.Found += s.Found;
            total.Extra += s.Extra, total.Bad += s.Bad;
        }
    std::printf("all: %d of %d found, %d extra, %d bad\n", total.Found, total.Pictures, total.Extra,
                total.Bad);
    EXPECT_EQ(total.Bad, 0);
    EXPECT_EQ(total.Extra, 0);
    EXPECT_GE(total.Found, 0.95 * total.Pictures);
}

} // namespace
} // namespace vantrel
