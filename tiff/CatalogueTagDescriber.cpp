// SPDX-License-Identifier: MIT
#include "tiff/CatalogueTagDescriber.h"

#include "tags/TIFFTagUtils.h"
#include "tiff/TagValueDisplay.h"

namespace vantrel {

std::string TCatalogueTagDescriber::TagName(uint16_t tagID) const {
    return GetTagName(tagID);
}

void TCatalogueTagDescriber::DescribeValue(TTIFFTag& tag, TByteView file,
                                           bool bigEndian) const noexcept {
    DescribeTagTexts(tag, file, bigEndian);
}

std::string TCatalogueTagDescriber::CompressionName(uint32_t compression) const {
    return GetCompressionName(compression);
}

} // namespace vantrel
