// SPDX-License-Identifier: MIT
// Loading a 9000 x 6000 RGB 16-bit scan (324 MB) from the page cache, in both byte orders and
// both layouts, against one read() of the whole file into a fresh buffer (the floor) and
// libtiff reading the strips into one buffer (plus the interleave for planar files).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include "bench/LibtiffScan.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace {

constexpr uint32_t kWidth = 9000, kHeight = 6000, kSamples = 3, kRowsPerStrip = 64;

struct TVariant {
    const char* Name;
    bool MM, Planar;
};
const TVariant kVariants[] = {
    {"II_chunky", false, false},
    {"MM_chunky", true, false},
    {"II_planar", false, true},
    {"MM_planar", true, true},
};

// The files are made once into the build folder and kept for later runs.
std::string FileFor(const TVariant& v) {
    const std::string path = std::string(VANTREL_BENCH_DATA) + "/load_" + v.Name + ".tif";
    if (std::filesystem::exists(path))
        return path;
    std::filesystem::create_directories(VANTREL_BENCH_DATA);
    vantrel::bench::WriteLibtiffScan(path, kWidth, kHeight, kSamples, v.MM, v.Planar, kRowsPerStrip,
                                     [](uint16_t p, uint32_t x, uint32_t y) {
                                         return static_cast<uint16_t>(x * 7 + y * 13 + p * 1000u);
                                     });
    return path;
}

// `huge`: the buffer is advised to use transparent huge pages, as the loader does for its
// result; without it the floor pays a 4 KiB page fault per page of the buffer.
void ReadFloor(benchmark::State& state, const TVariant& v, bool huge) {
    const std::string path = FileFor(v);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        struct stat st {};
        ::fstat(fd, &st);
        std::unique_ptr<char[]> buffer(new char[st.st_size]); // fresh, untouched pages
        if (huge) {
            const uintptr_t page = 2u << 20;
            const uintptr_t begin =
                (reinterpret_cast<uintptr_t>(buffer.get()) + page - 1) & ~(page - 1);
            const uintptr_t end = reinterpret_cast<uintptr_t>(buffer.get()) + st.st_size;
            if (end > begin + page)
                ::madvise(reinterpret_cast<void*>(begin), (end - begin) & ~(page - 1),
                          MADV_HUGEPAGE);
        }
        ssize_t done = 0;
        while (done < st.st_size) {
            const ssize_t n = ::read(fd, buffer.get() + done, st.st_size - done);
            if (n <= 0)
                break;
            done += n;
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * kSamples * 2);
}

void LibTIFF(benchmark::State& state, const TVariant& v) {
    const std::string path = FileFor(v);
    const size_t words = size_t{kWidth} * kHeight * kSamples;
    for (auto _ : state) {
        TIFF* tif = TIFFOpen(path.c_str(), "r");
        std::unique_ptr<uint16_t[]> buffer(new uint16_t[words]);
        const tstrip_t strips = TIFFNumberOfStrips(tif);
        auto* at = reinterpret_cast<uint8_t*>(buffer.get());
        for (tstrip_t s = 0; s < strips; ++s)
            at += TIFFReadEncodedStrip(tif, s, at, -1);
        TIFFClose(tif);
        if (v.Planar) {
            std::unique_ptr<uint16_t[]> chunky(new uint16_t[words]);
            const size_t plane = size_t{kWidth} * kHeight;
            for (size_t q = 0; q < plane; ++q)
                for (uint32_t c = 0; c < kSamples; ++c)
                    chunky[q * kSamples + c] = buffer[c * plane + q];
            buffer = std::move(chunky);
        }
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * kSamples * 2);
}

void Vantrel(benchmark::State& state, const TVariant& v) {
    const std::string path = FileFor(v);
    vantrel::TCatalogueTagDescriber describer;
    for (auto _ : state) {
        vantrel::TCropTIFF tiff(describer);
        vantrel::TLoadedTIFF image = tiff.LoadTIFFAsWords(path);
        benchmark::DoNotOptimize(image.PixelData.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * kSamples * 2);
}

// Collects the times so that the ratios to the floor can be printed after the table.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times, CpuTimes;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                Times[r.run_name.function_name] = r.GetAdjustedRealTime();
                CpuTimes[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    for (const TVariant& v : kVariants) {
        const std::string n = v.Name;
        benchmark::RegisterBenchmark(("Floor_read/" + n).c_str(), ReadFloor, v, false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("Floor_read_hugepages/" + n).c_str(), ReadFloor, v, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("LibTIFF/" + n).c_str(), LibTIFF, v)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("Vantrel/" + n).c_str(), Vantrel, v)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(5);
    }
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nMedian time over the read() floor of the same file, wall clock (CPU time in "
                "brackets).\nGoals: II chunky <= 1.10 and no slower than libtiff, MM chunky <= "
                "1.30, planar <= 1.60.\n");
    for (const TVariant& v : kVariants) {
        const std::string n = v.Name;
        const double floor = reporter.Times["Floor_read/" + n];
        if (floor <= 0)
            continue;
        const double cpuFloor = reporter.CpuTimes["Floor_read/" + n];
        const double hugeFloor = reporter.Times["Floor_read_hugepages/" + n];
        std::printf("  %-10s  vantrel %.2f x (%.2f x)   libtiff %.2f x (%.2f x)   vantrel over "
                    "the huge-page floor %.2f x\n",
                    v.Name, reporter.Times["Vantrel/" + n] / floor,
                    reporter.CpuTimes["Vantrel/" + n] / cpuFloor,
                    reporter.Times["LibTIFF/" + n] / floor,
                    reporter.CpuTimes["LibTIFF/" + n] / cpuFloor,
                    reporter.Times["Vantrel/" + n] / hugeFloor);
    }
    benchmark::Shutdown();
    return 0;
}
