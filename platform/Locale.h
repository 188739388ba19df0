// SPDX-License-Identifier: MIT
#pragma once

// The local clock, the locale's decimal separator and the system's 8-bit code page.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

/// The local calendar time of `seconds` since the epoch.
[[nodiscard]] std::tm LocalCalendarTime(std::time_t seconds) noexcept;

/// The decimal separator of the user's locale: the C library's locale on POSIX (setlocale,
/// uselocale), the user's regional settings on Windows.
[[nodiscard]] std::string LocaleDecimalSeparatorText();

/// The system's 8-bit code page: Windows' ANSI code page (GetACP); 1251 elsewhere, the Russian
/// code page the program's texts were made for.
[[nodiscard]] unsigned SystemCodePage() noexcept;
/// Text in code page `codePage` as UTF-8, by the system's own tables; nothing where the system
/// has none (POSIX).
[[nodiscard]] std::optional<std::string> CodePageToUtf8(unsigned codePage, std::string_view bytes);
/// UTF-8 text in code page `codePage`, "?" for a character it lacks; nothing where the system
/// has no tables (POSIX).
[[nodiscard]] std::optional<std::string> Utf8ToCodePage(unsigned codePage, std::string_view text);

} // namespace vantrel
