// SPDX-License-Identifier: MIT
#include "ui/logic/StripTravel.h"

#include "pipeline/crop/CropOutput.h"
#include "pipeline/detect/FramePlacement.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

namespace {

// Twice the centre, so that odd sizes keep their half pixel.
int64_t Centre2(int32_t start, int32_t size) {
    return 2 * int64_t{start} + size;
}

bool Holds(const TCropRect& picture, int64_t x2, int64_t y2) {
    return x2 >= 2 * int64_t{picture.X} && x2 < 2 * (int64_t{picture.X} + picture.W) &&
           y2 >= 2 * int64_t{picture.Y} && y2 < 2 * (int64_t{picture.Y} + picture.H);
}

} // namespace

int PictureUnder(const std::vector<TCropRect>& pictures, const TCropRect& frame) {
    const int64_t x2 = Centre2(frame.X, frame.W);
    const int64_t y2 = Centre2(frame.Y, frame.H);
    for (size_t i = 0; i < pictures.size(); ++i)
        if (Holds(pictures[i], x2, y2))
            return static_cast<int>(i);
    return -1;
}

TPictureStep StepFromPicture(size_t count, int from, bool forward) {
    const int last = static_cast<int>(count) - 1;
    if (last < 0)
        return {};
    const int to = forward ? from + 1 : from - 1;
    if (to < 0)
        return {0, from <= 0};
    if (to > last)
        return {last, from >= last};
    return {to, false};
}

TPictureStep StepPicture(const TStripPictures& strip, const TCropRect& frame, bool forward) {
    const std::vector<TCropRect>& pictures = strip.Pictures;
    if (pictures.empty())
        return {};
    if (const int under = PictureUnder(pictures, frame); under >= 0)
        return StepFromPicture(pictures.size(), under, forward);
    // Off every picture: the nearest one past the centre along the strip, in its order.
    const int64_t at = strip.Vertical ? Centre2(frame.Y, frame.H) : Centre2(frame.X, frame.W);
    auto along = [&](const TCropRect& p) {
        return strip.Vertical ? Centre2(p.Y, p.H) : Centre2(p.X, p.W);
    };
    const int count = static_cast<int>(pictures.size());
    if (forward) {
        for (int i = 0; i < count; ++i)
            if (along(pictures[static_cast<size_t>(i)]) > at)
                return {i, false};
        return {count - 1, false};
    }
    for (int i = count - 1; i >= 0; --i)
        if (along(pictures[static_cast<size_t>(i)]) < at)
            return {i, false};
    return {0, false};
}

std::string PictureStepText(const TPictureStep& step, const TStripPictures& strip, bool forward) {
    if (step.Index < 0)
        return logic_texts::FrameStays() + PictureDeclineText(strip.Reason);
    std::string text = logic_texts::PictureNumber() + std::to_string(step.Index + 1) +
                       logic_texts::PictureOf() + std::to_string(strip.Pictures.size());
    if (step.AtEnd)
        text += forward ? logic_texts::LastPicture() : logic_texts::FirstPicture();
    return text;
}

int SavedPictureNumber(const TStripPictures& strip, const TCropRect& frame) {
    if (strip.Pictures.size() < 2)
        return 0;
    return PictureUnder(strip.Pictures, frame) + 1;
}

std::string NumberedCropFile(const std::string& croppedFile, int pictureNumber) {
    return pictureNumber > 0 ? WithPictureNumber(croppedFile, pictureNumber) : croppedFile;
}

} // namespace vantrel
