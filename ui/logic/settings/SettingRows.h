// SPDX-License-Identifier: MIT
#pragma once

// Every key of Vantrel.ini as one table: section, key, type, default, the control that shows
// it and the field of TSettings that holds it. The table drives reading and writing the file
// (in the table's order, which is the order of a new file's lines) and the window's copying of
// the values into its controls and back (ui/form1/Form1Settings.cpp). A new setting is a field
// of TSettings, a row here and, when a control shows it, that control.

#include <climits>
#include <span>
#include <string_view>
#include <variant>

#include "ui/logic/settings/Settings.h"

namespace vantrel {

enum class TSettingType : uint8_t {
    Integer,    // decimal, or hexadecimal after "0x" or "$"; anything else reads as the default
    Boolean,    // "1" and "0", read as an integer, non-zero meaning true
    Text,       // as written; one enclosing pair of double quotes is dropped on reading
    QuotedText, // Text written between double quotes, so blanks at either end survive
    Colour,     // ColorToString and StringToColor
};

/// The field of TSettings a row reads into and writes from.
using TSettingField = std::variant<int TSettings::*, bool TSettings::*, std::string TSettings::*,
                                   TColor TSettings::*>;
/// A value of one of those fields; a text is given as a string_view.
using TSettingValue = std::variant<int, bool, std::string_view, TColor>;

/// The values an integer is read into: a value outside is moved to the nearer end.
struct TSettingRange {
    int Min = INT_MIN;
    int Max = INT_MAX;
};

/// When a row's key is written.
enum class TSettingWrite : uint8_t {
    Always,
    /// When the value is not the default or the file has the key already: a file written
    /// before the key existed keeps its lines while the default is in force.
    WhenSet,
};

struct TSettingRow {
    std::string_view Section;
    std::string_view Key;
    TSettingType Type;
    TSettingValue Default; // what a missing key or a value that is not one reads as
    /// The object name of the control that shows the value as it is (check box, line edit,
    /// colour box, up-down, track bar); the window copies it there at start and back at the
    /// end. Empty: the window applies the value itself (window state, folders, the frame).
    std::string_view Control;
    TSettingField Field;
    TSettingRange Range = {};
    TSettingWrite Write = TSettingWrite::Always;
};

/// The rows in the order a new file lists them.
[[nodiscard]] std::span<const TSettingRow> SettingRows();

/// The row whose field is `field`; null when none.
[[nodiscard]] const TSettingRow* SettingRowOf(const TSettingField& field);

/// Sets the row's field of `settings` to the row's default.
void ApplyDefault(const TSettingRow& row, TSettings& settings);

/// Reads the row's key from `ini` into its field: the default when missing or not a value of
/// its type (a colour that is not one is told in `problem`), an integer moved into its range.
void ReadSetting(const TSettingRow& row, const TIniFile& ini, TSettings& settings,
                 std::string* problem = nullptr);

/// Whether the row's field of `settings` holds the row's default.
[[nodiscard]] bool HoldsDefault(const TSettingRow& row, const TSettings& settings);

/// Writes the row's field into `ini` as its type is written.
void WriteSetting(const TSettingRow& row, const TSettings& settings, TIniFile& ini);

} // namespace vantrel
