// SPDX-License-Identifier: MIT
#include "pipeline/kernels/ParallelRows.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace vantrel {

namespace {

// Below this many rows per thread, starting a thread costs more than it saves.
constexpr int64_t kMinRowsPerThread = 64;

} // namespace

unsigned DefaultKernelThreads() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

void ParallelRows(int64_t height, const std::function<void(int64_t, int64_t)>& fn, unsigned threads,
                  int64_t rowAlignment) {
    if (height <= 0)
        return;
    if (threads == 0)
        threads = DefaultKernelThreads();
    rowAlignment = std::max<int64_t>(rowAlignment, 1);
    const int64_t maxThreads = std::max<int64_t>(height / kMinRowsPerThread, 1);
    const int64_t count = std::min<int64_t>(threads, maxThreads);
    if (count <= 1) {
        fn(0, height);
        return;
    }
    // Band boundaries fall on multiples of rowAlignment so tiled kernels keep whole tiles.
    auto boundary = [&](int64_t i) {
        if (i >= count)
            return height;
        const int64_t raw = height * i / count;
        return std::min(height, raw / rowAlignment * rowAlignment);
    };
    std::vector<std::exception_ptr> errors(static_cast<size_t>(count));
    auto runBand = [&](int64_t i) {
        try {
            const int64_t first = boundary(i), end = boundary(i + 1);
            if (first < end)
                fn(first, end);
        } catch (...) {
            errors[static_cast<size_t>(i)] = std::current_exception();
        }
    };
    std::vector<std::thread> workers;
    int64_t started = 1;
    try {
        workers.reserve(static_cast<size_t>(count - 1));
        for (; started < count; ++started)
            workers.emplace_back(runBand, started);
    } catch (...) {
        // No thread to spare: the bands that got none run here, so the work is still done.
    }
    runBand(0);
    for (int64_t i = started; i < count; ++i)
        runBand(i);
    for (auto& w : workers)
        w.join();
    for (auto& e : errors)
        if (e)
            std::rethrow_exception(e);
}

} // namespace vantrel
