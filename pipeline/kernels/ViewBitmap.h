// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

namespace vantrel {

/// The 8-bit view of an image: 24 bits per pixel, blue-green-red, rows from the top.
/// The window wraps the buffer in a QImage (Format_BGR888) without copying.
struct TViewBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    int64_t BytesPerLine = 0; // 3 × Width rounded up to a multiple of 4
    std::unique_ptr<uint8_t[]> Pixels;

    uint8_t* Row(int32_t y) { return Pixels.get() + y * BytesPerLine; }
    const uint8_t* Row(int32_t y) const { return Pixels.get() + y * BytesPerLine; }
};

} // namespace vantrel
