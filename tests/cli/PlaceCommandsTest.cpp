// SPDX-License-Identifier: MIT
// vantrel-tiff place, crop --place and batch on generated film scans: the printed format, the
// roll, the exit status with unreadable files and wrong arguments, the frame carried through a
// transform, and a batch that names its outputs as the window does, keeps existing files and
// goes on past a failed one; with --all a line for every picture of a strip scan and a file
// for each, under names that never meet an existing file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/StripOfFiles.h"
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

// The lines of `place --all`: FILE<TAB>X,Y,W,H or FILE<TAB>-, the rectangles of each file.
std::map<std::string, std::vector<std::vector<int>>>
PicturesByFile(const std::string& out, std::vector<std::string>& order) {
    static const std::regex line(R"(^(.+)\t(-|\d+,\d+,\d+,\d+)$)");
    std::map<std::string, std::vector<std::vector<int>>> found;
    std::istringstream in(out);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(text, m, line)) << text;
        if (m.empty())
            continue;
        if (order.empty() || order.back() != m[1])
            order.push_back(m[1]);
        std::vector<std::vector<int>>& pictures = found[m[1]];
        if (m[2] == "-")
            EXPECT_TRUE(pictures.empty()) << "a - line after pictures: " << text;
        else
            pictures.push_back(Numbers(m[2]));
    }
    return found;
}

TEST(PlaceCommand, AllPrintsEveryPictureOfEachFileInTheGivenOrder) {
    TTempDir dir;
    const std::vector<std::string> f = WriteRoll(dir);
    const std::string missing = dir.File("missing.tif");
    struct TCase {
        std::vector<std::string> Args;
        int Status;
        int Width = 0, Height = 0; // the frames' size with --size
    };
    const std::vector<TCase> cases = {
        {{"place", "--all", f[0], f[1], f[2]}, 0},
        {{"place", f[1], "--all", "--size", "301,201", f[0], missing}, 1, 301, 201},
    };
    for (const TCase& c : cases) {
        const TProgramRun run = RunProgram(kCli, dir, c.Args);
        EXPECT_EQ(run.Status, c.Status) << run.Err;
        std::vector<std::string> files, order;
        for (const std::string& a : c.Args)
            if (a.starts_with(dir.Path()))
                files.push_back(a);
        const auto found = PicturesByFile(run.Out, order);
        EXPECT_EQ(order, files) << run.Out; // each file once, in the order given
        EXPECT_TRUE(found.at(f[1]).empty()) << "the blank frame has no picture";
        if (found.contains(missing)) {
            EXPECT_TRUE(found.at(missing).empty());
            EXPECT_NE(run.Err.find("missing.tif"), std::string::npos) << run.Err;
        }
        EXPECT_FALSE(found.at(f[0]).empty()) << run.Out;
        for (const auto& [file, pictures] : found)
            for (const std::vector<int>& p : pictures) {
                ASSERT_EQ(p.size(), 4u);
                EXPECT_TRUE(p[0] >= 0 && p[1] >= 0 && p[2] > 0 && p[3] > 0) << file;
                if (c.Width > 0) {
                    EXPECT_EQ(p[2], c.Width);
                    EXPECT_EQ(p[3], c.Height);
                }
            }
    }
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"place", "--all"},
             {"place", "--all", "--size", "0,5", f[0]},
             {"batch", "--out", dir.File("o"), "--all", f[0]},
             {"batch", "--out", dir.File("o"), "--all", "--frame", "0,0,5,5", f[0]}})
        EXPECT_EQ(RunProgram(kCli, dir, wrong).Status, 2) << wrong[1] << " " << wrong.back();
}

TEST(BatchCommand, AllCutsEveryPictureUnderItsNumberAndKeepsExistingFiles) {
    TTempDir dir;
    const std::vector<std::string> f = WriteRoll(dir);
    const std::string out = dir.File("out");
    std::vector<std::string> order;
    const auto found =
        PicturesByFile(RunProgram(kCli, dir, {"place", "--all", f[0], f[2]}).Out, order);
    std::vector<std::string> expected; // the outputs, named by how many pictures each scan holds
    for (const std::string& file : {f[0], f[2]})
        for (const std::string& target :
             cli::PictureTargets(out + "/" + std::filesystem::path(file).filename().string(),
                                 found.at(file).size()))
            expected.push_back(target);
    ASSERT_FALSE(expected.empty());

    const std::vector<std::string> batch = {"batch", "--out",       out,    "--place", "101,71",
                                            "--all", "--transform", "90cw", f[0],      f[2]};
    TProgramRun run = RunProgram(kCli, dir, batch);
    EXPECT_EQ(run.Status, 0) << run.Err;
    for (const std::string& target : expected) {
        EXPECT_NE(run.Err.find(" -> " + target + " "), std::string::npos) << run.Err;
        const TProgramRun info = RunProgram(kCli, dir, {"info", target});
        EXPECT_EQ(info.Out.rfind("width=101\nheight=71\n", 0), 0u) << target << info.Out;
    }
    EXPECT_NE(run.Err.find(std::to_string(expected.size()) + " written, 0 failed"),
              std::string::npos)
        << run.Err;

    // Again: every output is there and kept, each refusal on a line of its own; --overwrite
    // replaces them.
    const std::vector<uint8_t> before = ReadFileBytes(expected.front());
    run = RunProgram(kCli, dir, batch);
    EXPECT_EQ(run.Status, 1);
    for (const std::string& target : expected)
        EXPECT_NE(run.Err.find(target + " exists (--overwrite replaces it)"), std::string::npos)
            << run.Err;
    EXPECT_EQ(ReadFileBytes(expected.front()), before);
    std::vector<std::string> overwrite = batch;
    overwrite.push_back("--overwrite");
    EXPECT_EQ(RunProgram(kCli, dir, overwrite).Status, 0);

    // A blank scan has no picture to cut: it fails and the others are still cut.
    run = RunProgram(
        kCli, dir, {"batch", "--out", dir.File("more"), "--place", "101,71", "--all", f[1], f[0]});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(std::string("[1/2] ").append(f[1]).append(": кадр не найден")),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("[2/2] " + f[0] + " -> "), std::string::npos) << run.Err;
}

} // namespace
} // namespace vantrel::test
