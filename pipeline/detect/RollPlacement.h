// SPDX-License-Identifier: MIT
#pragma once

// The scans of one roll share the picture's size (the camera's gate) and sit at nearly the
// same place in the holder. A roll remembers what its clearly found pictures share and uses
// it for the scans that are unsure alone: it looks for a picture of the roll's size near the
// roll's place, and takes it only when the scan's own edges show it. A clearly found picture
// is never moved.

#include <cstddef>
#include <map>
#include <string>

#include "pipeline/detect/PictureDetector.h"

namespace vantrel {

/// The scans of one roll, each under a key of the caller's choosing (a file name, say).
/// Scans may be added in any order; each answer uses every scan added so far.
class TRoll {
public:
    /// Adds the analysis of a scan, replacing an earlier one under the same key.
    void Add(const std::string& key, TScanAnalysis analysis);

    /// Forgets a scan (nothing when the key is unknown).
    void Remove(const std::string& key);

    /// The picture area of the scan under `key`: its own when it is sure alone; else one of
    /// the roll's size found on it near the roll's place, or its own when that agrees with
    /// the roll; else a decline. An unknown key declines with NoImage.
    [[nodiscard]] TPictureDetection Place(const std::string& key) const;

    [[nodiscard]] size_t Size() const { return FScans.size(); }

private:
    std::map<std::string, TScanAnalysis> FScans;
};

} // namespace vantrel
