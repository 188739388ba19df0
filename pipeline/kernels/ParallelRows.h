// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

namespace vantrel {

/// Number of threads a kernel uses when the caller does not say: the hardware threads.
[[nodiscard]] unsigned DefaultKernelThreads();

/// Calls fn(firstRow, endRow) on disjoint bands that together cover rows [0, height), each
/// band on its own thread (the calling thread takes the first). `threads` 0 means
/// DefaultKernelThreads(); images too small to be worth a thread run on the caller alone.
/// An exception thrown by fn is passed on after every band has finished.
void ParallelRows(int64_t height, const std::function<void(int64_t, int64_t)>& fn,
                  unsigned threads = 0, int64_t rowAlignment = 1);

} // namespace vantrel
