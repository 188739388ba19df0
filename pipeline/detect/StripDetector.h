// SPDX-License-Identifier: MIT
#pragma once

// Finds every whole picture on a scan that holds several: a flatbed scan of a whole strip or
// of a holder's row. The pictures of one strip share their size and stand in a row along the
// strip, parted by lines of unexposed film; a picture cut by the scan's edge is left out,
// since no frame of the strip's size fits on it.

#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/PictureDetector.h"
#include "pipeline/detect/ScanReduction.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel {

/// The whole pictures of one scan.
struct TStripPictures {
    std::vector<TCropRect> Pictures;                // in image pixels, in order along the strip
    bool Vertical = false;                          // the strip runs from top to bottom
    TPictureDecline Reason = TPictureDecline::None; // why none was found, when empty
};

/// The pictures on a scan reduced to StripReducedLongSide (ReduceStripScan).
[[nodiscard]] TStripPictures FindStripPictures(const TReducedScan& scan);

/// The reduced copy FindStripPictures reads, of a loaded image or of a file read row by row.
[[nodiscard]] TReducedScan ReduceStripScan(const TCurrentImage& image);
[[nodiscard]] TReducedScan ReduceStripScanFile(TFileRows& rows);

/// The pictures on a loaded image.
[[nodiscard]] TStripPictures FindStripPictures(const TCurrentImage& image);

/// The pictures on the scans of one roll, in the scans' order: the scans of one frame each are
/// placed as a roll (TRoll), those of a whole strip each with its own strip's pictures.
[[nodiscard]] std::vector<TStripPictures>
FindStripPicturesOfRoll(const std::vector<TReducedScan>& scans);

} // namespace vantrel
