// SPDX-License-Identifier: MIT
// fuzz_roundtrip: every input that loads is (perhaps turned, mirrored or inverted and then)
// cut by a frame derived from its bytes, carried over in both modes and written; the written
// file must load again to exactly the cut words, in the source's byte order, and the save
// must leave nothing else behind. The same crop streamed from the input file must write the
// same file. Any difference is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "fuzz/MemoryFile.h"
#include "pipeline/crop/CropCore.h"
#include "pipeline/crop/FileCrop.h"
#include "pipeline/kernels/Transform.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

using namespace vantrel;
using namespace vantrel::fuzz;

namespace {

/// FNV-1a over the input: the same input always gets the same frame and transform.
uint64_t Hash(const uint8_t* data, size_t size) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

/// A number from 0 to n - 1 taken from the hash.
int32_t Take(uint64_t& h, int32_t n) {
    const int32_t v = static_cast<int32_t>(h % static_cast<uint64_t>(n));
    h = h / static_cast<uint64_t>(n) + (h >> 59) * 0x9E3779B97F4A7C15ull;
    return v;
}

const TCatalogueTagDescriber& Describer() {
    static const TCatalogueTagDescriber describer;
    return describer;
}

struct TReloaded {
    TLoadedTIFF Image;
    std::vector<TTIFFTag> Tags;
};

TReloaded Reload(const std::string& path) {
    TCropTIFF tiff(Describer());
    TReloaded r;
    try {
        r.Image = tiff.LoadTIFFAsWords(path);
    } catch (const Exception& e) {
        Finding(std::string("the written file does not load: ") + e.ClassName() + ": " +
                e.Message());
    }
    r.Tags = tiff.GetAllTags();
    return r;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t chunk[65536];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return bytes;
}

// The crop streamed from the input file writes the file that the save of the image in memory
// wrote (minimal tags: the full mode's entry holds the time of the save).
void CompareStreamed(TFileCropRequest streamed, const std::string& saved) {
    streamed.OutputFile = saved + ".streamed";
    try {
        (void)CropFileToFile(streamed);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const Exception& e) {
        Finding(std::string("the streamed crop failed: ") + e.ClassName() + ": " + e.Message());
    }
    if (ReadAll(streamed.OutputFile) != ReadAll(saved))
        Finding("the streamed crop wrote another file than the save of the image in memory");
    std::remove(streamed.OutputFile.c_str());
}

void SaveAndCompare(const TCropRequest& request, const TScratchFolder& folder,
                    const TFileCropRequest& streamed) {
    try {
        CropAndSave(request);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const Exception& e) {
        Finding(std::string("a loaded image was not saved (") +
                (request.MinimalTags ? "minimal" : "full") + " tags): " + e.ClassName() + ": " +
                e.Message());
    }
    if (folder.EntryCount() != 1)
        Finding("the save left " + std::to_string(folder.EntryCount()) + " files");

    const TSampleWords cut = CutFrame(request.Image, request.Frame);
    const TReloaded back = Reload(request.OutputFile);
    const TLoadedTIFF& img = back.Image;
    if (img.Width != request.Frame.W || img.Height != request.Frame.H ||
        img.SamplesPerPixel != request.Image.Samples)
        Finding("the written file has another geometry: " + std::to_string(img.Width) + "x" +
                std::to_string(img.Height) + "x" + std::to_string(img.SamplesPerPixel) + " for " +
                std::to_string(request.Frame.W) + "x" + std::to_string(request.Frame.H) + "x" +
                std::to_string(request.Image.Samples));
    if (img.isBigEndian != request.IsBigEndian)
        Finding("the written file has another byte order");
    // The photometric value is not compared: a PhotometricInterpretation entry whose 16-bit
    // type the reader refuses (its high byte set) is carried over with the type's low byte,
    // as every record is, and then reads back as a value the source never yielded.
    if (!std::equal(img.PixelData.begin(), img.PixelData.end(), cut.begin(), cut.end()))
        Finding("the written file's words differ from the cut");
    if (request.MinimalTags)
        CompareStreamed(streamed, request.OutputFile);
    std::remove(request.OutputFile.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TMemoryFile file;
    static TScratchFolder folder;
    file.Replace(data, size);

    TCropTIFF tiff(Describer());
    TLoadedTIFF loaded;
    try {
        loaded = tiff.LoadTIFFAsWords(file.Path());
    } catch (const Exception&) {
        return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // An image without samples is refused by the renderer, so the window never saves one.
    if (loaded.SamplesPerPixel < 1)
        return 0;

    try {
        TCropRequest request;
        request.IsBigEndian = IsBigEndianFile(file.Path());
        request.SourceTags = tiff.GetAllTags();
        request.SourcePages = tiff.GetFurtherPages();
        request.Image = CurrentImageOf(std::move(loaded));

        // Turn, mirror or invert first, as the window may have done before the save.
        uint64_t h = Hash(data, size);
        TImageTransformState state;
        TFileCropRequest streamed;
        streamed.InputFile = file.Path();
        streamed.MinimalTags = true;
        const int32_t transform = Take(h, 8); // 0 to 2: none
        if (transform >= 3 && request.Image.Samples <= 4) {
            const auto type = static_cast<TTransformType>(transform - 3);
            streamed.Transforms.push_back(type);
            TTransformResult turned =
                TransformWords(*request.Image.Words, request.Image.Width, request.Image.Height,
                               request.Image.Samples, type, 1);
            request.Image.Words = turned.NewWords;
            request.Image.Width = turned.NewWidth;
            request.Image.Height = turned.NewHeight;
            UpdateTransformState(state, type);
        }
        request.PreserveOriginalOrientation = PreserveOriginalOrientation(state);

        // A frame anywhere, even partly outside: the job clamps it as the window's frame is.
        const int32_t W = request.Image.Width, H = request.Image.Height;
        const int32_t x = Take(h, W + 2) - 1, y = Take(h, H + 2) - 1;
        const int32_t w = Take(h, W + 1) + 1, h2 = Take(h, H + 1) + 1;
        request.Frame = Take(h, 4) == 0 ? WholeImage(W, H) : ClampFrameToImage(x, y, w, h2, W, H);
        streamed.Frame = request.Frame;
        request.RemainingPercent = RemainingPercent(request.Frame, W, H);
        request.OutputFile = folder.Path() + "out.tif";

        // A file with further pages of its size is never saved, by either path, and leaves
        // nothing behind.
        if (std::any_of(request.SourcePages.begin(), request.SourcePages.end(),
                        [](const TFurtherPage& p) { return p.SameSize; })) {
            streamed.OutputFile = request.OutputFile;
            for (const bool inMemory : {true, false}) {
                try {
                    if (inMemory)
                        CropAndSave(request);
                    else
                        (void)CropFileToFile(streamed);
                    Finding("a file with further pages of its size was saved");
                } catch (const ETIFFError&) {
                }
                if (folder.EntryCount() != 0)
                    Finding("a refused save left a file");
            }
            return 0;
        }
        for (const bool minimal : {false, true}) {
            request.MinimalTags = minimal;
            SaveAndCompare(request, folder, streamed);
        }
    } catch (const std::bad_alloc&) {
    } catch (const Exception& e) {
        Finding(std::string("a loaded image could not be turned or cut: ") + e.ClassName() + ": " +
                e.Message());
    }
    return 0;
}
