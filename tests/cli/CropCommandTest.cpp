// SPDX-License-Identifier: MIT
// vantrel-tiff crop on scanner-style files written by libtiff and tagged by exiftool: the
// saved file holds the source's samples inside the frame, in the source's byte order, with the
// tags of the chosen mode, and is read by libtiff, exiftool and ImageMagick without errors.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/Skips.h"
#include "tests/tiff/WriterTestUtil.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

test::TShellResult Shell(const std::string& command) {
    return test::RunShell(command + " 2>&1");
}

std::string Quote(const fs::path& p) {
    return test::ShellQuote(p.string());
}

struct TSource {
    int32_t W, H, Samples;
    bool BigEndian, Planar;
    std::vector<uint16_t> Words; // interleaved
};

/// A scan as a scanner would write it: libtiff for the pixels and the IFD0 tags, exiftool for
/// the EXIF and GPS directories.
TSource WriteSource(const fs::path& file, int32_t w, int32_t h, int32_t samples, bool be,
                    bool planar) {
    TSource s{w, h, samples, be, planar, {}};
    s.Words.resize(static_cast<size_t>(w) * h * samples);
    for (size_t i = 0; i < s.Words.size(); ++i)
        s.Words[i] = static_cast<uint16_t>(i * 2654435761u >> 13);
    test::TLibTIFFImage image;
    image.Width = static_cast<uint32_t>(w);
    image.Height = static_cast<uint32_t>(h);
    image.Samples = static_cast<uint16_t>(samples);
    image.Words = s.Words;
    image.Planar = planar;
    image.RowsPerStrip = 8;
    image.BigEndian = be;
    image.ExtraTags = [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_ORIENTATION, 6);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 4000.0);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 4000.0);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tif, TIFFTAG_SOFTWARE, "ScanSoft 2.0");
        const std::vector<uint8_t> icc(130, 7);
        TIFFSetField(tif, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(icc.size()), icc.data());
    };
    test::WriteWithLibTIFF(file.string(), image);
    const auto [out, status] =
        Shell("exiftool -q -overwrite_original -DateTimeOriginal='2024:03:05 14:07:09' "
              "-ExifImageWidth=" +
              std::to_string(w) + " -ExifImageHeight=" + std::to_string(h) +
              " -GPSLatitude=55.75 -GPSLatitudeRef=N -XMP-dc:Title=Roll " + Quote(file));
    EXPECT_EQ(status, 0) << out;
    return s;
}

struct TCropCase {
    const char* Name;
    int32_t Samples;
    bool BigEndian, Planar, Minimal;
    std::string Frame;  // "" for the whole image
    int32_t X, Y, W, H; // the frame after clamping
};

class CropCommand : public ::testing::TestWithParam<TCropCase> {};

TEST_P(CropCommand, WritesTheFrameWithTheModesTags) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const TCropCase& c = GetParam();
    const auto dir = test::TestFolder();
    const TSource source = WriteSource(dir / "scan.tif", 40, 30, c.Samples, c.BigEndian, c.Planar);
    std::string command = std::string(VANTREL_TIFF) + " crop " + Quote(dir / "scan.tif") + " " +
                          Quote(dir / "out.tif");
    command += c.Frame.empty() ? " --whole" : " --frame " + c.Frame;
    if (c.Minimal)
        command += " --minimal";
    const auto [output, status] = Shell(command);
    ASSERT_EQ(status, 0) << output;

    TIFF* tif = TIFFOpen((dir / "out.tif").string().c_str(), "r");
    ASSERT_NE(tif, nullptr);
    EXPECT_EQ(TIFFIsByteSwapped(tif) != 0, c.BigEndian);
    uint32_t w = 0, h = 0;
    uint16_t orientation = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
    ASSERT_EQ(w, static_cast<uint32_t>(c.W));
    ASSERT_EQ(h, static_cast<uint32_t>(c.H));
    EXPECT_EQ(TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation) != 0, !c.Minimal);
    std::vector<uint16_t> read(static_cast<size_t>(w) * h * c.Samples);
    const auto bytes = static_cast<tmsize_t>(read.size() * 2);
    EXPECT_EQ(TIFFReadEncodedStrip(tif, 0, read.data(), bytes), bytes);
    TIFFClose(tif);
    for (int32_t y = 0; y < c.H; ++y)
        for (int32_t x = 0; x < c.W * c.Samples; ++x)
            ASSERT_EQ(read[static_cast<size_t>(y) * c.W * c.Samples + x],
                      source.Words[(static_cast<size_t>(y + c.Y) * 40 + c.X) * c.Samples + x])
                << x << "," << y;

    const auto [tags, ok] = Shell("exiftool -s -s -s -n -ProcessingSoftware -ExifImageWidth "
                                  "-ExifImageHeight -GPSLatitude -Software " +
                                  Quote(dir / "out.tif"));
    EXPECT_EQ(ok, 0) << tags;
    if (c.Minimal) {
        EXPECT_EQ(tags, "") << tags;
    } else {
        EXPECT_EQ(tags.rfind("Vantrel v", 0), 0u) << tags;
        const std::string rest =
            "\n" + std::to_string(c.W) + "\n" + std::to_string(c.H) + "\n55.75\nScanSoft 2.0\n";
        EXPECT_TRUE(tags.ends_with(rest)) << tags;
    }
    const auto [validation, valid] =
        Shell("exiftool -validate -error -warning " + Quote(dir / "out.tif"));
    EXPECT_EQ(validation.find("Error"), std::string::npos) << validation;
    const auto [identify, identified] = Shell("identify " + Quote(dir / "out.tif"));
    // libtiff inside ImageMagick only warns about tag 11, which it does not know, and about a
    // SHORT PixelXDimension (EXIF allows SHORT or LONG): no error.
    EXPECT_EQ(identified, 0) << identify;
    EXPECT_EQ(identify.find("rror"), std::string::npos) << identify;
}

