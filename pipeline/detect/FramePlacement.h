// SPDX-License-Identifier: MIT
#pragma once

// Where a frame of a fixed size goes on a found picture, and what to tell the user when no
// picture was found.

#include <cstdint>
#include <string>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/PictureDetector.h"

namespace vantrel {

/// The top-left corner of a frameWidth × frameHeight frame centred on `picture` as the window
/// keeps the centre when the frame's size changes, and kept inside the image as every move
/// keeps it (KeepCentre, ClampToImage). The frame keeps its size; a crop limits a frame larger
/// than the image.
[[nodiscard]] TCropRect PlaceFrame(const TCropRect& picture, int32_t frameWidth,
                                   int32_t frameHeight, int32_t imageWidth, int32_t imageHeight);

/// Why no picture was found, for the status line and messages: "кадр не найден: ...".
[[nodiscard]] std::string PictureDeclineText(TPictureDecline reason);

} // namespace vantrel
