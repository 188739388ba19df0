// SPDX-License-Identifier: MIT
// vantrel-tiff crop with --transform on files written by libtiff: the saved samples are the
// turned, mirrored or inverted source inside the frame, word for word; the Orientation tag is
// kept only when the turns and mirrorings cancel out; and a crop of a crop keeps the history
// of ProcessingSoftware behind its own entry.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"

namespace vantrel::test {
namespace {

constexpr uint16_t kSourceOrientation = 6;

/// An image in chunky order, with the transforms written out independently of the kernels.
struct TImage {
    int W = 0, H = 0, S = 0;
    std::vector<uint16_t> Words;
    uint16_t At(int x, int y, int c) const {
        return Words[(static_cast<size_t>(y) * W + x) * S + c];
    }
};

TImage Apply(const TImage& src, const std::string& transform) {
    const bool turns = transform == "90cw" || transform == "90ccw";
    TImage dst{turns ? src.H : src.W, turns ? src.W : src.H, src.S, {}};
    dst.Words.resize(src.Words.size());
    for (int y = 0; y < dst.H; ++y)
        for (int x = 0; x < dst.W; ++x)
            for (int c = 0; c < src.S; ++c) {
                uint16_t v = 0;
                if (transform == "90cw")
                    v = src.At(y, src.H - 1 - x, c);
                else if (transform == "90ccw")
                    v = src.At(src.W - 1 - y, x, c);
                else if (transform == "180")
                    v = src.At(src.W - 1 - x, src.H - 1 - y, c);
                else if (transform == "flip")
                    v = src.At(src.W - 1 - x, y, c);
                else // invert: colour complemented, the alpha of four samples kept
                    v = src.S == 4 && c == 3 ? src.At(x, y, c)
                                             : static_cast<uint16_t>(65535 - src.At(x, y, c));
                dst.Words[(static_cast<size_t>(y) * dst.W + x) * dst.S + c] = v;
            }
    return dst;
}

struct TTransformCase {
    const char* Name;
    uint16_t Samples;
    bool BigEndian;
    std::vector<std::string> Transforms;
    int X, Y, W, H; // the frame, in the transformed image's pixels
    bool KeepsOrientation;
};

class CropTransform : public ::testing::TestWithParam<TTransformCase> {};

TEST_P(CropTransform, SavesTheTransformedFrameWithTheOrientationRule) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const TTransformCase& c = GetParam();
    const TTempDir dir;
    TLibTIFFImage image;
    image.Width = 9;
    image.Height = 5;
    image.Samples = c.Samples;
    image.BigEndian = c.BigEndian;
    image.RowsPerStrip = 2;
    image.ExtraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_ORIENTATION, kSourceOrientation); };
    TImage expected{9, 5, c.Samples, WriteWithLibTIFF(dir.File("in.tif"), image)};

    std::string command = ShellQuote(VANTREL_TIFF_CLI) + " crop " + ShellQuote(dir.File("in.tif")) +
                          " " + ShellQuote(dir.File("out.tif"));
    for (const std::string& t : c.Transforms) {
        command += " --transform " + t;
        expected = Apply(expected, t);
    }
    command += " --frame " + std::to_string(c.X) + "," + std::to_string(c.Y) + "," +
               std::to_string(c.W) + "," + std::to_string(c.H);
    const auto [output, status] = RunShell(command + " 2>&1");
    ASSERT_EQ(status, 0) << output;

    const TLibTIFFRead out = ReadWithLibTIFF(dir.File("out.tif"));
    ASSERT_EQ(out.Width, static_cast<uint32_t>(c.W));
    ASSERT_EQ(out.Height, static_cast<uint32_t>(c.H));
    ASSERT_EQ(out.Samples, c.Samples);
    EXPECT_EQ(out.BigEndian, c.BigEndian);
    for (int y = 0; y < c.H; ++y)
        for (int x = 0; x < c.W; ++x)
            for (int s = 0; s < c.Samples; ++s)
                ASSERT_EQ(out.Words[(static_cast<size_t>(y) * c.W + x) * c.Samples + s],
                          expected.At(c.X + x, c.Y + y, s))
                    << "x " << x << " y " << y << " sample " << s;

    TIFF* tif = TIFFOpen(dir.File("out.tif").c_str(), "r");
    ASSERT_NE(tif, nullptr);
    uint16_t orientation = 0;
    EXPECT_TRUE(TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation));
    TIFFClose(tif);
    EXPECT_EQ(orientation, c.KeepsOrientation ? kSourceOrientation : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CropTransform,
    ::testing::Values(
        TTransformCase{"NoneKeeps", 3, false, {}, 1, 1, 6, 3, true},
        TTransformCase{"Cw", 3, false, {"90cw"}, 1, 2, 3, 6, false},
        TTransformCase{"CcwBigEndianGrey", 1, true, {"90ccw"}, 0, 3, 5, 4, false},
        TTransformCase{"HalfTurn", 3, true, {"180"}, 2, 1, 5, 3, false},
        TTransformCase{"Flip", 1, false, {"flip"}, 3, 0, 6, 5, false},
        TTransformCase{"InvertKeeps", 4, false, {"invert"}, 0, 0, 9, 5, true},
        TTransformCase{"CwThenCcwKeeps", 3, false, {"90cw", "90ccw"}, 2, 1, 4, 4, true},
        TTransformCase{"FlipTwiceKeeps", 1, true, {"flip", "invert", "flip"}, 1, 1, 7, 3, true},
        TTransformCase{"FlipThen180", 3, false, {"flip", "180"}, 0, 0, 9, 5, false},
        TTransformCase{
            "FourQuarterTurns", 3, true, {"90cw", "90cw", "90cw", "90cw"}, 4, 2, 5, 3, true},
        TTransformCase{"CwFlipInvert", 3, false, {"90cw", "flip", "invert"}, 0, 1, 5, 8, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CropTransformArguments, UnknownTransformIsAUsageError) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const TTempDir dir;
    WriteWithLibTIFF(dir.File("in.tif"), TLibTIFFImage{});
    for (const char* bad : {" --transform 45", " --transform", " --transform FLIP"}) {
        const auto [output, status] =
            RunShell(ShellQuote(VANTREL_TIFF_CLI) + " crop " + ShellQuote(dir.File("in.tif")) +
                     " " + ShellQuote(dir.File("out.tif")) + bad + " 2>&1");
        EXPECT_EQ(status, 2) << bad << output;
    }
}

std::string ProcessingSoftware(const std::string& file) {
    const auto [text, status] =
        RunShell("exiftool -s -s -s -ProcessingSoftware " + ShellQuote(file) + " 2>&1");
    EXPECT_EQ(status, 0) << text;
    return text;
}

// The second crop replaces the first one's entry and keeps the scanner's text behind it.
TEST(CropHistory, CropOfACropKeepsTheChain) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const TTempDir dir;
    TLibTIFFImage image;
    image.Width = 40;
    image.Height = 30;
    WriteWithLibTIFF(dir.File("scan.tif"), image);
    const auto [tagged, ok] = RunShell("exiftool -q -overwrite_original "
                                       "-ProcessingSoftware='Scanner 2.0' " +
                                       ShellQuote(dir.File("scan.tif")) + " 2>&1");
    ASSERT_EQ(ok, 0) << tagged;
    const std::string tool = ShellQuote(VANTREL_TIFF_CLI) + " crop ";
    const auto [first, firstStatus] =
        RunShell(tool + ShellQuote(dir.File("scan.tif")) + " " + ShellQuote(dir.File("a.tif")) +
                 " --frame 0,0,20,30 2>&1");
    ASSERT_EQ(firstStatus, 0) << first;
    const auto [second, secondStatus] =
        RunShell(tool + ShellQuote(dir.File("a.tif")) + " " + ShellQuote(dir.File("b.tif")) +
                 " --transform 90cw --frame 0,0,30,16 2>&1");
    ASSERT_EQ(secondStatus, 0) << second;

    const std::string entry = "Vantrel v1.0.1 (build 176, x64), trimmed by ";
    const std::string time = "dddd-dd-dd dd:dd:dd.ddd";
    for (const auto& [file, percent] : {std::pair<std::string, std::string>{"a.tif", "50.0"},
                                        std::pair<std::string, std::string>{"b.tif", "20.0"}}) {
        const std::string text = ProcessingSoftware(dir.File(file));
        const std::string head = entry + percent + "% at ";
        const std::string tail = " | Scanner 2.0\n";
        ASSERT_EQ(text.size(), head.size() + time.size() + tail.size()) << file << ": " << text;
        EXPECT_EQ(text.substr(0, head.size()), head) << text;
        EXPECT_EQ(text.substr(head.size() + time.size()), tail) << text;
        for (size_t i = 0; i < time.size(); ++i) {
            const char got = text[head.size() + i];
            EXPECT_TRUE(time[i] == 'd' ? got >= '0' && got <= '9' : got == time[i]) << text;
        }
    }
}

} // namespace
} // namespace vantrel::test
