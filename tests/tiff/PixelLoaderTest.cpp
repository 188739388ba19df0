// SPDX-License-Identifier: MIT
// Assembling sample words from strips, and every refusal of the pixel loader.
#include <gtest/gtest.h>

#include <functional>

#include "tags/TagNumbers.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

using B = TTIFFBuilder;

// A chunky image whose strips are the given byte ranges of `words`' bytes.
TTIFFBuilder ChunkyFromPieces(uint16_t w, uint16_t h, uint16_t s,
                              const std::vector<uint16_t>& words, std::vector<size_t> pieces,
                              bool mm = false) {
    TTIFFBuilder b = MakeImage(w, h, s, words, mm);
    std::vector<uint8_t> bytes;
    for (const uint16_t v : words)
        AppendNumber(bytes, v, mm);
    std::vector<int> strips;
    size_t at = 0;
    for (const size_t n : pieces) {
        strips.push_back(b.AddBlob(std::vector<uint8_t>(
            bytes.begin() + at, bytes.begin() + std::min(at + n, bytes.size()))));
        at += n;
    }
    b.Remove(tagid::StripOffsets).Remove(tagid::StripByteCounts).Remove(tagid::PlanarConfiguration);
    b.AddBlobOffsets(tagid::StripOffsets, B::kLong, strips)
        .AddBlobSizes(tagid::StripByteCounts, B::kLong, strips);
    return b;
}

TEST(PixelLoader, StripsAreLaidEndToEnd) {
    const std::vector<uint16_t> words = PatternWords(12);
    TTempDir dir;
    for (const bool mm : {false, true}) {
        const auto one =
            Load(dir.Write("one.tif", ChunkyFromPieces(2, 2, 3, words, {24}, mm).Build()));
        const auto three =
            Load(dir.Write("three.tif", ChunkyFromPieces(2, 2, 3, words, {6, 12, 6}, mm).Build()));
        EXPECT_EQ(Words(one.Image), words);
        EXPECT_EQ(Words(three.Image), words);
        EXPECT_EQ(one.Image.isBigEndian, mm);
        EXPECT_EQ(one.Image.Width, 2);
        EXPECT_EQ(one.Image.Height, 2);
        EXPECT_EQ(one.Image.SamplesPerPixel, 3);
    }
}

TEST(PixelLoader, OddStripByteDropsItsLastByte) {
    // Strips of 7 and 2 bytes: 3 words + a stray byte, then the fourth word.
    TTIFFBuilder b = MakeImage(2, 2, 1, {1, 2, 3, 4});
    const int first = b.AddBlob({1, 0, 2, 0, 3, 0, 0x77});
    const int second = b.AddBlob({4, 0});
    b.Remove(tagid::StripOffsets).Remove(tagid::StripByteCounts);
    b.AddBlobOffsets(tagid::StripOffsets, B::kLong, {first, second})
        .AddBlobSizes(tagid::StripByteCounts, B::kLong, {first, second});
    TTempDir dir;
    EXPECT_EQ(Words(Load(dir.Write("odd.tif", b.Build())).Image),
              (std::vector<uint16_t>{1, 2, 3, 4}));
}

TEST(PixelLoader, PlanesAreInterleaved) {
    TTempDir dir;
    for (const bool mm : {false, true}) {
        // Planes R = 1, 2; G = 3, 4; B = 5, 6 of a 2 x 1 image.
        TTIFFBuilder b = MakeImage(2, 1, 3, {1, 3, 5, 2, 4, 6}, mm, true);
        EXPECT_EQ(Words(Load(dir.Write("p.tif", b.Build())).Image),
                  (std::vector<uint16_t>{1, 3, 5, 2, 4, 6}));
        // Height 5 in strips of 2 rows: 3 strips per plane of 2, 2 and 1 rows.
        const std::vector<uint16_t> words = PatternWords(3 * 5 * 3);
        TTIFFBuilder tall = MakeImage(3, 5, 3, words, mm, true, 2);
        EXPECT_EQ(Words(Load(dir.Write("tall.tif", tall.Build())).Image), words);
        // No RowsPerStrip: one strip per plane.
        TTIFFBuilder whole = MakeImage(3, 5, 3, words, mm, true);
        whole.Remove(tagid::RowsPerStrip);
        EXPECT_EQ(Words(Load(dir.Write("whole.tif", whole.Build())).Image), words);
    }
}

TEST(PixelLoader, LargestImageIsAllowed) {
    // 32767 x 32769 = 2^30 - 1 words passes the size check (the strips are then short).
    TTIFFBuilder b = MakeImage(1, 1, 1, {5});
    b.Remove(tagid::ImageWidth)
        .Remove(tagid::ImageLength)
        .Add(tagid::ImageWidth, B::kShort, {32767})
        .Add(tagid::ImageLength, B::kShort, {32769});
    TTempDir dir;
    EXPECT_EQ(LoadError(dir.Write("big.tif", b.Build())),
              "ETIFFError: Недостаточно данных в стрипах");
}

