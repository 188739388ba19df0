// SPDX-License-Identifier: MIT
// The floors of the window's batch cycle on a 9000 × 6000 RGB 16-bit scan (324 MB), each in warm
// and in cold memory: a read() of the file into a fresh buffer, a render into a fresh view and
// a write of the samples with fsync. Beside them the program's own steps over the same scan:
// the load (the words of the previous load kept, as when the window goes to the next scan) and
// the save of the whole image. Each step is reported as a multiple of its floor in the same
// regime of the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BatchFloors.h"
#include "bench/MemoryRegimes.h"
#include "bench/RangeReporter.h"
#include "pipeline/crop/CropCore.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace {

using namespace vantrel;
using namespace vantrel::bench;
using TClock = std::chrono::steady_clock;

const std::string& Folder() {
    static const std::string folder =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "data").string();
    return folder;
}

const std::string& Scan() {
    static const std::string path = BatchScan(Folder());
    return path;
}

TLoadedTIFF LoadScan() {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    return tiff.LoadTIFFAsWords(Scan());
}

const TCurrentImage& Image() {
    static const TCurrentImage image = [] {
        TLoadedTIFF loaded = LoadScan();
        return CurrentImageOf(std::move(loaded));
    }();
    return image;
}

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// One timed step per iteration, each from the regime's state of memory.
template <class F> void Step(benchmark::State& state, TRegime regime, F&& step) {
    (void)Image();
    for (auto _ : state) {
        EnterRegime(regime);
        state.SetIterationTime(step());
    }
}

double Load() {
    const auto start = TClock::now();
    const TLoadedTIFF loaded = LoadScan();
    benchmark::DoNotOptimize(loaded.PixelData.data());
    return Since(start);
}

double SaveWhole() {
    TCropRequest request;
    request.Image = Image();
    request.Frame = WholeImage(Image().Width, Image().Height);
    request.MinimalTags = true;
    request.OutputFile = Folder() + "/floors-save.tif";
    const auto start = TClock::now();
    CropAndSave(request);
    const double seconds = Since(start);
    std::filesystem::remove(request.OutputFile);
    return seconds;
}

const char* const kSteps[] = {"Floor_read", "Load", "Floor_render", "Floor_write_fsync",
                              "Save_whole"};
const std::map<std::string, std::string> kFloorOf = {{"Load", "Floor_read"},
                                                     {"Save_whole", "Floor_write_fsync"}};

void Register(TRegime regime) {
    const std::string r = RegimeName(regime);
    auto add = [&](const std::string& name, auto step) {
        benchmark::RegisterBenchmark((name + "/" + r).c_str(),
                                     [regime, step](benchmark::State& s) { Step(s, regime, step); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(5);
    };
    add("Floor_read", [] { return ReadFloorSeconds(Scan()); });
    add("Load", Load);
    add("Floor_render", [] {
        return RenderFloorSeconds(Image().Words, Image().Width, Image().Height, Image().Samples);
    });
    add("Floor_write_fsync", [] {
        return WriteFloorSeconds(Folder(), Image().Words->data(), Image().Words->size() * 2);
    });
    add("Save_whole", SaveWhole);
}

} // namespace

int main(int argc, char** argv) {
    Register(TRegime::Warm);
    Register(TRegime::Cold);
    benchmark::Initialize(&argc, argv);
    TRangeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nSeconds: median (min - max) of the repetitions; steps over the floor of their "
                "regime, by the medians.\n");
    for (const TRegime regime : {TRegime::Warm, TRegime::Cold}) {
        const std::string r = RegimeName(regime);
        for (const char* step : kSteps) {
            const std::string name = std::string(step) + "/" + r;
            std::vector<double> v = reporter.Seconds[name];
            if (v.empty())
                continue;
            std::sort(v.begin(), v.end());
            std::printf("  %-5s %-18s %.3f (%.3f - %.3f)", r.c_str(), step, reporter.Median(name),
                        v.front(), v.back());
            if (const auto floor = kFloorOf.find(step); floor != kFloorOf.end()) {
                const double f = reporter.Median(floor->second + "/" + r);
                if (f > 0)
                    std::printf("   %.2f x %s", reporter.Median(name) / f, floor->second.c_str());
            }
            std::printf("\n");
        }
    }
    benchmark::Shutdown();
    return 0;
}
