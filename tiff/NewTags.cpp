// SPDX-License-Identifier: MIT
// The tags that the writer and the carry-over make anew: one inline value each.
#include "tags/TIFFTagUtils.h"
#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {

namespace {

constexpr uint32_t kShortLimit = 65535;

TTIFFTag MakeInlineTag(uint16_t id, TTIFFDataType type, uint32_t value) {
    TTIFFTag tag;
    tag.TagID = id;
    tag.DataType = type;
    tag.Count = 1;
    tag.IsInline = true;
    tag.Value.AsDWORD = value;
    tag.TagName = GetTagName(id);
    return tag;
}

// ImageWidth, ImageLength and RowsPerStrip allow SHORT or LONG: a value that SHORT cannot
// hold goes out as LONG instead of being cut to 16 bits.
TTIFFTag MakeShortOrLongTag(uint16_t id, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return MakeInlineTag(id, v > kShortLimit ? TTIFFDataType::dtLong : TTIFFDataType::dtShort, v);
}

} // namespace

TTIFFTag TCropTIFF::CreateShortTag(uint16_t ID, uint16_t Value) {
    return MakeInlineTag(ID, TTIFFDataType::dtShort, Value);
}

TTIFFTag TCropTIFF::CreateLongTag(uint16_t ID, uint32_t Value) {
    return MakeInlineTag(ID, TTIFFDataType::dtLong, Value);
}

TTIFFTag TCropTIFF::CreateImageWidthTag(int32_t Value) {
    return MakeShortOrLongTag(tagid::ImageWidth, Value);
}

TTIFFTag TCropTIFF::CreateImageLengthTag(int32_t Value) {
    return MakeShortOrLongTag(tagid::ImageLength, Value);
}

TTIFFTag TCropTIFF::CreateStripOffsetsTag(uint32_t Offset) {
    return CreateLongTag(tagid::StripOffsets, Offset);
}

TTIFFTag TCropTIFF::CreateStripByteCountsTag(uint32_t ByteCount) {
    return CreateLongTag(tagid::StripByteCounts, ByteCount);
}

TTIFFTag TCropTIFF::CreatePixelXDimensionTag(int32_t Value) {
    return CreateLongTag(tagid::PixelXDimension, static_cast<uint32_t>(Value));
}

TTIFFTag TCropTIFF::CreatePixelYDimensionTag(int32_t Value) {
    return CreateLongTag(tagid::PixelYDimension, static_cast<uint32_t>(Value));
}

TTIFFTag TCropTIFF::CreateRowsPerStripTag(int32_t Value) {
    return MakeShortOrLongTag(tagid::RowsPerStrip, Value);
}

TTIFFTag TCropTIFF::CreatePlanarConfigurationTag(uint16_t Value) {
    return CreateShortTag(tagid::PlanarConfiguration, Value);
}

TTIFFTag TCropTIFF::CreateOrientationTag(uint16_t Value) {
    return CreateShortTag(tagid::Orientation, Value);
}

TTIFFTag TCropTIFF::CreateShortsTag(uint16_t TagID, const std::vector<uint16_t>& Values,
                                    bool IsBigEndian) {
    TTIFFTag tag = MakeInlineTag(TagID, TTIFFDataType::dtShort, 0);
    tag.Count = static_cast<uint32_t>(Values.size());
    tag.IsInline = Values.size() <= 2;
    if (tag.IsInline) {
        for (size_t k = 0; k < Values.size(); ++k)
            tag.Value.AsWords[k] = Values[k];
        return tag;
    }
    for (const uint16_t v : Values)
        AppendNumber(tag.RawData, v, IsBigEndian);
    return tag;
}

} // namespace vantrel
