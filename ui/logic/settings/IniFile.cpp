// SPDX-License-Identifier: MIT
#include "ui/logic/settings/IniFile.h"

#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/TextCodecs.h"

#include <charconv>
#include <cstdint>
#include <utility>

namespace vantrel {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The name of a "[Section]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    const std::string_view t = Trim(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

} // namespace

TIniFile::TIniFile(std::string_view text) {
    std::string decoded;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (!IsValidUtf8(text)) {
        decoded = SystemCodePageToUtf8(text);
        text = decoded;
    }
    TTextLines lines = SplitLines(text);
    FLines = std::move(lines.Lines);
    FCrLf = lines.FirstEndIsCrLf; // keep the line ends the file came with
}

TIniFile TIniFile::LoadFromFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return bytes ? TIniFile(*bytes) : TIniFile();
}

std::string TIniFile::Text() const {
    const std::string_view eol = FCrLf ? "\r\n" : "\n";
    std::string text;
    for (const std::string& line : FLines) {
        text += line;
        text += eol;
    }
    return text;
}

void TIniFile::SaveToFile(const std::filesystem::path& path) const {
    WriteFileAtomically(path, Text());
}

std::optional<size_t> TIniFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < FLines.size(); ++i) {
        const auto name = SectionName(FLines[i]);
        if (name && SameName(*name, section))
            return i;
    }
    return std::nullopt;
}

size_t TIniFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < FLines.size() && !SectionName(FLines[i]))
        ++i;
    return i;
}

std::optional<TIniFile::TKeyLine> TIniFile::FindKey(size_t header, std::string_view key) const {
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const std::string& line = FLines[i];
        if (IsComment(line))
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (SameName(Trim(std::string_view(line).substr(0, eq)), key))
            return TKeyLine{i, eq + 1};
    }
    return std::nullopt;
}

std::optional<std::string> TIniFile::ReadValue(std::string_view section,
                                               std::string_view key) const {
    const auto header = FindSection(section);
    if (!header)
        return std::nullopt;
    const auto found = FindKey(*header, key);
    if (!found)
        return std::nullopt;
    std::string_view value = Trim(std::string_view(FLines[found->Index]).substr(found->ValueStart));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    auto value = ReadValue(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

std::optional<int> TIniFile::ParseInteger(std::string_view text) {
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2), base = 16;
    } else if (text.size() > 1 && text[0] == '$') {
        text.remove_prefix(1), base = 16;
    }
    if (text.empty())
        return std::nullopt;
    if (base == 16) {
        uint32_t value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
        if (ec != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return static_cast<int>(static_cast<int32_t>(value));
    }
    if (text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = ReadValue(section, key);
    if (!value)
        return defaultValue;
    return ParseInteger(*value).value_or(defaultValue);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break inside a value would split it and could forge a section or key line; such a
    // value cannot be kept in a line-based file, so it is written empty (read as "not set").
    if (value.find_first_of("\r\n") != std::string_view::npos)
        value = {};
    std::string line(key);
    line += '=';
    line += value;
    const auto sectionAt = FindSection(section);
    if (!sectionAt) {
        if (!FLines.empty() && !Trim(FLines.back()).empty())
            FLines.emplace_back();
        std::string header(1, '[');
        header += section;
        header += ']';
        FLines.push_back(std::move(header));
        FLines.push_back(std::move(line));
        return;
    }
    if (const auto found = FindKey(*sectionAt, key)) {
        // Keep the key as the file spells it; only the value changes.
        // Keep the blanks after "=" too, so that "width = 900" stays in its own layout.
        std::string& existing = FLines[found->Index];
        const size_t valueAt = existing.find_first_not_of(kBlanks, found->ValueStart);
        existing.resize(valueAt == std::string::npos ? found->ValueStart : valueAt);
        existing += value;
        return;
    }
    // After the last key (or header), before the blank lines that part it from the next one.
    size_t insertAt = SectionEnd(*sectionAt);
    while (insertAt > *sectionAt + 1 && Trim(FLines[insertAt - 1]).empty())
        --insertAt;
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace vantrel
