// SPDX-License-Identifier: MIT
// The crop core: the frame's corner kept inside the image and its centre kept, the frame pulled
// inside the image, the kept share, the byte order of a source file, and a save whose file
// holds exactly the source's words inside the frame.
#include <climits>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "pipeline/crop/CropCore.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

TEST(KeepCentreTest, SizeChangesKeepTheCentre) {
    const struct {
        int32_t Old, Pos, New, Image, Expected;
    } cases[] = {
        {1000, 100, 1001, 5000, 100},                                    // 500 + 100 − 500
        {1001, 100, 1000, 5000, 100},                                    // 500 + 100 − 500
        {1000, 100, 999, 5000, 101},                                     // 500 + 100 − 499
        {9000, 1500, 4500, 12000, 3750}, {1000, 4000, 2000, 5000, 3000}, // limited on the right
        {1000, 0, 3000, 5000, 0},                                        // limited on the left
        {1000, 100, 6000, 5000, 0}, // larger than the image: at 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepCentre(c.Old, c.Pos, c.New, c.Image), c.Expected)
            << c.Old << "→" << c.New << " at " << c.Pos;
}

TEST(ClampToImageTest, CornerStaysInsideTheImage) {
    EXPECT_EQ(ClampToImage(4500, 1000, 5000), 4000);
    EXPECT_EQ(ClampToImage(-3, 1000, 5000), 0);
    EXPECT_EQ(ClampToImage(200, 6000, 5000), 0);
    EXPECT_EQ(ClampToImage(int64_t{INT32_MAX} + 10, 1, INT32_MAX), INT32_MAX - 1);
}

struct TClampCase {
    int32_t X, Y, w, h, W, H;
    TCropRect Expected;
    double Percent;
};

class CropClamp : public ::testing::TestWithParam<TClampCase> {};

TEST_P(CropClamp, PullsThePositionInsideBeforeLimitingTheSize) {
    const TClampCase& c = GetParam();
    const TCropRect r = ClampFrameToImage(c.X, c.Y, c.w, c.h, c.W, c.H);
    EXPECT_EQ(r, c.Expected);
    EXPECT_DOUBLE_EQ(RemainingPercent(r, c.W, c.H), c.Percent);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CropClamp,
    ::testing::Values(
        TClampCase{4500, -20, 1000, 800, 5000, 3000, {4000, 0, 1000, 800}, 5.3333333333333330},
        TClampCase{10, 10, 6000, 4000, 5000, 3000, {0, 0, 5000, 3000}, 100},
        TClampCase{100, 100, 2500, 1500, 5000, 3000, {100, 100, 2500, 1500}, 25},
        TClampCase{-5, -5, 0, -3, 10, 10, {0, 0, 1, 1}, 1}));

TEST(CropCore, RemainingPercentOfAnEmptyImageIsWhole) {
    EXPECT_EQ(RemainingPercent({0, 0, 1, 1}, 0, 5), 100.0);
    EXPECT_EQ(RemainingPercent(WholeImage(70000, 70000), 70000, 70000), 100.0);
}

TEST(CropCore, ByteOrderComesFromTheFirstTwoBytes) {
    const auto dir = test::TestFolder();
    const std::pair<std::string, bool> files[] = {
        {"MM\x00\x2A", true}, {"II*\0", false}, {"MI", false}};
    for (const auto& [bytes, be] : files) {
        std::ofstream(dir / "f.tif", std::ios::binary) << bytes;
        EXPECT_EQ(IsBigEndianFile(dir / "f.tif"), be) << bytes;
    }
    std::ofstream(dir / "short.tif", std::ios::binary) << "M";
    try {
        (void)IsBigEndianFile(dir / "short.tif");
        FAIL();
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), "Файл слишком мал");
    }
    EXPECT_THROW((void)IsBigEndianFile(dir / "missing.tif"), EOSError);
}

TCurrentImage Image(int32_t w, int32_t h, int32_t s) {
    auto words = std::make_shared<TSampleWords>(static_cast<size_t>(w) * h * s);
    for (size_t i = 0; i < words->size(); ++i)
        (*words)[i] = static_cast<uint16_t>(i * 40503u);
    return {words, w, h, s, static_cast<uint16_t>(s >= 3 ? 2 : 1)};
}

class CropSave : public ::testing::TestWithParam<std::tuple<int, bool>> {};

// Rows written straight from the image make the same file as the cut array written whole.
TEST_P(CropSave, StreamedRowsGiveTheSameFileAsTheCut) {
    const auto [samples, be] = GetParam();
    const auto dir = test::TestFolder();
    TCropRequest request;
    request.Image = Image(53, 29, samples);
    request.Frame = ClampFrameToImage(7, 20, 31, 15, 53, 29); // pulled up to row 14
    ASSERT_EQ(request.Frame, (TCropRect{7, 14, 31, 15}));
    request.IsBigEndian = be;
    request.MinimalTags = true;
    request.SourceTags = test::PixelTags(samples, be);
    request.OutputFile = dir / "streamed.tif";
    CropAndSave(request);

    const TSampleWords cut = CutFrame(request.Image, request.Frame);
    const auto tags = TCropTIFF::BuildTagsForSaving(true, request.SourceTags, 31, 15, samples, be,
                                                    true, 100, request.Image.Photometric);
    TCropTIFF::SaveWordsAsTIFF(dir / "cut.tif", 31, 15, samples, cut, be, tags.ExtraTags, {});
    EXPECT_EQ(test::ReadBytes(dir / "streamed.tif"), test::ReadBytes(dir / "cut.tif"));

    // The minimal tag set has no ExtraSamples, which libtiff mentions for 2 and 4 samples.
    TIFFSetWarningHandler(nullptr);
    TIFF* tif = TIFFOpen((dir / "streamed.tif").string().c_str(), "r");
    ASSERT_NE(tif, nullptr);
    std::vector<uint16_t> read(cut.size());
    const tmsize_t bytes = static_cast<tmsize_t>(read.size() * 2);
    EXPECT_EQ(TIFFReadEncodedStrip(tif, 0, read.data(), bytes), bytes);
    TIFFClose(tif);
    const TSampleWords& source = *request.Image.Words;
    for (int32_t y = 0; y < 15; ++y)
        for (int32_t x = 0; x < 31 * samples; ++x)
            ASSERT_EQ(read[y * 31 * samples + x], source[(y + 14) * 53 * samples + 7 * samples + x])
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(SamplesAndOrders, CropSave,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4), ::testing::Bool()));

TEST(CropCore, RefusesMissingWordsAndFramesOutside) {
    const auto dir = test::TestFolder();
    TCropRequest request;
    request.OutputFile = dir / "x.tif";
    const std::pair<TCropRect, const char*> cases[] = {
        {{0, 0, 1, 1}, "Нет данных исходного изображения"},
        {{-1, 0, 2, 2}, "Рамка выходит за пределы изображения"},
        {{0, 0, 11, 2}, "Рамка выходит за пределы изображения"},
        {{5, 5, 5, 6}, "Рамка выходит за пределы изображения"},
        {{0, 0, 0, 2}, "Рамка выходит за пределы изображения"}};
    for (const auto& [frame, message] : cases) {
        request.Image =
            std::string(message).starts_with("Нет") ? TCurrentImage{} : Image(10, 10, 1);
        request.Frame = frame;
        try {
            CropAndSave(request);
            FAIL() << message;
        } catch (const ETIFFError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

} // namespace
} // namespace vantrel
