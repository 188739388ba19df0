// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "tiff/CropTIFFUnit.h"
#include "tiff/SampleWords.h"

namespace vantrel {

/// The image the window shows: sample words and their geometry.
struct TCurrentImage {
    TSharedWords Words; // null or empty when no image is loaded
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Samples = 0;       // 1 to 4 for every image that is shown
    uint16_t Photometric = 1;  // 0 WhiteIsZero, 1 BlackIsZero, 2 RGB
    uint16_t SampleFormat = 1; // 1 unsigned, 2 signed, 3 floating point (shown from 0.0 to 1.0)
};

/// \brief The image a load gives, its words taken over, not copied.
[[nodiscard]] inline TCurrentImage CurrentImageOf(TLoadedTIFF&& loaded) {
    return {std::make_shared<const TSampleWords>(std::move(loaded.PixelData)),
            loaded.Width,
            loaded.Height,
            loaded.SamplesPerPixel,
            loaded.PhotometricInterpretation,
            loaded.SampleFormat};
}

enum class TTransformType { tt90CW, tt90CCW, tt180, ttFlipH, ttInvert };

/// How the shown image is turned and mirrored relative to the file it was loaded from.
struct TImageTransformState {
    int32_t NetRotation = 0; // clockwise degrees: 0, 90, 180 or 270
    int32_t FlipHCount = 0;
};

} // namespace vantrel
