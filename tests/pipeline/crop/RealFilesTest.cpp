// SPDX-License-Identifier: MIT
// Files as other programs write them (libtiff, tifffile), cropped by both paths a save takes:
// the image in memory (the window, a quarter turn) and the rows streamed from the file (the
// command line, batch). What every other reader sees must be what was shown and saved.
#include <gtest/gtest.h>

#include <tiffio.h>

#include <filesystem>
#include <memory>
#include <string>

#include "pipeline/crop/FileCrop.h"
#include "pipeline/kernels/Transform.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/Skips.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::test {
namespace {

TLoadedTIFF Load(const std::string& path, std::vector<TFurtherPage>* pages = nullptr) {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    TLoadedTIFF loaded = tiff.LoadTIFFAsWords(path);
    if (pages)
        *pages = tiff.GetFurtherPages();
    return loaded;
}

// The crop as the window makes it, from the whole image in memory.
void CropInMemory(const TFileCropRequest& r) {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    TLoadedTIFF loaded = tiff.LoadTIFFAsWords(r.InputFile);
    TCropRequest request;
    request.IsBigEndian = loaded.isBigEndian;
    request.SourceTags = tiff.GetAllTags();
    request.SourcePages = tiff.GetFurtherPages();
    request.Image = CurrentImageOf(std::move(loaded));
    request.Frame = r.Frame.value_or(WholeImage(request.Image.Width, request.Image.Height));
    request.MinimalTags = r.MinimalTags;
    request.OutputFile = r.OutputFile;
    CropAndSave(request);
}

// Both save paths, both tag modes: (in memory, minimal).
const std::pair<bool, bool> kPaths[] = {{true, false}, {true, true}, {false, false}, {false, true}};

void Crop(const TFileCropRequest& r, bool inMemory) {
    if (inMemory)
        CropInMemory(r);
    else
        (void)CropFileToFile(r);
}

std::vector<uint16_t> Cut(const std::vector<uint16_t>& words, int32_t width, int32_t samples,
                          const TCropRect& f) {
    std::vector<uint16_t> cut;
    for (int32_t y = f.Y; y < f.Y + f.H; ++y)
        for (int32_t x = f.X * samples; x < (f.X + f.W) * samples; ++x)
            cut.push_back(words[static_cast<size_t>(y * width * samples + x)]);
    return cut;
}

// Runs a tifffile script with the Debian python (its numpy and tifffile), in `dir`.
std::string Tifffile(const TTempDir& dir, const std::string& script) {
    const TShellResult r =
        RunShell("cd " + ShellQuote(dir.Path()) + " && /usr/bin/python3 -c " +
                 ShellQuote("import numpy as np, tifffile, json\n" + script) + " 2>&1");
    EXPECT_EQ(r.Status, 0) << r.Output;
    return r.Output;
}

std::string Warnings;
void CollectWarning(const char*, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    Warnings += text;
    Warnings += '\n';
}

// FillOrder 2 (bits of each byte lowest first, as libtiff writes it when asked): the words
// are the samples libtiff reads, and every save holds them in FillOrder 1.
TEST(RealFiles, FillOrder2IsReadAsEveryReaderReadsIt) {
    for (const bool be : {false, true}) {
        TTempDir dir;
        TLibTIFFImage image;
        image.Width = 7;
        image.Height = 5;
        image.BigEndian = be;
        image.ExtraTags = [](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_LSB2MSB);
        };
        const std::string source = dir.File("lsb.tif");
        const std::vector<uint16_t> written = WriteWithLibTIFF(source, image);
        ASSERT_EQ(ReadWithLibTIFF(source).Words, written);
        const TLoadedTIFF loaded = Load(source);
        EXPECT_EQ(std::vector<uint16_t>(loaded.PixelData.begin(), loaded.PixelData.end()), written);
        const TCropRect frame{2, 1, 4, 3};
        for (const auto& [inMemory, minimal] : kPaths) {
            SCOPED_TRACE(std::to_string(inMemory) + std::to_string(minimal));
            TFileCropRequest r{source, dir.File("out.tif"), {}, frame, minimal};
            Crop(r, inMemory);
            EXPECT_EQ(ReadWithLibTIFF(r.OutputFile).Words, Cut(written, 7, 1, frame));
            std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(r.OutputFile.c_str(), "r"),
                                                       &TIFFClose);
            uint16_t fillOrder = 0;
            TIFFGetFieldDefaulted(tif.get(), TIFFTAG_FILLORDER, &fillOrder);
            EXPECT_EQ(fillOrder, FILLORDER_MSB2LSB);
        }
    }
}

