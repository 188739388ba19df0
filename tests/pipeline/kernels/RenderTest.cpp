// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "pipeline/kernels/Render.h"
#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

using TWords = std::vector<uint16_t>;

// The display formula written out again, independently of the renderer: gamma, S-curve,
// brightness, rounding half to even, clipping.
int ExpectedLevel(int i, int brightness, int contrastPos, int gammaPos) {
    const double gamma = std::pow(10.0, gammaPos / 100.0);
    const double s = contrastPos / 100.0;
    double v = i / 255.0;
    if (std::fabs(gamma - 1) > 1e-6 && i > 0)
        v = std::pow(v, gamma);
    if (std::fabs(s) > 1e-6)
        v = s * v * (v - 0.5) * (v - 1) + v;
    const double c = v * 255 + brightness;
    if (c < 0)
        return 0;
    if (c > 255)
        return 255;
    const double floor = std::floor(c);
    const double frac = c - floor;
    int n = static_cast<int>(floor);
    if (frac > 0.5 || (frac == 0.5 && n % 2 == 1))
        ++n;
    return n;
}

TViewBitmap Render(const TWords& words, int32_t width, int32_t height, int32_t samples,
                   uint16_t photometric, int brightness = 0, int contrastPos = 0, int gammaPos = 0,
                   unsigned threads = 0) {
    return RenderWordsToBitmap(words, width, height, samples, photometric, 1, brightness,
                               contrastPos / 100.0, GammaFromPosition(gammaPos), threads);
}

