// SPDX-License-Identifier: MIT
// fuzz_reader: any bytes given to the loader as a file. The structure parse, the pixel
// assembly and every record's display texts run on them; the load must end in a result that
// holds together or in one of the engine's exceptions, and the metadata table must be
// buildable from whatever tag list a parse leaves. The same bytes held in memory must load to
// the same words, and the rows read in the file's byte order must be those words as stored.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "fuzz/FuzzChecks.h"
#include "fuzz/MemoryFile.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/logic/TagTable.h"

using namespace vantrel;
using namespace vantrel::fuzz;

namespace {

void CheckTags(const std::vector<TTIFFTag>& tags, bool bigEndian) {
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
    const auto rows = BuildTagTableRows(tags, bigEndian);
    if (rows.size() < tags.size() + 1)
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
        CheckTags(tags, image.isBigEndian);
        CheckOtherReads(data, size, file.Path(), image, tags.size());
    } catch (const Exception&) {
        // A refusal, and the parse may have left its list (a failure in the pixel assembly):
        // the panel shows it, so it must hold together too.
        CheckTags(tiff.GetAllTags(), size >= 2 && data[0] == 'M');
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
