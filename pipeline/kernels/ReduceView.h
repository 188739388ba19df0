// SPDX-License-Identifier: MIT
#pragma once

// The smooth reduced copy of the view that the image view paints at rest.

#include <cstdint>
#include <span>
#include <vector>

#include "pipeline/kernels/DisplayAdjustments.h"
#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel {

/// An area-averaged reduction of a view bitmap to width × height pixels, written as
/// 0xFFRRGGBB words (rows `stride` words apart). Each target pixel is the mean of the source
/// area it covers, partly covered source pixels weighted by their share.
void ReduceAreaAverage(const TViewBitmap& source, int32_t width, int32_t height, uint32_t* target,
                       int64_t stride);

/// The size of a reduced copy; 0 × 0 for none.
struct TReducedSize {
    int32_t Width = 0, Height = 0;
};

/// A smooth reduced copy made apart from the view it stands for: its pixels as
/// ReduceAreaAverage writes them, rows without gap, and the adjustments it was rendered with.
struct TReducedView {
    TDisplayAdjustments Adjustments;
    int32_t Width = 0, Height = 0;
    std::vector<uint32_t> Pixels; // empty: none made
};

/// \brief The reduced copy of the view that RenderWordsToBitmap would make of these words, made
/// a band of rows at a time on the calling thread alone, so that the whole view is never held:
/// pixel for pixel ReduceAreaAverage of that view. Raises what RenderWordsToBitmap raises.
[[nodiscard]] TReducedView RenderReduced(std::span<const uint16_t> words, int32_t width,
                                         int32_t height, int32_t samples, uint16_t photometric,
                                         uint16_t sampleFormat,
                                         const TDisplayAdjustments& adjustments,
                                         int32_t reducedWidth, int32_t reducedHeight);

} // namespace vantrel
