// SPDX-License-Identifier: MIT
// vantrel-tiff place, crop --place and batch on generated film scans: the printed format, the
// roll, the exit status with unreadable files and wrong arguments, the frame carried through a
// transform, and a batch that names its outputs as the window does, keeps existing files and
// goes on past a failed one.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FilmScan.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"

namespace vantrel::test {
namespace {

const std::string kCli = VANTREL_TIFF_CLI;

// Three frames of a roll: two with pictures, the middle one blank.
std::vector<std::string> WriteRoll(const TTempDir& dir) {
    std::vector<std::string> files;
    std::vector<TScanRecipe> recipes = RollRecipes(0, 3, 700, 3);
    for (size_t k = 0; k < recipes.size(); ++k) {
        recipes[k].Exposure = k == 1 ? TExposure::Blank : TExposure::Normal;
        files.push_back(dir.File(std::string("f").append(std::to_string(k)).append(".tif")));
        WriteFilmScan(files.back(), DrawFilmScan(recipes[k]), recipes[k].BigEndian);
    }
    return files;
}

std::vector<int> Numbers(const std::string& text) {
    std::vector<int> v;
    int a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d", &a, &b, &c, &d) == 4)
        v = {a, b, c, d};
    return v;
}

TEST(PlaceCommand, PrintsALinePerFileInOrderAndExitsByWhatCouldBeRead) {
    TTempDir dir;
    const std::vector<std::string> f = WriteRoll(dir);
    const std::string missing = dir.File("missing.tif");

    TProgramRun run = RunProgram(kCli, dir, {"place", f[0], f[1], f[2]});
    EXPECT_EQ(run.Status, 0) << run.Err;
    const std::string first = std::string(f[0]).append("\t");
    const std::string second = std::string(f[1]).append("\t-\n");
    const std::string third = std::string(f[2]).append("\t");
    ASSERT_EQ(run.Out.rfind(first, 0), 0u) << run.Out;
    const size_t line2 = run.Out.find('\n') + 1;
    EXPECT_EQ(run.Out.substr(line2, second.size()), second);
    EXPECT_NE(run.Out.find(third, line2 + second.size()), std::string::npos);
    const std::vector<int> picture = Numbers(run.Out.substr(first.size()));
    ASSERT_EQ(picture.size(), 4u);

    run = RunProgram(kCli, dir, {"place", "--size", "300,200", f[0], missing});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("missing.tif"), std::string::npos);
    const std::vector<int> frame = Numbers(run.Out.substr(first.size()));
    ASSERT_EQ(frame.size(), 4u) << run.Out;
    EXPECT_EQ(frame[0], picture[0] + picture[2] / 2 - 150);
    EXPECT_EQ(frame[1], picture[1] + picture[3] / 2 - 100);
    EXPECT_EQ(frame[2], 300);
    EXPECT_EQ(frame[3], 200);
    EXPECT_NE(run.Out.find(std::string(missing).append("\t-\n")), std::string::npos);

    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"place"},
             {"place", "--size", "0,5", f[0]},
             {"place", "--size", "5", f[0]},
             {"place", "--bogus", f[0]},
             {"crop", f[0], "o.tif", "--place", "5,5", "--frame", "0,0,5,5"},
             {"batch", f[0]},
             {"batch", "--out", dir.Path(), "--place", "5,5", "--frame", "0,0,5,5", f[0]}})
        EXPECT_EQ(RunProgram(kCli, dir, wrong).Status, 2) << wrong.back();
}

