// SPDX-License-Identifier: MIT
// Rows read straight from a file: any frame of any strip layout is the loaded image's frame, in
// host order or the file's; a file's bytes read into memory load as the file does.
#include <gtest/gtest.h>

#include "tests/support/Skips.h"

#include <algorithm>

#include <unistd.h>

#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"
#include "tests/tiff/WriterTestUtil.h"

namespace vantrel::test {
namespace {

using B = TTIFFBuilder;
constexpr uint16_t kW = 7, kH = 9, kS = 3;

// Chunky strips of 5 words, 16 words and a stray byte, then the rest: rows split anywhere.
TTIFFBuilder OddPieces(const std::vector<uint16_t>& words, bool mm) {
    TTIFFBuilder b = MakeImage(kW, kH, kS, words, mm);
    auto bytes = [&](size_t from, size_t to) {
        std::vector<uint8_t> out;
        for (size_t i = from; i < to; ++i) {
            out.push_back(uint8_t(mm ? words[i] >> 8 : words[i]));
            out.push_back(uint8_t(mm ? words[i] : words[i] >> 8));
        }
        return out;
    };
    std::vector<uint8_t> middle = bytes(5, 21);
    middle.push_back(0x77);
    const std::vector<int> strips = {b.AddBlob(bytes(0, 5)), b.AddBlob(middle),
                                     b.AddBlob(bytes(21, words.size()))};
    b.Remove(273).Remove(279).Remove(278);
    return b.AddBlobOffsets(273, B::kLong, strips).AddBlobSizes(279, B::kLong, strips);
}

TEST(SampleRows, AnyFrameOfAnyLayoutIsTheLoadedFrame) {
    const std::vector<uint16_t> words = PatternWords(kW * kH * kS);
    const struct {
        const char* Name;
        bool MM;
        TTIFFBuilder File;
    } files[] = {
        {"II one strip", false, MakeImage(kW, kH, kS, words)},
        {"MM strips of 2 rows", true, MakeImage(kW, kH, kS, words, true, false, 2)},
        {"II odd pieces", false, OddPieces(words, false)},
        {"MM odd pieces", true, OddPieces(words, true)},
        {"II planar, strips of 4 rows", false, MakeImage(kW, kH, kS, words, false, true, 4)},
        {"MM planar, strips of 3 rows", true, MakeImage(kW, kH, kS, words, true, true, 3)},
    };
    const struct {
        int32_t X, Y, W, H;
    } frames[] = {{0, 0, kW, kH}, {2, 3, 4, 5}, {6, 8, 1, 1}, {0, 4, kW, 1}, {1, 0, 5, kH}};
    TTempDir dir;
    for (const auto& f : files) {
        const std::string path = dir.Write("f.tif", f.File.Build());
        TMinimalTagDescriber describer;
        TCropTIFF tiff(describer);
        const TMappedFile file = TCropTIFF::OpenForReading(path);
        const TSampleLayout layout = tiff.ReadSampleLayout(file);
        TSampleRows rows(file, layout);
        for (const auto& r : frames)
            for (const bool host : {true, false}) {
                SCOPED_TRACE(testing::Message() << f.Name << " frame " << r.X << "," << r.Y << ","
                                                << r.W << "," << r.H << " host " << host);
                std::vector<uint16_t> got(size_t(r.W) * r.H * kS), expected;
                rows.Read(r.Y, r.H, r.X, r.W, host, got.data());
                for (int32_t y = r.Y; y < r.Y + r.H; ++y)
                    for (int32_t i = r.X * kS; i < (r.X + r.W) * kS; ++i) {
                        const uint16_t v = words[size_t(y) * kW * kS + i];
                        expected.push_back(f.MM && !host ? uint16_t(v << 8 | v >> 8) : v);
                    }
                EXPECT_EQ(got, expected);
            }

        // The same bytes held in memory load as the file does.
        const std::vector<uint8_t> bytes = ReadFileBytes(path);
        TMappedFile held = TMappedFile::InMemory(bytes.size());
        std::copy(bytes.begin(), bytes.end(), held.WritableData());
        TCropTIFF fromMemory(describer);
        const TLoadedTIFF loaded = fromMemory.LoadTIFFAsWords(std::move(held));
        EXPECT_EQ(Words(loaded), words) << f.Name;
        EXPECT_EQ(loaded.isBigEndian, f.MM);
        EXPECT_EQ(fromMemory.GetAllTags().size(), Load(path).Tags.size());
    }
}

TEST(SampleRows, FileCutShortWhileReadIsRefused) {
    VANTREL_SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped");
    TTempDir dir;
    const std::string path =
        dir.Write("cut.tif", MakeImage(kW, kH, kS, PatternWords(kW * kH * kS)).Build());
    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    const TMappedFile file = TCropTIFF::OpenForReading(path);
    const TSampleLayout layout = tiff.ReadSampleLayout(file);
    ASSERT_EQ(::truncate(path.c_str(), 200), 0);
    std::vector<uint16_t> row(kW * kS);
    try {
        TSampleRows(file, layout).Read(kH - 1, 1, 0, kW, true, row.data());
        ADD_FAILURE() << "read past the new end";
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), "Файл изменён другой программой во время чтения");
    }
}

} // namespace
} // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST(SampleRows, BytesInMemoryLetGoInRunsWhileReadLoadAsTheFile) {
    // Long enough that runs of bytes already copied are let go while later rows are still read;
    // big-endian, so that the words arrive in the short pieces that are swapped in the cache.
    constexpr int32_t w = 8192, h = 4200;
    const std::vector<uint16_t> words = PatternWords(size_t(w) * h);
    TTempDir dir;
    const std::string path = dir.File("big.tif");
    TCropTIFF::SaveWordsAsTIFF(path, w, h, 1, words, true, PixelTags(1, true), {});
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    TMappedFile held = TMappedFile::InMemory(bytes.size());
    std::copy(bytes.begin(), bytes.end(), held.WritableData());
    TMinimalTagDescriber describer;
    TCropTIFF fromMemory(describer);
    const TLoadedTIFF loaded = fromMemory.LoadTIFFAsWords(std::move(held));
    EXPECT_TRUE(
        std::equal(loaded.PixelData.begin(), loaded.PixelData.end(), words.begin(), words.end()));
}

} // namespace
} // namespace vantrel::test
