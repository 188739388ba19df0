// SPDX-License-Identifier: MIT
// A crop streamed from file to file writes the file that a load, the transforms and a crop and
// save of the image in memory write, and refuses what they refuse.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>

#include "pipeline/crop/FileCrop.h"
#include "pipeline/kernels/Transform.h"
#include "tests/support/MinimalTagDescriber.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::test {
namespace {

using TT = TTransformType;

// The crop as the window makes it: the whole image in memory.
void CropInMemory(const TFileCropRequest& r) {
    TCropRequest request;
    request.IsBigEndian = IsBigEndianFile(r.InputFile);
    TCatalogueTagDescriber describer;
    TCropTIFF reader(describer);
    TLoadedTIFF loaded = reader.LoadTIFFAsWords(r.InputFile);
    request.SourceTags = reader.GetAllTags();
    request.SourcePages = reader.GetFurtherPages();
    TCurrentImage& image = request.Image;
    image = CurrentImageOf(std::move(loaded));
    TImageTransformState state;
    for (const TT t : r.Transforms) {
        TTransformResult turned =
            TransformWords(*image.Words, image.Width, image.Height, image.Samples, t);
        image = {turned.NewWords, turned.NewWidth, turned.NewHeight, image.Samples,
                 image.Photometric};
        UpdateTransformState(state, t);
    }
    request.Frame = r.Frame ? ClampFrameToImage(r.Frame->X, r.Frame->Y, r.Frame->W, r.Frame->H,
                                                image.Width, image.Height)
                            : WholeImage(image.Width, image.Height);
    request.MinimalTags = r.MinimalTags;
    request.PreserveOriginalOrientation = PreserveOriginalOrientation(state);
    request.RemainingPercent = RemainingPercent(request.Frame, image.Width, image.Height);
    request.OutputFile = r.OutputFile;
    CropAndSave(request);
}

// Equal but for the digits of the save's time in ProcessingSoftware.
::testing::AssertionResult SameSave(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "sizes " << a.size() << " and " << b.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && !(std::isdigit(a[i]) && std::isdigit(b[i])))
            return ::testing::AssertionFailure() << "byte " << i << " differs";
    return ::testing::AssertionSuccess();
}

std::string Error(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

TTIFFBuilder Scan(uint16_t samples, bool mm, bool planar) {
    TTIFFBuilder b = MakeImage(13, 11, samples, PatternWords(13 * 11 * samples), mm, planar, 4);
    b.AddText(0, 305, "Scanner 1.0");
    return b;
}

TEST(FileCrop, StreamedSaveIsTheSaveOfTheImageInMemory) {
    const struct {
        const char* Name;
        TTIFFBuilder File;
    } files[] = {
        {"II grey", Scan(1, false, false)},       {"MM RGB", Scan(3, true, false)},
        {"II grey+alpha", Scan(2, false, false)}, {"MM RGBA planar", Scan(4, true, true)},
        {"II RGB planar", Scan(3, false, true)},
    };
    const std::vector<TT> transforms[] = {{},
                                          {TT::tt180},
                                          {TT::ttFlipH},
                                          {TT::ttInvert},
                                          {TT::ttFlipH, TT::ttInvert, TT::tt180},
                                          {TT::tt180, TT::ttInvert},
                                          {TT::tt90CW, TT::ttFlipH}};
    const std::optional<TCropRect> frames[] = {std::nullopt, TCropRect{2, 3, 5, 6},
                                               TCropRect{-3, 9, 100, 4}};
    TTempDir dir;
    int n = 0;
    for (const auto& f : files) {
        const std::string in = dir.Write("in.tif", f.File.Build());
        for (const auto& t : transforms)
            for (const auto& frame : frames) {
                SCOPED_TRACE(testing::Message() << f.Name << ", case " << n);
                TFileCropRequest r{in, dir.File("streamed.tif"), t, frame, ++n % 2 == 0};
                const TCropRect written = CropFileToFile(r);
                TFileCropRequest reference = r;
                reference.OutputFile = dir.File("reference.tif");
                CropInMemory(reference);
                EXPECT_TRUE(
                    SameSave(ReadFileBytes(r.OutputFile), ReadFileBytes(reference.OutputFile)));
                EXPECT_GE(written.W, 1);
            }
    }
}

TEST(FileCrop, RefusesWhatTheLoadRefuses) {
    TTempDir dir;
    std::vector<uint8_t> cut = Scan(3, false, false).Build();
    cut.resize(cut.size() - 40);
    const std::string files[] = {dir.Write("cut.tif", cut), dir.File("missing.tif"),
                                 dir.Write("tiny.tif", {'M'}), dir.Path()};
    for (const std::string& in : files) {
        const TFileCropRequest r{in, dir.File("out.tif"), {}, std::nullopt, false};
        const std::string streamed = Error([&] { CropFileToFile(r); });
        EXPECT_NE(streamed, "") << in;
        EXPECT_EQ(streamed, Error([&] { CropInMemory(r); })) << in;
        EXPECT_FALSE(std::filesystem::exists(r.OutputFile));
    }
    // A frame of no size beyond the image is pulled to its edge, outside it.
    const TFileCropRequest outside{dir.Write("in.tif", Scan(3, false, false).Build()),
                                   dir.File("out.tif"),
                                   {},
                                   TCropRect{20, 20, 0, 0},
                                   false};
    EXPECT_EQ(Error([&] { CropFileToFile(outside); }),
              "ETIFFError: Рамка выходит за пределы изображения");
    EXPECT_EQ(Error([&] { CropInMemory(outside); }),
              "ETIFFError: Рамка выходит за пределы изображения");
}

} // namespace
} // namespace vantrel::test