TEST(PlaceCommand, CropPlacesTheFrameInTheTransformedImageOrRefuses) {
    TTempDir dir;
    const std::vector<std::string> f = WriteRoll(dir);
    TProgramRun run = RunProgram(kCli, dir, {"place", f[0]});
    const std::vector<int> p = Numbers(run.Out.substr(f[0].size() + 1));
    ASSERT_EQ(p.size(), 4u) << run.Out;
    run = RunProgram(kCli, dir, {"info", f[0]});
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(run.Out.c_str(), "width=%d\nheight=%d", &width, &height), 2);

    // Turned half way, the picture lies at the mirrored place and the frame is centred on it.
    const std::string placed = dir.File("placed.tif"), cut = dir.File("cut.tif");
    run = RunProgram(kCli, dir, {"crop", f[0], placed, "--transform", "180", "--place", "301,201"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::string mirrored = std::to_string(width - p[0] - p[2] + p[2] / 2 - 150);
    mirrored.append(",").append(std::to_string(height - p[1] - p[3] + p[3] / 2 - 100));
    mirrored.append(",301,201");
    ASSERT_EQ(RunProgram(kCli, dir, {"crop", f[0], cut, "--transform", "180", "--frame", mirrored})
                  .Status,
              0);
    ASSERT_EQ(RunProgram(kCli, dir, {"words", placed, dir.File("a.raw")}).Status, 0);
    ASSERT_EQ(RunProgram(kCli, dir, {"words", cut, dir.File("b.raw")}).Status, 0);
    EXPECT_EQ(ReadFileBytes(dir.File("a.raw")), ReadFileBytes(dir.File("b.raw")));

    run = RunProgram(kCli, dir, {"crop", f[1], dir.File("blank.tif"), "--place", "301,201"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("кадр не найден"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("blank.tif")));
}

TEST(PlaceCommand, FindsThePictureOfTheTryOutScan) {
    TTempDir dir;
    const std::string scan = dir.File("sample.tif");
    ASSERT_EQ(RunProgram(kCli, dir, {"sample", scan}).Status, 0);
    const TProgramRun run = RunProgram(kCli, dir, {"place", scan});
    const std::vector<int> p = Numbers(run.Out.substr(scan.size() + 1));
    ASSERT_EQ(p.size(), 4u) << run.Out;
    // The manual's picture area: 3375 x 2250 at 312, 275; each edge within 0.4 %.
    EXPECT_NEAR(p[0], 312, 14);
    EXPECT_NEAR(p[0] + p[2], 312 + 3375, 14);
    EXPECT_NEAR(p[1], 275, 9);
    EXPECT_NEAR(p[1] + p[3], 275 + 2250, 9);
}

TEST(BatchCommand, CropsTheRollKeepsExistingFilesAndGoesOnPastFailures) {
    TTempDir dir;
    const std::vector<std::string> f = WriteRoll(dir);
    const std::string out = dir.File("out");
    TProgramRun run =
        RunProgram(kCli, dir, {"batch", "--out", out, "--place", "301,201", f[0], f[1], f[2]});
    EXPECT_EQ(run.Status, 1); // the blank frame has no picture
    EXPECT_TRUE(std::filesystem::exists(out + "/f0.tif"));
    EXPECT_FALSE(std::filesystem::exists(out + "/f1.tif"));
    EXPECT_TRUE(std::filesystem::exists(out + "/f2.tif"));
    EXPECT_NE(run.Err.find(std::string("[2/3] ").append(f[1]).append(": кадр не найден")),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("2 written, 1 failed"), std::string::npos) << run.Err;

    // The file there is kept; --overwrite replaces it.
    run = RunProgram(kCli, dir, {"batch", "--out", out, "--frame", "0,0,50,40", f[0], f[2]});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("0 written, 2 failed"), std::string::npos) << run.Err;
    run =
        RunProgram(kCli, dir, {"batch", "--out", out, "--frame", "0,0,50,40", "--overwrite", f[0]});
    EXPECT_EQ(run.Status, 0) << run.Err;
    run = RunProgram(kCli, dir, {"info", out + "/f0.tif"});
    EXPECT_EQ(run.Out.rfind("width=50\nheight=40\n", 0), 0u) << run.Out;

    // In the sources' own folder the prefix and postfix name the outputs, and a source is
    // never replaced by its own crop.
    run = RunProgram(kCli, dir,
                     {"batch", "--out", dir.Path(), "--prefix", "c_", "--postfix", "_t", f[0]});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("c_f0_t.tif")));
    run = RunProgram(kCli, dir, {"batch", "--out", dir.Path(), "--overwrite", f[2]});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("its own source"), std::string::npos) << run.Err;
    // Another spelling of that folder is that folder: the prefix applies there too.
    const std::string again =
        dir.Path() + "/../" + std::filesystem::path(dir.Path()).filename().string();
    run = RunProgram(kCli, dir, {"batch", "--out", again, "--prefix", "d_", f[0]});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("d_f0.tif")));
}

} // namespace
} // namespace vantrel::test
