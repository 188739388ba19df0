// vantrel-tiff crop --transform: turned, mirrored or inverted samples cut in the transformed
// image's coordinates, read back with libtiff; the source's Orientation is kept only when the
// transforms leave its orientation, else it becomes 1 (top left).
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/TempDir.h"

namespace vantrel::test {
namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (const char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int RunCli(const std::vector<std::string>& args) {
    std::string command = Quote(VANTREL_TIFF_CLI);
    for (const auto& a : args)
        command.append(" ").append(Quote(a));
    const int raw = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

struct TImage {
    int W = 0, H = 0, S = 0;
    std::vector<uint16_t> Words;
    uint16_t Px(int x, int y, int c) const { return Words[(size_t(y) * W + x) * S + c]; }
};

// The transforms written out pixel by pixel, independently of the kernels.
TImage Apply(const TImage& a, const std::string& t) {
    TImage b = a;
    if (t == "90cw" || t == "90ccw")
        std::swap(b.W, b.H);
    for (int y = 0; y < b.H; ++y)
        for (int x = 0; x < b.W; ++x)
            for (int c = 0; c < a.S; ++c) {
                uint16_t v = 0;
                if (t == "90cw")
                    v = a.Px(y, a.H - 1 - x, c);
                else if (t == "90ccw")
                    v = a.Px(a.W - 1 - y, x, c);
                else if (t == "180")
                    v = a.Px(a.W - 1 - x, a.H - 1 - y, c);
                else if (t == "flip")
                    v = a.Px(a.W - 1 - x, y, c);
                else
                    v = uint16_t(65535 - a.Px(x, y, c));
                b.Words[(size_t(y) * b.W + x) * b.S + c] = v;
            }
    return b;
}

TImage Cut(const TImage& a, int x0, int y0, int w, int h) {
    TImage b{w, h, a.S, {}};
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            for (int c = 0; c < a.S; ++c)
                b.Words.push_back(a.Px(x, y, c));
    return b;
}

TEST(CropTransformCli, WritesTheTransformedSamplesOfTheFrame) {
    struct {
        std::vector<std::string> Transforms;
        bool KeepsOrientation;
    } cases[] = {
        {{"90cw"}, false},        {{"90ccw"}, false},
        {{"180"}, false},         {{"flip"}, false},
        {{"invert"}, true},       {{"90cw", "90ccw"}, true},
        {{"flip", "flip"}, true}, {{"90cw", "flip", "invert"}, false},
    };
    TTempDir dir;
    for (const bool mm : {false, true}) {
        TLibTIFFImage source;
        source.Width = 7;
        source.Height = 5;
        source.Samples = 3;
        source.BigEndian = mm;
        source.ExtraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_ORIENTATION, 6); };
        const std::string in = dir.File(mm ? "mm.tif" : "ii.tif");
        const TImage original{7, 5, 3, WriteWithLibTIFF(in, source)};
        for (const auto& c : cases) {
            std::string name = mm ? "MM" : "II";
            std::vector<std::string> args{"crop", in, dir.File("out.tif"), "--frame", "1,2,3,2"};
            TImage expected = original;
            for (const auto& t : c.Transforms) {
                name += " " + t;
                args.insert(args.end(), {"--transform", t});
                expected = Apply(expected, t);
            }
            SCOPED_TRACE(name);
            ASSERT_EQ(RunCli(args), 0);
            const TLibTIFFRead out = ReadWithLibTIFF(dir.File("out.tif"));
            EXPECT_EQ(out.BigEndian, mm);
            EXPECT_EQ(out.Words, Cut(expected, 1, 2, 3, 2).Words);
            TIFF* tif = TIFFOpen(dir.File("out.tif").c_str(), "r");
            ASSERT_NE(tif, nullptr);
            uint16_t orientation = 0;
            EXPECT_TRUE(TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation));
            TIFFClose(tif);
            EXPECT_EQ(orientation, c.KeepsOrientation ? 6 : 1);
        }
    }
}

TEST(CropTransformCli, UnknownTransformIsAWrongArgument) {
    TTempDir dir;
    TLibTIFFImage source;
    const std::string in = dir.File("in.tif");
    WriteWithLibTIFF(in, source);
    EXPECT_EQ(RunCli({"crop", in, dir.File("out.tif"), "--transform", "45"}), 2);
    EXPECT_EQ(RunCli({"crop", in, dir.File("out.tif"), "--transform"}), 2);
}

} // namespace
} // namespace vantrel::test
