// SPDX-License-Identifier: MIT
// The tag list and the structural values as the structure reader makes them.
#include <gtest/gtest.h>

#include <algorithm>

#include "tags/TagNumbers.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

using B = TTIFFBuilder;

std::vector<std::string> Names(const std::vector<TTIFFTag>& tags) {
    std::vector<std::string> names;
    for (const auto& t : tags)
        names.push_back(t.TagName);
    return names;
}

const TTIFFTag& Find(const std::vector<TTIFFTag>& tags, const std::string& name) {
    const auto it = std::find_if(tags.begin(), tags.end(),
                                 [&](const TTIFFTag& t) { return t.TagName == name; });
    if (it == tags.end())
        throw std::runtime_error("no record " + name);
    return *it;
}

TEST(StructureReader, NestedDirectoriesFollowTheirPointers) {
    for (const bool mm : {false, true}) {
        TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8}, mm);
        const int sub0 = b.NewDirectory(), sub1 = b.NewDirectory(), exif = b.NewDirectory(),
                  gps = b.NewDirectory(), interop = b.NewDirectory(), empty = b.NewDirectory();
        b.Add(sub0, tagid::NewSubfileType, B::kLong, {1})
            .Add(sub0, tagid::ImageWidth, B::kShort, {10});
        b.Add(sub1, tagid::NewSubfileType, B::kLong, {1});
        b.Add(exif, tagid::ExposureTime, B::kRational, {1, 125});
        b.AddPointer(tagid::InteroperabilityIFD, {interop}, B::kLong,
                     exif); // listed, never followed
        b.Add(interop, tagid::InteroperabilityIndex, B::kAscii, {'R', '9', '8', 0});
        b.Add(gps, tagid::GPSVersionID, B::kByte, {2, 2, 0, 0})
            .Add(gps, tagid::GPSLatitudeRef, B::kAscii, {'N', 0});
        b.AddPointer(tagid::SubIFDs, {sub0, sub1});
        b.AddPointer(tagid::ExifIFD, {exif});
        b.AddPointer(tagid::GPSInfo, {gps});
        b.AddPointer(50000, {empty}); // not a pointer the reader knows
        TTempDir dir;
        const TLoadResult r = Load(dir.Write("nested.tif", b.Build()));
        const std::vector<std::string> expected = {
            "Тег 256", "Тег 257", "Тег 258", "Тег 259", "Тег 262", "Тег 273", "Тег 277", "Тег 278",
            "Тег 279", "Тег 284", "Тег 330",
            // a later SubIFD comes before an earlier one
            "→ SubIFD #1: Тег 254", "→ SubIFD #0: Тег 254", "→ SubIFD #0: Тег 256", "Тег 34665",
            "→ EXIF: Тег 33434", "→ EXIF: Тег 40965", "Тег 34853", "→ GPS: Тег 0", "→ GPS: Тег 1",
            "Тег 50000"};
        EXPECT_EQ(Names(r.Tags), expected) << (mm ? "MM" : "II");
    }
}

TEST(StructureReader, DamagedNestedDirectoriesAreLeftOut) {
    TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8});
    const int good = b.NewDirectory(), empty = b.NewDirectory();
    b.Add(good, tagid::NewSubfileType, B::kLong, {1});
    std::vector<uint8_t> tooMany(2, 0);
    tooMany[0] = 0xE9; // 1001 entries
    tooMany[1] = 0x03;
    const int bad = b.AddBlob(tooMany);
    std::vector<uint8_t> cut(2 + 12 + 2, 0);
    cut[0] = 1; // one entry but no next-directory offset
    const int noNext = b.AddBlob(cut);
    b.AddRaw(tagid::ExifIFD, B::kLong, 1, 0x00FFFFFF); // beyond the file
    b.AddPointer(tagid::GPSInfo, {empty});
    b.AddBlobOffsets(tagid::InteroperabilityIFD, B::kLong, {bad});
    // SubIFDs: one beyond the file (skipped), a good one, one that fails (ends the rest), good.
    b.Add(tagid::SubIFDs, B::kLong, {0, 0, 0, 0});
    b.SetValues(tagid::SubIFDs, {0x00FFFFFF, b.DirectoryOffset(good), b.BlobOffset(noNext),
                                 b.DirectoryOffset(good)});
    TTempDir dir;
    const TLoadResult r = Load(dir.Write("damaged.tif", b.Build()));
    std::vector<std::string> names = Names(r.Tags);
    const std::vector<std::string> tail(names.end() - 5, names.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Тег 34665", "Тег 34853", "Тег 40965", "Тег 330",
                                              "→ SubIFD #1: Тег 254"}));
    EXPECT_EQ(names.size(), 10u + 5u);
}

