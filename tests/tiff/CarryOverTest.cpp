// SPDX-License-Identifier: MIT
// Which source tags a saved file carries, in both modes, and the ProcessingSoftware history.
#include <algorithm>
#include <cctype>
#include <clocale>

#include <gtest/gtest.h>

#include "tags/TIFFTagUtils.h"
#include "tags/TagNumbers.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CodePage1251.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

using test::Ascii;
using test::InlineTag;
using test::OutOfLine;
using test::Short;

TTIFFTag Named(TTIFFTag t, const std::string& name) {
    t.TagName = name;
    return t;
}

TTIFFTag Software(const std::string& decoded) {
    TTIFFTag t = Ascii(tagid::ProcessingSoftware, decoded);
    t.DisplayValueDecoded = decoded;
    return t;
}

std::vector<uint16_t> Ids(const std::vector<TTIFFTag>& tags) {
    std::vector<uint16_t> ids;
    for (const TTIFFTag& t : tags)
        ids.push_back(t.TagID);
    return ids;
}

const TTIFFTag* Find(const std::vector<TTIFFTag>& tags, uint16_t id) {
    for (const TTIFFTag& t : tags)
        if (t.TagID == id)
            return &t;
    return nullptr;
}

std::string Text(const TTIFFTag& t) {
    return std::string(t.RawData.begin(), t.RawData.end() - 1);
}

/// A source with every kind of tag that the carry-over tells apart.
std::vector<TTIFFTag> RichSource() {
    return {
        Software("Scanner 2.0"),
        Short(tagid::ImageWidth, 5000),
        Short(tagid::ImageLength, 3000),
        InlineTag(tagid::BitsPerSample, TTIFFDataType::dtShort, 16, 3),
        Short(tagid::Compression, 1),
        Short(tagid::PhotometricInterpretation, 2),
        Short(tagid::StripOffsets, 8),
        Short(tagid::Orientation, 6),
        Short(tagid::SamplesPerPixel, 3),
        Short(tagid::RowsPerStrip, 16),
        InlineTag(tagid::StripByteCounts, TTIFFDataType::dtLong, 90000000),
        OutOfLine(tagid::XResolution, TTIFFDataType::dtRational, 1, {44, 1, 0, 0, 1, 0, 0, 0}),
        Short(tagid::PlanarConfiguration, 2),
        Short(tagid::XPosition, 1),
        Short(tagid::YPosition, 1),
        Short(tagid::TileWidth, 256),
        Short(tagid::TileLength, 256),
        Short(tagid::TileOffsets, 1),
        Short(tagid::TileByteCounts, 1),
        InlineTag(tagid::SubIFDs, TTIFFDataType::dtLong, 9000),
        Short(tagid::SampleFormat, 1),
        Short(tagid::JPEGInterchangeFormat, 1),
        Short(tagid::JPEGInterchangeFormatLength, 1),
        InlineTag(600, TTIFFDataType::dtSLong, static_cast<uint32_t>(-5)),
        OutOfLine(601, TTIFFDataType::dtSLong, 2, std::vector<uint8_t>(8, 1)),
        OutOfLine(602, TTIFFDataType::dtDouble, 1, {}),
        OutOfLine(tagid::ICCProfile, TTIFFDataType::dtUndefined, 4, {1, 2, 3, 4}),
        InlineTag(tagid::ExifIFD, TTIFFDataType::dtLong, 1000),
        Named(Short(tagid::FileSource, 3), "→ EXIF: FileSource"),
        Named(InlineTag(tagid::PixelXDimension, TTIFFDataType::dtShort, 5000),
              "→ EXIF: PixelXDimension"),
        Named(InlineTag(tagid::PixelYDimension, TTIFFDataType::dtLong, 3000),
              "→ EXIF: PixelYDimension"),
        Named(InlineTag(tagid::InteroperabilityIFD, TTIFFDataType::dtLong, 2000),
              "→ EXIF: InteropOffset"),
        InlineTag(tagid::GPSInfo, TTIFFDataType::dtLong, 1500),
        Named(InlineTag(tagid::GPSVersionID, TTIFFDataType::dtByte, 2, 4), "→ GPS: GPSVersionID"),
        Named(Short(tagid::GPSDOP, 2), "→ GPS: GPSDOP"),
        Named(Short(tagid::NewSubfileType, 0), "→ SubIFD #0: NewSubfileType"),
    };
}