// Samples beyond the colour channels keep their ExtraSamples in both modes: libtiff reads the
// saved file without a word about the channel count.
TEST(RealFiles, ExtraSamplesStayWithTheirSamples) {
    for (const uint16_t samples : {2, 4}) {
        TTempDir dir;
        TLibTIFFImage image;
        image.Width = 6;
        image.Height = 4;
        image.Samples = samples;
        const std::string source = dir.File("alpha.tif");
        WriteWithLibTIFF(source, image);
        for (const auto& [inMemory, minimal] : kPaths) {
            SCOPED_TRACE(std::to_string(samples) + std::to_string(inMemory) +
                         std::to_string(minimal));
            TFileCropRequest r{source, dir.File("out.tif"), {}, TCropRect{1, 1, 3, 2}, minimal};
            Crop(r, inMemory);
            Warnings.clear();
            const TIFFErrorHandler before = TIFFSetWarningHandler(CollectWarning);
            std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(r.OutputFile.c_str(), "r"),
                                                       &TIFFClose);
            TIFFSetWarningHandler(before);
            ASSERT_NE(tif, nullptr);
            // ("Unknown field with tag 11": libtiff does not know ProcessingSoftware.)
            EXPECT_EQ(Warnings.find("ExtraSamples"), std::string::npos) << Warnings;
            uint16_t count = 0;
            uint16_t* kinds = nullptr;
            ASSERT_EQ(TIFFGetField(tif.get(), TIFFTAG_EXTRASAMPLES, &count, &kinds), 1);
            ASSERT_EQ(count, 1);
            EXPECT_EQ(kinds[0], EXTRASAMPLE_UNASSALPHA);
        }
    }
}

// tifffile trusts the shape its JSON description states: the crop's description states the
// saved shape (turned, too), and tifffile reads the crop as it was saved.
TEST(RealFiles, TifffileShapeIsRestated) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS(); // tifffile in Debian's python
    TTempDir dir;
    Tifffile(dir, "a = np.arange(30 * 40 * 3, dtype=np.uint16).reshape(30, 40, 3)\n"
                  "tifffile.imwrite('rgb.tif', a, photometric='rgb')\n");
    const struct {
        std::vector<TTransformType> Transforms;
        const char* Shape;
    } cases[] = {{{}, "[20, 10, 3]"}, {{TTransformType::tt90CW}, "[20, 10, 3]"}};
    for (const auto& c : cases) {
        TFileCropRequest r{dir.File("rgb.tif"), dir.File("out.tif"), c.Transforms,
                           TCropRect{5, 4, 10, 20}, false};
        (void)CropFileToFile(r);
        const TLoadedTIFF saved = Load(r.OutputFile);
        const std::string read = Tifffile(dir, "t = tifffile.TiffFile('out.tif')\n"
                                               "print(t.pages[0].description, t.series[0].shape,\n"
                                               "      t.asarray().ravel()[:2].tolist())\n");
        EXPECT_EQ(read, std::string("{\"shape\": ") + c.Shape + "} (20, 10, 3) [" +
                            std::to_string(saved.PixelData[0]) + ", " +
                            std::to_string(saved.PixelData[1]) + "]\n");
    }
}

