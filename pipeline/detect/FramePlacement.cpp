// SPDX-License-Identifier: MIT
#include "pipeline/detect/FramePlacement.h"

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

int32_t CentredOn(int32_t position, int32_t size, int32_t frame, int32_t image) {
    const int64_t centred = int64_t(position) + size / 2 - frame / 2;
    const int64_t limited =
        std::max<int64_t>(std::min<int64_t>(centred, int64_t(image) - frame), 0);
    return static_cast<int32_t>(std::min<int64_t>(limited, std::numeric_limits<int32_t>::max()));
}

} // namespace

TCropRect PlaceFrame(const TCropRect& picture, int32_t frameWidth, int32_t frameHeight,
                     int32_t imageWidth, int32_t imageHeight) {
    return {CentredOn(picture.X, picture.W, frameWidth, imageWidth),
            CentredOn(picture.Y, picture.H, frameHeight, imageHeight), frameWidth, frameHeight};
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
