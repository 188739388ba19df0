// SPDX-License-Identifier: MIT
// Saving a crop: 6000 × 4000 out of a 9000 × 6000 RGB 16-bit image held in memory, in both
// byte orders, against write() of the same bytes and against libtiff writing the same rows as
// one uncompressed strip. Every side writes a new file in the same folder and flushes it to
// disk (fsync) before it counts as done.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <tiffio.h>
#include <unistd.h>

#include "pipeline/crop/CropCore.h"
#include "tags/TagNumbers.h"
#include "tiff/CropTIFFUnit.h"

namespace {

using namespace vantrel;

constexpr int32_t kImageW = 9000, kImageH = 6000, kSamples = 3;
constexpr int32_t kCropW = 6000, kCropH = 4000;
constexpr TCropRect kFrame{1500, 1000, kCropW, kCropH};
constexpr size_t kCropBytes = size_t{kCropW} * kCropH * kSamples * 2;

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        // Beside the benchmark program, on the disk the build lives on, never in the sources.
        auto f = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bench_save_tmp";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

const TCurrentImage& SourceImage() {
    static const TCurrentImage image = [] {
        auto words = std::make_shared<TSampleWords>(size_t{kImageW} * kImageH * kSamples);
        for (size_t i = 0; i < words->size(); ++i)
            (*words)[i] = static_cast<uint16_t>(i * 2654435761u >> 16);
        return TCurrentImage{words, kImageW, kImageH, kSamples, 2};
    }();
    return image;
}

std::vector<TTIFFTag> PixelTags() {
    auto tag = &TCropTIFF::CreateShortTag;
    return {tag(tagid::Compression, 1), tag(tagid::PhotometricInterpretation, 2),
            tag(tagid::SamplesPerPixel, 3), tag(tagid::RowsPerStrip, 6000),
            tag(tagid::PlanarConfiguration, 1)};
}

void BM_WriteBaseline(benchmark::State& state) {
    // The bytes of the file already in one buffer: the least any save can do.
    std::vector<char> bytes(kCropBytes + 256, 1);
    const auto file = Folder() / "baseline.raw";
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                state.SkipWithError("write failed");
            done += static_cast<size_t>(n);
        }
        ::fsync(fd);
        ::close(fd);
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCropBytes));
}

void BM_SaveCrop(benchmark::State& state) {
    TCropRequest request;
    request.Image = SourceImage();
    request.Frame = kFrame;
    request.IsBigEndian = state.range(0) != 0;
    request.SourceTags = PixelTags();
    request.RemainingPercent = RemainingPercent(kFrame, kImageW, kImageH);
    request.OutputFile = Folder() / "crop.tif";
    for (auto _ : state) {
        CropAndSave(request);
        state.PauseTiming();
        std::filesystem::remove(request.OutputFile);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCropBytes));
}

// The same save with and without reading the written directory back before the rename: the
// price of never reporting a file that would not load as saved.
void BM_SaveReadBack(benchmark::State& state) {
    const TCurrentImage& image = SourceImage();
    const auto tags = TCropTIFF::BuildTagsForSaving(true, PixelTags(), kCropW, kCropH, kSamples,
                                                    false, true, 100, 2);
    const size_t stride = size_t{kImageW} * kSamples;
    const TCropTIFF::TWordRows rows{image.Words->data() + size_t{kFrame.Y} * stride +
                                        size_t{kFrame.X} * kSamples,
                                    size_t{kCropW} * kSamples, stride, kCropH};
    const auto check =
        state.range(0) != 0 ? TCropTIFF::TReadBack::Checked : TCropTIFF::TReadBack::Unchecked;
    const auto file = Folder() / "readback.tif";
    for (auto _ : state) {
        TCropTIFF::SaveWordsAsTIFF(file, kCropW, kCropH, kSamples, rows, false, tags.ExtraTags, {},
                                   check);
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCropBytes));
}

// A libtiff file for the cut: one strip of interleaved RGB samples.
TIFF* OpenLibtiffCut(const std::filesystem::path& file, bool bigEndian) {
    TIFF* tif = TIFFOpen(file.c_str(), bigEndian ? "wb" : "wl");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kCropW);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kCropH);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, kSamples);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, kCropH);
    return tif;
}

// Each iteration writes the cut into a new libtiff file with `write` and flushes it to disk
// (fsync), as a save does.
void TimeLibtiffSaves(benchmark::State& state, const char* name,
                      const std::function<void(TIFF*)>& write) {
    const bool bigEndian = state.range(0) != 0;
    const auto file = Folder() / name;
    for (auto _ : state) {
        TIFF* tif = OpenLibtiffCut(file, bigEndian);
        write(tif);
        TIFFFlush(tif);
        ::fsync(TIFFFileno(tif));
        TIFFClose(tif);
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCropBytes));
}

void BM_Libtiff(benchmark::State& state) {
    const TCurrentImage& image = SourceImage();
    // libtiff swaps big-endian rows in place, so it writes from a row buffer of its own.
    std::vector<uint16_t> row(size_t{kCropW} * kSamples);
    TimeLibtiffSaves(state, "libtiff.tif", [&](TIFF* tif) {
        for (int32_t y = 0; y < kCropH; ++y) {
            const uint16_t* source =
                image.Words->data() + (size_t(kFrame.Y + y) * kImageW + kFrame.X) * kSamples;
            std::memcpy(row.data(), source, row.size() * 2);
            if (TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) < 0)
                state.SkipWithError("libtiff failed");
        }
    });
}

// libtiff's fastest way: the whole cut already in one buffer, written as one strip.
void BM_LibtiffStrip(benchmark::State& state) {
    const TSampleWords cut = CutFrame(SourceImage(), kFrame);
    std::vector<uint16_t> strip(cut.begin(), cut.end());
    TimeLibtiffSaves(state, "libtiff-strip.tif", [&](TIFF* tif) {
        if (TIFFWriteEncodedStrip(tif, 0, strip.data(), static_cast<tmsize_t>(kCropBytes)) < 0)
            state.SkipWithError("libtiff failed");
    });
}

BENCHMARK(BM_WriteBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveCrop)
    ->ArgName("MM")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_SaveReadBack)
    ->ArgName("Checked")
    ->Arg(0)
    ->Arg(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_LibtiffStrip)
    ->ArgName("MM")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_Libtiff)
    ->ArgName("MM")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