TEST(CarryOver, FullModeKeepsWhatStaysTrueAndRenewsTheRest) {
    const auto out =
        TCropTIFF::BuildTagsForSaving(false, RichSource(), 2500, 1500, 3, false, true, 25.0, 2);
    EXPECT_EQ(Ids(out.ExtraTags),
              (std::vector<uint16_t>{
                  tagid::XResolution, 600, tagid::ICCProfile, tagid::RowsPerStrip,
                  tagid::PlanarConfiguration, tagid::Orientation, tagid::ProcessingSoftware,
                  tagid::BitsPerSample, tagid::Compression, tagid::PhotometricInterpretation,
                  tagid::SamplesPerPixel, tagid::SampleFormat}));
    EXPECT_EQ(Find(out.ExtraTags, tagid::RowsPerStrip)->Value.AsDWORD, 1500u);
    EXPECT_EQ(Find(out.ExtraTags, tagid::PlanarConfiguration)->Value.AsDWORD, 1u);
    EXPECT_EQ(Find(out.ExtraTags, tagid::Orientation)->Value.AsDWORD, 6u);
    ASSERT_EQ(out.NestedIFDs.size(), 2u);
    EXPECT_EQ(out.NestedIFDs[0].PointerTagID, tagid::ExifIFD);
    EXPECT_EQ(Ids(out.NestedIFDs[0].Tags),
              (std::vector<uint16_t>{tagid::FileSource, tagid::PixelXDimension,
                                     tagid::PixelYDimension, tagid::InteroperabilityIFD}));
    EXPECT_EQ(out.NestedIFDs[0].Tags[0].TagName, "FileSource");
    EXPECT_EQ(out.NestedIFDs[0].Tags[1].Value.AsDWORD, 2500u);
    EXPECT_EQ(out.NestedIFDs[0].Tags[1].DisplayValue, "2500");
    EXPECT_EQ(out.NestedIFDs[0].Tags[2].Value.AsDWORD, 1500u);
    EXPECT_EQ(out.NestedIFDs[1].PointerTagID, tagid::GPSInfo);
    EXPECT_EQ(Ids(out.NestedIFDs[1].Tags),
              (std::vector<uint16_t>{tagid::GPSVersionID, tagid::GPSDOP}));
}

TEST(CarryOver, MinimalModeKeepsOnlyThePixelDescription) {
    const auto out =
        TCropTIFF::BuildTagsForSaving(true, RichSource(), 2500, 1500, 3, false, true, 25.0, 2);
    EXPECT_EQ(Ids(out.ExtraTags),
              (std::vector<uint16_t>{tagid::BitsPerSample, tagid::Compression,
                                     tagid::PhotometricInterpretation, tagid::SamplesPerPixel,
                                     tagid::SampleFormat}));
    EXPECT_TRUE(out.NestedIFDs.empty());
}

struct TRenewCase {
    const char* Name;
    std::vector<TTIFFTag> Source;
    bool Preserve;
    std::vector<uint16_t> Expected; // ids after the safe tags, ProcessingSoftware last
    uint32_t Orientation;           // expected value when the source has one
};

class CarryOverRenew : public ::testing::TestWithParam<TRenewCase> {};

