// SPDX-License-Identifier: MIT
// Reading the values of directory entries: the structural readers, the inline value of a
// record and its raw bytes.
#include <algorithm>

#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Format.h"
#include "tiff/Messages.h"
#include "tiff/WritableTypes.h"

namespace vantrel {
namespace {

constexpr uint16_t kByte = 1, kShort = 3, kLong = 4, kSShort = 8, kIFD = 13;

// The type's name in the refusal of a single value cut short by the end of the file.
const char* ScalarName(uint16_t type) {
    if (type == kByte)
        return "BYTE";
    return type == kShort || type == kSShort ? "SHORT" : "LONG";
}

// Value k of an array of BYTE, SHORT or LONG at p, host order, zero-extended.
uint32_t ArrayValue(const uint8_t* p, uint16_t type, uint32_t k, bool bigEndian) {
    switch (type) {
    case kByte:
        return p[k];
    case kShort:
        return ReadU16(p + 2 * uint64_t{k}, bigEndian);
    default:
        return ReadU32(p + 4 * uint64_t{k}, bigEndian);
    }
}

// All values of a BYTE/SHORT/LONG entry as 32-bit numbers, with the checks of both array
// readers. Several values that fit in the value field are read from it.
std::vector<uint32_t> ReadArray(const uint8_t* field, uint16_t type, uint32_t count, bool bigEndian,
                                bool isInline, TByteView file, uint16_t tagID) {
    if (count > 1000000)
        throw ETIFFError(Fmt(messages::FieldCountTooLarge(), tagID, count));
    if (type != kByte && type != kShort && type != kLong)
        throw ETIFFError(Fmt(messages::FieldTypeUnsupported(), tagID, type));
    std::vector<uint32_t> values;
    if (count == 0)
        return values;
    const uint8_t* source = field;
    if (!isInline) {
        const uint32_t offset = ReadU32(field, bigEndian);
        if (!file.Holds(offset))
            throw ETIFFError(Fmt(messages::FieldArrayOutside(), tagID));
        const uint64_t required =
            uint64_t{count} *
            static_cast<uint64_t>(TCropTIFF::GetDataTypeSize(static_cast<TTIFFDataType>(type)));
        const std::optional<TByteView> stored = file.Slice(offset, required);
        if (!stored)
            throw ETIFFError(Fmt(messages::FieldArrayTruncated(), tagID,
                                 static_cast<unsigned long long>(required),
                                 static_cast<unsigned long long>(file.Size() - offset)));
        source = stored->Data();
    }
    values.resize(count);
    for (uint32_t k = 0; k < count; ++k)
        values[k] = ArrayValue(source, type, k, bigEndian);
    return values;
}

} // namespace

int TCropTIFF::GetDataTypeSize(TTIFFDataType type) {
    switch (type) {
    case TTIFFDataType::dtByte:
    case TTIFFDataType::dtASCII:
    case TTIFFDataType::dtSByte:
    case TTIFFDataType::dtUndefined:
        return 1;
    case TTIFFDataType::dtShort:
    case TTIFFDataType::dtSShort:
        return 2;
    case TTIFFDataType::dtRational:
    case TTIFFDataType::dtSRational:
    case TTIFFDataType::dtDouble:
    case TTIFFDataType::dtLONG8:
    case TTIFFDataType::dtSLONG8:
    case TTIFFDataType::dtIFD8:
        return 8;
    default:
        return 4; // LONG, SLONG, FLOAT, IFD and every unknown type
    }
}

uint64_t TCropTIFF::FieldTypeSize(uint16_t Type) {
    // A type number beyond one byte is no known type.
    return Type > 0xFF ? 4
                       : static_cast<uint64_t>(GetDataTypeSize(static_cast<TTIFFDataType>(Type)));
}

uint32_t TCropTIFF::ReadScalarValue(const uint8_t* Field, uint16_t Type, bool BigEndian,
                                    bool IsInline, TByteView File, uint16_t TagID) {
    if (Type != kByte && Type != kShort && Type != kLong && Type != kSShort && Type != kIFD)
        throw ETIFFError(Fmt(messages::FieldTypeUnsupported(), TagID, Type));
    const uint8_t* p = Field;
    if (!IsInline) {
        const uint32_t offset = ReadU32(Field, BigEndian);
        if (!File.Holds(offset))
            throw ETIFFError(Fmt(messages::FieldValueOutside(), TagID));
        const std::optional<TByteView> value = File.Slice(offset, FieldTypeSize(Type));
        if (!value)
            throw ETIFFError(Fmt(messages::FieldValueTruncated(), TagID, ScalarName(Type)));
        p = value->Data();
    }
    switch (Type) {
    case kByte:
        return p[0];
    case kShort:
    case kSShort:
        return ReadU16(p, BigEndian);
    default:
        return ReadU32(p, BigEndian);
    }
}

std::vector<uint16_t> TCropTIFF::ReadWordArray(const uint8_t* Field, uint16_t Type, uint32_t Count,
                                               bool BigEndian, bool IsInline, TByteView File,
                                               uint16_t TagID) {
    const std::vector<uint32_t> wide =
        ReadArray(Field, Type, Count, BigEndian, IsInline, File, TagID);
    return std::vector<uint16_t>(wide.begin(), wide.end()); // a LONG keeps its low 16 bits
}

std::vector<uint32_t> TCropTIFF::ReadCardinalArray(const uint8_t* Field, uint16_t Type,
                                                   uint32_t Count, bool BigEndian, bool IsInline,
                                                   TByteView File, uint16_t TagID) {
    return ReadArray(Field, Type, Count, BigEndian, IsInline, File, TagID);
}

TTIFFTagValue TCropTIFF::NormalizeInlineValue(const uint8_t* Field, TTIFFDataType Type,
                                              uint32_t Count, bool BigEndian) {
    TTIFFTagValue value{0};
    std::memcpy(value.AsBytes, Field, 4);
    if (!BigEndian)
        return value;
    switch (Type) {
    case TTIFFDataType::dtShort:
    case TTIFFDataType::dtSShort:
        if (Count == 1) {
            value.AsDWORD = ReadU16(Field, true);
        } else if (Count == 2) {
            value.AsWords[0] = ReadU16(Field, true);
            value.AsWords[1] = ReadU16(Field + 2, true);
        }
        break;
    case TTIFFDataType::dtLong:
    case TTIFFDataType::dtSLong:
    case TTIFFDataType::dtFloat:
    case TTIFFDataType::dtIFD:
        value.AsDWORD = ReadU32(Field, true);
        break;
    default:
        break;
    }
    return value;
}

std::vector<uint8_t> TCropTIFF::CaptureRawData(const uint8_t* Field, TTIFFDataType Type,
                                               uint32_t Count, bool BigEndian, TByteView File) {
    // The bytes are kept for exactly the types that the writer can put out of line.
    if (!IsWritableOutOfLine(Type))
        return {};
    const uint64_t bytes = uint64_t{Count} * static_cast<uint64_t>(GetDataTypeSize(Type));
    if (bytes <= 4)
        return std::vector<uint8_t>(Field, Field + bytes);
    const std::optional<TByteView> values = File.Slice(ReadU32(Field, BigEndian), bytes);
    if (!values)
        return {};
    return std::vector<uint8_t>(values->begin(), values->end());
}

} // namespace vantrel
