// SPDX-License-Identifier: MIT
#include "ui/logic/PicturePlacement.h"

#include <utility>

#include "pipeline/detect/FramePlacement.h"

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
        return {false, {}, "Рамка осталась на месте — " + PictureDeclineText(detection.Reason)};
    const TCropRect frame =
        PlaceFrame(detection.Picture, frameSize.X, frameSize.Y, imageSize.X, imageSize.Y);
    const std::string how = detection.FromRoll ? "Рамка поставлена на кадр по другим кадрам пачки"
                                               : "Рамка поставлена на кадр";
    return {true,
            {frame.X, frame.Y},
            how + ": слева " + std::to_string(frame.X) + ", сверху " + std::to_string(frame.Y)};
}

std::string PictureSearchFailedText(const std::string& reason) {
    return "Рамка осталась на месте — кадр не найден: " + reason;
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
