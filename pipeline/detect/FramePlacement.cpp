// SPDX-License-Identifier: MIT
#include "pipeline/detect/FramePlacement.h"
#include "pipeline/PipelineTexts.h"

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
        return pipeline_texts::DeclineNoImage();
    case TPictureDecline::Blank:
        return pipeline_texts::DeclineBlank();
    case TPictureDecline::NoEdges:
        return pipeline_texts::DeclineNoEdges();
    case TPictureDecline::Unsure:
        return pipeline_texts::DeclineUnsure();
    }
    return pipeline_texts::PictureFound();
}

} // namespace vantrel
