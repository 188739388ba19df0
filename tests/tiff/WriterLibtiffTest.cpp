// SPDX-License-Identifier: MIT
// Files of our writer read by an independent reader (libtiff) and checked by the usual tools.
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "tags/TagNumbers.h"
#include "tests/support/Shell.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

using test::RunShell;
using test::TShellResult;

std::string gLibtiffMessages;

void Collect(const char* module, const char* fmt, va_list ap) {
    char text[512];
    std::vsnprintf(text, sizeof text, fmt, ap);
    gLibtiffMessages += std::string(module ? module : "") + ": " + text + "\n";
}

struct TLibtiffFile {
    explicit TLibtiffFile(const std::filesystem::path& path) {
        gLibtiffMessages.clear();
        TIFFSetErrorHandler(Collect);
        TIFFSetWarningHandler(Collect);
        Handle = TIFFOpen(path.string().c_str(), "r");
    }
    ~TLibtiffFile() {
        if (Handle)
            TIFFClose(Handle);
    }
    TIFF* Handle = nullptr;
};

/// Runs a command and returns its output (stdout and stderr) and exit status.
TShellResult RunTool(const std::string& command) {
    return RunShell(command + " 2>&1");
}

struct TRoundTrip {
    int Samples;
    bool BigEndian;
};

