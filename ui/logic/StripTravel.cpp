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

TPictureStep StepPicture(const TStripPictures& strip, int standingOn, bool forward) {
    const auto count = static_cast<int>(strip.Pictures.size());
    if (count == 0)
        return {};
    if (standingOn >= 0 && standingOn < count)
        return StepFromPicture(strip.Pictures.size(), standingOn, forward);
    return {forward ? 0 : count - 1, false};
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
