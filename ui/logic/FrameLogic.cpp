// SPDX-License-Identifier: MIT
#include "ui/logic/FrameLogic.h"
#include "ui/logic/LogicTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace vantrel {

int32_t RoundEven(double value) {
    if (std::isnan(value))
        return 0;
    const double r = std::nearbyint(value); // the default rounding mode: ties to even
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

int32_t ArrowStep(TShiftState shift) {
    const TShiftState all = shift & (ssShift | ssAlt | ssCtrl);
    // The four multi-key sets are exact; single keys are then tested as members.
    if (all == (ssCtrl | ssShift | ssAlt))
        return 128;
    if (all == (ssShift | ssAlt))
        return 64;
    if (all == (ssCtrl | ssAlt))
        return 32;
    if (all == (ssCtrl | ssShift))
        return 8;
    if (all & ssAlt)
        return 16;
    if (all & ssShift)
        return 4;
    if (all & ssCtrl)
        return 2;
    return 1;
}

int32_t SpinEditValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return 1;
    if (value < 1 || value > std::numeric_limits<int32_t>::max())
        return 1;
    return static_cast<int32_t>(value);
}

double RatioOf(int32_t width, int32_t height) {
    return static_cast<double>(std::max(width, 1)) / static_cast<double>(std::max(height, 1));
}

int32_t LockedDimension(int32_t value, double ratio, bool byWidth) {
    if (!(ratio > 0.0) || !std::isfinite(ratio))
        return value;
    const int32_t other = RoundEven(byWidth ? value / ratio : value * ratio);
    return std::max(other, 1);
}

static double RoundedRatio(double ratio, double scale) {
    return std::nearbyint(ratio * scale) / scale;
}

bool IsRatioApproximate(double ratio, double scale) {
    return std::fabs(ratio - RoundedRatio(ratio, scale)) > 1e-10;
}

std::string RatioText(double ratio, std::string_view decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", RoundedRatio(ratio, 100000.0));
    std::string text;
    for (const char* p = buffer; *p; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else
            text += *p;
    }
    return text;
}

TPoint ArrowMove(TPoint position, TArrow arrow, int32_t step, TPoint frameSize, TPoint imageSize) {
    // Moves in 64 bits, then keeps the corner inside the image along the axis that moved; a
    // frame larger than the image stays at 0, as dragging and size changes keep it.
    const bool across = arrow == TArrow::Left || arrow == TArrow::Right;
    const int64_t by = arrow == TArrow::Left || arrow == TArrow::Up ? -int64_t{step} : step;
    int32_t& moved = across ? position.X : position.Y;
    moved = ClampToImage(moved + by, across ? frameSize.X : frameSize.Y,
                         across ? imageSize.X : imageSize.Y);
    return position;
}

static std::optional<int32_t> WholeNumber(std::string_view piece) {
    int32_t value = 0;
    if (!piece.empty() && piece.front() == '+')
        piece.remove_prefix(1);
    const auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (piece.empty() || ec != std::errc() || end != piece.data() + piece.size())
        return std::nullopt;
    return value;
}

std::optional<TPoint> ParseTemplate(std::string_view text, TPoint current) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == 'x' || text[i] == ' ') {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
            if (pieces.size() == 2)
                break;
        }
    }
    if (pieces.size() < 2)
        return std::nullopt;
    return TPoint{WholeNumber(pieces[0]).value_or(current.X),
                  WholeNumber(pieces[1]).value_or(current.Y)};
}

TPoint OrientTemplate(TPoint templateSize, TPoint imageSize) {
    if (imageSize.Y > imageSize.X && templateSize.X > templateSize.Y)
        return {templateSize.Y, templateSize.X};
    return templateSize;
}

bool FrameNeedsTurn(TPoint frameSize, TPoint imageSize) {
    return (imageSize.X < imageSize.Y && frameSize.Y < frameSize.X) ||
           (imageSize.Y < imageSize.X && frameSize.X < frameSize.Y);
}

TPoint CentredPosition(TPoint frameSize, TPoint imageSize) {
    return {static_cast<int32_t>((int64_t(imageSize.X) - frameSize.X) / 2),
            static_cast<int32_t>((int64_t(imageSize.Y) - frameSize.Y) / 2)};
}

bool MatchesTemplate(TPoint size, TPoint templateSize) {
    return (size.Y == templateSize.Y && size.X == templateSize.X) ||
           (size.Y == templateSize.X && size.X == templateSize.Y);
}

std::string FrameMarginsText(TPoint imageSize, TPoint position, TPoint frameSize) {
    const int64_t bottom = int64_t(imageSize.Y) - position.Y - frameSize.Y;
    const int64_t right = int64_t(imageSize.X) - position.X - frameSize.X;
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, logic_texts::FrameMargins(), position.X, position.Y,
                  static_cast<long long>(bottom), static_cast<long long>(right));
    return buffer;
}

std::string FocusedStatusText(TPoint imageSize, TPoint position, TPoint frameSize, int32_t step) {
    return FrameMarginsText(imageSize, position, frameSize) + logic_texts::ArrowStepHint() +
           std::to_string(step);
}

std::string ArrowStepShortText(int32_t step) {
    return logic_texts::ArrowStep() + std::to_string(step);
}

std::string FileStatusText(int32_t index, int32_t count, std::string_view fileName) {
    return logic_texts::FileLoaded() + std::to_string(index) + "/" + std::to_string(count) + ": " +
           std::string(fileName);
}

} // namespace vantrel
