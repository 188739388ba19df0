// SPDX-License-Identifier: MIT
#include "pipeline/detect/FramePlacement.h"

namespace vantrel {

TCropRect PlaceFrame(const TCropRect& picture, int32_t frameWidth, int32_t frameHeight,
                     int32_t imageWidth, int32_t imageHeight) {
    return {KeepCentre(picture.W, picture.X, frameWidth, imageWidth),
            KeepCentre(picture.H, picture.Y, frameHeight, imageHeight), frameWidth, frameHeight};
}

std::string PictureDeclineText(TPictureDecline reason) {
    switch (reason) {
    case TPictureDecline::None:
        break;
    case TPictureDecline::NoImage:
        return "кадр не найден: в изображении нечего искать";
    case TPictureDecline::Blank:
        return "кадр не найден: в середине скана только подложка плёнки";
    case TPictureDecline::NoEdges:
        return "кадр не найден: края кадра не видны";
    case TPictureDecline::Unsure:
        return "кадр не найден: края кадра неясны";
    }
    return "кадр найден";
}

} // namespace vantrel
