// SPDX-License-Identifier: MIT
#pragma once

// The floors of the window's batch cycle (open, next, crop and save with its reload): the least
// that reading a scan, rendering it and writing a file durably can cost on this machine, each
// timed once from the state of memory it is given. A benchmark of the cycle sets each of its
// steps against the sum of the floors it contains.
#include <cstdint>
#include <string>

#include "tiff/SampleWords.h"

namespace vantrel::bench {

/// A 9000 × 6000 RGB 16-bit scan (324 MB of samples, one strip, little-endian) in `folder`,
/// written once and kept for later runs; returns its path.
std::string BatchScan(const std::string& folder);

/// Seconds of one read() of the whole file into a fresh buffer (huge pages advised): a load can
/// do no less.
double ReadFloorSeconds(const std::string& path);

/// Seconds of one render of the words into a fresh view bitmap on every hardware thread, the
/// display adjustments neutral: the least that showing a loaded scan costs.
double RenderFloorSeconds(const TSharedWords& words, int32_t width, int32_t height,
                          int32_t samples);

/// Seconds to write `bytes` bytes already in memory to a new file in `folder` and flush it to
/// disk (fsync): a save can do no less.
double WriteFloorSeconds(const std::string& folder, const void* data, uint64_t bytes);

} // namespace vantrel::bench
