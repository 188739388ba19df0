// SPDX-License-Identifier: MIT
#pragma once

// The two display texts of a tag record: the value as stored and the value explained.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tiff/ByteView.h"
#include "tiff/TIFFRecords.h"

namespace vantrel {

/// Display limits of the value texts.
struct TValueTextLimits {
    static constexpr uint32_t InlineBytes = 4;      ///< values listed of an inline BYTE
    static constexpr uint32_t InlineShorts = 2;     ///< values listed of an inline SHORT
    static constexpr uint32_t MaxCount = 1'000'000; ///< largest Count shown at all
    static constexpr uint32_t IntegerList = 20;     ///< values listed of an integer array
    static constexpr uint32_t RationalList = 10;    ///< values listed of a rational array
    static constexpr uint32_t ByteList = 30;        ///< bytes listed in decimal
    static constexpr uint32_t PrintableBytes = 200; ///< bytes shown as characters
    static constexpr uint32_t AsciiBytes = 1000;    ///< bytes read of an ASCII array
    static constexpr uint32_t XmpBytes = 1000;      ///< bytes decoded of an XMP packet
    static constexpr uint32_t XmpUtf16Units = 200;  ///< XMP text shown, in UTF-16 units
};

/// \brief "0x" and the value as 8 upper-case hexadecimal digits.
[[nodiscard]] std::string FormatHex32(uint32_t value);

/// \brief Sets `DisplayValue` and, for out-of-line values, `DisplayValueDecoded` of a record
/// from its TagID, DataType, Count, Value and IsInline, reading out-of-line values from the
/// bytes of the whole file. May throw (std::bad_alloc).
void FormatTagDisplayValue(TTIFFTag& tag, TByteView file, bool bigEndian);

/// \brief Text of the `count` values of `dataType` at `offset` in the file; values outside the
/// file give "[выход за диапазон]" and are not read.
[[nodiscard]] std::string FormatArrayValue(TByteView file, bool bigEndian, uint16_t tagID,
                                           TTIFFDataType dataType, uint32_t count, uint32_t offset);

/// \brief Reduces the text of one rational ("600/4" → "150", "4/-8" → "-1/2"); any other text
/// comes back unchanged.
[[nodiscard]] std::string SimplifyRational(std::string_view text);

/// \brief One character per byte: 32 to 126 as themselves, every other byte ".".
[[nodiscard]] std::string MakePrintablePreview(std::span<const uint8_t> bytes);

/// \brief Both display texts of a record, as the metadata table shows them: the value text,
/// the catalogue decoder's text for single values, else a copy of the value text (not for the
/// four directory pointer tags). Never throws: failures become placeholder texts.
void DescribeTagTexts(TTIFFTag& tag, TByteView file, bool bigEndian) noexcept;

} // namespace vantrel