INSTANTIATE_TEST_SUITE_P(
    Scans, CropCommand,
    ::testing::Values(TCropCase{"RgbIIFrame", 3, false, false, false, "10,5,20,12", 10, 5, 20, 12},
                      TCropCase{"RgbMMPlanarFrameClamped", 3, true, true, false, "35,-4,20,12", 20,
                                0, 20, 12},
                      TCropCase{"GreyMMWhole", 1, true, false, false, "", 0, 0, 40, 30},
                      TCropCase{"RgbIIPlanarMinimal", 3, false, true, true, "0,0,8,8", 0, 0, 8, 8},
                      TCropCase{"GreyMMMinimalWhole", 1, true, false, true, "", 0, 0, 40, 30}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CropCommandErrors, ReportClassAndMessageWithStatus) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const auto dir = test::TestFolder();
    const std::string tool = VANTREL_TIFF;
    auto [missing, status] =
        Shell(tool + " crop " + Quote(dir / "none.tif") + " " + Quote(dir / "out.tif"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(missing.rfind("EOSError: ", 0), 0u) << missing;
    WriteSource(dir / "scan.tif", 4, 4, 1, false, false);
    auto [folder, folderStatus] =
        Shell(tool + " crop " + Quote(dir / "scan.tif") + " " + Quote(dir / "no" / "out.tif"));
    EXPECT_EQ(folderStatus, 1);
    EXPECT_EQ(folder.rfind("EOSError: ", 0), 0u) << folder;
    for (const char* bad : {" --frame 1,2,3", " --frame 1,2,3,4 --whole", ""}) {
        auto [usage, usageStatus] =
            Shell(tool + " crop " + Quote(dir / "scan.tif") + (*bad ? " x.tif" : "") + bad);
        EXPECT_EQ(usageStatus, 2) << bad << usage;
    }
    EXPECT_FALSE(fs::exists(dir / "out.tif"));
}

// Files from other programs through the command line: a damaged source that repeats its
// sample tags crops to a file of the same words in both modes; a second page of the same size
// is told by info and refused by crop, leaving no file; signed samples render around zero.
TEST(CropCommandErrors, FilesOfOtherProgramsAsTheUserMeetsThem) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS(); // runs vantrel-tiff through sh
    const auto dir = test::TestFolder();
    const std::string tool = VANTREL_TIFF;
    const std::string repeated =
        std::string(VANTREL_FUZZ_CORPUS) + "/fuzz_roundtrip/regression-duplicate-sample-tags.tif";
    ASSERT_EQ(Shell(tool + " words " + Quote(repeated) + " " + Quote(dir / "a.raw")).Status, 0);
    for (const char* mode : {"", " --minimal"}) {
        const auto [out, status] =
            Shell(tool + " crop " + Quote(repeated) + " " + Quote(dir / "c.tif") + mode);
        EXPECT_EQ(status, 0) << out;
        EXPECT_EQ(
            Shell(tool + " words " + Quote(dir / "c.tif") + " " + Quote(dir / "c.raw")).Status, 0);
        EXPECT_EQ(test::ReadBytes(dir / "c.raw"), test::ReadBytes(dir / "a.raw")) << mode;
    }

    ASSERT_EQ(Shell("cd " + Quote(dir) +
                    " && /usr/bin/python3 -c 'import numpy as np, tifffile\n"
                    "tifffile.imwrite(\"two.tif\", np.zeros((2, 30, 40), np.uint16))\n"
                    "tifffile.imwrite(\"i16.tif\", np.array([[-12, 0, 32767]], np.int16))'")
                  .Status,
              0);
    const auto [info, infoStatus] = Shell(tool + " info " + Quote(dir / "two.tif"));
    EXPECT_EQ(infoStatus, 0);
    EXPECT_NE(info.find("\npages=2\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Страница 2\t\t\t\t40 × 30\tтого же размера"), std::string::npos) << info;
    const auto [refused, status] =
        Shell(tool + " crop " + Quote(dir / "two.tif") + " " + Quote(dir / "t.tif"));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(refused, "ETIFFError: В файле есть другие страницы того же размера (2): сохраняется "
                       "только первая страница, и они были бы потеряны. Файл не сохранён\n");
    EXPECT_FALSE(fs::exists(dir / "t.tif"));

    ASSERT_EQ(
        Shell(tool + " render " + Quote(dir / "i16.tif") + " " + Quote(dir / "i16.ppm")).Status, 0);
    const std::vector<uint8_t> ppm = test::ReadBytes(dir / "i16.ppm");
    ASSERT_GE(ppm.size(), 9u);
    EXPECT_EQ(std::vector<uint8_t>(ppm.end() - 9, ppm.end()),
              (std::vector<uint8_t>{127, 127, 127, 128, 128, 128, 255, 255, 255}));
}

} // namespace
} // namespace vantrel
