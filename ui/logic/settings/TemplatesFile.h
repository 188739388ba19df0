// SPDX-License-Identifier: MIT
#pragma once

// The frame templates file VantrelFrames.txt: one template per line, shown unchanged in the
// template list (the size is taken from the start of the line by the frame code).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view TemplatesFileName = "VantrelFrames.txt";

/// The eighteen templates present until a templates file is read.
[[nodiscard]] const std::vector<std::string>& BuiltInTemplates();
/// The entry selected among the built-in templates, "9000x6000 (crop)".
inline constexpr int BuiltInTemplateIndex = 12;

/// The lines of a templates file's bytes. The byte-order mark decides the encoding (UTF-8,
/// UTF-16 LE or BE); without one the bytes are UTF-8 when valid, else in the system's 8-bit code
/// page (Windows-1251 on Linux). Lines end at CR LF, LF or CR; a final line end adds no empty
/// line, empty lines inside stay entries.
[[nodiscard]] std::vector<std::string> DecodeTemplates(std::string_view bytes);

/// The bytes written for `lines`: UTF-8 with its byte-order mark, every line ending in CR LF.
[[nodiscard]] std::string EncodeTemplates(const std::vector<std::string>& lines);

/// Reads the file; nothing when it does not exist. Other failures raise EOSError.
[[nodiscard]] std::optional<std::vector<std::string>>
ReadTemplatesFile(const std::filesystem::path& path);

/// Writes the file anew, safely (temporary file renamed over it). Raises EOSError.
void WriteTemplatesFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace vantrel
