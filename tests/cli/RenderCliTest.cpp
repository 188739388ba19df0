// SPDX-License-Identifier: MIT
// vantrel-tiff render run as a user runs it, on files written by libtiff.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cmath>
#include <cstdlib>
#include <string>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif
#include <vector>

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"

namespace vantrel::test {
namespace {

TProgramRun RunCli(const TTempDir& dir, const std::vector<std::string>& args) {
    return RunProgram(VANTREL_TIFF_CLI, dir, args);
}

// The display formula, written out independently of the renderer.
int Level(int high, int brightness, int contrastPos, int gammaPos) {
    const double gamma = std::pow(10.0, gammaPos / 100.0), s = contrastPos / 100.0;
    double v = high / 255.0;
    if (std::fabs(gamma - 1) > 1e-6 && high > 0)
        v = std::pow(v, gamma);
    if (std::fabs(s) > 1e-6)
        v = s * v * (v - 0.5) * (v - 1) + v;
    const double c = v * 255 + brightness;
    return c < 0 ? 0 : c > 255 ? 255 : static_cast<int>(std::nearbyint(c));
}

struct TPPM {
    int Width = 0, Height = 0;
    std::vector<uint8_t> RGB;
};

TPPM ReadPPM(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    TPPM p;
    int maxValue = 0, consumed = 0;
    const std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    if (std::sscanf(head.c_str(), "P6\n%d %d\n%d%n", &p.Width, &p.Height, &maxValue, &consumed) !=
            3 ||
        maxValue != 255 || consumed == 0)
        return {};
    p.RGB.assign(bytes.begin() + consumed + 1, bytes.end()); // one newline after 255
    return p;
}

TEST(RenderCli, WritesTheViewForEveryPosition) {
    TTempDir dir;
    struct TFile {
        const char* Name;
        uint16_t Samples, Photometric;
        bool BigEndian, Planar;
    };
    const TFile files[] = {
        {"grey", 1, 1, false, false},       {"white-is-zero", 1, 0, true, false},
        {"grey+alpha", 2, 1, false, false}, {"rgb", 3, 2, true, false},
        {"rgb planar", 3, 2, false, true},  {"rgba", 4, 2, false, false},
    };
    struct TPositions {
        int Brightness, Contrast, Gamma;
    };
    const TPositions positions[] = {{0, 0, 0},   {10, 0, 0},   {-255, 0, 0},
                                    {0, 100, 0}, {0, -500, 0}, {0, 500, 0},
                                    {0, 0, 100}, {0, 0, -100}, {37, -120, 45}};
    for (const TFile& f : files) {
        SCOPED_TRACE(f.Name);
        TLibTIFFImage image;
        image.Width = 7;
        image.Height = 5;
        image.Samples = f.Samples;
        if (f.Photometric == 0) // the helper's 0 means "by the samples": set it afterwards
            image.ExtraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, 0); };
        else
            image.Photometric = f.Photometric;
        image.BigEndian = f.BigEndian;
        image.Planar = f.Planar;
        for (uint32_t i = 0; i < 7 * 5 * f.Samples; ++i)
            image.Words.push_back(static_cast<uint16_t>(i * 2654435761u >> 7));
        const std::string tiff = dir.File("in.tif");
        const std::vector<uint16_t> words = WriteWithLibTIFF(tiff, image);
        for (const TPositions& p : positions) {
            SCOPED_TRACE(std::to_string(p.Brightness) + "/" + std::to_string(p.Contrast) + "/" +
                         std::to_string(p.Gamma));
            const std::string ppm = dir.File("out.ppm");
            const TProgramRun run =
                RunCli(dir, {"render", tiff, ppm, "--brightness", std::to_string(p.Brightness),
                             "--contrast", std::to_string(p.Contrast), "--gamma",
                             std::to_string(p.Gamma)});
            ASSERT_EQ(run.Status, 0) << run.Err;
            const TPPM out = ReadPPM(ppm);
            ASSERT_EQ(out.Width, 7);
            ASSERT_EQ(out.Height, 5);
            ASSERT_EQ(out.RGB.size(), size_t{7 * 5 * 3});
            for (size_t px = 0; px < 7 * 5; ++px) {
                const uint16_t* s = &words[px * f.Samples];
                auto level = [&](uint16_t sample) {
                    const int high = f.Photometric == 0 ? 255 - (sample >> 8) : sample >> 8;
                    return Level(high, p.Brightness, p.Contrast, p.Gamma);
                };
                const bool colour = f.Samples >= 3;
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(out.RGB[px * 3 + c], level(colour ? s[c] : s[0]))
                        << "pixel " << px << " channel " << c;
            }
        }
    }
}

TEST(RenderCli, ReportsErrorsAndWrongArguments) {
    TTempDir dir;
    TLibTIFFImage bad;
    bad.Width = 2;
    bad.Height = 2;
    bad.Samples = 3;
    bad.Photometric = 1; // three samples that claim to be grey
    const std::string tiff = dir.File("bad.tif");
    WriteWithLibTIFF(tiff, bad);
    TProgramRun run = RunCli(dir, {"render", tiff, dir.File("bad.ppm")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "Exception: Неподдерживаемая цветовая модель.\r\n"
                       "SamplesPerPixel = 3, PhotometricInterpretation = 1\n");
    EXPECT_TRUE(ReadFileBytes(dir.File("bad.ppm")).empty()) << "no view is written";

    run = RunCli(dir, {"render", dir.File("missing.tif"), dir.File("x.ppm")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err.rfind("ETIFFError: ", 0), 0u) << run.Err;

    const std::vector<std::vector<std::string>> wrong = {
        {"render", tiff},
        {"render", tiff, "a.ppm", "--brightness", "256"},
        {"render", tiff, "a.ppm", "--contrast", "-501"},
        {"render", tiff, "a.ppm", "--gamma", "101"},
        {"render", tiff, "a.ppm", "--gamma", "1.5"},
        {"render", tiff, "a.ppm", "--gamma"},
        {"render", tiff, "a.ppm", "--sharpen", "3"},
    };
    for (const auto& args : wrong)
        EXPECT_EQ(RunCli(dir, args).Status, 2) << args.back();
}

} // namespace
} // namespace vantrel::test
