// SPDX-License-Identifier: MIT
// Transform and render kernels on a 9000 × 6000 scan, grey and RGB, against memcpy of the same
// bytes into an already-touched buffer (measured in this binary) and, for quarter turns, against
// the plain pixel loop. Each case reports its time as a multiple of that memcpy ("x_memcpy").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <vector>

#include "pipeline/kernels/KernelMemory.h"
#include "pipeline/kernels/Render.h"
#include "pipeline/kernels/Transform.h"

namespace {

using namespace vantrel;
using TClock = std::chrono::steady_clock;

constexpr int32_t kWidth = 9000;
constexpr int32_t kHeight = 6000;

struct TScan {
    TSampleWords Words;
    TSampleWords Touched; // a destination of the same size, written once before timing
    int32_t Samples;
};

TScan& Scan(int32_t samples) {
    static std::map<int32_t, TScan> scans;
    auto it = scans.find(samples);
    if (it == scans.end()) {
        TScan scan{TSampleWords(size_t(kWidth) * kHeight * samples),
                   TSampleWords(size_t(kWidth) * kHeight * samples), samples};
        std::mt19937 random(1);
        for (auto& w : scan.Words)
            w = static_cast<uint16_t>(random());
        std::fill(scan.Touched.begin(), scan.Touched.end(), uint16_t{0});
        it = scans.emplace(samples, std::move(scan)).first;
    }
    return it->second;
}

double Seconds(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// CPU time of the whole process: on a machine shared with other work, single-threaded cases
// are compared by it as well, since waiting for a core does not count.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct TBaseline {
    double Wall = 1e9, Cpu = 1e9;
};

// The fastest of several memcpy runs of the scan's bytes into its touched buffer.
TBaseline MemcpySeconds(int32_t samples) {
    static std::map<int32_t, TBaseline> cache;
    if (auto it = cache.find(samples); it != cache.end())
        return it->second;
    TScan& scan = Scan(samples);
    TBaseline best;
    for (int i = 0; i < 9; ++i) {
        const auto start = TClock::now();
        const double cpu = CpuSeconds();
        std::memcpy(scan.Touched.data(), scan.Words.data(), scan.Words.size() * 2);
        benchmark::ClobberMemory();
        best.Cpu = std::min(best.Cpu, CpuSeconds() - cpu);
        best.Wall = std::min(best.Wall, Seconds(start));
    }
    return cache[samples] = best;
}

// Runs `body` per iteration with manual timing and reports the ratio to memcpy.
template <class F> void Timed(benchmark::State& state, int32_t samples, F&& body) {
    const TBaseline baseline = MemcpySeconds(samples);
    double best = 1e9, bestCpu = 1e9;
    for (auto _ : state) {
        const auto start = TClock::now();
        const double cpu = CpuSeconds();
        body();
        benchmark::ClobberMemory();
        const double s = Seconds(start);
        bestCpu = std::min(bestCpu, CpuSeconds() - cpu);
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    // The fastest run against the fastest memcpy, by the clock and by CPU time.
    state.counters["x_memcpy"] = best / baseline.Wall;
    state.counters["x_memcpy_cpu"] = bestCpu / baseline.Cpu;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Scan(samples).Words.size()) * 2);
}

void BM_Memcpy(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    Timed(state, scan.Samples,
          [&] { std::memcpy(scan.Touched.data(), scan.Words.data(), scan.Words.size() * 2); });
}

void BM_Transform(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    const auto t = static_cast<TTransformType>(state.range(1));
    const auto threads = unsigned(state.range(2));
    Timed(state, scan.Samples, [&] {
        TransformWordsInto(scan.Words.data(), kWidth, kHeight, scan.Samples, t, scan.Touched.data(),
                           threads);
    });
}

// The plain loop: destination row by row, the source pixel from the mapping, a generic
// sample loop.
void Naive90CW(const uint16_t* src, int64_t w, int64_t h, int64_t s, uint16_t* dst) {
    const int64_t nw = h, nh = w;
    for (int64_t y = 0; y < nh; ++y)
        for (int64_t x = 0; x < nw; ++x) {
            const int64_t sx = y, sy = h - 1 - x;
            for (int64_t c = 0; c < s; ++c)
                dst[(y * nw + x) * s + c] = src[(sy * w + sx) * s + c];
        }
}

void BM_Naive90CW(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    Timed(state, scan.Samples, [&] {
        Naive90CW(scan.Words.data(), kWidth, kHeight, scan.Samples, scan.Touched.data());
    });
}

// Transform with its allocation: fresh pages included.
void BM_TransformWords(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    const auto t = static_cast<TTransformType>(state.range(1));
    const auto threads = unsigned(state.range(2));
    Timed(state, scan.Samples, [&] {
        auto r = TransformWords(scan.Words, kWidth, kHeight, scan.Samples, t, threads);
        benchmark::DoNotOptimize(r.NewWords->data());
    });
}

uint16_t Photometric(int32_t samples) {
    return samples >= 3 ? 2 : 1;
}

// Render into a touched bitmap; range(1) 0 neutral, 1 all three adjustments active.
void BM_Render(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    const bool active = state.range(1) != 0;
    const auto threads = unsigned(state.range(2));
    const TDisplayTable table = BuildDisplayTable(20, 1.5, GammaFromPosition(30));
    TViewBitmap bitmap = AllocateViewBitmap(kWidth, kHeight);
    std::memset(bitmap.Pixels.get(), 0, size_t(bitmap.BytesPerLine) * kHeight);
    Timed(state, scan.Samples, [&] {
        RenderWordsInto(scan.Words.data(), scan.Samples, Photometric(scan.Samples), 1,
                        active ? &table : nullptr, bitmap, threads);
    });
}

void BM_RenderWordsToBitmap(benchmark::State& state) {
    TScan& scan = Scan(int32_t(state.range(0)));
    const bool active = state.range(1) != 0;
    const auto threads = unsigned(state.range(2));
    Timed(state, scan.Samples, [&] {
        TViewBitmap bitmap = RenderWordsToBitmap(
            scan.Words, kWidth, kHeight, scan.Samples, Photometric(scan.Samples), 1,
            active ? 20 : 0, active ? 1.5 : 0.0, active ? GammaFromPosition(30) : 1.0, threads);
        benchmark::DoNotOptimize(bitmap.Pixels.get());
    });
}

void TransformArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"samples", "transform", "threads"});
    for (int samples : {1, 3})
        for (int t = 0; t <= 4; ++t)
            for (int threads : {1, 2})
                b->Args({samples, t, threads});
}

void RenderArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"samples", "active", "threads"});
    for (int samples : {1, 3})
        for (int active : {0, 1})
            for (int threads : {1, 2})
                b->Args({samples, active, threads});
}

} // namespace

BENCHMARK(BM_Memcpy)->ArgName("samples")->Arg(1)->Arg(3)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_Naive90CW)
    ->ArgName("samples")
    ->Arg(1)
    ->Arg(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transform)->Apply(TransformArgs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Render)->Apply(RenderArgs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransformWords)->Apply(TransformArgs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderWordsToBitmap)
    ->Apply(RenderArgs)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
