// SPDX-License-Identifier: MIT
// The files the pictures of one scan are written to: one picture keeps the scan's output name,
// several are numbered along the strip and never share a file.
#include "cli/StripOfFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vantrel::cli {
namespace {

TEST(PictureTargets, OneKeepsTheNameSeveralAreNumberedAlongTheStrip) {
    struct TCase {
        std::string Target;
        size_t Count;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases = {
        {"/out/scan.tif", 0, {}},
        {"/out/scan.tif", 1, {"/out/scan.tif"}},
        {"/out/scan.tif", 2, {"/out/scan-1.tif", "/out/scan-2.tif"}},
        {"/out/c_scan_t.tif",
         3,
         {"/out/c_scan_t-1.tif", "/out/c_scan_t-2.tif", "/out/c_scan_t-3.tif"}},
        {"/out.d/scan", 2, {"/out.d/scan-1", "/out.d/scan-2"}},
    };
    for (const TCase& c : cases) {
        const std::vector<std::string> targets = PictureTargets(c.Target, c.Count);
        EXPECT_EQ(targets, c.Expected) << c.Target << " " << c.Count;
        EXPECT_EQ(std::set<std::string>(targets.begin(), targets.end()).size(), targets.size());
    }
    const std::vector<std::string> many = PictureTargets("scan.tif", 12);
    EXPECT_EQ(many[9], "scan-10.tif");
    EXPECT_EQ(many[11], "scan-12.tif");
}

} // namespace
} // namespace vantrel::cli
