// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>

namespace vantrel {

/// The display adjustments of the view: they shape the 8-bit rendering only.
struct TDisplayAdjustments {
    int32_t Brightness = 0;
    double SContrast = 0.0;
    double Gamma = 1.0;
    friend bool operator==(const TDisplayAdjustments&, const TDisplayAdjustments&) = default;
};

// The positions of the three track bars that set them, 0 neutral: brightness (TrackBar1)
// -255..255, S-contrast (TrackBar2) -500..500, gamma (TrackBar3) -100..100.
inline constexpr int32_t BrightnessLimit = 255;
inline constexpr int32_t SContrastLimit = 500;
inline constexpr int32_t GammaLimit = 100;

/// \brief The S-contrast of a track-bar position: the position in hundredths.
[[nodiscard]] inline double SContrastFromPosition(int32_t position) {
    return position / 100.0;
}

/// \brief 10 raised to the power position / 100: the gamma of a track-bar position.
[[nodiscard]] inline double GammaFromPosition(int32_t position) {
    return std::pow(10.0, position / 100.0);
}

/// \brief The adjustments the three track-bar positions stand for.
[[nodiscard]] inline TDisplayAdjustments
AdjustmentsFromPositions(int32_t brightness, int32_t sContrastPosition, int32_t gammaPosition) {
    return {brightness, SContrastFromPosition(sContrastPosition), GammaFromPosition(gammaPosition)};
}

} // namespace vantrel
