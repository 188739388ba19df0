// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "pipeline/kernels/CurrentImage.h"
#include "tiff/SampleWords.h"

namespace vantrel {

/// The words of a transformed image and its new size.
struct TTransformResult {
    TSharedWords NewWords;
    int32_t NewWidth = 0;
    int32_t NewHeight = 0;
};

/// \brief Turns, mirrors or inverts an image word for word into a new array.
/// Raises Exception with "Invalid image dimensions or sample count", "SourceWords length
/// mismatch", "Unsupported transform type" or "Result too large", checked in that order and
/// before anything is allocated. `threads` 0 uses every hardware thread.
[[nodiscard]] TTransformResult TransformWords(std::span<const uint16_t> SourceWords, int32_t Width,
                                              int32_t Height, int32_t SamplesPerPixel,
                                              TTransformType Transform, unsigned threads = 0);

/// The kernel alone, into a caller's array of width × height × samples words, for arguments
/// that TransformWords has accepted. src and dst must not overlap.
void TransformWordsInto(const uint16_t* src, int32_t width, int32_t height, int32_t samples,
                        TTransformType transform, uint16_t* dst, unsigned threads = 0);

/// A point in image pixels: a frame position (left, top) or a frame size (width, height).
struct TPixelPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

/// Where the crop frame lies after a transform.
struct TFramePlacement {
    TPixelPoint Size;
    TPixelPoint Pos;
    friend bool operator==(const TFramePlacement&, const TFramePlacement&) = default;
};

/// \brief The frame of `frameSize` at `framePos` on an image of width × height, moved and
/// turned with the image so that it covers the same pixels. Nothing for ttInvert.
[[nodiscard]] std::optional<TFramePlacement> TransformFrame(TTransformType Transform,
                                                            TPixelPoint frameSize,
                                                            TPixelPoint framePos, int32_t width,
                                                            int32_t height);

/// Records a successful transform in the state; inversions leave it as it is.
void UpdateTransformState(TImageTransformState& state, TTransformType Transform);

/// True when the shown image has the orientation of its file: no net rotation and an even
/// number of mirrors, so a saved crop may keep the source's orientation tag.
[[nodiscard]] bool PreserveOriginalOrientation(const TImageTransformState& state);

} // namespace vantrel
