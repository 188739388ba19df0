// SPDX-License-Identifier: MIT
// The written bytes checked against the file format by hand: header, entry order, offsets,
// padding, nested directories and the refusals before any file exists.
#include <filesystem>

#include <gtest/gtest.h>

#include "tags/TagNumbers.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

using test::Ascii;
using test::InlineTag;
using test::OutOfLine;
using test::Short;
using test::TBytes;

TBytes Save(const std::filesystem::path& file, int32_t w, int32_t h, int32_t s,
            const std::vector<uint16_t>& words, bool be, const std::vector<TTIFFTag>& extra,
            const std::vector<TNestedIFD>& nested = {}) {
    // The raw layout: tag sets that need not describe the samples.
    TCropTIFF::SaveWordsAsTIFF(file.string(), w, h, s, words, be, extra, nested,
                               TCropTIFF::TReadBack::Unchecked);
    return TBytes{test::ReadBytes(file)};
}

// A save whose directory would not load to the words written is refused and leaves nothing:
// tags that miss a sample description, or describe other samples than those written.
TEST(WriterLayout, FileThatWouldNotLoadBackIsRefusedAndLeavesNothing) {
    const auto dir = test::TestFolder();
    const std::vector<TTIFFTag> grey = {
        Short(tagid::BitsPerSample, 16), Short(tagid::Compression, 1),
        Short(tagid::PhotometricInterpretation, 1), Short(tagid::SamplesPerPixel, 1)};
    std::vector<TTIFFTag> threeSamples = grey;
    threeSamples[3] = Short(tagid::SamplesPerPixel, 3);
    std::vector<TTIFFTag> reversedBits = grey;
    reversedBits.push_back(Short(tagid::FillOrder, 2));
    const struct {
        const char* Name;
        std::vector<TTIFFTag> Tags;
        const char* Reason;
    } cases[] = {
        {"no description", {}, "Тег BitsPerSample (258) не найден"},
        {"other samples", threeSamples, "Недостаточно данных в стрипах"},
        {"reversed bits", reversedBits, "описание сэмплов не совпадает с записанными словами"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto file = dir / "refused.tif";
        try {
            TCropTIFF::SaveWordsAsTIFF(file.string(), 3, 1, 1, std::vector<uint16_t>{1, 2, 3},
                                       false, c.Tags, {});
            ADD_FAILURE() << "saved";
        } catch (const ETIFFError& e) {
            EXPECT_EQ(e.Message(),
                      std::string("Записанный файл не читается так, как был сохранён (") +
                          c.Reason + "); файл не сохранён");
        }
        EXPECT_TRUE(std::filesystem::is_empty(dir));
    }
    TCropTIFF::SaveWordsAsTIFF((dir / "grey.tif").string(), 3, 1, 1, std::vector<uint16_t>{1, 2, 3},
                               false, grey, {});
    EXPECT_TRUE(std::filesystem::exists(dir / "grey.tif"));
}

TEST(WriterLayout, FourOwnTagsOnlyPutPixelsAt62AndEndTheFileWithThem) {
    const auto dir = test::TestFolder();
    const TBytes f = Save(dir / "a.tif", 3, 1, 1, {1, 2, 3}, false, {});
    EXPECT_EQ(f.U16(8), 4u);
    EXPECT_EQ(f.Field(8, 2), 62u); // StripOffsets
    EXPECT_EQ(f.Field(8, 3), 6u);  // StripByteCounts
    ASSERT_EQ(f.Data.size(), 68u);
    EXPECT_EQ(f.U16(62), 1u);
    EXPECT_EQ(f.U16(66), 3u);
}

TEST(WriterLayout, GreyTwoByOneIs114BytesWithSortedEntriesInBothOrders) {
    const auto dir = test::TestFolder();
    for (bool be : {false, true}) {
        const std::vector<TTIFFTag> extra = {
            Short(tagid::SamplesPerPixel, 1), Short(tagid::PhotometricInterpretation, 1),
            Short(tagid::Compression, 1), Short(tagid::BitsPerSample, 16)};
        const TBytes f = Save(dir / "g.tif", 2, 1, 1, {0x1234, 0xABCD}, be, extra);
        ASSERT_EQ(f.Data.size(), 114u);
        const std::vector<uint8_t> head(f.Data.begin(), f.Data.begin() + 8);
        const std::vector<uint8_t> mm = {0x4D, 0x4D, 0, 0x2A, 0, 0, 0, 8};
        const std::vector<uint8_t> ii = {0x49, 0x49, 0x2A, 0, 8, 0, 0, 0};
        EXPECT_EQ(head, be ? mm : ii);
        // clang-format off
        const uint32_t order[] = {
            tagid::ImageWidth,   tagid::ImageLength,     tagid::BitsPerSample,
            tagid::Compression,  tagid::PhotometricInterpretation,
            tagid::StripOffsets, tagid::SamplesPerPixel, tagid::StripByteCounts};
        // clang-format on
        ASSERT_EQ(f.U16(8), 8u);
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(f.Tag(8, i), order[i]);
        EXPECT_EQ(f.Field(8, 5), 110u);
        EXPECT_EQ(f.Field(8, 7), 4u);
        EXPECT_EQ(f.U32(106), 0u); // no next directory
        // SHORT values sit in the first two bytes of the field in either order.
        EXPECT_EQ(f.U16(8 + 10), 2u);
        EXPECT_EQ(f.U16(110), 0x1234u);
        EXPECT_EQ(f.U16(112), 0xABCDu);
    }
}

TEST(WriterLayout, BigEndianInlineValuesFollowTheirType) {
    const auto dir = test::TestFolder();
    TTIFFTag twoShorts = InlineTag(tagid::BitsPerSample, TTIFFDataType::dtShort, 0, 2);
    twoShorts.Value.AsWords[0] = 16;
    twoShorts.Value.AsWords[1] = 8;
    TTIFFTag bytes = InlineTag(tagid::XMLPacket, TTIFFDataType::dtByte, 0x04030201, 4);
    TTIFFTag slong = InlineTag(600, TTIFFDataType::dtSLong, static_cast<uint32_t>(-2));
    const TBytes f = Save(dir / "m.tif", 1, 1, 1, {7}, true, {twoShorts, bytes, slong});
    const size_t e258 = f.Find(8, tagid::BitsPerSample), e600 = f.Find(8, 600),
                 e700 = f.Find(8, tagid::XMLPacket);
    EXPECT_EQ(f.U16(8 + 10 + 12 * e258), 16u);
    EXPECT_EQ(f.U16(8 + 12 + 12 * e258), 8u);
    EXPECT_EQ(f.Field(8, e600), static_cast<uint32_t>(-2));
    const size_t at = 8 + 10 + 12 * e700;
    EXPECT_EQ(std::vector<uint8_t>(f.Data.begin() + at, f.Data.begin() + at + 4),
              (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(WriterLayout, OutOfLineValuesFollowThePixelsAtEvenOffsets) {
    const auto dir = test::TestFolder();
    // "abcd" + NUL is 5 bytes: one padding byte before the RATIONAL behind it.
    TTIFFTag rational =
        OutOfLine(tagid::XResolution, TTIFFDataType::dtRational, 1, {1, 0, 0, 0, 2, 0, 0, 0});
    const TBytes f = Save(dir / "o.tif", 1, 1, 1, {9}, false,
                          {rational, Ascii(tagid::ImageDescription, "abcd")});
    const int desc = f.Find(8, tagid::ImageDescription), res = f.Find(8, tagid::XResolution);
    const uint32_t pixels = 14 + 12 * 6;
    EXPECT_EQ(f.Field(8, desc), pixels + 2);
    EXPECT_EQ(f.Field(8, res), pixels + 2 + 6);
    EXPECT_EQ(f.Data[pixels + 2 + 5], 0);
    EXPECT_EQ(f.U32(pixels + 8), 1u);
    EXPECT_EQ(f.U32(pixels + 12), 2u);
    EXPECT_EQ(f.Data.size(), pixels + 16);
}

TEST(WriterLayout, NestedDirectoriesComeLastAndPointersSortAmongTags) {
    const auto dir = test::TestFolder();
    const TTIFFTag icc = OutOfLine(tagid::ICCProfile, TTIFFDataType::dtUndefined, 3, {1, 2, 3});
    std::vector<TNestedIFD> nested = {
        {tagid::ExifIFD,
         {Ascii(tagid::DateTimeOriginal, "2024:01:01 10:00:00"), Short(tagid::FileSource, 3)}},
        {tagid::GPSInfo, {}},
    };
    for (bool be : {false, true}) {
        const TBytes f =
            Save(dir / "n.tif", 1, 1, 1, {5}, be, {icc, Short(tagid::Compression, 1)}, nested);
        const int exif = f.Find(8, tagid::ExifIFD), profile = f.Find(8, tagid::ICCProfile),
                  gps = f.Find(8, tagid::GPSInfo);
        ASSERT_GE(exif, 0);
        EXPECT_EQ(profile, exif + 1);
        EXPECT_EQ(gps, exif + 2);
        EXPECT_EQ(f.Type(8, exif), 4u);
        // icc (3 bytes) right after the pixel data, then EXIF at the next even offset.
        const uint32_t pixels = 14 + 12 * 8;
        EXPECT_EQ(f.Field(8, profile), pixels + 2);
        const uint32_t e = f.Field(8, exif);
        EXPECT_EQ(e, pixels + 2 + 4);
        ASSERT_EQ(f.U16(e), 2u);
        EXPECT_EQ(f.Tag(e, 0), 36867u); // entry order kept, not sorted
        EXPECT_EQ(f.Tag(e, 1), 41728u);
        EXPECT_EQ(f.Field(e, 0), e + 2 + 24 + 4);
        EXPECT_EQ(f.U32(e + 2 + 24), 0u);
        // The date's 20 bytes end the EXIF directory; the empty GPS one follows.
        const uint32_t g = f.Field(8, gps);
        EXPECT_EQ(g, e + 30 + 20);
        EXPECT_EQ(f.U16(g), 0u);
        EXPECT_EQ(f.U32(g + 2), 0u);
        EXPECT_EQ(f.Data.size(), g + 6);
    }
}

TEST(WriterLayout, SizesBeyondShortAreWrittenAsLong) {
    const auto dir = test::TestFolder();
    const std::vector<uint16_t> words(70000, 1);
    const TBytes f = Save(dir / "w.tif", 70000, 1, 1, words, false, {});
    EXPECT_EQ(f.Type(8, 0), 4u);
    EXPECT_EQ(f.Field(8, 0), 70000u);
    EXPECT_EQ(f.Type(8, 1), 3u); // the height still fits a SHORT
}

TEST(WriterLayout, LostValuesAndNestedPointersAreLeftOut) {
    const auto dir = test::TestFolder();
    TTIFFTag lost = OutOfLine(tagid::ImageDescription, TTIFFDataType::dtASCII, 40, {});
    TTIFFTag slong = OutOfLine(600, TTIFFDataType::dtSLong, 2, {1, 0, 0, 0, 2, 0, 0, 0});
    std::vector<TNestedIFD> nested = {
        {tagid::ExifIFD,
         {Short(tagid::FileSource, 3),
          InlineTag(tagid::InteroperabilityIFD, TTIFFDataType::dtLong, 4000),
          OutOfLine(tagid::MakerNote, TTIFFDataType::dtUndefined, 8, {})}}};
    const TBytes f = Save(dir / "l.tif", 1, 1, 1, {5}, false,
                          {lost, slong, Short(tagid::Compression, 1)}, nested);
    EXPECT_EQ(f.U16(8), 6u);
    EXPECT_EQ(f.Find(8, tagid::ImageDescription), -1);
    EXPECT_EQ(f.Find(8, 600), -1);
    const uint32_t e = f.Field(8, f.Find(8, tagid::ExifIFD));
    ASSERT_EQ(f.U16(e), 1u);
    EXPECT_EQ(f.Tag(e, 0), 41728u);
    EXPECT_EQ(f.Data.size(), e + 2 + 12 + 4);
}

struct TRefusal {
    int32_t W, H, S;
    size_t Words;
    const char* Message;
};

class WriterRefusal : public ::testing::TestWithParam<TRefusal> {};

TEST_P(WriterRefusal, RaisesBeforeAnyFileExists) {
    const auto dir = test::TestFolder();
    const TRefusal& r = GetParam();
    const std::vector<uint16_t> words(r.Words, 0);
    try {
        TCropTIFF::SaveWordsAsTIFF(dir / "x.tif", r.W, r.H, r.S, words, false, {}, {});
        FAIL() << "no error";
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), r.Message);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, WriterRefusal,
    ::testing::Values(TRefusal{0, 1, 1, 0, "Ширина должна быть > 0"},
                      TRefusal{0, 0, 0, 0, "Ширина должна быть > 0"},
                      TRefusal{1, -1, 1, 0, "Высота должна быть > 0"},
                      TRefusal{1, 1, 0, 0, "SamplesPerPixel должно быть > 0"},
                      TRefusal{2, 2, 3, 11, "Несоответствие длины PixelData"},
                      TRefusal{2, 2, 3, 13, "Несоответствие длины PixelData"},
                      // 2^31 - 1 square: the product needs 64 bits to be compared at all.
                      TRefusal{65536, 65536, 1, 0, "Несоответствие длины PixelData"}));

TEST(WriterLayout, RefusesPixelsOrMetadataBeyondFourGiB) {
    const auto dir = test::TestFolder();
    // The geometry is checked against a view of rows that repeats one row, so no 4 GiB
    // buffer is needed.
    const std::vector<uint16_t> row(40000 * 4, 0);
    const TCropTIFF::TWordRows rows{row.data(), row.size(), 0, 14000};
    try {
        TCropTIFF::SaveWordsAsTIFF(dir / "big.tif", 40000, 14000, 4, rows, false, {}, {});
        FAIL() << "no error";
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), "Изображение слишком велико для формата TIFF.");
    }
    // Pixels that fit, followed by metadata that crosses the limit.
    const std::vector<uint16_t> small(1, 0);
    TTIFFTag huge = OutOfLine(tagid::XMLPacket, TTIFFDataType::dtDouble, 0x20000000u, {1});
    try {
        TCropTIFF::SaveWordsAsTIFF(dir / "meta.tif", 1, 1, 1, small, false, {},
                                   {{tagid::ExifIFD, {huge}}});
        FAIL() << "no error";
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), "Изображение слишком велико для формата TIFF.");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

} // namespace
} // namespace vantrel