TEST_P(CarryOverRenew, AddsOnlyWhatTheSourceHad) {
    const TRenewCase& c = GetParam();
    const auto tags = TCropTIFF::PrepareTagsForSaving(c.Source, 2000, 1, false, c.Preserve, 50);
    EXPECT_EQ(Ids(tags), c.Expected);
    if (const TTIFFTag* o = Find(tags, tagid::Orientation)) {
        EXPECT_EQ(o->Value.AsDWORD, c.Orientation);
    }
    if (const TTIFFTag* r = Find(tags, tagid::RowsPerStrip)) {
        EXPECT_EQ(r->Value.AsDWORD, 2000u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CarryOverRenew,
    ::testing::Values(
        TRenewCase{"Nothing", {}, true, {tagid::ProcessingSoftware}, 0},
        TRenewCase{"OrientationKept",
                   {Short(tagid::Orientation, 6)},
                   true,
                   {tagid::Orientation, tagid::ProcessingSoftware},
                   6},
        TRenewCase{"OrientationReset",
                   {Short(tagid::Orientation, 6)},
                   false,
                   {tagid::Orientation, tagid::ProcessingSoftware},
                   1},
        TRenewCase{"StripAndPlanar",
                   {Short(tagid::PlanarConfiguration, 2), Short(tagid::RowsPerStrip, 16)},
                   true,
                   {tagid::RowsPerStrip, tagid::PlanarConfiguration, tagid::ProcessingSoftware},
                   0},
        // Nested tags with the same numbers do not count.
        TRenewCase{"NestedNumbersIgnored",
                   {Named(Short(tagid::Orientation, 3), "→ EXIF: X"),
                    Named(Short(tagid::RowsPerStrip, 3), "→ GPS: Y")},
                   true,
                   {tagid::ProcessingSoftware},
                   0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CarryOver, TagsMadeAnewHoldOneInlineValueOfTheirType) {
    const struct {
        TTIFFTag Tag;
        uint16_t TagID;
        TTIFFDataType Type;
        uint32_t Value;
    } cases[] = {
        {TCropTIFF::CreatePixelXDimensionTag(70000), tagid::PixelXDimension, TTIFFDataType::dtLong,
         70000},
        {TCropTIFF::CreatePixelYDimensionTag(3), tagid::PixelYDimension, TTIFFDataType::dtLong, 3},
        {TCropTIFF::CreateImageWidthTag(65535), tagid::ImageWidth, TTIFFDataType::dtShort, 65535},
        {TCropTIFF::CreateImageLengthTag(65536), tagid::ImageLength, TTIFFDataType::dtLong, 65536},
        {TCropTIFF::CreateOrientationTag(6), tagid::Orientation, TTIFFDataType::dtShort, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.TagID);
        EXPECT_EQ(c.Tag.TagID, c.TagID);
        EXPECT_EQ(c.Tag.DataType, c.Type);
        EXPECT_EQ(c.Tag.Count, 1u);
        EXPECT_TRUE(c.Tag.IsInline);
        EXPECT_EQ(c.Tag.Value.AsDWORD, c.Value);
        EXPECT_TRUE(c.Tag.RawData.empty());
        EXPECT_EQ(c.Tag.TagName, GetTagName(c.TagID));
    }
}

TEST(CarryOver, RowsPerStripAboveShortRangeIsLongAndNamedByTheCatalogue) {
    const auto tags =
        TCropTIFF::PrepareTagsForSaving({Short(tagid::RowsPerStrip, 1)}, 70000, 1, false, true, 1);
    EXPECT_EQ(tags[0].DataType, TTIFFDataType::dtLong);
    EXPECT_EQ(tags[0].Value.AsDWORD, 70000u);
    EXPECT_EQ(tags[0].TagName, "Строк на стрип (RowsPerStrip)");
}

struct THistoryCase {
    const char* Name;
    bool HasOld;
    std::string Old;
    std::string Expected; // "N" stands for the new entry
};

class CarryOverHistory : public ::testing::TestWithParam<THistoryCase> {};

TEST_P(CarryOverHistory, ReplacesOurEntryAndKeepsTheRest) {
    const THistoryCase& c = GetParam();
    const std::string entry = "Vantrel v1.0.1 (build 176, x64), trimmed by 20.0% at T";
    std::string expected = c.Expected;
    expected.replace(0, 1, entry);
    EXPECT_EQ(TCropTIFF::ProcessingSoftwareText(c.HasOld ? &c.Old : nullptr, 80.0,
                                                "1.0.1 (build 176, x64)", "T"),
              expected);
}

const std::string kOurs = "Vantrel v1.0.0 (build 150, x64), trimmed by 5.0% at 2023-01-01 "
                          "10:00:00.000";

INSTANTIATE_TEST_SUITE_P(
    Cases, CarryOverHistory,
    ::testing::Values(
        THistoryCase{"None", false, "", "N"}, THistoryCase{"EmptyOld", true, " ", "N"},
        THistoryCase{"Foreign", true, "Scanner 2.0", "N | Scanner 2.0"},
        THistoryCase{"OursWithHistory", true, kOurs + " | Scanner 2.0", "N | Scanner 2.0"},
        THistoryCase{"OursAlone", true, kOurs, "N"},
        THistoryCase{"OursHistoryTrimmed", true, "Vantrel x |\t A | B \r\n", "N | A | B"},
        THistoryCase{"LowerCaseIsForeign", true, "vantrel 1 | x", "N | vantrel 1 | x"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CarryOver, PercentIsTrimmedShareWithOneDecimalAndAPoint) {
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // a comma locale, where installed
    const std::pair<double, const char*> cases[] = {{100, "0.0"}, {87.46, "12.5"}, {87.75, "12.3"},
                                                    {75, "25.0"}, {0, "100.0"},    {99.99, "0.0"}};
    for (const auto& [remaining, text] : cases)
        EXPECT_EQ(TCropTIFF::FormatTrimmedPercent(remaining), text) << remaining;
    std::setlocale(LC_ALL, "C");
}

TEST(CarryOver, ProcessingSoftwareEntryIsStampedAndTakesTheMainTag) {
    // GPS tag 11 is GPSDOP, not an earlier ProcessingSoftware.
    const std::vector<TTIFFTag> source = {Named(Software("GPS"), "→ GPS: GPSDOP"),
                                          Software("Scanner 2.0")};
    const auto tags = TCropTIFF::PrepareTagsForSaving(source, 10, 1, false, true, 87.46);
    ASSERT_EQ(tags.size(), 1u);
    const TTIFFTag& t = tags[0];
    EXPECT_EQ(t.TagID, tagid::ProcessingSoftware);
    EXPECT_EQ(t.TagName, "ProcessingSoftware");
    EXPECT_EQ(t.DataType, TTIFFDataType::dtASCII);
    EXPECT_FALSE(t.IsInline);
    EXPECT_EQ(t.Count, t.RawData.size());
    EXPECT_EQ(t.RawData.back(), 0);
    // "… at yyyy-mm-dd hh:nn:ss.zzz | Scanner 2.0", the time checked digit by digit.
    const std::string text = Text(t);
    const std::string head = "Vantrel v1.0.1 (build 176, x64), trimmed by 12.5% at ";
    const std::string tail = " | Scanner 2.0";
    ASSERT_EQ(text.size(), head.size() + 23 + tail.size()) << text;
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(head.size() + 23), tail);
    const std::string time = text.substr(head.size(), 23);
    const std::string shape = "dddd-dd-dd dd:dd:dd.ddd";
    for (size_t i = 0; i < shape.size(); ++i)
        EXPECT_TRUE(shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(time[i])) != 0
                                    : time[i] == shape[i])
            << time;
}

TEST(CarryOver, ProcessingSoftwareIsWindows1251) {
    const TTIFFTag t = TCropTIFF::CreateProcessingSoftwareTag("Скан Ёё №1 – 😀 ü");
    const std::vector<uint8_t> expected = {0xD1, 0xEA, 0xE0, 0xED, ' ', 0xA8, 0xB8, ' ', 0xB9,
                                           '1',  ' ',  0x96, ' ',  '?', ' ',  '?',  0};
    EXPECT_EQ(t.RawData, expected);
    EXPECT_EQ(t.Count, 17u);
    EXPECT_EQ(Utf8ToCodePage1251(std::string("a\xFF\xC3") + "b"), "a??b");
    // Short texts stay inline.
    const TTIFFTag small = TCropTIFF::CreateProcessingSoftwareTag("abc");
    EXPECT_TRUE(small.IsInline);
    EXPECT_EQ(small.Count, 4u);
    EXPECT_EQ(small.Value.AsBytes[2], 'c');
}

TEST(CarryOver, BlocksFollowTheirPointersAndUnreadDirectoriesAreEmpty) {
    const std::vector<TTIFFTag> source = {InlineTag(tagid::GPSInfo, TTIFFDataType::dtLong, 1500),
                                          Short(tagid::Compression, 1),
                                          InlineTag(tagid::ExifIFD, TTIFFDataType::dtLong, 1000),
                                          Named(Short(1, 2), "→ EXIF: A"),
                                          Named(Short(2, 2), "→ exif: lower"),
                                          Named(Short(3, 2), "→ EXIF: B")};
    std::vector<TTIFFTag> main;
    const auto blocks = TCropTIFF::ExtractAllIFDBlocks(source, main);
    EXPECT_EQ(Ids(main),
              (std::vector<uint16_t>{tagid::GPSInfo, tagid::Compression, tagid::ExifIFD}));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].Prefix, "GPS");
    EXPECT_EQ(blocks[0].OffsetInOriginal, 1500u);
    EXPECT_TRUE(blocks[0].Tags.empty());
    EXPECT_EQ(blocks[1].Prefix, "EXIF");
    EXPECT_EQ(Ids(blocks[1].Tags), (std::vector<uint16_t>{1, 3}));
    EXPECT_EQ(blocks[1].Tags[1].TagName, "B");
}

} // namespace
} // namespace vantrel
