// SPDX-License-Identifier: MIT
#pragma once

// The crop frame's arithmetic, kept free of Qt so that tests and the command line can use it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pipeline/crop/CropCore.h"
#include "ui/logic/ShiftState.h"

namespace vantrel {

/// A point of two signed 32-bit integers (X = width or left, Y = height or top).
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

enum class TArrow { Left, Up, Right, Down };

/// The three states of the ratio lock, held as an integer tag by the lock button.
inline constexpr int RatioLocked = 0;
inline constexpr int RatioFree = 1;
inline constexpr int RatioUpdating = 2;

/// Rounds to the nearest integer, ties to the even neighbour, saturated to 32 bits.
[[nodiscard]] int32_t RoundEven(double value);

/// Step of the arrow keys for the modifiers held: 2 for Ctrl, 4 for Shift, 16 for Alt,
/// multiplied.
[[nodiscard]] int32_t ArrowStep(TShiftState shift);

/// The value a spin edit's text stands for: a whole number in range, else the minimum 1.
/// A typed 0 or an empty field also reads as 1, so that no ratio divides by zero.
[[nodiscard]] int32_t SpinEditValue(std::string_view text);

/// The ratio width ÷ height, with dimensions below 1 taken as 1.
[[nodiscard]] double RatioOf(int32_t width, int32_t height);

/// The other dimension for a locked ratio: height from width (byWidth) or width from height.
[[nodiscard]] int32_t LockedDimension(int32_t value, double ratio, bool byWidth);

/// Whether the ratio text is rounded (shown with "≈").
[[nodiscard]] bool IsRatioApproximate(double ratio, double scale = 100000.0);

/// The ratio rounded to five decimals, shortest text of up to 15 significant digits,
/// with the given decimal separator.
[[nodiscard]] std::string RatioText(double ratio, std::string_view decimalSeparator);

// The frame's corner kept inside the image (ClampToImage) and its centre kept as its size
// changes (KeepCentre): pipeline/crop/CropCore.h, shared with the crop and the placement.

/// The frame position after one arrow step, limited in the direction that moved.
[[nodiscard]] TPoint ArrowMove(TPoint position, TArrow arrow, int32_t step, TPoint frameSize,
                               TPoint imageSize);

/// The width and height a template text gives: split at "x" and blanks, a piece that is not
/// a whole number keeps the current value; nothing when there are fewer than two pieces.
[[nodiscard]] std::optional<TPoint> ParseTemplate(std::string_view text, TPoint current);

/// The frame size for a template on an image: a landscape template on a portrait image is
/// turned.
[[nodiscard]] TPoint OrientTemplate(TPoint templateSize, TPoint imageSize);

/// Whether the frame must be turned to follow the image's orientation.
[[nodiscard]] bool FrameNeedsTurn(TPoint frameSize, TPoint imageSize);

/// The position that centres the frame on the image; negative when the frame is larger.
[[nodiscard]] TPoint CentredPosition(TPoint frameSize, TPoint imageSize);

/// Whether (width, height) matches the template size in either orientation.
[[nodiscard]] bool MatchesTemplate(TPoint size, TPoint templateSize);

/// The status line while the image has the focus: the margins the frame cuts off and the
/// arrow step.
[[nodiscard]] std::string FocusedStatusText(TPoint imageSize, TPoint position, TPoint frameSize,
                                            int32_t step);
/// Its parts: the margins alone, and the step in short for a section of its own, which stays
/// readable where the whole line is too long for the window.
[[nodiscard]] std::string FrameMarginsText(TPoint imageSize, TPoint position, TPoint frameSize);
[[nodiscard]] std::string ArrowStepShortText(int32_t step);

/// The status line otherwise: the file's place in the batch and its name.
[[nodiscard]] std::string FileStatusText(int32_t index, int32_t count, std::string_view fileName);

} // namespace vantrel
