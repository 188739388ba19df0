// SPDX-License-Identifier: MIT
#pragma once

// The files given to `place`, `crop --place` and `batch --place` as one roll: the picture of
// each is found from a reduced copy read straight from the file, then placed with what the
// roll's other scans share.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/PictureDetector.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel::cli {

struct TPlacedScan {
    std::string File;
    std::optional<std::string> Error; // "<class>: <message>" when the file cannot be read
    int32_t Width = 0, Height = 0;    // of the file's image
    TPictureDetection Picture;        // in the file's pixels
};

/// Finds the picture of every file, the files taken as one roll, in the order given.
[[nodiscard]] std::vector<TPlacedScan> FindPicturesOfRoll(const std::vector<std::string>& files);

/// The frame of frameWidth × frameHeight centred on the scan's picture in the image as it is
/// after the transforms; nothing when no picture was found.
[[nodiscard]] std::optional<TCropRect>
FrameOnPicture(const TPlacedScan& scan, int32_t frameWidth, int32_t frameHeight,
               const std::vector<TTransformType>& transforms);

/// The frame of frameWidth × frameHeight centred on `picture`, found in an image of width ×
/// height, in the image as it is after the transforms.
[[nodiscard]] TCropRect FrameOnRect(const TCropRect& picture, int32_t width, int32_t height,
                                    int32_t frameWidth, int32_t frameHeight,
                                    const std::vector<TTransformType>& transforms);

} // namespace vantrel::cli
