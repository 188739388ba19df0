// SPDX-License-Identifier: MIT
#include "ui/logic/ViewGeometry.h"

#include <algorithm>
#include <cmath>

#include "pipeline/kernels/ViewBitmap.h"

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

namespace {

// The source pixels that one target pixel covers along an axis, each with the share of its
// area: target t covers [t × n ÷ m, (t + 1) × n ÷ m) of the source.
struct TTaps {
    std::vector<int32_t> First;  // first source index of each target
    std::vector<int32_t> Count;  // number of source indices
    std::vector<int32_t> Offset; // where its weights begin in Weights
    std::vector<float> Weights;  // shares, summing to 1 per target

    [[nodiscard]] int32_t FirstOf(int32_t t) const { return First[static_cast<size_t>(t)]; }
    [[nodiscard]] int32_t CountOf(int32_t t) const { return Count[static_cast<size_t>(t)]; }
    [[nodiscard]] const float* WeightsOf(int32_t t) const {
        return &Weights[static_cast<size_t>(Offset[static_cast<size_t>(t)])];
    }
};

TTaps AreaTaps(int32_t sourceSize, int32_t targetSize) {
    TTaps taps;
    taps.First.resize(static_cast<size_t>(targetSize));
    taps.Count.resize(static_cast<size_t>(targetSize));
    taps.Offset.resize(static_cast<size_t>(targetSize));
    const double step = static_cast<double>(sourceSize) / targetSize;
    for (int32_t t = 0; t < targetSize; ++t) {
        const double from = t * step;
        const double to = std::min((t + 1) * step, static_cast<double>(sourceSize));
        int32_t first = static_cast<int32_t>(std::floor(from));
        int32_t last = std::max(first, static_cast<int32_t>(std::ceil(to)) - 1);
        last = std::min(last, sourceSize - 1);
        first = std::min(first, last);
        const auto ti = static_cast<size_t>(t);
        taps.First[ti] = first;
        taps.Count[ti] = last - first + 1;
        taps.Offset[ti] = static_cast<int32_t>(taps.Weights.size());
        const double span = to - from;
        for (int32_t s = first; s <= last; ++s) {
            const double covered = std::min(to, s + 1.0) - std::max(from, double(s));
            taps.Weights.push_back(static_cast<float>(span > 0 ? covered / span : 1.0));
        }
    }
    return taps;
}

} // namespace

void ReduceAreaAverage(const TViewBitmap& source, int32_t width, int32_t height, uint32_t* target,
                       int64_t stride) {
    if (width <= 0 || height <= 0 || source.Width <= 0 || source.Height <= 0)
        return;
    const TTaps columns = AreaTaps(source.Width, width);
    const TTaps rows = AreaTaps(source.Height, height);
    // One source row reduced across: kept while the next target row also covers it.
    std::vector<float> across(size_t(width) * 3);
    int32_t acrossRow = -1;
    std::vector<float> sum(size_t(width) * 3);
    for (int32_t ty = 0; ty < height; ++ty) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int32_t i = 0; i < rows.CountOf(ty); ++i) {
            const int32_t y = rows.FirstOf(ty) + i;
            if (y != acrossRow) {
                const uint8_t* row = source.Row(y);
                for (int32_t tx = 0; tx < width; ++tx) {
                    const uint8_t* p = row + int64_t(columns.FirstOf(tx)) * 3;
                    const float* w = columns.WeightsOf(tx);
                    float b = 0, g = 0, r = 0;
                    for (int32_t k = 0; k < columns.CountOf(tx); ++k, p += 3) {
                        b += w[k] * p[0];
                        g += w[k] * p[1];
                        r += w[k] * p[2];
                    }
                    across[size_t(tx) * 3] = b;
                    across[size_t(tx) * 3 + 1] = g;
                    across[size_t(tx) * 3 + 2] = r;
                }
                acrossRow = y;
            }
            const float wy = rows.WeightsOf(ty)[i];
            for (size_t k = 0; k < sum.size(); ++k)
                sum[k] += wy * across[k];
        }
        uint32_t* out = target + int64_t(ty) * stride;
        auto channel = [](float v) {
            return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L));
        };
        for (int32_t tx = 0; tx < width; ++tx)
            out[tx] = 0xFF000000u | (channel(sum[size_t(tx) * 3 + 2]) << 16) |
                      (channel(sum[size_t(tx) * 3 + 1]) << 8) | channel(sum[size_t(tx) * 3]);
    }
}

} // namespace vantrel
