// SPDX-License-Identifier: MIT
#include "tiff/TagValueDisplay.h"

#include <bit>
#include <cstring>
#include <numeric>
#include <optional>

#include "tags/TIFFTagUtils.h"
#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/FloatText.h"
#include "tiff/Messages.h"

namespace vantrel {

namespace {

using L = TValueTextLimits;

constexpr std::string_view kMore = " →"; // text cut at its display limit

// Reads numbers of the file's byte order from a slice that holds all the values read.
class TValueReader {
public:
    TValueReader(TByteView values, bool bigEndian) : FValues(values), FBigEndian(bigEndian) {}

    uint8_t U8(uint64_t pos) const { return FValues.Data()[pos]; }
    uint16_t U16(uint64_t pos) const { return ReadU16(FValues.Data() + pos, FBigEndian); }
    uint32_t U32(uint64_t pos) const { return ReadU32(FValues.Data() + pos, FBigEndian); }
    uint64_t U64(uint64_t pos) const {
        return ReadNumber<uint64_t>(FValues.Data() + pos, FBigEndian);
    }

private:
    TByteView FValues;
    bool FBigEndian;
};

// Each byte becomes the character of the same code (U+0000 to U+00FF), written as UTF-8.
std::string BytesAsCharacters(std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (uint8_t b : bytes) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequences.
// Gives the text cut to `maxUnits` UTF-16 code units (a character needing two units is not
// split) and whether it had to be cut, or nothing for invalid input.
struct TDecodedUtf8 {
    std::string Text;
    bool Cut = false;
};

std::optional<TDecodedUtf8> DecodeStrictUtf8(std::span<const uint8_t> bytes, size_t maxUnits) {
    TDecodedUtf8 result;
    size_t units = 0;
    size_t keepBytes = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t lead = bytes[i];
        size_t length = 0;
        uint32_t cp = 0;
        uint32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            return std::nullopt; // continuation byte, C0/C1 or F5 and up
        }
        if (length > bytes.size() - i)
            return std::nullopt; // cut sequence
        for (size_t k = 1; k < length; ++k) {
            const uint8_t next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return std::nullopt;
        const size_t charUnits = cp >= 0x10000 ? 2 : 1;
        if (!result.Cut && units + charUnits > maxUnits)
            result.Cut = true;
        if (!result.Cut) {
            units += charUnits;
            keepBytes = i + length;
        }
        i += length;
    }
    result.Text.assign(reinterpret_cast<const char*>(bytes.data()), keepBytes);
    return result;
}

template <typename TValue>
std::string JoinValues(uint32_t n, TValue valueAt, std::string_view sep) {
    std::string out;
    for (uint32_t i = 0; i < n; ++i) {
        if (i > 0)
            out += sep;
        out += valueAt(i);
    }
    return out;
}

// "[v1, v2, ...]": the first `limit` values, ", ..." (or "; ...") when there are more.
template <typename TValue>
std::string BracketedList(uint32_t count, uint32_t limit, std::string_view sep, TValue valueAt) {
    std::string out(1, '[');
    out += JoinValues(std::min(count, limit), valueAt, sep);
    if (count > limit) {
        out += sep;
        out += "...";
    }
    out += ']';
    return out;
}

// Out of line: one number bare, several as a bracketed list.
template <typename TValue> std::string IntegerText(uint32_t count, TValue valueAt) {
    return count == 1 ? valueAt(0) : BracketedList(count, L::IntegerList, ", ", valueAt);
}

template <typename TValue> std::string RationalText(uint32_t count, TValue valueAt) {
    return count == 1 ? valueAt(0) : BracketedList(count, L::RationalList, "; ", valueAt);
}

template <typename TNumber> std::string Fraction(TNumber numerator, TNumber denominator) {
    return std::to_string(numerator) + "/" + std::to_string(denominator);
}

// Inline: the first values that the field holds, joined by ", ".
template <typename TValue> std::string InlineList(uint32_t count, uint32_t limit, TValue valueAt) {
    return JoinValues(std::min(count, limit), valueAt, ", ");
}

std::string TwoLineByteText(std::span<const uint8_t> bytes) {
    const auto count = static_cast<uint32_t>(bytes.size());
    std::string out = BracketedList(count, L::ByteList, ", ",
                                    [&](uint32_t i) { return std::to_string(bytes[i]); });
    out += "\r\n";
    out += MakePrintablePreview(bytes.first(std::min(count, L::PrintableBytes)));
    if (count > L::PrintableBytes)
        out += kMore;
    return out;
}

std::string XmpText(std::span<const uint8_t> bytes) {
    const auto decoded = DecodeStrictUtf8(bytes.first(std::min<size_t>(bytes.size(), L::XmpBytes)),
                                          L::XmpUtf16Units);
    if (!decoded)
        return std::string(messages::InvalidUtf8Value());
    return decoded->Cut ? decoded->Text + std::string(kMore) : decoded->Text;
}

std::string AsciiText(std::span<const uint8_t> bytes) {
    bytes = bytes.first(std::min<size_t>(bytes.size(), L::AsciiBytes));
    const void* nul = std::memchr(bytes.data(), 0, bytes.size());
    if (nul != nullptr)
        bytes = bytes.first(static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes.data()));
    return BytesAsCharacters(bytes);
}

std::string InlineText(const TTIFFTag& tag) {
    const TTIFFTagValue& v = tag.Value;
    switch (tag.DataType) {
    case TTIFFDataType::dtByte:
        return InlineList(tag.Count, L::InlineBytes,
                          [&](uint32_t i) { return std::to_string(v.AsBytes[i]); });
    case TTIFFDataType::dtSByte:
        return InlineList(tag.Count, L::InlineBytes, [&](uint32_t i) {
            return std::to_string(static_cast<int8_t>(v.AsBytes[i]));
        });
    case TTIFFDataType::dtASCII: {
        size_t length = 4;
        while (length > 0 && v.AsBytes[length - 1] <= 32)
            --length;
        return BytesAsCharacters(std::span(v.AsBytes, length));
    }
    case TTIFFDataType::dtShort:
        return InlineList(tag.Count, L::InlineShorts,
                          [&](uint32_t i) { return std::to_string(v.AsWords[i]); });
    case TTIFFDataType::dtSShort:
        return InlineList(tag.Count, L::InlineShorts, [&](uint32_t i) {
            return std::to_string(static_cast<int16_t>(v.AsWords[i]));
        });
    case TTIFFDataType::dtSLong:
        return std::to_string(static_cast<int32_t>(v.AsDWORD));
    case TTIFFDataType::dtFloat:
        return FormatFloatGeneral(std::bit_cast<float>(v.AsDWORD));
    default: // LONG, UNDEFINED, IFD, the 8-byte types with Count 0, unknown types
        return std::to_string(v.AsDWORD);
    }
}

// A signed 32-bit decimal: optional sign, digits, nothing else.
std::optional<int64_t> ParseInt32(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return value;
}

} // namespace

