// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

/// \brief UTF-8 text as Windows-1251 bytes, one byte per character: ASCII stays as it is,
/// Cyrillic and the code page's punctuation are mapped, every other character (and every
/// byte that is not valid UTF-8) becomes "?".
std::string Utf8ToCodePage1251(const std::string& text);

/// \brief UTF-8 text in the system's 8-bit code page (Windows-1251 unless the system says
/// otherwise, as Windows does), "?" for every character it lacks.
std::string Utf8ToSystemCodePage(const std::string& text);

/// \brief The character of one Windows-1251 byte; U+FFFD for 0x98, the one byte without one.
[[nodiscard]] char32_t CodePage1251Char(uint8_t byte);

} // namespace vantrel
