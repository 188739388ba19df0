// SPDX-License-Identifier: MIT
#pragma once

// The smooth reduced copy of the view that the image view paints at rest.

#include <cstdint>

#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel {

/// An area-averaged reduction of a view bitmap to width × height pixels, written as
/// 0xFFRRGGBB words (rows `stride` words apart). Each target pixel is the mean of the source
/// area it covers, partly covered source pixels weighted by their share.
void ReduceAreaAverage(const TViewBitmap& source, int32_t width, int32_t height, uint32_t* target,
                       int64_t stride);

} // namespace vantrel
