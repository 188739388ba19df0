// SPDX-License-Identifier: MIT
// The picture detector on a 9000 x 6000 RGB 16-bit film scan (324 MB) against the load of the
// same file, one thread each, in the same run: the detection of a loaded image (reduced copy
// and analysis) and the detection straight from the file (only the rows the reduced copy
// needs, read from the page cache). Goal: at most 0.2 x the load.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/PictureDetector.h"
#include "pipeline/detect/ScanReduction.h"
#include "tests/support/FilmScan.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace {

using namespace vantrel;

constexpr int32_t kScale = 6; // drawn at 1500 x 1000, each pixel made 6 x 6

// A film scan drawn small and enlarged: the generator's scan at full size would take minutes.
const std::string& ScanFile() {
    static const std::string path = [] {
        const std::string folder = std::string(VANTREL_BENCH_DATA);
        const std::string p = folder + "/detector-scan-9000x6000.tif";
        if (std::filesystem::exists(p))
            return p;
        std::filesystem::create_directories(folder);
        test::TScanRecipe recipe;
        recipe.Seed = 3;
        recipe.LongSide = 1500;
        const test::TFilmScan small = test::DrawFilmScan(recipe);
        test::TFilmScan big = small;
        big.Width = small.Width * kScale;
        big.Height = small.Height * kScale;
        big.Words.resize(size_t(big.Width) * big.Height * big.Samples);
        for (int32_t y = 0; y < big.Height; ++y)
            for (int32_t x = 0; x < big.Width; ++x)
                for (int32_t c = 0; c < big.Samples; ++c)
                    big.Words[(size_t(y) * big.Width + x) * big.Samples + c] =
                        small
                            .Words[(size_t(y / kScale) * small.Width + x / kScale) * small.Samples +
                                   c];
        test::WriteFilmScan(p + ".part", big, false);
        std::filesystem::rename(p + ".part", p);
        return p;
    }();
    return path;
}

std::map<std::string, std::vector<double>> gSeconds;

void Record(benchmark::State& state, const char* name, double seconds) {
    state.SetIterationTime(seconds);
    gSeconds[name].push_back(seconds);
}

template <typename F> double Timed(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_Load(benchmark::State& state) {
    TCatalogueTagDescriber describer;
    for (auto _ : state) {
        TCropTIFF reader(describer);
        TLoadedTIFF image;
        Record(state, "load", Timed([&] { image = reader.LoadTIFFAsWords(ScanFile()); }));
        benchmark::DoNotOptimize(image.PixelData.data());
    }
}

void BM_DetectLoaded(benchmark::State& state) {
    TCatalogueTagDescriber describer;
    TCropTIFF reader(describer);
    TLoadedTIFF loaded = reader.LoadTIFFAsWords(ScanFile());
    const TCurrentImage image = CurrentImageOf(std::move(loaded));
    for (auto _ : state) {
        TPictureDetection found;
        Record(state, "detect loaded", Timed([&] { found = DetectPicture(image); }));
        state.counters["found"] = found.Found;
    }
}

void BM_DetectFromFile(benchmark::State& state) {
    for (auto _ : state) {
        TScanAnalysis analysis;
        Record(state, "detect from file", Timed([&] {
                   TFileRows rows(ScanFile());
                   analysis = AnalyseScan(ReduceScanFile(rows));
               }));
        state.counters["found"] = analysis.Alone.Found;
    }
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

BENCHMARK(BM_Load)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_DetectLoaded)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_DetectFromFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

int main(int argc, char** argv) {
    (void)ScanFile();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double load = Median(gSeconds["load"]);
    std::printf("\nMedian seconds (min - max) and against the load:\n");
    for (const auto& [name, v] : gSeconds) {
        if (v.empty())
            continue;
        const auto [low, high] = std::minmax_element(v.begin(), v.end());
        std::printf("  %-18s %.3f (%.3f - %.3f) s  %.3f x load\n", name.c_str(), Median(v), *low,
                    *high, load > 0 ? Median(v) / load : 0.0);
    }
    return 0;
}
