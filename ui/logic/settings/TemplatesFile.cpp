// SPDX-License-Identifier: MIT
#include "ui/logic/settings/TemplatesFile.h"

#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/TextCodecs.h"

namespace vantrel {

const std::vector<std::string>& BuiltInTemplates() {
    static const std::vector<std::string> templates = {
        "1650x1100 (crop)",      "1687x1125 (1200 ppi)", "2250x1500 (crop)",
        "2268x1512 (1600 ppi)",  "2550x1700 (crop)",     "2551x1701 (1800 ppi)",
        "3375x2250 (crop)",      "3402x2268 (2400 ppi)", "4500x3000 (crop)",
        "4535x3024 (3200 ppi)",  "6750x4500 (crop)",     "6803x4535 (4800 ppi)",
        "9000x6000 (crop)",      "9071x6047 (6400 ppi)", "13500x9000 (crop)",
        "13606x9071 (9600 ppi)", "18000x12000 (crop)",   "18142x12094 (12800 ppi)",
    };
    return templates;
}

std::vector<std::string> DecodeTemplates(std::string_view bytes) {
    std::string text;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        text = bytes.substr(3);
    else if (bytes.substr(0, 2) == "\xFF\xFE")
        text = Utf16ToUtf8(bytes.substr(2), false);
    else if (bytes.substr(0, 2) == "\xFE\xFF")
        text = Utf16ToUtf8(bytes.substr(2), true);
    else if (IsValidUtf8(bytes))
        text = bytes;
    else
        text = SystemCodePageToUtf8(bytes);
    return SplitLines(text).Lines;
}

std::string EncodeTemplates(const std::vector<std::string>& lines) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<std::vector<std::string>> ReadTemplatesFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    return DecodeTemplates(*bytes);
}

void WriteTemplatesFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    WriteFileAtomically(path, EncodeTemplates(lines));
}

} // namespace vantrel
