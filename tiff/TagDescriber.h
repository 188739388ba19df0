// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "tiff/ByteView.h"
#include "tiff/TIFFRecords.h"

namespace vantrel {

/// What the structure reader asks about tags: names, the two texts of a record and
/// compression names. The reader never names or explains a tag by itself.
class ITagDescriber {
public:
    virtual ~ITagDescriber() = default;

    /// Display name of a tag number; never fails.
    virtual std::string TagName(uint16_t tagID) const = 0;

    /// Sets `DisplayValue` and `DisplayValueDecoded` of a record built so far from the bytes
    /// of the whole file; must not throw.
    virtual void DescribeValue(TTIFFTag& tag, TByteView file, bool bigEndian) const noexcept = 0;

    /// Name of a compression scheme number.
    virtual std::string CompressionName(uint32_t compression) const = 0;
};

} // namespace vantrel
