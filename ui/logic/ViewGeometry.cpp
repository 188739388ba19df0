// SPDX-License-Identifier: MIT
#include "ui/logic/ViewGeometry.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

TViewLayout LayoutView(int32_t viewWidth, int32_t viewHeight, int32_t bitmapWidth,
                       int32_t bitmapHeight) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0)
        return TViewLayout{};
    const double scale = std::min(static_cast<double>(viewWidth) / bitmapWidth,
                                  static_cast<double>(viewHeight) / bitmapHeight);
    return LayoutForScale(viewWidth, viewHeight, bitmapWidth, bitmapHeight, scale);
}

TViewLayout LayoutForScale(int32_t viewWidth, int32_t viewHeight, int32_t bitmapWidth,
                           int32_t bitmapHeight, double scale) {
    TViewLayout layout;
    layout.Scale = scale;
    layout.DrawnWidth = RoundEven(bitmapWidth * scale);
    layout.DrawnHeight = RoundEven(bitmapHeight * scale);
    layout.Left = (viewWidth - layout.DrawnWidth) / 2;
    layout.Top = (viewHeight - layout.DrawnHeight) / 2;
    return layout;
}

TViewRect FrameRectInView(const TViewLayout& layout, TPoint position, TPoint size) {
    TViewRect r;
    r.Left = layout.Left + RoundEven(position.X * layout.Scale);
    r.Top = layout.Top + RoundEven(position.Y * layout.Scale);
    r.Right = r.Left + RoundEven(size.X * layout.Scale);
    r.Bottom = r.Top + RoundEven(size.Y * layout.Scale);
    return r;
}

bool RectContains(const TViewRect& rect, int32_t x, int32_t y) {
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

std::vector<TFrameRun> SolidFrameRuns(const TViewRect& r) {
    std::vector<TFrameRun> runs;
    const int32_t w = r.Right - r.Left;
    const int32_t h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0)
        return runs;
    runs.push_back({r.Left, r.Top, w, 1, 1});
    runs.push_back({r.Left, r.Bottom - 1, w, 1, 1});
    runs.push_back({r.Left, r.Top, 1, h, 1});
    runs.push_back({r.Right - 1, r.Top, 1, h, 1});
    return runs;
}

namespace {

struct TIntPoint {
    int32_t X, Y;
};

// The pixels of a line from a to b, b excluded. Frame edges are horizontal or vertical,
// so the line is a run along one axis.
void AddLine(std::vector<TFrameRun>& runs, TIntPoint a, TIntPoint b, int colour) {
    if (a.X == b.X && a.Y == b.Y)
        return;
    if (a.Y == b.Y) {
        const int32_t from = b.X > a.X ? a.X : b.X + 1;
        runs.push_back({from, a.Y, std::abs(b.X - a.X), 1, colour});
    } else {
        const int32_t from = b.Y > a.Y ? a.Y : b.Y + 1;
        runs.push_back({a.X, from, 1, std::abs(b.Y - a.Y), colour});
    }
}

void DashEdge(std::vector<TFrameRun>& runs, TIntPoint p1, TIntPoint p2, int32_t dash, int32_t gap) {
    const double dx = double(p2.X) - p1.X;
    const double dy = double(p2.Y) - p1.Y;
    const int32_t n = RoundEven(std::sqrt(dx * dx + dy * dy));
    if (n == 0)
        return;
    const float ux = static_cast<float>(dx / n);
    const float uy = static_cast<float>(dy / n);
    const int64_t period = int64_t(dash) + gap;
    for (int64_t pos = 0; pos < n; pos += period) {
        const int64_t r = n - pos;
        const float sx = static_cast<float>(p1.X + double(ux) * double(pos));
        const float sy = static_cast<float>(p1.Y + double(uy) * double(pos));
        auto at = [&](int64_t k) {
            return TIntPoint{RoundEven(double(sx) + double(ux) * double(k)),
                             RoundEven(double(sy) + double(uy) * double(k))};
        };
        if (dash >= r) {
            const int64_t h = r / 2;
            if (h > 0)
                AddLine(runs, at(0), at(h), 1);
            if (r >= 2)
                AddLine(runs, at(h), at(r), 2);
            return;
        }
        const int64_t h = dash / 2;
        if (h > 0)
            AddLine(runs, at(0), at(h), 1);
        if (dash > 1)
            AddLine(runs, at(h), at(dash), 2);
    }
}

} // namespace

std::vector<TFrameRun> DashedFrameRuns(const TViewRect& r, int32_t dash, int32_t gap) {
    if (dash <= 0)
        return SolidFrameRuns(r);
    gap = std::max(gap, 0);
    const TIntPoint p0{r.Left, r.Top}, p1{r.Right - 1, r.Top}, p2{r.Right - 1, r.Bottom - 1},
        p3{r.Left, r.Bottom - 1};
    std::vector<TFrameRun> runs;
    DashEdge(runs, p0, p1, dash, gap);
    DashEdge(runs, p1, p2, dash, gap);
    DashEdge(runs, p2, p3, dash, gap);
    DashEdge(runs, p3, p0, dash, gap);
    return runs;
}

} // namespace vantrel
