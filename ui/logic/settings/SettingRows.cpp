// SPDX-License-Identifier: MIT
#include "ui/logic/settings/SettingRows.h"

#include "pipeline/kernels/DisplayAdjustments.h"
#include "texts/Language.h"
#include "ui/logic/FrameLogic.h"

#include <algorithm>
#include <array>
#include <string>

namespace vantrel {

namespace {

using T = TSettingType;
using S = TSettings;
constexpr TSettingWrite WhenSet = TSettingWrite::WhenSet;

// clang-format off
constexpr std::array kRows = std::to_array<TSettingRow>({
    // Section         Key               Type           Default      Control           Field
    //  and the range an integer is read into, when it has one
    {"Window",          "Maximized",      T::Boolean,    false,       "",               &S::Maximized},
    {"Window",          "Width",          T::Integer,    900,         "",               &S::WindowWidth,
     {MinWindowWidth}},
    {"Window",          "Height",         T::Integer,    600,         "",               &S::WindowHeight,
     {MinWindowHeight}},
    {"Window",          "ListViewHeight", T::Integer,    200,         "",               &S::ListViewHeight,
     {0}},
    {"Window",          "FlagShowHelp",   T::Boolean,    true,        "",               &S::FlagShowHelp},
    {"Folders",         "OpenDir",        T::Text,       "",          "",               &S::OpenDir},
    {"Folders",         "SaveDir",        T::Text,       "",          "",               &S::SaveDir},
    {"UI",              "ComboBoxIndex",  T::Integer,    0,           "",               &S::ComboBoxIndex},
    {"UI",              "Width",          T::Integer,    1650,        "",               &S::FrameWidth,
     {1}},
    {"UI",              "Height",         T::Integer,    1100,        "",               &S::FrameHeight,
     {1}},
    {"UI",              "LockRatio",      T::Integer,    RatioLocked, "",               &S::LockRatio},
    {"Output",          "Prefix",         T::QuotedText, "[] ",       "EdPrefix",       &S::Prefix},
    {"Output",          "Postfix",        T::QuotedText, "",          "EdPostfix",      &S::Postfix},
    {"UI",              "Tags",           T::Boolean,    false,       "chkNoTags",      &S::NoTags},
    {"UI",              "FrameColor1",    T::Colour,     clYellow,    "ColorBox1",      &S::FrameColor1},
    {"UI",              "FrameColor2",    T::Colour,     clBlack,     "ColorBox2",      &S::FrameColor2},
    {"UI",              "FrameDash",      T::Integer,    36,          "UpDnDash",       &S::FrameDash,
     {1, 100}},
    {"UI",              "FrameBlank",     T::Integer,    18,          "UpDnBlank",      &S::FrameBlank,
     {0, 100}},
    {"UI",              "PlaceOnOpen",    T::Boolean,    false,       "chkPlaceOnOpen", &S::PlaceOnOpen},
    {"UI",              "Language",       T::Text,       "ru",        "",               &S::Language,
     {}, WhenSet},
    {"HotKey",          "Trim_Space",     T::Boolean,    true,        "Chk_Space",      &S::TrimSpace},
    {"HotKey",          "Trim_CtrlEnter", T::Boolean,    true,        "Chk_CtrlEnter",  &S::TrimCtrlEnter},
    {"HotKey",          "Trim_AltC",      T::Boolean,    false,       "Chk_AltC",       &S::TrimAltC},
    {"HotKey",          "Next_Tab",       T::Boolean,    true,        "ChkTabNext",     &S::NextTab},
    {"HotKey",          "Next_Pg",        T::Boolean,    true,        "ChkPgNext",      &S::NextPg},
    {"HotKey",          "Next_AD",        T::Boolean,    false,       "ChADNext",       &S::NextAD},
    {"HotKey",          "Chk_NoModif",    T::Boolean,    false,       "Chk_NoModif",    &S::NoModif},
    {"DisplaySettings", "Brightness",     T::Integer,    0,           "TrackBar1",      &S::Brightness,
     {-BrightnessLimit, BrightnessLimit}},
    {"DisplaySettings", "SContrast",      T::Integer,    0,           "TrackBar2",      &S::SContrast,
     {-SContrastLimit, SContrastLimit}},
    {"DisplaySettings", "Gamma",          T::Integer,    0,           "TrackBar3",      &S::Gamma,
     {-GammaLimit, GammaLimit}},
});
// clang-format on

// A row's default, its field and its type name the same kind of value.
constexpr bool RowIsConsistent(const TSettingRow& row) {
    if (row.Default.index() != row.Field.index())
        return false;
    switch (row.Type) {
    case T::Integer:
        return std::holds_alternative<int>(row.Default);
    case T::Boolean:
        return std::holds_alternative<bool>(row.Default);
    case T::Text:
    case T::QuotedText:
        return std::holds_alternative<std::string_view>(row.Default);
    case T::Colour:
        return std::holds_alternative<TColor>(row.Default);
    }
    return false;
}
static_assert(std::all_of(kRows.begin(), kRows.end(), RowIsConsistent));

int Clamp(int value, const TSettingRange& range) {
    return std::clamp(value, range.Min, range.Max);
}

std::string ColorProblem(std::string_view key, std::string_view value) {
    constexpr texts::TText unknown{"Неизвестный цвет ", "Unknown colour "};
    constexpr texts::TText kept{" в файле настроек: оставлен цвет по умолчанию.",
                                " in the settings file: the default colour is kept."};
    return unknown() + std::string(key) + "=" + std::string(value) + kept();
}

} // namespace

std::span<const TSettingRow> SettingRows() {
    return kRows;
}

const TSettingRow* SettingRowOf(const TSettingField& field) {
    for (const TSettingRow& row : kRows)
        if (row.Field == field)
            return &row;
    return nullptr;
}

void ApplyDefault(const TSettingRow& row, TSettings& settings) {
    std::visit(
        [&](auto field) {
            using TValue = std::remove_reference_t<decltype(settings.*field)>;
            if constexpr (std::is_same_v<TValue, std::string>)
                settings.*field = std::string(std::get<std::string_view>(row.Default));
            else
                settings.*field = std::get<TValue>(row.Default);
        },
        row.Field);
}

void ReadSetting(const TSettingRow& row, const TIniFile& ini, TSettings& settings,
                 std::string* problem) {
    ApplyDefault(row, settings);
    const std::optional<std::string> text = ini.ReadValue(row.Section, row.Key);
    if (!text)
        return;
    switch (row.Type) {
    case T::Integer: {
        int& value = settings.*std::get<int S::*>(row.Field);
        value = Clamp(TIniFile::ParseInteger(*text).value_or(value), row.Range);
        break;
    }
    case T::Boolean: {
        bool& value = settings.*std::get<bool S::*>(row.Field);
        value = TIniFile::ParseInteger(*text).value_or(value ? 1 : 0) != 0;
        break;
    }
    case T::Text:
    case T::QuotedText:
        settings.*std::get<std::string S::*>(row.Field) = *text;
        break;
    case T::Colour:
        if (const std::optional<TColor> colour = StringToColor(*text))
            settings.*std::get<TColor S::*>(row.Field) = *colour;
        else if (problem)
            *problem = ColorProblem(row.Key, *text);
        break;
    }
}

bool HoldsDefault(const TSettingRow& row, const TSettings& settings) {
    TSettings defaults;
    ApplyDefault(row, defaults);
    return std::visit([&](auto field) { return settings.*field == defaults.*field; }, row.Field);
}

void WriteSetting(const TSettingRow& row, const TSettings& settings, TIniFile& ini) {
    switch (row.Type) {
    case T::Integer:
        ini.WriteInteger(row.Section, row.Key, settings.*std::get<int S::*>(row.Field));
        break;
    case T::Boolean:
        ini.WriteBool(row.Section, row.Key, settings.*std::get<bool S::*>(row.Field));
        break;
    case T::Text:
        ini.WriteString(row.Section, row.Key, settings.*std::get<std::string S::*>(row.Field));
        break;
    case T::QuotedText:
        ini.WriteString(row.Section, row.Key,
                        "\"" + settings.*std::get<std::string S::*>(row.Field) + "\"");
        break;
    case T::Colour:
        ini.WriteString(row.Section, row.Key,
                        ColorToString(settings.*std::get<TColor S::*>(row.Field)));
        break;
    }
}

} // namespace vantrel
