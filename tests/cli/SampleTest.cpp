// SPDX-License-Identifier: MIT
// `vantrel-tiff sample`: the try-out scan reads back with libtiff and exiftool as a 16-bit RGB
// film frame with EXIF and GPS, and wrong arguments write nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Skips.h"
#include "tests/support/TempDir.h"

namespace vantrel::test {
namespace {

int RunShell(const std::string& command) {
    const int raw = std::system(command.c_str());
#if defined(_WIN32)
    return raw;
#else
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

std::string Sample(const TTempDir& dir, const std::string& args) {
    return std::string("'") + VANTREL_TIFF_CLI + "' sample " + args + " >" + dir.File("out") +
           " 2>&1";
}

std::string Capture(const std::string& command) {
    std::string out;
#if !defined(_WIN32)
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
#else
    (void)command;
#endif
    return out;
}

struct TPixel {
    double R, G, B;
};

TPixel At(const TLibTIFFRead& image, uint32_t x, uint32_t y) {
    const size_t k = (static_cast<size_t>(y) * image.Width + x) * 3;
    return {image.Words[k] / 65535.0, image.Words[k + 1] / 65535.0, image.Words[k + 2] / 65535.0};
}

TEST(SampleScan, ReadsBackAsAFilmFrameWithExifAndGps) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    TTempDir dir;
    const std::string path = dir.File("sample.tif");
    ASSERT_EQ(RunShell(Sample(dir, "'" + path + "' 400x280")), 0);

    const TLibTIFFRead image = ReadWithLibTIFF(path);
    EXPECT_EQ(image.Width, 400u);
    EXPECT_EQ(image.Height, 280u);
    EXPECT_EQ(image.Samples, 3);
    EXPECT_FALSE(image.BigEndian);

    // The margin beside the frame is orange film base; the frame's sky is lighter.
    const TPixel base = At(image, 20, 150);
    EXPECT_GT(base.R, base.G);
    EXPECT_GT(base.G, base.B);
    const TPixel sky = At(image, 120, 40);
    EXPECT_GT(sky.R + sky.G + sky.B, base.R + base.G + base.B + 0.5);
    // The sprocket holes along the top let the scanner's light through.
    double brightest = 0;
    for (uint32_t x = 0; x < image.Width; ++x) {
        const TPixel p = At(image, x, 15);
        brightest = std::max(brightest, p.R + p.G + p.B);
    }
    EXPECT_GT(brightest, 2.5);

    double exposure = 0, latitude = 0, longitude = 0;
    char date[32] = {};
    const std::string tags = Capture("exiftool -n -T -DateTimeOriginal -ExposureTime "
                                     "-GPSLatitude -GPSLongitude '" +
                                     path + "'");
    ASSERT_EQ(std::sscanf(tags.c_str(), "%19[0-9: ]\t%lf\t%lf\t%lf", date, &exposure, &latitude,
                          &longitude),
              4)
        << tags;
    EXPECT_STREQ(date, "2026:06:21 21:47:12");
    EXPECT_DOUBLE_EQ(exposure, 1.0 / 125);
    EXPECT_NEAR(latitude, 59 + 56 / 60.0 + 20.5 / 3600, 1e-6);
    EXPECT_NEAR(longitude, 30 + 18 / 60.0 + 59.0 / 3600, 1e-6);
}

TEST(SampleScan, WrongArgumentsWriteNothing) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const char* const cases[] = {"",
                                 "a.tif 10x10",
                                 "a.tif 400",
                                 "a.tif 400x280x3",
                                 "a.tif 70000x400",
                                 "a.tif 400x280 extra"};
    for (const char* args : cases) {
        TTempDir dir;
        const std::string command = "cd '" + dir.Path() + "' && " + Sample(dir, args);
        EXPECT_EQ(RunShell(command), 2) << args;
        EXPECT_FALSE(std::filesystem::exists(dir.File("a.tif"))) << args;
    }
}

} // namespace
} // namespace vantrel::test
