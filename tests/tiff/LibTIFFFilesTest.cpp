// SPDX-License-Identifier: MIT
// Files written by an independent writer (libtiff) read back word for word.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tags/TagNumbers.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/tiff/LoadHelpers.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

// byte order MM, planar, rows per strip (0: one strip), samples
using TLayout = std::tuple<bool, bool, uint32_t, uint16_t>;

class LibTIFFFiles : public ::testing::TestWithParam<TLayout> {};

TEST_P(LibTIFFFiles, EverySampleWordArrives) {
    const auto [mm, planar, rps, samples] = GetParam();
    TLibTIFFImage im;
    im.Width = 5;
    im.Height = 7;
    im.Samples = samples;
    im.BigEndian = mm;
    im.Planar = planar;
    im.RowsPerStrip = rps;
    TTempDir dir;
    const std::string path = dir.File("lt.tif");
    const std::vector<uint16_t> written = WriteWithLibTIFF(path, im);

    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    const TLoadedTIFF image = tiff.LoadTIFFAsWords(path);
    EXPECT_EQ(image.Width, 5);
    EXPECT_EQ(image.Height, 7);
    EXPECT_EQ(image.SamplesPerPixel, samples);
    EXPECT_EQ(image.PhotometricInterpretation, samples >= 3 ? 2 : 1);
    EXPECT_EQ(image.isBigEndian, mm);
    EXPECT_EQ(Words(image), written);
    EXPECT_TRUE(tiff.GetOriginalHadRowsPerStrip());
}

std::string LayoutName(const ::testing::TestParamInfo<TLayout>& info) {
    const auto [mm, planar, rps, samples] = info.param;
    return std::string(mm ? "MM" : "II") + (planar ? "_Planar" : "_Chunky") + "_Rows" +
           std::to_string(rps) + "_Samples" + std::to_string(samples);
}

INSTANTIATE_TEST_SUITE_P(Reader, LibTIFFFiles,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(),
                                            ::testing::Values(0u, 1u, 3u),
                                            ::testing::Values<uint16_t>(1, 2, 3, 4)),
                         LayoutName);

// Changes the field type of an IFD0 entry in a file on disk.
void RetypeEntry(const std::string& path, uint16_t tag, uint16_t type) {
    std::vector<uint8_t> f = ReadFileBytes(path);
    const bool mm = f[0] == 'M';
    auto u16 = [&](size_t at) { return ReadU16(f.data() + at, mm); };
    auto u32 = [&](size_t at) { return ReadU32(f.data() + at, mm); };
    const uint32_t ifd = u32(4);
    for (int i = 0; i < u16(ifd); ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        if (u16(entry) == tag)
            WriteNumber(f.data() + entry + 2, type, mm);
    }
    TTempDir::WriteTo(path, f);
}

// IFD0 in file order (libtiff writes ascending numbers), each nested directory's records right
// after its pointer, later SubIFDs before earlier ones.
TEST(LibTIFFFiles, NestedDirectoriesInTheTagList) {
    for (const bool mm : {false, true}) {
        TLibTIFFImage im;
        im.Width = 4;
        im.Height = 3;
        im.Samples = 3;
        im.BigEndian = mm;
        im.Exif = true;
        im.Gps = true;
        im.SubIFDs = 2;
        TTempDir dir;
        const std::string path = dir.File("nested.tif");
        const std::vector<uint16_t> written = WriteWithLibTIFF(path, im);
        // libtiff types SubIFDs as IFD, which the reader lists without following (as it does
        // the EXIF-style IFD pointers' arrays); many cameras write LONG.
        EXPECT_EQ(Load(path).Tags.back().TagName, "→ GPS: Тег 1");
        RetypeEntry(path, tagid::SubIFDs, 4);
        const TLoadResult r = Load(path);
        EXPECT_EQ(Words(r.Image), written);

        // Split the list into IFD0 records and the runs of nested records after them.
        std::vector<uint16_t> ifd0;
        std::vector<std::pair<std::string, std::vector<uint16_t>>> runs; // prefix, tag ids
        for (const TTIFFTag& t : r.Tags) {
            const size_t arrow = t.TagName.find("→ ");
            if (arrow != 0) {
                ifd0.push_back(t.TagID);
                continue;
            }
            const std::string prefix = t.TagName.substr(0, t.TagName.find(": ") + 2);
            if (runs.empty() || runs.back().first != prefix)
                runs.push_back({prefix, {}});
            runs.back().second.push_back(t.TagID);
        }
        EXPECT_TRUE(std::is_sorted(ifd0.begin(), ifd0.end()));
        ASSERT_EQ(runs.size(), 4u);
        EXPECT_EQ(runs[0].first, "→ SubIFD #1: ");
        EXPECT_EQ(runs[1].first, "→ SubIFD #0: ");
        EXPECT_EQ(runs[2].first, "→ EXIF: ");
        EXPECT_EQ(runs[3].first, "→ GPS: ");
        for (const auto& run : runs)
            EXPECT_TRUE(std::is_sorted(run.second.begin(), run.second.end())) << run.first;
        // Each run sits right after its pointer record.
        auto after = [&](uint16_t pointer) {
            const auto it = std::find_if(r.Tags.begin(), r.Tags.end(), [&](const TTIFFTag& t) {
                return t.TagID == pointer && t.TagName.rfind("→ ", 0) != 0;
            });
            return it + 1 == r.Tags.end() ? std::string() : (it + 1)->TagName;
        };
        EXPECT_EQ(after(tagid::SubIFDs).rfind("→ SubIFD #1: ", 0), 0u);
        EXPECT_EQ(after(tagid::ExifIFD), "→ EXIF: Тег 33434"); // ExposureTime, the lowest EXIF tag
        EXPECT_EQ(after(tagid::GPSInfo), "→ GPS: Тег 0");      // GPSVersionID
        const auto exif = runs[2].second;
        EXPECT_NE(std::find(exif.begin(), exif.end(), tagid::DateTimeOriginal), exif.end());
        EXPECT_EQ(runs[3].second,
                  (std::vector<uint16_t>{tagid::GPSVersionID, tagid::GPSLatitudeRef}));
        EXPECT_NE(std::find(runs[0].second.begin(), runs[0].second.end(), tagid::NewSubfileType),
                  runs[0].second.end());
    }
}

} // namespace
} // namespace vantrel::test
