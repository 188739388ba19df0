// SPDX-License-Identifier: MIT
#include "ui/logic/settings/Settings.h"

#include "ui/logic/FrameLogic.h"
#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/SettingRows.h"
#include "ui/logic/settings/TemplatesFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>

#include "platform/Paths.h"
#include "texts/Language.h"

namespace vantrel {

namespace {

struct TColorName {
    std::string_view Name;
    TColor Value;
};

// The toolkit's colour table as far as we keep it: the sixteen basic colours and the four
// extra ones; where two names share a value the first is written.
// clang-format off
constexpr std::array<TColorName, 20> kColorNames = {{
    {"clBlack",      RGBColor(0, 0, 0)},       {"clMaroon", RGBColor(128, 0, 0)},
    {"clGreen",      RGBColor(0, 128, 0)},     {"clOlive",  RGBColor(128, 128, 0)},
    {"clNavy",       RGBColor(0, 0, 128)},     {"clPurple", RGBColor(128, 0, 128)},
    {"clTeal",       RGBColor(0, 128, 128)},   {"clGray",   RGBColor(128, 128, 128)},
    {"clSilver",     RGBColor(192, 192, 192)}, {"clRed",    RGBColor(255, 0, 0)},
    {"clLime",       RGBColor(0, 255, 0)},     {"clYellow", RGBColor(255, 255, 0)},
    {"clBlue",       RGBColor(0, 0, 255)},     {"clFuchsia", RGBColor(255, 0, 255)},
    {"clAqua",       RGBColor(0, 255, 255)},   {"clWhite",  RGBColor(255, 255, 255)},
    {"clMoneyGreen", RGBColor(192, 220, 192)}, {"clSkyBlue", RGBColor(166, 202, 240)},
    {"clCream",      RGBColor(255, 251, 240)}, {"clMedGray", RGBColor(160, 160, 164)},
}};
// clang-format on

bool SameText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What a load could not use, each followed by the value or the system's reason.
constexpr texts::TText WrongLockRatio{"Неверное значение LockRatio=", "Invalid value LockRatio="};
constexpr texts::TText LockRatioKept{" в файле настроек: пропорции зафиксированы.",
                                     " in the settings file: the proportions are locked."};
constexpr texts::TText TemplatesUnread{
    "Не удалось прочитать файл шаблонов рамок, оставлены встроенные шаблоны:\r\n",
    "Could not read the frame templates file, the built-in templates are kept:\r\n"};
constexpr texts::TText SettingsUnread{
    "Не удалось прочитать файл настроек, взяты настройки по умолчанию:\r\n",
    "Could not read the settings file, the default settings are taken:\r\n"};

} // namespace

std::string ColorToString(TColor color) {
    for (const TColorName& entry : kColorNames)
        if (entry.Value == color)
            return std::string(entry.Name);
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

std::optional<TColor> StringToColor(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    for (const TColorName& entry : kColorNames)
        if (SameText(entry.Name, text))
            return entry.Value;
    if (!text.empty() && text.front() == '#') {
        const std::string_view digits = text.substr(1);
        int v[6];
        for (size_t i = 0; i < digits.size() && i < 6; ++i)
            if ((v[i] = HexDigit(digits[i])) < 0)
                return std::nullopt;
        if (digits.size() == 6)
            return RGBColor(uint8_t(v[0] * 16 + v[1]), uint8_t(v[2] * 16 + v[3]),
                            uint8_t(v[4] * 16 + v[5]));
        if (digits.size() == 3)
            return RGBColor(uint8_t(v[0] * 17), uint8_t(v[1] * 17), uint8_t(v[2] * 17));
        return std::nullopt;
    }
    const std::optional<int> number = TIniFile::ParseInteger(text);
    if (!number || *number < 0 || *number > 0xFFFFFF)
        return std::nullopt; // system colours and negative values have no meaning here
    return static_cast<TColor>(*number);
}

TSettings::TSettings() : Templates(BuiltInTemplates()) {
    for (const TSettingRow& row : SettingRows())
        ApplyDefault(row, *this);
    // Until a templates file is read, the built-in list keeps its own selection; a missing
    // ComboBoxIndex selects the first entry.
    ComboBoxIndex = BuiltInTemplateIndex;
}

int ResolveTemplateIndex(int stored, int count, int current) {
    if (stored < 0)
        return current;
    if (stored < count)
        return stored;
    return count - 1; // the last entry, or -1 for an empty list
}

void ReadSettingsIni(const TIniFile& ini, TSettings& s, bool templatesRead,
                     TSettingsProblems* problems) {
    for (const TSettingRow& row : SettingRows()) {
        std::string problem;
        ReadSetting(row, ini, s, &problem);
        if (problems && !problem.empty())
            problems->Messages.push_back(std::move(problem));
    }
    // Only the two states of the lock are meaningful; any other value would leave a lock
    // that neither follows nor toggles, so the default stays.
    if (s.LockRatio != RatioLocked && s.LockRatio != RatioFree) {
        if (problems)
            problems->Messages.push_back(std::string(WrongLockRatio()) +
                                         std::to_string(s.LockRatio) + LockRatioKept());
        s.LockRatio = RatioLocked;
    }
    // The index read selects among the templates in force.
    const int current = templatesRead ? -1 : BuiltInTemplateIndex;
    s.ComboBoxIndex =
        ResolveTemplateIndex(s.ComboBoxIndex, static_cast<int>(s.Templates.size()), current);
}

void WriteSettingsIni(const TSettings& settings, TIniFile& ini) {
    TSettings s = settings;
    // A hidden panel keeps its remembered height; the help opens by itself on a first run only.
    if (s.PanelHeight >= MinListViewHeight)
        s.ListViewHeight = s.PanelHeight;
    s.FlagShowHelp = false;
    for (const TSettingRow& row : SettingRows()) {
        // A maximized window keeps the last normal size in the file.
        const bool windowSize = row.Field == TSettingField(&TSettings::WindowWidth) ||
                                row.Field == TSettingField(&TSettings::WindowHeight);
        const bool unset = row.Write == TSettingWrite::WhenSet && HoldsDefault(row, s) &&
                           !ini.ReadValue(row.Section, row.Key);
        if (!(s.Maximized && windowSize) && !unset)
            WriteSetting(row, s, ini);
    }
}

TSettings LoadSettings(const std::filesystem::path& folder, TSettingsProblems* problems) {
    auto report = [problems](std::string message) {
        if (problems)
            problems->Messages.push_back(std::move(message));
    };
    TSettings settings;
    bool templatesRead = false;
    try {
        if (auto lines = ReadTemplatesFile(folder / TemplatesFileName)) {
            settings.Templates = std::move(*lines);
            templatesRead = true;
        }
    } catch (const std::exception& e) {
        report(TemplatesUnread() + std::string(e.what()));
    }
    TIniFile ini;
    try {
        ini = TIniFile::LoadFromFile(folder / SettingsFileName);
    } catch (const std::exception& e) {
        report(SettingsUnread() + std::string(e.what()));
    }
    ReadSettingsIni(ini, settings, templatesRead, problems);
    return settings;
}

void SaveSettings(const TSettings& settings, const std::filesystem::path& folder) {
    std::exception_ptr firstError;
    try {
        WriteTemplatesFile(folder / TemplatesFileName, settings.Templates);
    } catch (...) {
        firstError = std::current_exception();
    }
    // A failed templates file must not cost the user the rest of the settings.
    try {
        const std::filesystem::path path = folder / SettingsFileName;
        TIniFile ini = TIniFile::LoadFromFile(path);
        WriteSettingsIni(settings, ini);
        ini.SaveToFile(path);
    } catch (...) {
        if (!firstError)
            firstError = std::current_exception();
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

std::filesystem::path SettingsFolder(const std::filesystem::path& executableFolder) {
    if (IsWritableFolder(executableFolder) && !IsInstalledProgramFolder(executableFolder))
        return executableFolder;
    const std::filesystem::path folder = UserSettingsFolder();
    if (folder.empty())
        return executableFolder;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

std::string GetDocumentsFolder() {
    return DocumentsFolder();
}

std::string InitialOpenFolder(const std::string& openDir, const std::string& documentsFolder,
                              const std::filesystem::path& executableFolder) {
    if (!openDir.empty())
        return openDir;
    if (!documentsFolder.empty())
        return documentsFolder;
    return Utf8FromPath(executableFolder);
}

} // namespace vantrel
