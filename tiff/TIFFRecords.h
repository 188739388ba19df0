// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

/// Field type of a directory entry: the low byte of the 16-bit type field.
/// Any byte value may occur in a file; the named ones are those the engine knows.
enum class TTIFFDataType : uint8_t {
    dtByte = 1,
    dtASCII = 2,
    dtShort = 3,
    dtLong = 4,
    dtRational = 5,
    dtSByte = 6,
    dtUndefined = 7,
    dtSShort = 8,
    dtSLong = 9,
    dtSRational = 10,
    dtFloat = 11,
    dtDouble = 12,
    dtIFD = 13,
    dtLONG8 = 16,
    dtSLONG8 = 17,
    dtIFD8 = 18,
};

/// Four bytes seen as one 32-bit value, two 16-bit values or four bytes.
union TTIFFTagValue {
    uint32_t AsDWORD;
    uint16_t AsWords[2];
    uint8_t AsBytes[4];
};
static_assert(sizeof(TTIFFTagValue) == 4);

/// One tag as read from a file or built for writing.
struct TTIFFTag {
    uint16_t TagID = 0;
    std::string TagName;
    TTIFFDataType DataType = TTIFFDataType::dtByte;
    uint32_t Count = 0;
    TTIFFTagValue Value{0};
    std::string DisplayValue;
    std::string DisplayValueDecoded;
    bool IsInline = true;
    uint32_t RawOffset = 0;
    std::vector<uint8_t> RawData;
};

/// True for a record of a nested directory: its name begins with the directory's "→ " prefix.
[[nodiscard]] inline bool IsNestedTag(const TTIFFTag& tag) {
    return tag.TagName.starts_with("→ ");
}

/// A nested directory to be written, and the IFD0 tag that points to it.
struct TNestedIFD {
    uint16_t PointerTagID = 0;
    std::vector<TTIFFTag> Tags;
};

/// A nested directory found in a tag list.
struct TIFDBlock {
    uint32_t OffsetInOriginal = 0;
    std::vector<TTIFFTag> Tags;
    std::string Prefix;
};

} // namespace vantrel