TEST(StructureReader, RecordsKeepValuesRawBytesAndTypes) {
    for (const bool mm : {false, true}) {
        TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8}, mm);
        b.Add(1000, B::kShort, {0x1234});
        b.Add(1001, B::kShort, {0x1234, 0x5678});
        b.Add(1002, B::kLong, {0x11223344});
        b.Add(1003, B::kByte, {1, 2, 3});
        b.Add(1004, B::kRational, {1, 125});
        b.AddText(0, 1005, "hello world");
        b.Add(1006, B::kSShort, {0xFFFE});
        b.Add(1007, 200, {0xA1B2C3D4}); // unknown type: 4 bytes, not captured
        b.Add(1008, B::kShort, {});
        TTempDir dir;
        const std::string path = dir.Write("records.tif", b.Build());
        const std::vector<uint8_t> file = ReadFileBytes(path);
        const TLoadResult r = Load(path);
        SCOPED_TRACE(mm ? "MM" : "II");

        const TTIFFTag& s1 = Find(r.Tags, "Тег 1000");
        EXPECT_TRUE(s1.IsInline);
        EXPECT_EQ(s1.DataType, TTIFFDataType::dtShort);
        EXPECT_EQ(s1.Count, 1u);
        EXPECT_EQ(s1.Value.AsWords[0], 0x1234);
        const std::vector<uint8_t> stored =
            mm ? std::vector<uint8_t>{0x12, 0x34} : std::vector<uint8_t>{0x34, 0x12};
        EXPECT_EQ(s1.RawData, stored);
        EXPECT_EQ(s1.RawOffset, mm ? 0x3412u : 0x1234u);
        if (mm) {
            EXPECT_EQ(s1.Value.AsDWORD, 0x1234u);
        }

        const TTIFFTag& s2 = Find(r.Tags, "Тег 1001");
        EXPECT_EQ(s2.Value.AsWords[0], 0x1234);
        EXPECT_EQ(s2.Value.AsWords[1], 0x5678);
        EXPECT_EQ(s2.RawData.size(), 4u);

        const TTIFFTag& l = Find(r.Tags, "Тег 1002");
        EXPECT_EQ(l.Value.AsDWORD, 0x11223344u);
        EXPECT_EQ(l.RawOffset, mm ? 0x44332211u : 0x11223344u);

        const TTIFFTag& bytes = Find(r.Tags, "Тег 1003");
        EXPECT_EQ(bytes.RawData, (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(bytes.Value.AsBytes[2], 3);

        const TTIFFTag& rational = Find(r.Tags, "Тег 1004");
        EXPECT_FALSE(rational.IsInline);
        ASSERT_EQ(rational.RawData.size(), 8u);
        EXPECT_TRUE(std::equal(rational.RawData.begin(), rational.RawData.end(),
                               file.begin() + rational.Value.AsDWORD));

        const TTIFFTag& text = Find(r.Tags, "Тег 1005");
        EXPECT_EQ(std::string(text.RawData.begin(), text.RawData.end()),
                  std::string("hello world", 12));

        EXPECT_TRUE(Find(r.Tags, "Тег 1006").RawData.empty());
        EXPECT_EQ(Find(r.Tags, "Тег 1006").Value.AsWords[0], 0xFFFE);
        const TTIFFTag& unknown = Find(r.Tags, "Тег 1007");
        EXPECT_EQ(static_cast<int>(unknown.DataType), 200);
        EXPECT_TRUE(unknown.RawData.empty());
        EXPECT_TRUE(Find(r.Tags, "Тег 1008").IsInline);
    }
}

struct TValuesCase {
    const char* Name;
    std::function<void(TTIFFBuilder&)> Change;
    uint16_t Photometric;
    bool HadRowsPerStrip;
};

class StructuralValues : public ::testing::TestWithParam<TValuesCase> {};

TEST_P(StructuralValues, DefaultsAndOptionalTags) {
    TTIFFBuilder b = MakeImage(2, 2, 1, {1, 2, 3, 4});
    GetParam().Change(b);
    TTempDir dir;
    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    const TLoadedTIFF image = tiff.LoadTIFFAsWords(dir.Write("v.tif", b.Build()));
    EXPECT_EQ(image.PhotometricInterpretation, GetParam().Photometric);
    EXPECT_EQ(tiff.GetOriginalHadRowsPerStrip(), GetParam().HadRowsPerStrip);
    EXPECT_EQ(Words(image), (std::vector<uint16_t>{1, 2, 3, 4}));
}