std::string FormatHex32(uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "0x00000000";
    for (int i = 9; i >= 2; --i, value >>= 4)
        out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

std::string MakePrintablePreview(std::span<const uint8_t> bytes) {
    std::string out(bytes.size(), '.');
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] >= 32 && bytes[i] <= 126)
            out[i] = static_cast<char>(bytes[i]);
    return out;
}

std::string FormatArrayValue(TByteView file, bool bigEndian, uint16_t tagID, TTIFFDataType dataType,
                             uint32_t count, uint32_t offset) {
    if (count == 0)
        return {};
    if (count > L::MaxCount) {
        std::string text = "[";
        text += std::to_string(count);
        text += messages::TooManyElementsValue();
        return text;
    }
    const auto size = static_cast<uint32_t>(TCropTIFF::GetDataTypeSize(dataType));
    const uint64_t byteCount = uint64_t{count} * size; // cannot overflow: count ≤ 10^6
    const std::optional<TByteView> values = file.Slice(offset, byteCount);
    if (!values)
        return std::string(messages::OutOfRangeValue());

    const TValueReader r(*values, bigEndian);
    const std::span<const uint8_t> bytes = values->Bytes();
    const auto at = [&](uint32_t i) { return uint64_t{i} * size; };
    switch (dataType) {
    case TTIFFDataType::dtByte:
    case TTIFFDataType::dtUndefined:
        if (count == 1)
            return std::to_string(bytes[0]);
        return tagID == tagid::XMLPacket ? XmpText(bytes) : TwoLineByteText(bytes);
    case TTIFFDataType::dtASCII:
        return AsciiText(bytes);
    case TTIFFDataType::dtShort:
        return IntegerText(count, [&](uint32_t i) { return std::to_string(r.U16(at(i))); });
    case TTIFFDataType::dtLong:
        return IntegerText(count, [&](uint32_t i) { return std::to_string(r.U32(at(i))); });
    case TTIFFDataType::dtSByte:
        return IntegerText(count, [&](uint32_t i) { return std::to_string(int8_t(r.U8(at(i)))); });
    case TTIFFDataType::dtSShort:
        return IntegerText(count,
                           [&](uint32_t i) { return std::to_string(int16_t(r.U16(at(i)))); });
    case TTIFFDataType::dtSLong:
        return IntegerText(count,
                           [&](uint32_t i) { return std::to_string(int32_t(r.U32(at(i)))); });
    case TTIFFDataType::dtRational:
        return RationalText(count,
                            [&](uint32_t i) { return Fraction(r.U32(at(i)), r.U32(at(i) + 4)); });
    case TTIFFDataType::dtSRational:
        return RationalText(count, [&](uint32_t i) {
            return Fraction(int32_t(r.U32(at(i))), int32_t(r.U32(at(i) + 4)));
        });
    case TTIFFDataType::dtFloat:
        return count == 1 ? FormatFloatGeneral(std::bit_cast<float>(r.U32(0)))
                          : std::string(messages::FloatArrayValue());
    case TTIFFDataType::dtDouble:
        return count == 1 ? FormatFloatGeneral(std::bit_cast<double>(r.U64(0)))
                          : std::string(messages::ValueArrayValue());
    default:
        return std::string(messages::UnsupportedTypeValue());
    }
}

