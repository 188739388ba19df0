// SPDX-License-Identifier: MIT
#pragma once

// The files given to `place --all` and `batch --all` as one roll of strip scans: every whole
// picture of each scan, found from a reduced copy read straight from the file, and the names
// the pictures of one scan are written under.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pipeline/detect/StripDetector.h"

namespace vantrel::cli {

struct TStripScan {
    std::string File;
    std::optional<std::string> Error; // "<class>: <message>" when the file cannot be read
    int32_t Width = 0, Height = 0;    // of the file's image
    TStripPictures Strip;             // in the file's pixels, in order along the strip
};

/// Finds the pictures of every file, the readable files taken as one roll, in the order given.
[[nodiscard]] std::vector<TStripScan> FindStripsOfRoll(const std::vector<std::string>& files);

/// The files the `count` pictures of one scan are written to: a single picture keeps `target`,
/// several get their number along the strip ("scan.tif" → "scan-1.tif", "scan-2.tif").
[[nodiscard]] std::vector<std::string> PictureTargets(const std::string& target, size_t count);

} // namespace vantrel::cli
