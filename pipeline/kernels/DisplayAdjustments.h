// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vantrel {

/// The display adjustments of the view: they shape the 8-bit rendering only.
struct TDisplayAdjustments {
    int32_t Brightness = 0;
    double SContrast = 0.0;
    double Gamma = 1.0;
    friend bool operator==(const TDisplayAdjustments&, const TDisplayAdjustments&) = default;
};

} // namespace vantrel
