// SPDX-License-Identifier: MIT
#pragma once

#include "tiff/TagDescriber.h"

namespace vantrel {

/// A describer that knows no tags: "Тег N" names, empty value texts and "Неизвестный" for
/// every compression. For tests that want plain "Тег N" names.
class TMinimalTagDescriber final : public ITagDescriber {
public:
    std::string TagName(uint16_t tagID) const override;
    void DescribeValue(TTIFFTag& tag, TByteView file, bool bigEndian) const noexcept override;
    std::string CompressionName(uint32_t compression) const override;
};

} // namespace vantrel
