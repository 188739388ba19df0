// SPDX-License-Identifier: MIT
#pragma once

// Whole-file reads, safe whole-file writes and the lines of a text, for the settings and
// templates files.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

/// The bytes of `path`, or nothing when the file does not exist. Any other failure (no
/// permission, a folder in its place, a read error) raises EOSError naming the file.
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

/// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
/// `path`, so that a failure at any point leaves the previous file as it was. Raises EOSError.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

/// A text cut into lines.
struct TTextLines {
    std::vector<std::string> Lines;
    bool FirstEndIsCrLf = false; ///< the first line ends in CR LF
};

/// The lines of `text`, ending at CR LF, LF or CR. A final line end adds no empty line; empty
/// lines inside stay.
[[nodiscard]] TTextLines SplitLines(std::string_view text);

} // namespace vantrel