struct TCase {
    const char* Name;
    std::function<TTIFFBuilder()> File;
    std::string Message;
};

TTIFFBuilder Chunky() {
    return MakeImage(2, 2, 1, {1, 2, 3, 4}, false, false, 1);
}
TTIFFBuilder Planar() {
    return MakeImage(2, 5, 3, PatternWords(30), false, true, 2);
}

std::vector<TCase> Cases() {
    const std::string e = "ETIFFError: ";
    return {
        {"TooBig",
         [] {
             TTIFFBuilder b = Chunky();
             b.Remove(tagid::ImageWidth)
                 .Remove(tagid::ImageLength)
                 .Add(tagid::ImageWidth, B::kShort, {32768})
                 .Add(tagid::ImageLength, B::kShort, {32768});
             return b;
         },
         e + "Изображение слишком большое"},
        {"PlanarConfiguration3",
         [] {
             return Chunky()
                 .Remove(tagid::PlanarConfiguration)
                 .Add(tagid::PlanarConfiguration, B::kShort, {3});
         },
         e + "Неподдерживаемая PlanarConfiguration"},
        {"StripOffsetAtEnd",
         [] {
             TTIFFBuilder b = Chunky();
             const auto size = static_cast<uint32_t>(b.Build().size());
             return b.SetValues(tagid::StripOffsets, {b.BlobOffset(0), size});
         },
         e + "StripOffset за пределами файла"},
        {"StripRunsPastEnd",
         [] {
             return Chunky().SetValues(tagid::StripByteCounts, {4, 0x7FFFFFFF});
         },
         e + "StripByteCount выходит за пределы файла"},
        {"StripRunsPastEndByOne",
         [] {
             TTIFFBuilder b = Chunky();
             const auto size = static_cast<uint32_t>(b.Build().size());
             return b.SetValues(tagid::StripByteCounts, {4, size - b.BlobOffset(1) + 1});
         },
         e + "StripByteCount выходит за пределы файла"},
        {"OneWordTooMany",
         [] {
             TTIFFBuilder b = MakeImage(2, 2, 1, {1, 2, 3, 4, 5}, false, false, 1);
             const int extra = b.AddWords({1, 2, 3});
             return b.SetValues(tagid::StripOffsets, {b.BlobOffset(0), b.BlobOffset(extra)})
                 .SetValues(tagid::StripByteCounts, {4, 6});
         },
         e + "Слишком много данных в стрипах"},
        {"OneWordTooFew",
         [] {
             return Chunky().SetValues(tagid::StripByteCounts, {4, 2});
         },
         e + "Недостаточно данных в стрипах"},
        {"PlanarStripCount",
         [] {
             TTIFFBuilder b = Planar();
             std::vector<uint32_t> offsets;
             for (int k = 0; k < 8; ++k)
                 offsets.push_back(b.BlobOffset(k));
             b.Remove(tagid::StripOffsets)
                 .Remove(tagid::StripByteCounts)
                 .Add(tagid::StripOffsets, B::kLong, offsets);
             return b.Add(tagid::StripByteCounts, B::kLong, std::vector<uint32_t>(8, 8));
         },
         e + "Несоответствие количества стрипов: ожидалось 9, получено 8"},
        {"PlanarStripSize",
         [] {
             TTIFFBuilder b = Planar();
             std::vector<uint32_t> sizes = {8, 8, 4, 8, 6, 4, 8, 8, 2};
             // the first mismatch in plane order is told
             return b.SetValues(tagid::StripByteCounts, sizes);
         },
         e + "Несоответствие размера стрипа: ожидалось 4 слов, получено 3"},
        {"PlanarStripOffset",
         [] {
             TTIFFBuilder b = Planar();
             std::vector<uint32_t> offsets;
             for (int k = 0; k < 9; ++k)
                 offsets.push_back(b.BlobOffset(k));
             offsets[5] = 0x00FFFFFF;
             return b.SetValues(tagid::StripOffsets, offsets);
         },
         e + "StripOffset за пределами файла"},
        {"PlanarStripPastEnd",
         [] {
             TTIFFBuilder b = Planar();
             std::vector<uint32_t> sizes = {8, 8, 4, 8, 8, 4, 8, 8, 0xFFFFFFFF};
             return b.SetValues(tagid::StripByteCounts, sizes);
         },
         e + "StripByteCount выходит за пределы файла"},
    };
}

class PixelMessages : public ::testing::TestWithParam<TCase> {};

TEST_P(PixelMessages, RefusesWithItsMessage) {
    TTempDir dir;
    EXPECT_EQ(LoadError(dir.Write("bad.tif", GetParam().File().Build())), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(Loader, PixelMessages, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace vantrel::test