std::string SimplifyRational(std::string_view text) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos || text.find('/', slash + 1) != std::string_view::npos)
        return std::string(text);
    const auto parsedNum = ParseInt32(text.substr(0, slash));
    const auto parsedDen = ParseInt32(text.substr(slash + 1));
    if (!parsedNum || !parsedDen)
        return std::string(text);
    // 64 bits, so that -2147483648/-1 changes sign without overflowing.
    int64_t num = *parsedNum;
    int64_t den = *parsedDen;
    if (den == 0)
        return std::to_string(num) + "/0";
    if (num == 0)
        return "0";
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const int64_t divisor = std::gcd(num, den);
    num /= divisor;
    den /= divisor;
    if (den == 1)
        return std::to_string(num);
    return std::to_string(num) + "/" + std::to_string(den);
}

void FormatTagDisplayValue(TTIFFTag& tag, TByteView file, bool bigEndian) {
    if (IsPointerTag(tag.TagID)) {
        tag.DisplayValue = FormatHex32(tag.Value.AsDWORD);
        return;
    }
    if (tag.IsInline) {
        tag.DisplayValue = InlineText(tag);
        return;
    }
    const uint32_t offset = tag.Value.AsDWORD;
    if (tag.DataType == TTIFFDataType::dtRational || tag.DataType == TTIFFDataType::dtSRational) {
        tag.DisplayValue =
            FormatArrayValue(file, bigEndian, tag.TagID, tag.DataType, tag.Count, offset);
        tag.DisplayValueDecoded = SimplifyRational(tag.DisplayValue);
        return;
    }
    tag.DisplayValue = FormatHex32(offset);
    tag.DisplayValueDecoded =
        FormatArrayValue(file, bigEndian, tag.TagID, tag.DataType, tag.Count, offset);
}

void DescribeTagTexts(TTIFFTag& tag, TByteView file, bool bigEndian) noexcept {
    tag.DisplayValue.clear();
    tag.DisplayValueDecoded.clear();
    try {
        FormatTagDisplayValue(tag, file, bigEndian);
    } catch (...) {
        tag.DisplayValue = messages::ReadErrorValue();
    }

    // A single number of a tag with a decoder gets the decoder's words.
    const TTIFFDataType type = tag.DataType;
    if (tag.Count == 1 && type != TTIFFDataType::dtASCII && type != TTIFFDataType::dtRational &&
        type != TTIFFDataType::dtSRational && type != TTIFFDataType::dtFloat &&
        type != TTIFFDataType::dtDouble) {
        try {
            const TTiffTagInfo info = GetTagInfo(tag.TagID);
            if (info.DecodeValue != nullptr) {
                std::string decoded = info.DecodeValue(tag.Value.AsDWORD);
                if (!decoded.empty())
                    tag.DisplayValueDecoded = std::move(decoded);
            }
        } catch (...) {
            // The copy below fills the decoded text instead.
        }
    }

    // The pointer tags keep an empty decoded text: their value is only an offset.
    if (tag.DisplayValueDecoded.empty() && !IsPointerTag(tag.TagID)) {
        try {
            tag.DisplayValueDecoded = tag.DisplayValue;
        } catch (...) {
        }
    }
}

std::string TCropTIFF::GetDataTypeName(TTIFFDataType type) {
    // clang-format off
    static constexpr std::string_view kNames[] = {
        "?",        "BYTE",   "ASCII",  "SHORT",     "LONG",  "RATIONAL", "SBYTE",
        "",         "SSHORT", "SLONG",  "SRATIONAL", "FLOAT", "DOUBLE",   "IFD",
        "dt_14",    "dt_15",  "dtLONG8", "dtSLONG8", "dtIFD8", "dt_19",   "dt_20",
    };
    // clang-format on
    const auto index = static_cast<size_t>(type);
    if (index == 0 || index >= std::size(kNames))
        return "?";
    if (type == TTIFFDataType::dtUndefined)
        return messages::UndefinedTypeName();
    return std::string(kNames[index]);
}

} // namespace vantrel