// Blue, green, red of pixel x in row y.
std::vector<int> Pixel(const TViewBitmap& b, int32_t x, int32_t y = 0) {
    const uint8_t* p = b.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

// Signed samples are shown around their zero, half floats from 0.0 (black) to 1.0 (white),
// each as grey, WhiteIsZero the other way round, and an RGB pixel channel by channel.
TEST(RenderTest, SignedAroundZeroAndHalfFloatsFromZeroToOne) {
    const struct {
        const char* Name;
        uint16_t Format;
        std::vector<std::pair<uint16_t, int>> Levels; // word, grey shown
    } cases[] = {
        {"signed",
         kSignedSamples,
         {{0xFFF4, 127}, {0, 128}, {0x8000, 0}, {0x7FFF, 255}, {0x0100, 129}}},
        {"half float",
         kFloatSamples,
         {{0x3C00, 255},
          {0x3800, 128},
          {0, 0},
          {0xBC00, 0},
          {0x4000, 255},
          {0x7E00, 0},
          {0x7C00, 255},
          {0x0001, 0},
          {0x3BFF, 255},
          {0x2C00, 16}}},
        {"unsigned", 1, {{0xFFF4, 255}, {0x3C00, 60}}},
    };
    for (const auto& c : cases)
        for (const uint16_t photometric : {0, 1}) {
            TWords words;
            for (const auto& [word, grey] : c.Levels)
                words.push_back(word);
            const auto n = static_cast<int32_t>(words.size());
            const TViewBitmap b =
                RenderWordsToBitmap(words, n, 1, 1, photometric, c.Format, 0, 0.0, 1.0);
            for (int32_t x = 0; x < n; ++x) {
                const int grey = photometric == 1 ? c.Levels[x].second : 255 - c.Levels[x].second;
                EXPECT_EQ(Pixel(b, x), (std::vector<int>{grey, grey, grey}))
                    << c.Name << " " << photometric << " word " << c.Levels[x].first;
            }
        }
    const TViewBitmap rgb =
        RenderWordsToBitmap(TWords{0x3C00, 0x3800, 0}, 1, 1, 3, 2, kFloatSamples, 0, 0.0, 1.0);
    EXPECT_EQ(Pixel(rgb, 0), (std::vector<int>{0, 128, 255}));
    // The adjustments act on the level shown.
    const TViewBitmap bright =
        RenderWordsToBitmap(TWords{0, 0}, 2, 1, 1, 1, kSignedSamples, 10, 0.0, 1.0);
    EXPECT_EQ(Pixel(bright, 1), (std::vector<int>{138, 138, 138}));
}

TEST(RenderTest, AdjustmentExamples) {
    struct TCase {
        const char* Name;
        int Brightness, ContrastPos, GammaPos;
        std::vector<std::pair<int, int>> Levels; // 8-bit value in, value shown
    };
    const TCase cases[] = {
        {"gamma 10.0", 0, 0, 100, {{128, 0}, {200, 22}, {255, 255}}},
        {"gamma 0.1", 0, 0, -100, {{0, 0}, {1, 147}, {128, 238}}},
        {"gamma position 50", 0, 0, 50, {{128, 29}}},
        {"S-contrast 1", 0, 100, 0, {{64, 76}, {128, 128}, {192, 180}}},
        {"S-contrast -5", 0, -500, 0, {{25, 0}, {64, 4}, {192, 252}, {230, 255}}},
        {"S-contrast 5", 0, 500, 0, {{25, 70}, {192, 132}}},
        {"brightness 10", 10, 0, 0, {{0, 10}, {244, 254}, {245, 255}, {255, 255}}},
        {"brightness -255", -255, 0, 0, {{0, 0}, {128, 0}, {255, 0}}},
        {"brightness -10", -10, 0, 0, {{5, 0}, {10, 0}, {11, 1}, {255, 245}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TDisplayTable table =
            BuildDisplayTable(c.Brightness, c.ContrastPos / 100.0, GammaFromPosition(c.GammaPos));
        TWords words;
        for (auto [in, shown] : c.Levels) {
            EXPECT_EQ(table[in], shown) << "table at " << in;
            words.push_back(static_cast<uint16_t>(in << 8 | 0xA5));
        }
        const auto width = static_cast<int32_t>(words.size());
        const TViewBitmap view =
            Render(words, width, 1, 1, 1, c.Brightness, c.ContrastPos, c.GammaPos);
        for (int32_t x = 0; x < width; ++x) {
            const int shown = c.Levels[x].second;
            EXPECT_EQ(Pixel(view, x), (std::vector<int>{shown, shown, shown}));
        }
    }
}

TEST(RenderTest, TableFollowsTheFormulaForEveryPosition) {
    for (int brightness : {-255, -100, -1, 0, 1, 37, 255})
        for (int contrastPos : {-500, -250, -1, 0, 1, 100, 333, 500})
            for (int gammaPos : {-100, -37, -1, 0, 1, 50, 100}) {
                const TDisplayTable table =
                    BuildDisplayTable(brightness, contrastPos / 100.0, GammaFromPosition(gammaPos));
                for (int i = 0; i < 256; ++i)
                    ASSERT_EQ(table[i], ExpectedLevel(i, brightness, contrastPos, gammaPos))
                        << "entry " << i << " at " << brightness << "/" << contrastPos << "/"
                        << gammaPos;
            }
}

TEST(RenderTest, PixelConversions) {
    struct TCase {
        const char* Name;
        int32_t Samples;
        uint16_t Photometric;
        TWords Pixel;
        std::vector<int> BlueGreenRed;
    };
    const TCase cases[] = {
        {"BlackIsZero", 1, 1, {0x1234}, {18, 18, 18}},
        {"low byte dropped", 1, 1, {0x12FF}, {18, 18, 18}},
        {"WhiteIsZero", 1, 0, {0x1234}, {237, 237, 237}},
        {"WhiteIsZero white", 1, 0, {0x0000}, {255, 255, 255}},
        {"RGB", 3, 2, {0xFF00, 0x8000, 0x00FF}, {0, 128, 255}},
        {"grey with extra sample", 2, 1, {0x4000, 0xFFFF}, {64, 64, 64}},
        {"WhiteIsZero with extra sample", 2, 0, {0x4000, 0x0000}, {191, 191, 191}},
        {"RGB with extra sample", 4, 2, {0x0100, 0x0200, 0x0300, 0xFFFF}, {3, 2, 1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        // Three pixels, so the stride through the words is exercised.
        TWords words;
        for (int p = 0; p < 3; ++p)
            words.insert(words.end(), c.Pixel.begin(), c.Pixel.end());
        const TViewBitmap view = Render(words, 3, 1, c.Samples, c.Photometric);
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel(view, x), c.BlueGreenRed);
    }
}

TEST(RenderTest, RefusesColourModelsItCannotShowBeforeMakingAnything) {
    struct TCase {
        int32_t Samples;
        uint16_t Photometric;
        std::string Message;
    };
    const std::string oneChannel =
        "Неподдерживаемая цветовая модель для одноканального изображения.\r\n"
        "PhotometricInterpretation = %d (ожидалось 0=WhiteIsZero или 1=BlackIsZero)";
    const std::string general =
        "Неподдерживаемая цветовая модель.\r\nSamplesPerPixel = %d, PhotometricInterpretation = %d";
    auto fill = [](std::string text, std::initializer_list<int> values) {
        for (int v : values)
            text.replace(text.find("%d"), 2, std::to_string(v));
        return text;
    };
    const TCase cases[] = {
        {1, 2, fill(oneChannel, {2})},         {2, 3, fill(oneChannel, {3})},
        {1, 32844, fill(oneChannel, {32844})}, {3, 1, fill(general, {3, 1})},
        {4, 0, fill(general, {4, 0})},         {5, 2, fill(general, {5, 2})},
        {0, 1, fill(general, {0, 1})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        // The words are far too few: the colour model is checked before anything else.
        try {
            (void)RenderWordsToBitmap({}, 1 << 20, 1 << 20, c.Samples, c.Photometric, 1, 0, 0.0,
                                      1.0);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.Message);
            EXPECT_STREQ(e.ClassName(), "Exception");
        }
    }
}

TEST(RenderTest, RefusesWordsThatDoNotFitTheSize) {
    const TWords words(5, 0);
    EXPECT_THROW((void)Render(words, 3, 2, 1, 1), Exception);
    EXPECT_THROW((void)Render(words, 0, 5, 1, 1), Exception);
    EXPECT_THROW((void)Render(words, -5, -1, 1, 1), Exception);
}

TEST(RenderTest, OnePixelGivesOnePixel) {
    const TViewBitmap view = Render({0xAB00}, 1, 1, 1, 1);
    EXPECT_EQ(view.Width, 1);
    EXPECT_EQ(view.Height, 1);
    EXPECT_EQ(view.BytesPerLine, 4);
    EXPECT_EQ(Pixel(view, 0), (std::vector<int>{0xAB, 0xAB, 0xAB}));
}

// Random images of odd widths (padded rows) and enough rows for several threads, against the
// formula pixel by pixel.
TEST(RenderTest, RandomImagesMatchTheFormula) {
    struct TCase {
        int32_t Width, Height, Samples;
        uint16_t Photometric;
        int Brightness, ContrastPos, GammaPos;
    };
    const TCase cases[] = {
        {1, 1, 3, 2, 0, 0, 0},         {7, 300, 1, 1, 0, 0, 0},      {7, 300, 1, 0, 5, 0, 0},
        {13, 257, 3, 2, -20, 150, 30}, {5, 131, 2, 0, 0, -300, -60}, {3, 200, 4, 2, 100, 0, 0},
        {1, 129, 3, 2, 0, 0, 0},       {1030, 70, 3, 2, 0, 0, 0},    {1031, 67, 1, 0, 0, 0, 0},
    };
    std::mt19937 random(7);
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height));
        TWords words(size_t(c.Width) * c.Height * c.Samples);
        for (auto& w : words)
            w = static_cast<uint16_t>(random());
        for (unsigned threads : {1u, 2u, 3u}) {
            const TViewBitmap view = Render(words, c.Width, c.Height, c.Samples, c.Photometric,
                                            c.Brightness, c.ContrastPos, c.GammaPos, threads);
            ASSERT_EQ(view.BytesPerLine % 4, 0);
            for (int32_t y = 0; y < c.Height; ++y) {
                for (int32_t x = 0; x < c.Width; ++x) {
                    const uint16_t* s = &words[(size_t(y) * c.Width + x) * c.Samples];
                    auto level = [&](uint16_t sample) {
                        const int high = c.Photometric == 0 ? 255 - (sample >> 8) : sample >> 8;
                        return ExpectedLevel(high, c.Brightness, c.ContrastPos, c.GammaPos);
                    };
                    const std::vector<int> expected =
                        c.Samples >= 3 ? std::vector<int>{level(s[2]), level(s[1]), level(s[0])}
                                       : std::vector<int>(3, level(s[0]));
                    ASSERT_EQ(Pixel(view, x, y), expected) << x << "," << y;
                }
                for (int64_t b = 3 * c.Width; b < view.BytesPerLine; ++b)
                    ASSERT_EQ(view.Row(y)[b], 0) << "padding";
            }
        }
    }
}

} // namespace
} // namespace vantrel
