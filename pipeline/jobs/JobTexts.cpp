// SPDX-License-Identifier: MIT
#include "pipeline/jobs/JobTexts.h"

namespace vantrel {

namespace T = pipeline_texts;

std::string OutOfMemoryAdviceText() {
    return T::OutOfMemoryAdvice();
}

std::string LoadFailureText(std::string_view className, std::string_view message) {
    std::string text = T::LoadFailureHeading();
    text += className;
    text += ": ";
    text += message;
    return text;
}

std::string TransformFailureText(std::string_view message) {
    return T::TransformFailureHeading() + std::string(message);
}

std::string CropFailureText(std::string_view message) {
    return T::CropFailureHeading() + std::string(message);
}

std::string NotLoadedSaveText(std::string_view failedName, std::string_view shownName) {
    std::string text = T::NotLoadedSave1();
    text += failedName;
    text += T::NotLoadedSave2();
    text += shownName;
    text += T::NotLoadedSave3();
    return text;
}

} // namespace vantrel
