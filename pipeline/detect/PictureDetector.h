// SPDX-License-Identifier: MIT
#pragma once

// Finds the picture area of a film scan: the exposed rectangle of one frame, bounded on every
// side by unexposed film (the rebate, the lines between frames) or by the image's border. It
// declines rather than guess: a frame left where it was is a small manual fix, a frame put on
// the rebate is not.

#include <cstdint>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/PictureEvidence.h"
#include "pipeline/detect/ScanReduction.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel {

/// Why no picture area was given.
enum class TPictureDecline {
    None,
    NoImage, // no samples, or too small to hold a frame
    Blank,   // the middle of the scan is film base: nothing was exposed there
    NoEdges, // no clear edge on every side of the picture
    Unsure,  // edges were found but do not hold together (tilt, size, content, rivals)
};

/// The answer for one scan.
struct TPictureDetection {
    bool Found = false;
    TCropRect Picture;     // in image pixels, when Found
    double Confidence = 0; // 0 to 1: the share of the picture's edges that agree
    TPictureDecline Reason = TPictureDecline::None;
    double TiltDegrees = 0; // the strip's turn in the holder, as measured
    bool FromRoll = false;  // placed with what the other scans of its roll share
};

/// What a roll keeps of a scan against one colour that may be its film base.
struct TBaseDistances {
    TBaseColour Base;
    TBandDistances AlongX, AlongY;
};

/// One scan examined alone, with what a roll needs to place it again later.
struct TScanAnalysis : TReducedGeometry {
    TPictureDetection Alone;
    bool Sure = false;                 // clear enough to lead the other scans of a roll
    std::vector<TBaseDistances> Bases; // the colours that may be the base, most common first
    int32_t Chosen = -1;               // the one Alone's picture was found against
};

/// Examines a reduced scan.
[[nodiscard]] TScanAnalysis AnalyseScan(const TReducedScan& scan);

/// Finds the picture area of a loaded image, alone.
[[nodiscard]] TPictureDetection DetectPicture(const TCurrentImage& image);

} // namespace vantrel
