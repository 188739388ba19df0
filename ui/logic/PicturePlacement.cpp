// SPDX-License-Identifier: MIT
#include "ui/logic/PicturePlacement.h"

#include <utility>

#include "pipeline/detect/FramePlacement.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

TPictureDetection TBatchRoll::Place(const std::string& file, TScanAnalysis analysis,
                                    bool fileAsLoaded) {
    if (!fileAsLoaded)
        return analysis.Alone;
    FRoll.Add(file, std::move(analysis));
    return FRoll.Place(file);
}

TFrameOnPicture PlaceFrameOnPicture(const TPictureDetection& detection, TPoint frameSize,
                                    TPoint imageSize) {
    if (!detection.Found)
        return {false, {}, logic_texts::FrameStays() + PictureDeclineText(detection.Reason)};
    const TCropRect frame =
        PlaceFrame(detection.Picture, frameSize.X, frameSize.Y, imageSize.X, imageSize.Y);
    const std::string how =
        detection.FromRoll ? logic_texts::FramePlacedByRoll() : logic_texts::FramePlaced();
    return {true,
            {frame.X, frame.Y},
            how + logic_texts::PlacedLeft() + std::to_string(frame.X) + logic_texts::PlacedTop() +
                std::to_string(frame.Y)};
}

std::string PictureSearchFailedText(const std::string& reason) {
    return logic_texts::SearchFailed() + reason;
}

void TStatusNote::Set(std::string text, TPoint position, TPoint frameSize) {
    FText = std::move(text);
    FPosition = position;
    FFrameSize = frameSize;
}

std::optional<std::string> TStatusNote::For(TPoint position, TPoint frameSize) {
    if (FText && !(position == FPosition && frameSize == FFrameSize))
        FText.reset();
    return FText;
}

} // namespace vantrel