INSTANTIATE_TEST_SUITE_P(
    Reader, StructuralValues,
    ::testing::Values(
        TValuesCase{"AsWritten", [](B&) {}, 1, true},
        TValuesCase{"NoPhotometric", [](B& b) { b.Remove(tagid::PhotometricInterpretation); }, 1,
                    true},
        TValuesCase{"PhotometricAsRational",
                    [](B& b) {
                        b.Remove(tagid::PhotometricInterpretation)
                            .Add(tagid::PhotometricInterpretation, B::kRational, {2, 1});
                    },
                    1, true},
        TValuesCase{"PhotometricPassesThrough",
                    [](B& b) {
                        b.Remove(tagid::PhotometricInterpretation)
                            .Add(tagid::PhotometricInterpretation, B::kShort, {7});
                    },
                    7, true},
        TValuesCase{"LaterEntryWins",
                    [](B& b) { b.Add(tagid::PhotometricInterpretation, B::kLong, {0}); }, 0, true},
        TValuesCase{"NoRowsPerStrip", [](B& b) { b.Remove(tagid::RowsPerStrip); }, 1, false},
        TValuesCase{
            "UnreadableRowsPerStrip",
            [](B& b) {
                b.Remove(tagid::RowsPerStrip).AddRaw(tagid::RowsPerStrip, B::kLong, 2, 0x00FFFFFF);
            },
            1, false},
        TValuesCase{"NoPlanarConfiguration", [](B& b) { b.Remove(tagid::PlanarConfiguration); }, 1,
                    true},
        TValuesCase{
            "ValuesAsBytesAndLongs",
            [](B& b) {
                b.Remove(tagid::ImageWidth)
                    .Remove(tagid::ImageLength)
                    .Remove(tagid::SamplesPerPixel)
                    .Remove(tagid::BitsPerSample);
                b.Add(tagid::ImageWidth, B::kByte, {2}).Add(tagid::ImageLength, B::kLong, {2});
                b.Add(tagid::SamplesPerPixel, B::kSShort, {1})
                    .Add(tagid::BitsPerSample, B::kLong, {16});
            },
            1, true},
        TValuesCase{"SubIFDsOfTypeIFDNotFollowed",
                    [](B& b) {
                        const int sub = b.NewDirectory();
                        b.Add(sub, tagid::NewSubfileType, B::kLong, {1});
                        b.AddPointer(tagid::SubIFDs, {sub}, B::kIFD);
                    },
                    1, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(StructureReader, SubIFDsOfTypeIFDAreListedOnly) {
    TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8});
    const int sub = b.NewDirectory();
    b.Add(sub, tagid::NewSubfileType, B::kLong, {1});
    b.AddPointer(tagid::SubIFDs, {sub}, B::kIFD);
    TTempDir dir;
    const TLoadResult r = Load(dir.Write("ifd.tif", b.Build()));
    EXPECT_EQ(r.Tags.back().TagName, "Тег 330");
}

// Several values that fit in the value field are read from it: a grey-plus-alpha scan, a file
// of two strips, four tiny strips counted in BYTEs.
TEST(StructureReader, InlineArraysOfSeveralValues) {
    for (const bool mm : {false, true}) {
        const std::vector<uint16_t> words = PatternWords(8);
        TTIFFBuilder b = MakeImage(2, 2, 2, words, mm, false, 1); // two strips, BPS {16, 16}
        b.Remove(tagid::StripOffsets).Remove(tagid::StripByteCounts);
        b.Add(tagid::StripOffsets, B::kShort, {0, 0});
        b.Add(tagid::StripByteCounts, B::kShort, {8, 8});
        b.SetValues(tagid::StripOffsets, {b.BlobOffset(0), b.BlobOffset(1)});
        TTempDir dir;
        const TLoadResult r = Load(dir.Write("inline.tif", b.Build()));
        EXPECT_EQ(r.Image.SamplesPerPixel, 2);
        EXPECT_EQ(Words(r.Image), words);

        TTIFFBuilder four = MakeImage(1, 4, 1, {1, 2, 3, 4}, mm, false, 1);
        four.Remove(tagid::StripByteCounts).Add(tagid::StripByteCounts, B::kByte, {2, 2, 2, 2});
        EXPECT_EQ(Words(Load(dir.Write("bytes.tif", four.Build())).Image),
                  (std::vector<uint16_t>{1, 2, 3, 4}));
    }
}

TEST(StructureReader, WidthKeepsItsLow16Bits) {
    TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8});
    b.Remove(tagid::ImageWidth).Add(tagid::ImageWidth, B::kLong, {70000});
    TTempDir dir;
    EXPECT_EQ(LoadError(dir.Write("wide.tif", b.Build())),
              "ETIFFError: Недостаточно данных в стрипах"); // 4464 x 1 words expected
}

TEST(StructureReader, HeaderVersionIsNotExamined) {
    std::vector<uint8_t> f = MakeImage(2, 1, 1, {7, 8}).Build();
    f[2] = 43;
    TTempDir dir;
    EXPECT_EQ(Words(Load(dir.Write("v43.tif", f)).Image), (std::vector<uint16_t>{7, 8}));
}

// IFD0 moved to the very end of the file, without room for the next-directory offset.
TEST(StructureReader, IFD0EndingAtTheEndOfTheFile) {
    TTIFFBuilder b = MakeImage(2, 1, 1, {7, 8});
    std::vector<uint8_t> f = b.Build();
    const size_t entries = 10;
    const auto at = static_cast<uint32_t>(f.size());
    f.insert(f.end(), f.begin() + 8, f.begin() + 8 + 2 + 12 * entries);
    WriteNumber(f.data() + 4, at, false);
    TTempDir dir;
    EXPECT_EQ(Words(Load(dir.Write("end.tif", f)).Image), (std::vector<uint16_t>{7, 8}));
}

} // namespace
} // namespace vantrel::test
