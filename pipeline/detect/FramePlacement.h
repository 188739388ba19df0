// SPDX-License-Identifier: MIT
#pragma once

// Where a frame of a fixed size goes on a found picture, and what to tell the user when no
// picture was found.

#include <cstdint>
#include <string>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/PictureDetector.h"

namespace vantrel {

/// The top-left corner of a frameWidth × frameHeight frame centred on `picture` (the centre
/// kept as the window keeps it when the frame's size changes: half the picture, less half the
/// frame, rounded down), then pulled inside the image the way the window pulls a dragged
/// frame: at most the image less the frame, at least 0. The frame keeps its size; a crop
/// limits a frame larger than the image.
[[nodiscard]] TCropRect PlaceFrame(const TCropRect& picture, int32_t frameWidth,
                                   int32_t frameHeight, int32_t imageWidth, int32_t imageHeight);

/// Why no picture was found, for the status line and messages: "кадр не найден: ...".
[[nodiscard]] std::string PictureDeclineText(TPictureDecline reason);

} // namespace vantrel
