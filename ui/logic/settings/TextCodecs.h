// SPDX-License-Identifier: MIT
#pragma once

// Conversions between the encodings a templates or settings file may arrive in and the
// UTF-8 the program works in. No Qt here: the settings files are read by plain C++.

#include <string>
#include <string_view>

namespace vantrel {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
/// U+10FFFF, no truncated sequence at the end).
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

/// Windows-1251 (the Russian single-byte code page) to UTF-8.
[[nodiscard]] std::string Cp1251ToUtf8(std::string_view bytes);

/// Text in the system's 8-bit code page to UTF-8: Windows-1251 unless the system says
/// otherwise, as Windows does with its ANSI code page.
[[nodiscard]] std::string SystemCodePageToUtf8(std::string_view bytes);

/// UTF-16 without its byte-order mark to UTF-8; unpaired surrogates and an odd final byte
/// become U+FFFD.
[[nodiscard]] std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

/// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace vantrel
