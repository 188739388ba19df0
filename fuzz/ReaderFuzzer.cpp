// SPDX-License-Identifier: MIT
// fuzz_reader: any bytes given to the loader as a file. The structure parse, the pixel
// assembly and every record's display texts run on them; the load must end in a result that
// holds together or in one of the engine's exceptions, and the metadata table must be
// buildable from whatever tag list a parse leaves. The same bytes held in memory must load to
// the same words, and the rows read in the file's byte order must be those words as stored.
// The picture detector runs on every image that loads, from the words and from the file's
// rows: both copies must agree, and a picture found must lie inside the image. The pictures of
// a strip, from the image and from its reduced copy, must each lie inside it, follow each other
// along the strip and never overlap.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "fuzz/MemoryFile.h"
#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/FramePlacement.h"
#include "pipeline/detect/RollPlacement.h"
#include "pipeline/detect/ScanReduction.h"
#include "pipeline/detect/StripDetector.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/logic/TagTable.h"

using namespace vantrel;
using namespace vantrel::fuzz;

namespace {

void CheckTags(const std::vector<TTIFFTag>& tags, bool bigEndian,
               const std::vector<TFurtherPage>& pages) {
    for (const TTIFFTag& tag : tags) {
        if (tag.TagName.empty())
            Finding("a record without a name, tag " + std::to_string(tag.TagID));
        for (const std::string* text : {&tag.TagName, &tag.DisplayValue, &tag.DisplayValueDecoded})
            if (!IsValidUtf8(*text))
                Finding("a display text of tag " + std::to_string(tag.TagID) +
                        " is not UTF-8: " + *text);
        if (!tag.IsInline && !tag.RawData.empty() &&
            tag.RawData.size() !=
                uint64_t(tag.Count) * uint64_t(TCropTIFF::GetDataTypeSize(tag.DataType)))
            Finding("raw data of tag " + std::to_string(tag.TagID) + " has " +
                    std::to_string(tag.RawData.size()) + " bytes for its count");
    }
    const auto rows = BuildTagTableRows(tags, bigEndian, pages);
    if (rows.size() < tags.size() + 1 + (pages.empty() ? 0 : pages.size() + 1))
        Finding("the table has fewer rows than tags");
    const std::string text = TagTableCopyAllText(rows);
    if (!IsValidUtf8(text))
        Finding("the table text is not UTF-8");
}

void CheckOtherReads(const uint8_t* data, size_t size, const std::string& path,
                     const TLoadedTIFF& image, size_t tagCount) {
    static const TCatalogueTagDescriber describer;
    TMappedFile held = TMappedFile::InMemory(size);
    std::copy(data, data + size, held.WritableData());
    TCropTIFF fromMemory(describer);
    const TLoadedTIFF again = fromMemory.LoadTIFFAsWords(std::move(held));
    if (again.PixelData != image.PixelData || fromMemory.GetAllTags().size() != tagCount)
        Finding("the bytes held in memory load to another image");

    if (image.PixelData.empty())
        return;
    TCropTIFF tiff(describer);
    const TMappedFile file = TCropTIFF::OpenForReading(path);
    const TSampleLayout layout = tiff.ReadSampleLayout(file);
    TSampleWords rows(image.PixelData.size());
    TSampleRows(file, layout).Read(0, layout.Height, 0, layout.Width, false, rows.data());
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i] != (layout.isBigEndian
                            ? uint16_t(image.PixelData[i] << 8 | image.PixelData[i] >> 8)
                            : image.PixelData[i])) {
            Finding("the rows in the file's byte order differ from the loaded words");
            return;
        }
}

bool InsideImage(const TCropRect& r, int32_t width, int32_t height) {
    return r.X >= 0 && r.Y >= 0 && r.W > 0 && r.H > 0 && int64_t(r.X) + r.W <= width &&
           int64_t(r.Y) + r.H <= height;
}

void CheckStrip(const TStripPictures& strip, int32_t width, int32_t height) {
    for (size_t k = 0; k < strip.Pictures.size(); ++k) {
        const TCropRect& r = strip.Pictures[k];
        if (!InsideImage(r, width, height))
            Finding("a picture of the strip outside the image");
        if (k == 0)
            continue;
        const TCropRect& before = strip.Pictures[k - 1];
        const bool inOrder = strip.Vertical ? before.Y < r.Y : before.X < r.X;
        const bool apart = int64_t(before.X) + before.W <= r.X || int64_t(r.X) + r.W <= before.X ||
                           int64_t(before.Y) + before.H <= r.Y || int64_t(r.Y) + r.H <= before.Y;
        if (!inOrder || !apart)
            Finding("the pictures of the strip overlap or are out of order");
    }
}

void CheckDetector(const std::string& path, const TLoadedTIFF& loaded) {
    if (loaded.SamplesPerPixel < 1 || loaded.SamplesPerPixel > 4 || loaded.PixelData.empty())
        return;
    TCurrentImage image;
    image.Width = loaded.Width;
    image.Height = loaded.Height;
    image.Samples = loaded.SamplesPerPixel;
    image.Photometric = loaded.PhotometricInterpretation;
    image.Words = std::make_shared<TSampleWords>(loaded.PixelData);
    const TReducedScan reduced = ReduceScan(image);
    TFileRows rows(path);
    if (ReduceScanFile(rows).Density != reduced.Density)
        Finding("the reduced copy from the file differs from the one from the words");
    CheckStrip(FindStripPictures(image), image.Width, image.Height);
    TFileRows stripRows(path);
    CheckStrip(FindStripPictures(ReduceStripScanFile(stripRows)), image.Width, image.Height);
    TRoll roll;
    roll.Add("alone", AnalyseScan(reduced));
    roll.Add("again", AnalyseScan(reduced));
    for (const TPictureDetection& found : {DetectPicture(image), roll.Place("alone")}) {
        if (!found.Found)
            continue;
        if (!InsideImage(found.Picture, image.Width, image.Height))
            Finding("a picture found outside the image");
        const TCropRect frame = PlaceFrame(found.Picture, 1, 1, image.Width, image.Height);
        if (!InsideImage(frame, image.Width, image.Height))
            Finding("a frame placed outside the image");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TMemoryFile file;
    static const TCatalogueTagDescriber describer;
    file.Replace(data, size);

    TCropTIFF tiff(describer);
    try {
        const TLoadedTIFF image = tiff.LoadTIFFAsWords(file.Path());
        // A file may declare no samples per pixel: it loads with no words, and the renderer
        // refuses it before it is ever shown.
        if (image.Width < 1 || image.Height < 1 || image.SamplesPerPixel < 0)
            Finding("an image of no size loaded");
        const uint64_t words =
            uint64_t(image.Width) * uint64_t(image.Height) * uint64_t(image.SamplesPerPixel);
        if (image.PixelData.size() != words)
            Finding("the sample words do not match the size");
        if (words > 1073741823u)
            Finding("an image above the word limit loaded");
        if (image.isBigEndian != (size >= 2 && data[0] == 'M'))
            Finding("the byte order differs from the file's mark");
        const auto tags = tiff.GetAllTags();
        if (tags.empty())
            Finding("a loaded file without tags");
        CheckTags(tags, image.isBigEndian, tiff.GetFurtherPages());
        CheckOtherReads(data, size, file.Path(), image, tags.size());
        CheckDetector(file.Path(), image);
    } catch (const Exception&) {
        // A refusal, and the parse may have left its list (a failure in the pixel assembly):
        // the panel shows it, so it must hold together too.
        CheckTags(tiff.GetAllTags(), size >= 2 && data[0] == 'M', tiff.GetFurtherPages());
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
