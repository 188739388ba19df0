// SPDX-License-Identifier: MIT
#pragma once

// Where the view draws the image and the crop frame, pixel for pixel; free of Qt.

#include <cstdint>
#include <vector>

#include "ui/logic/FrameLogic.h"

namespace vantrel {

/// The bitmap scaled to fit the view and centred: view pixels per image pixel, the drawn
/// size and its top-left corner in the view.
struct TViewLayout {
    double Scale = 0.0;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t DrawnWidth = 0;
    int32_t DrawnHeight = 0;
};

/// A rectangle in view pixels; right and bottom are excluded.
struct TViewRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TViewRect&, const TViewRect&) = default;
};

/// A straight run of frame pixels (one pixel wide or high) in colour 1 or 2.
struct TFrameRun {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int Colour = 1;
    friend bool operator==(const TFrameRun&, const TFrameRun&) = default;
};

[[nodiscard]] TViewLayout LayoutView(int32_t viewWidth, int32_t viewHeight, int32_t bitmapWidth,
                                     int32_t bitmapHeight);

/// The layout of the last repaint, rebuilt from its scale (the mouse works with it).
[[nodiscard]] TViewLayout LayoutForScale(int32_t viewWidth, int32_t viewHeight, int32_t bitmapWidth,
                                         int32_t bitmapHeight, double scale);

/// The frame rectangle in view pixels for the frame's position and size in image pixels.
[[nodiscard]] TViewRect FrameRectInView(const TViewLayout& layout, TPoint position, TPoint size);

/// Whether a view point lies in the rectangle (left and top included).
[[nodiscard]] bool RectContains(const TViewRect& rect, int32_t x, int32_t y);

/// The thin solid outline: rows Top and Bottom − 1, columns Left and Right − 1.
[[nodiscard]] std::vector<TFrameRun> SolidFrameRuns(const TViewRect& rect);

/// The two-colour dashed outline: each edge from its first corner, a dash of `dash` pixels
/// (the first half in colour 1, the rest in colour 2) and a gap of `gap` pixels.
[[nodiscard]] std::vector<TFrameRun> DashedFrameRuns(const TViewRect& rect, int32_t dash,
                                                     int32_t gap);

} // namespace vantrel
