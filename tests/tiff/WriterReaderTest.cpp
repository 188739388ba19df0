// SPDX-License-Identifier: MIT
// What the writer writes, our reader reads back: the same words and the same tag values.
#include <gtest/gtest.h>

#include "tags/TagNumbers.h"
#include "tests/support/MinimalTagDescriber.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

class WriterReader : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(WriterReader, ReadsBackTheSameWordsAndTags) {
    const auto [samples, be] = GetParam();
    const auto dir = test::TestFolder();
    const int32_t w = 23, h = 9;
    std::vector<uint16_t> words(static_cast<size_t>(w) * h * samples);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>(i * 48271u);
    std::vector<TTIFFTag> extra = test::PixelTags(samples, be);
    extra.push_back(test::Ascii(tagid::Software, "Scanner 2.0 with a longer name"));
    TTIFFTag twoShorts = test::InlineTag(530, TTIFFDataType::dtShort, 0, 2);
    twoShorts.Value.AsWords[0] = 2;
    twoShorts.Value.AsWords[1] = 1;
    extra.push_back(twoShorts);
    // Fields with no number to turn into host order keep their bytes as they stood.
    extra.push_back(test::InlineTag(531, static_cast<TTIFFDataType>(99), 0x44332211u));
    extra.push_back(test::InlineTag(532, TTIFFDataType::dtRational, 0x88776655u, 0));
    const std::vector<TNestedIFD> nested = {{tagid::ExifIFD, {test::Short(tagid::FileSource, 3)}}};
    TCropTIFF::SaveWordsAsTIFF(dir / "rt.tif", w, h, samples, words, be, extra, nested);

    TMinimalTagDescriber describer;
    TCropTIFF reader(describer);
    const TLoadedTIFF loaded = reader.LoadTIFFAsWords(dir / "rt.tif");
    EXPECT_EQ(loaded.Width, w);
    EXPECT_EQ(loaded.Height, h);
    EXPECT_EQ(loaded.SamplesPerPixel, samples);
    EXPECT_EQ(loaded.isBigEndian, be);
    EXPECT_TRUE(
        std::equal(words.begin(), words.end(), loaded.PixelData.begin(), loaded.PixelData.end()));
    const std::vector<TTIFFTag> tags = reader.GetAllTags();
    for (const TTIFFTag& written : extra) {
        const auto read = std::find_if(tags.begin(), tags.end(), [&](const TTIFFTag& t) {
            return t.TagID == written.TagID && !t.TagName.starts_with("→ ");
        });
        ASSERT_NE(read, tags.end()) << written.TagID;
        EXPECT_EQ(read->DataType, written.DataType) << written.TagID;
        EXPECT_EQ(read->Count, written.Count) << written.TagID;
        EXPECT_EQ(read->IsInline, written.IsInline) << written.TagID;
        if (written.IsInline) {
            EXPECT_EQ(read->Value.AsDWORD, written.Value.AsDWORD) << written.TagID;
        } else {
            EXPECT_EQ(read->RawData, written.RawData) << written.TagID;
        }
    }
    const bool hasExifTag = std::any_of(tags.begin(), tags.end(), [](const TTIFFTag& t) {
        return t.TagID == tagid::FileSource && t.TagName.starts_with("→ EXIF: ") &&
               t.Value.AsWords[0] == 3;
    });
    EXPECT_TRUE(hasExifTag);
}

INSTANTIATE_TEST_SUITE_P(SamplesAndOrders, WriterReader,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4), ::testing::Bool()));

} // namespace
} // namespace vantrel
