// SPDX-License-Identifier: MIT
// The inputs the round-trip fuzzer found, replayed in every build: each file loads, is saved
// whole and cut in both carry-over modes, and the saved file loads again to exactly the cut
// words in the source's byte order.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "pipeline/crop/CropCore.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressions, SavedFilesLoadAgainToTheCutWords) {
    const fs::path folder = fs::path(VANTREL_FUZZ_CORPUS) / "fuzz_roundtrip";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("regression-"))
            continue;
        ++files;
        SCOPED_TRACE(name);
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        TLoadedTIFF loaded = tiff.LoadTIFFAsWords(entry.path().string());
        TCropRequest request;
        request.IsBigEndian = IsBigEndianFile(entry.path().string());
        request.SourceTags = tiff.GetAllTags();
        request.Image = CurrentImageOf(std::move(loaded));
        const TCurrentImage& image = request.Image;
        TTempDir dir;
        request.OutputFile = dir.File("out.tif");
        const TCropRect frames[] = {WholeImage(image.Width, image.Height),
                                    ClampFrameToImage(1, 1, image.Width / 2 + 1,
                                                      image.Height / 2 + 1, image.Width,
                                                      image.Height)};
        for (const TCropRect& frame : frames) {
            for (const bool minimal : {false, true}) {
                request.Frame = frame;
                request.MinimalTags = minimal;
                request.RemainingPercent = RemainingPercent(frame, image.Width, image.Height);
                CropAndSave(request);
                TCropTIFF again(describer);
                const TLoadedTIFF back = again.LoadTIFFAsWords(request.OutputFile);
                EXPECT_EQ(back.Width, frame.W);
                EXPECT_EQ(back.Height, frame.H);
                EXPECT_EQ(back.isBigEndian, request.IsBigEndian);
                const TSampleWords cut = CutFrame(request.Image, frame);
                EXPECT_TRUE(back.PixelData == cut) << (minimal ? "minimal" : "full");
            }
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
} // namespace vantrel::test
