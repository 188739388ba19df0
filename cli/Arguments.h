// SPDX-License-Identifier: MIT
#pragma once

// The arguments the commands share: numbers, comma lists of numbers and transform names.

#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/kernels/CurrentImage.h"

namespace vantrel::cli {

/// A whole decimal number that fits int32_t, nothing else in the text.
bool ParseInt(const std::string& text, int32_t& value);

/// Exactly `count` such numbers separated by commas ("W,H", "X,Y,W,H").
bool ParseInts(const std::string& text, size_t count, std::vector<int32_t>& values);

/// A frame size "W,H", both at least 1.
bool ParseSize(const std::string& text, int32_t& width, int32_t& height);

/// 90cw, 90ccw, 180, flip or invert, appended to `transforms`.
bool ParseTransform(const std::string& text, std::vector<TTransformType>& transforms);

} // namespace vantrel::cli
