// SPDX-License-Identifier: MIT
#pragma once

// Whole-file reads and safe whole-file writes for the settings and templates files.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

/// The bytes of `path`, or nothing when the file does not exist. Any other failure (no
/// permission, a folder in its place, a read error) raises EOSError naming the file.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

/// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
/// `path`, so that a failure at any point leaves the previous file as it was. Raises EOSError.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace vantrel
