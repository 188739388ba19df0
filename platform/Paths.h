// SPDX-License-Identifier: MIT
#pragma once

// Paths cross the platform room as UTF-8 text in the system's own spelling: "/" between
// folders on POSIX, "\" (and "/" accepted) with drive letters on Windows.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

/// True for a character that separates folders in a path of this system.
[[nodiscard]] constexpr bool IsPathSeparator(char c) noexcept {
#if defined(_WIN32)
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

/// The path of UTF-8 `text`; std::filesystem takes narrow text in the ANSI code page on
/// Windows, which would lose every character outside it.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view text);

/// The UTF-8 text of `path`.
[[nodiscard]] std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace vantrel
