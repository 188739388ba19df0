// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

/// A tag's decoder: explains a single value given as a 32-bit number; an empty text means the
/// value is not one it knows.
using TTagValueDecoder = std::string (*)(uint32_t value);

/// The catalogue's answer for one tag number.
struct TTiffTagInfo {
    std::string DisplayName;                ///< never empty
    TTagValueDecoder DecodeValue = nullptr; ///< absent for tags without a decoder
};

/// \brief Display name of a tag number: the catalogue's name, or "Тег %d" for unknown numbers.
[[nodiscard]] std::string GetTagName(uint16_t tagID);

/// \brief Display name and decoder of a tag number.
[[nodiscard]] TTiffTagInfo GetTagInfo(uint16_t tagID);

/// \brief Name of a compression scheme (decoder of tag 259); "Неизвестный" for unknown numbers.
[[nodiscard]] std::string GetCompressionName(uint32_t value);

// Decoders of single values. All compare the value as a signed 32-bit number; those that may
// return an empty text do so for values they do not explain.
[[nodiscard]] std::string DecodeNewSubfileType(uint32_t value);
[[nodiscard]] std::string DecodePhotometricInterpretation(uint32_t value);
[[nodiscard]] std::string DecodeThreshholding(uint32_t value);
[[nodiscard]] std::string DecodeFillOrder(uint32_t value);
[[nodiscard]] std::string DecodeOrientation(uint32_t value);
[[nodiscard]] std::string DecodePlanarConfiguration(uint32_t value);
[[nodiscard]] std::string DecodeResolutionUnit(uint32_t value);
[[nodiscard]] std::string DecodePredictor(uint32_t value);
[[nodiscard]] std::string DecodeSampleFormat(uint32_t value);
[[nodiscard]] std::string DecodeExposureProgram(uint32_t value);
[[nodiscard]] std::string DecodeMeteringMode(uint32_t value);
[[nodiscard]] std::string DecodeLightSource(uint32_t value);
[[nodiscard]] std::string DecodeFlash(uint32_t value);
[[nodiscard]] std::string DecodeColorSpace(uint32_t value);
[[nodiscard]] std::string DecodeSensingMethod(uint32_t value);
[[nodiscard]] std::string DecodeWhiteBalance(uint32_t value);
[[nodiscard]] std::string DecodeSceneCaptureType(uint32_t value);

/// The program's file version: major, minor, release, build.
struct TFileVersion {
    uint16_t Major = 0;
    uint16_t Minor = 0;
    uint16_t Release = 0;
    uint16_t Build = 0;
};

/// \brief The version compiled into the program, if the build recorded one.
[[nodiscard]] std::optional<TFileVersion> GetCompiledFileVersion();

/// \brief "1.0.1 (build 176, x64)" (English) or "1.0.1 (сборка 176, x64)"; "Unknown" without a
/// version.
[[nodiscard]] std::string FormatVersionText(const std::optional<TFileVersion>& version,
                                            bool UseEnglish);

/// \brief The program's version text, from the compiled-in version.
[[nodiscard]] std::string GetVersionText(bool UseEnglish);

} // namespace vantrel