// A second page of the same size (an infrared channel) is never lost without a word: every
// save refuses and names it; a thumbnail is left out as before. The file tells its pages.
TEST(RealFiles, PagesOfTheSameSizeAreNotLostThumbnailsAreLeftOut) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS(); // tifffile in Debian's python
    TTempDir dir;
    Tifffile(dir,
             "rgb = np.full((30, 40, 3), 1000, np.uint16)\n"
             "with tifffile.TiffWriter('ir.tif') as w:\n"
             "    w.write(rgb, photometric='rgb')\n"
             "    w.write(np.full((30, 40), 7, np.uint16))\n"
             "    w.write(np.zeros((8, 10, 3), np.uint16), photometric='rgb', subfiletype=1)\n"
             "with tifffile.TiffWriter('thumb.tif') as w:\n"
             "    w.write(rgb, photometric='rgb')\n"
             "    w.write(np.zeros((8, 10, 3), np.uint16), photometric='rgb', subfiletype=1)\n");
    std::vector<TFurtherPage> pages;
    (void)Load(dir.File("ir.tif"), &pages);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ((std::tuple{pages[0].Number, pages[0].Width, pages[0].Height, pages[0].SameSize}),
              (std::tuple{2u, 40u, 30u, true}));
    EXPECT_EQ((std::tuple{pages[1].Number, pages[1].Width, pages[1].Height, pages[1].SameSize}),
              (std::tuple{3u, 10u, 8u, false}));

    for (const auto& [inMemory, minimal] : kPaths)
        for (const bool turned : {false, true}) {
            SCOPED_TRACE(std::to_string(inMemory) + std::to_string(minimal) +
                         std::to_string(turned));
            TFileCropRequest r{dir.File("ir.tif"), dir.File("out.tif"), {}, {}, minimal};
            if (turned)
                r.Transforms = {TTransformType::tt90CW};
            try {
                Crop(r, inMemory && !turned);
                ADD_FAILURE() << "saved";
            } catch (const ETIFFError& e) {
                EXPECT_EQ(e.Message(),
                          "В файле есть другие страницы того же размера (2): сохраняется только "
                          "первая страница, и они были бы потеряны. Файл не сохранён");
            }
            EXPECT_FALSE(std::filesystem::exists(r.OutputFile));
            r.InputFile = dir.File("thumb.tif");
            Crop(r, inMemory && !turned);
            (void)Load(r.OutputFile, &pages);
            EXPECT_TRUE(pages.empty());
            std::filesystem::remove(r.OutputFile);
        }
}

// Signed and floating-point samples load with their format and are saved word for word with
// it; tifffile reads the values it wrote.
TEST(RealFiles, SignedAndFloatSamplesKeepTheirFormatAndWords) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS(); // tifffile in Debian's python
    TTempDir dir;
    Tifffile(dir, "tifffile.imwrite('i16.tif', np.array([[-12, 0, -32768, 32767]], np.int16))\n"
                  "tifffile.imwrite('f16.tif', np.array([[1.0, 0.5, 0.0, -1.0]], np.float16))\n");
    const struct {
        const char* File;
        uint16_t Format;
        const char* Values;
    } cases[] = {{"i16.tif", 2, "[[-12, 0, -32768, 32767]]"},
                 {"f16.tif", 3, "[[1.0, 0.5, 0.0, -1.0]]"}};
    for (const auto& c : cases)
        for (const auto& [inMemory, minimal] : kPaths) {
            SCOPED_TRACE(std::string(c.File) + std::to_string(inMemory) + std::to_string(minimal));
            EXPECT_EQ(Load(dir.File(c.File)).SampleFormat, c.Format);
            TFileCropRequest r{dir.File(c.File), dir.File("out.tif"), {}, {}, minimal};
            Crop(r, inMemory);
            EXPECT_EQ(Load(r.OutputFile).SampleFormat, c.Format);
            EXPECT_EQ(Tifffile(dir, "print(tifffile.imread('out.tif').tolist())"),
                      std::string(c.Values) + "\n");
        }
}

} // namespace
} // namespace vantrel::test
