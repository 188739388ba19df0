// SPDX-License-Identifier: MIT
#include "tiff/CatalogueTagDescriber.h"

#include "tags/TIFFTagUtils.h"
#include "tiff/TagValueDisplay.h"

namespace vantrel {

std::string TCatalogueTagDescriber::TagName(uint16_t tagID) const {
    return GetTagName(tagID);
}

void TCatalogueTagDescriber::DescribeValue(TTIFFTag& tag, const uint8_t* data, uint64_t fileSize,
                                           bool bigEndian) const noexcept {
    DescribeTagTexts(tag, data, fileSize, bigEndian);
}

std::string TCatalogueTagDescriber::CompressionName(uint32_t compression) const {
    return GetCompressionName(compression);
}

} // namespace vantrel
