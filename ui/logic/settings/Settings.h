// SPDX-License-Identifier: MIT
#pragma once

// The program's persistent state as a plain value (TSettings), read from and written to
// Vantrel.ini and VantrelFrames.txt. The window copies TSettings into its controls after
// LoadSettings and back before SaveSettings; nothing here knows about widgets.

#include "platform/Folders.h"
#include "ui/logic/settings/IniFile.h"
#include "ui/logic/settings/TemplatesFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr std::string_view SettingsFileName = "Vantrel.ini";

/// A colour as 0x00BBGGRR: red in the lowest byte.
using TColor = uint32_t;

[[nodiscard]] constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}
[[nodiscard]] constexpr uint8_t RedOf(TColor c) {
    return c & 0xFF;
}
[[nodiscard]] constexpr uint8_t GreenOf(TColor c) {
    return (c >> 8) & 0xFF;
}
[[nodiscard]] constexpr uint8_t BlueOf(TColor c) {
    return (c >> 16) & 0xFF;
}

inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clOrange = RGBColor(255, 128, 0); // offered by the colour boxes, unnamed

/// The colour's table name ("clYellow") or "$" and eight upper-case hex digits ("$000080FF").
[[nodiscard]] std::string ColorToString(TColor color);
/// A name in any case, "#RRGGBB", "#RGB", a decimal number, or hexadecimal after "$" or "0x".
/// Nothing for any other text or a value above $00FFFFFF.
[[nodiscard]] std::optional<TColor> StringToColor(std::string_view text);

// Ranges the controls keep their values in.
inline constexpr int MinWindowWidth = 900;
inline constexpr int MinWindowHeight = 600;
inline constexpr int MinListViewHeight = 30; // below this the metadata panel counts as hidden

/// The settings as the program holds them. Each field but PanelHeight and the templates is a
/// key of Vantrel.ini, whose row in SettingRows.cpp gives its default, its range and the
/// control that shows it.
struct TSettings {
    // [Window]
    int WindowWidth{};
    int WindowHeight{};
    bool Maximized{};
    int ListViewHeight{}; // remembered height of the metadata panel
    /// Saving only: the metadata panel's height at the end of the run. Below 30 (hidden) the
    /// remembered ListViewHeight is written instead.
    int PanelHeight = 0;
    bool FlagShowHelp{}; // read true when missing, always written false

    // [Folders]
    std::string OpenDir; // as stored; see InitialOpenFolder for the dialog's folder
    std::string SaveDir; // FOutputFolder

    // Templates file and [UI]
    std::vector<std::string> Templates; // ComboBox1's entries
    int ComboBoxIndex{};                // the entry to select, -1 for none
    int LockRatio{};                    // 0 locked, 1 free
    int FrameWidth{};                   // SpEdWidth
    int FrameHeight{};                  // SpEdHeight
    bool NoTags{};                      // chkNoTags
    TColor FrameColor1{};               // ColorBox1
    TColor FrameColor2{};               // ColorBox2
    int FrameDash{};                    // UpDnDash
    int FrameBlank{};                   // UpDnBlank
    bool PlaceOnOpen{};                 // chkPlaceOnOpen: every load puts the frame on the picture
    std::string Language; // the interface language's code ("ru", "en"); any other reads Russian

    // [Output]
    std::string Prefix;  // EdPrefix
    std::string Postfix; // EdPostfix

    // [HotKey]
    bool TrimSpace{};     // Chk_Space
    bool TrimCtrlEnter{}; // Chk_CtrlEnter
    bool TrimAltC{};      // Chk_AltC
    bool NextTab{};       // ChkTabNext
    bool NextPg{};        // ChkPgNext
    bool NextAD{};        // ChADNext
    bool NoModif{};       // Chk_NoModif

    // [DisplaySettings]
    int Brightness{}; // TrackBar1
    int SContrast{};  // TrackBar2
    int Gamma{};      // TrackBar3

    /// The defaults of every key, the built-in templates and their selection.
    TSettings();
    friend bool operator==(const TSettings&, const TSettings&) = default;
};

/// What a load could not use; start-up goes on with the defaults for these.
struct TSettingsProblems {
    std::vector<std::string> Messages; // in the language in force, one per problem
};

/// The selection that ComboBoxIndex `stored` gives in a list of `count` entries whose current
/// selection is `current` (-1 none): in range selects it, beyond the end selects the last
/// entry, negative keeps `current`.
[[nodiscard]] int ResolveTemplateIndex(int stored, int count, int current);

/// Applies the values of `ini` to the defaults in `settings` (every key of Vantrel.ini).
/// `templatesRead` tells whether the templates came from a file, which decides the selection
/// kept by a negative ComboBoxIndex.
void ReadSettingsIni(const TIniFile& ini, TSettings& settings, bool templatesRead,
                     TSettingsProblems* problems = nullptr);
/// Writes every key of `settings` into `ini`, keeping the keys it does not know.
void WriteSettingsIni(const TSettings& settings, TIniFile& ini);

/// LoadSettings: the templates file, then Vantrel.ini, from `folder`. Never raises: a file
/// that cannot be read leaves the defaults and is described in `problems`.
[[nodiscard]] TSettings LoadSettings(const std::filesystem::path& folder,
                                     TSettingsProblems* problems = nullptr);
/// SaveSettings: the templates file, then Vantrel.ini, into `folder`. Both are attempted;
/// the first failure is raised afterwards as EOSError.
void SaveSettings(const TSettings& settings, const std::filesystem::path& folder);

/// Where the two files live: `executableFolder` when it can be written to (portable use) and
/// is not an installed program's (IsInstalledProgramFolder), else the user's own folder
/// (UserSettingsFolder: $XDG_CONFIG_HOME/vantrel, default ~/.config/vantrel; %APPDATA%\Vantrel
/// on Windows), created when missing. ExecutableFolder() comes from platform/Folders.h.
[[nodiscard]] std::filesystem::path SettingsFolder(const std::filesystem::path& executableFolder);

/// The user's documents folder: $XDG_DOCUMENTS_DIR, else XDG_DOCUMENTS_DIR of user-dirs.dirs,
/// else ~/Documents when it exists (the known folder Documents on Windows); empty when there
/// is none.
[[nodiscard]] std::string GetDocumentsFolder();

/// The open dialog's first folder: OpenDir, else the documents folder, else the executable's.
[[nodiscard]] std::string InitialOpenFolder(const std::string& openDir,
                                            const std::string& documentsFolder,
                                            const std::filesystem::path& executableFolder);

} // namespace vantrel