class WriterLibtiff : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(WriterLibtiff, ReadsBackTheSameSamplesAndTags) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const auto [samples, be] = GetParam();
    const auto dir = test::TestFolder();
    const int32_t w = 37, h = 11; // odd sizes: no row happens to line up with anything
    std::vector<uint16_t> words(static_cast<size_t>(w) * h * samples);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>(i * 7919u + 13u);
    std::vector<TTIFFTag> extra = test::PixelTags(samples, be);
    extra.push_back(test::Ascii(tagid::Software, "Scanner 2.0 with a longer name"));
    extra.push_back(test::Short(tagid::Orientation, 6));
    std::vector<uint8_t> rational = {0, 0, 0x0B, 0xB8, 0, 0, 0, 1}; // 3000/1 in MM
    if (!be)
        rational = {0xB8, 0x0B, 0, 0, 1, 0, 0, 0};
    extra.push_back(test::OutOfLine(tagid::XResolution, TTIFFDataType::dtRational, 1, rational));
    const auto file = dir / "rt.tif";
    TCropTIFF::SaveWordsAsTIFF(file, w, h, samples, words, be, extra, {});

    TLibtiffFile tif(file);
    ASSERT_NE(tif.Handle, nullptr) << gLibtiffMessages;
    EXPECT_EQ(TIFFIsByteSwapped(tif.Handle) != 0, be);
    uint32_t width = 0, height = 0;
    uint16_t spp = 0, bps = 0, orientation = 0;
    char* software = nullptr;
    float xres = 0;
    TIFFGetField(tif.Handle, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.Handle, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tif.Handle, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetField(tif.Handle, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetField(tif.Handle, TIFFTAG_ORIENTATION, &orientation);
    ASSERT_TRUE(TIFFGetField(tif.Handle, TIFFTAG_SOFTWARE, &software));
    TIFFGetField(tif.Handle, TIFFTAG_XRESOLUTION, &xres);
    EXPECT_EQ(width, 37u);
    EXPECT_EQ(height, 11u);
    EXPECT_EQ(spp, samples);
    EXPECT_EQ(bps, 16);
    EXPECT_EQ(orientation, 6);
    EXPECT_STREQ(software, "Scanner 2.0 with a longer name");
    EXPECT_FLOAT_EQ(xres, 3000.0f);
    ASSERT_EQ(TIFFNumberOfStrips(tif.Handle), 1u);
    std::vector<uint16_t> read(words.size());
    const tmsize_t bytes = static_cast<tmsize_t>(read.size() * 2);
    ASSERT_EQ(TIFFReadEncodedStrip(tif.Handle, 0, read.data(), bytes), bytes);
    EXPECT_EQ(read, words);
    EXPECT_EQ(gLibtiffMessages, "");

    for (const char* tool : {"tiffinfo -D", "tiffdump"}) {
        const auto [output, status] = RunTool(std::string(tool) + " '" + file.string() + "'");
        EXPECT_EQ(status, 0) << tool << "\n" << output;
        EXPECT_EQ(output.find("rror"), std::string::npos) << tool << "\n" << output;
    }
}

INSTANTIATE_TEST_SUITE_P(SamplesAndOrders, WriterLibtiff,
                         ::testing::Values(TRoundTrip{1, false}, TRoundTrip{2, false},
                                           TRoundTrip{3, false}, TRoundTrip{4, false},
                                           TRoundTrip{1, true}, TRoundTrip{2, true},
                                           TRoundTrip{3, true}, TRoundTrip{4, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.Samples) +
                                    (info.param.BigEndian ? "MM" : "II");
                         });

/// A scanner-style source as the reader lists it: IFD0, then EXIF and GPS with their prefixes.
std::vector<TTIFFTag> ScannerSource(bool be) {
    using test::Ascii;
    using test::InlineTag;
    using test::OutOfLine;
    using test::Short;
    auto rational = [be](uint32_t num, uint32_t den) {
        std::vector<uint8_t> r(8);
        for (int i = 0; i < 4; ++i) {
            r[be ? 3 - i : i] = static_cast<uint8_t>(num >> (8 * i));
            r[be ? 7 - i : 4 + i] = static_cast<uint8_t>(den >> (8 * i));
        }
        return r;
    };
    auto named = [](TTIFFTag t, const std::string& name) {
        t.TagName = name;
        return t;
    };
    std::vector<TTIFFTag> tags = test::PixelTags(3, be);
    tags.push_back(Short(tagid::ImageWidth, 90));
    tags.push_back(Short(tagid::ImageLength, 60));
    tags.push_back(Short(tagid::RowsPerStrip, 60));
    tags.push_back(Ascii(tagid::Make, "Maker"));
    tags.push_back(Ascii(tagid::Model, "Film Scanner 9000"));
    tags.push_back(OutOfLine(tagid::XResolution, TTIFFDataType::dtRational, 1, rational(4000, 1)));
    tags.push_back(OutOfLine(tagid::YResolution, TTIFFDataType::dtRational, 1, rational(4000, 1)));
    tags.push_back(Short(tagid::ResolutionUnit, 2));
    tags.push_back(Ascii(tagid::DateTime, "2024:03:05 14:07:09"));
    tags.push_back(InlineTag(tagid::ExifIFD, TTIFFDataType::dtLong, 5000));
    tags.push_back(InlineTag(tagid::GPSInfo, TTIFFDataType::dtLong, 6000));
    tags.push_back(named(OutOfLine(tagid::DateTimeOriginal, TTIFFDataType::dtASCII, 20,
                                   std::vector<uint8_t>(20, '1')),
                         "→ EXIF: DateTimeOriginal"));
    tags.back().RawData = {'2', '0', '2', '4', ':', '0', '3', ':', '0', '5',
                           ' ', '1', '4', ':', '0', '7', ':', '0', '9', 0};
    TTIFFTag version = InlineTag(tagid::ExifVersion, TTIFFDataType::dtUndefined, 0, 4);
    std::copy_n("0230", 4, version.Value.AsBytes);
    tags.push_back(named(version, "→ EXIF: ExifVersion"));
    tags.push_back(named(InlineTag(tagid::PixelXDimension, TTIFFDataType::dtLong, 90),
                         "→ EXIF: PixelXDimension"));
    tags.push_back(named(InlineTag(tagid::PixelYDimension, TTIFFDataType::dtLong, 60),
                         "→ EXIF: PixelYDimension"));
    tags.push_back(named(InlineTag(tagid::InteroperabilityIFD, TTIFFDataType::dtLong, 7000),
                         "→ EXIF: InteropOffset"));
    TTIFFTag gpsVersion = InlineTag(tagid::GPSVersionID, TTIFFDataType::dtByte, 0, 4);
    gpsVersion.Value.AsBytes[0] = 2;
    gpsVersion.Value.AsBytes[1] = 3;
    tags.push_back(named(gpsVersion, "→ GPS: GPSVersionID"));
    tags.push_back(named(Ascii(tagid::GPSLatitudeRef, "N"), "→ GPS: GPSLatitudeRef"));
    std::vector<uint8_t> lat;
    for (auto part : {rational(55, 1), rational(45, 1), rational(0, 1)})
        lat.insert(lat.end(), part.begin(), part.end());
    tags.push_back(named(OutOfLine(tagid::GPSLatitude, TTIFFDataType::dtRational, 3, lat),
                         "→ GPS: GPSLatitude"));
    return tags;
}

TEST(WriterTools, FullModeFileWithExifAndGpsPassesValidation) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const auto dir = test::TestFolder();
    for (bool be : {false, true}) {
        const auto tags =
            TCropTIFF::BuildTagsForSaving(false, ScannerSource(be), 40, 30, 3, be, true, 22.2, 2);
        const std::vector<uint16_t> words(40 * 30 * 3, 0x8000);
        const auto file = dir / (be ? "mm.tif" : "ii.tif");
        TCropTIFF::SaveWordsAsTIFF(file, 40, 30, 3, words, be, tags.ExtraTags, tags.NestedIFDs);

        const auto [output, status] =
            RunTool("exiftool -validate -warning -error -a '" + file.string() + "'");
        EXPECT_EQ(status, 0) << output;
        EXPECT_NE(output.find("Validate"), std::string::npos) << output;
        EXPECT_EQ(output.find("Error"), std::string::npos) << output;
        const auto [values, ok] = RunTool("exiftool -s -s -s -ExifImageWidth -ExifImageHeight "
                                          "-GPSLatitude -n -ProcessingSoftware '" +
                                          file.string() + "'");
        EXPECT_EQ(ok, 0);
        EXPECT_NE(
            values.find("40\n30\n55.75\nVantrel v1.0.1 (build 176, x64), trimmed by 77.8% at "),
            std::string::npos)
            << values;

        TLibtiffFile tif(file);
        ASSERT_NE(tif.Handle, nullptr) << gLibtiffMessages;
        toff_t exifOffset = 0;
        ASSERT_TRUE(TIFFGetField(tif.Handle, TIFFTAG_EXIFIFD, &exifOffset));
        ASSERT_TRUE(TIFFReadEXIFDirectory(tif.Handle, exifOffset)) << gLibtiffMessages;
        uint32_t pixelX = 0;
        ASSERT_TRUE(TIFFGetField(tif.Handle, EXIFTAG_PIXELXDIMENSION, &pixelX));
        EXPECT_EQ(pixelX, 40u);
    }
}

} // namespace
} // namespace vantrel
