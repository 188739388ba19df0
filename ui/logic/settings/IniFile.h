// SPDX-License-Identifier: MIT
#pragma once

// A small INI reader/writer that keeps the file as its lines, so that comments, blank lines,
// keys we do not know and the order of everything survive a save.
//
// Rules: section and key names compare without regard to ASCII case; a value is the text after
// the first "=" with blanks trimmed and one enclosing pair of double quotes removed; there are
// no escapes (a path such as C:\scans\new reads as written); the first occurrence of a section
// or key wins. Writing replaces a value in place, adds a missing key after the last key of its
// section and appends a missing section at the end.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class TIniFile {
public:
    TIniFile() = default;

    /// Takes the text of a file: UTF-8 (a byte-order mark is dropped), or the system's 8-bit
    /// code page (Windows-1251 on Linux) when the bytes are not valid UTF-8, as older files of
    /// the program were; CR LF, LF or CR lines.
    explicit TIniFile(std::string_view text);

    /// Reads `path`; a missing file gives an empty INI. Other failures raise EOSError.
    static TIniFile LoadFromFile(const std::filesystem::path& path);

    /// Writes the lines as UTF-8 through a temporary file renamed over `path`. Raises EOSError.
    void SaveToFile(const std::filesystem::path& path) const;

    /// The whole text as it would be saved.
    [[nodiscard]] std::string Text() const;

    /// The value, or nothing when the section or key is missing.
    [[nodiscard]] std::optional<std::string> ReadValue(std::string_view section,
                                                       std::string_view key) const;
    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const;
    /// Decimal with an optional sign, or hexadecimal after "0x" or "$" (32 bits, so $FFFFFFFF
    /// is -1). Anything else, or a missing key, gives `defaultValue`.
    [[nodiscard]] int ReadInteger(std::string_view section, std::string_view key,
                                  int defaultValue) const;
    /// An integer, non-zero meaning true.
    [[nodiscard]] bool ReadBool(std::string_view section, std::string_view key,
                                bool defaultValue) const;

    /// A value holding a line break is written empty: it cannot live on one line.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    /// The integer rules of ReadInteger applied to one text.
    [[nodiscard]] static std::optional<int> ParseInteger(std::string_view text);

private:
    struct TKeyLine {
        size_t Index;
        size_t ValueStart;
    };
    // Line index of the header of `section`, if present.
    std::optional<size_t> FindSection(std::string_view section) const;
    // End of the section that starts at `header` (the next header's index or the line count).
    size_t SectionEnd(size_t header) const;
    std::optional<TKeyLine> FindKey(size_t header, std::string_view key) const;

    std::vector<std::string> FLines;
    bool FCrLf = false;
};

} // namespace vantrel
