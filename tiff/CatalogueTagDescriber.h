// SPDX-License-Identifier: MIT
#pragma once

#include "tiff/TagDescriber.h"

namespace vantrel {

/// The tag describer the program gives the reader: names from the tag catalogue, the two value
/// texts with their limits and placeholders, and compression names from the catalogue.
class TCatalogueTagDescriber final : public ITagDescriber {
public:
    std::string TagName(uint16_t tagID) const override;
    void DescribeValue(TTIFFTag& tag, TByteView file, bool bigEndian) const noexcept override;
    std::string CompressionName(uint32_t compression) const override;
};

} // namespace vantrel
