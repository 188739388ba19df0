// SPDX-License-Identifier: MIT
#include "tests/support/MinimalTagDescriber.h"

namespace vantrel {

std::string TMinimalTagDescriber::TagName(uint16_t tagID) const {
    return "Тег " + std::to_string(tagID);
}

void TMinimalTagDescriber::DescribeValue(TTIFFTag& tag, TByteView, bool) const noexcept {
    tag.DisplayValue.clear();
    tag.DisplayValueDecoded.clear();
}

std::string TMinimalTagDescriber::CompressionName(uint32_t) const {
    return "Неизвестный";
}

} // namespace vantrel
