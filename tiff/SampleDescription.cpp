// SPDX-License-Identifier: MIT
// The sample-describing tags beyond the structural ones, and the pages a save would lose.
#include "tiff/SampleDescription.h"

#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/Exceptions.h"
#include "tiff/Format.h"
#include "tiff/Messages.h"

namespace vantrel {

std::optional<std::vector<uint32_t>> RecordNumbers(const TTIFFTag& Tag, bool BigEndian) {
    size_t size = 0;
    switch (Tag.DataType) {
    case TTIFFDataType::dtByte:
        size = 1;
        break;
    case TTIFFDataType::dtShort:
        size = 2;
        break;
    case TTIFFDataType::dtLong:
        size = 4;
        break;
    default:
        return std::nullopt;
    }
    // A damaged Count is believed only as far as the bytes read bear it out.
    const uint64_t bytes = uint64_t{Tag.Count} * size;
    if (!Tag.IsInline && Tag.RawData.size() != bytes)
        return std::nullopt;
    std::vector<uint32_t> values;
    values.reserve(Tag.IsInline ? 4 : Tag.Count);
    if (Tag.IsInline) {
        // The inline value is held in host order: bytes, two SHORTs or one LONG.
        for (uint32_t k = 0; k < Tag.Count; ++k)
            values.push_back(size == 1   ? Tag.Value.AsBytes[k]
                             : size == 2 ? Tag.Value.AsWords[k]
                                         : Tag.Value.AsDWORD);
        return values;
    }
    const uint8_t* p = Tag.RawData.data();
    for (uint32_t k = 0; k < Tag.Count; ++k)
        values.push_back(size == 1   ? p[k]
                         : size == 2 ? ReadU16(p + 2 * size_t{k}, BigEndian)
                                     : ReadU32(p + 4 * size_t{k}, BigEndian));
    return values;
}

TSampleDescription DescribeSamples(const std::vector<TTIFFTag>& Tags, bool BigEndian) {
    TSampleDescription d;
    for (const TTIFFTag& tag : Tags) {
        if (IsNestedTag(tag))
            continue;
        if (tag.TagID != tagid::SampleFormat && tag.TagID != tagid::ExtraSamples &&
            tag.TagID != tagid::FillOrder)
            continue;
        const std::optional<std::vector<uint32_t>> values = RecordNumbers(tag, BigEndian);
        if (!values)
            continue;
        if (tag.TagID == tagid::ExtraSamples) {
            d.ExtraSamples.emplace(values->begin(), values->end());
            continue;
        }
        if (values->empty())
            continue;
        const auto first = static_cast<uint16_t>(values->front());
        if (tag.TagID == tagid::SampleFormat) {
            d.SampleFormat = first;
        } else {
            d.HasFillOrder = true;
            d.BitsReversed = first == 2;
        }
    }
    return d;
}

void RefuseToLosePages(const std::vector<TFurtherPage>& Pages) {
    std::string numbers;
    for (const TFurtherPage& page : Pages)
        if (page.SameSize)
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(page.Number);
    if (numbers.empty())
        return;
    throw ETIFFError(Fmt(messages::FurtherPagesLost(), numbers.c_str()));
}

} // namespace vantrel
