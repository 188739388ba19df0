// SPDX-License-Identifier: MIT
#include "ui/logic/settings/Settings.h"
#include "tests/support/TempDir.h"
#include "tiff/Exceptions.h"
#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/SettingRows.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

TIniFile IniIn(const std::filesystem::path& folder) {
    return TIniFile::LoadFromFile(folder / SettingsFileName);
}

void PutIni(const std::filesystem::path& folder, std::string_view text) {
    WriteFileAtomically(folder / SettingsFileName, text);
}

TEST(SettingsTest, FirstStartWithoutFiles) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TSettingsProblems problems;
    const TSettings s = LoadSettings(folder, &problems);
    EXPECT_TRUE(problems.Messages.empty());
    EXPECT_EQ(s.WindowWidth, 900);
    EXPECT_EQ(s.WindowHeight, 600);
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.ListViewHeight, 200);
    EXPECT_TRUE(s.FlagShowHelp);
    EXPECT_EQ(s.OpenDir, "");
    EXPECT_EQ(s.SaveDir, "");
    EXPECT_EQ(s.Templates, BuiltInTemplates());
    EXPECT_EQ(s.ComboBoxIndex, 0);
    EXPECT_EQ(s.LockRatio, 0);
    EXPECT_EQ(s.FrameWidth, 1650);
    EXPECT_EQ(s.FrameHeight, 1100);
    EXPECT_FALSE(s.NoTags);
    EXPECT_EQ(s.FrameColor1, clYellow);
    EXPECT_EQ(s.FrameColor2, clBlack);
    EXPECT_EQ(s.FrameDash, 36);
    EXPECT_EQ(s.FrameBlank, 18);
    EXPECT_FALSE(s.PlaceOnOpen);
    EXPECT_EQ(s.Prefix, "[] ");
    EXPECT_EQ(s.Postfix, "");
    EXPECT_TRUE(s.TrimSpace);
    EXPECT_TRUE(s.TrimCtrlEnter);
    EXPECT_FALSE(s.TrimAltC);
    EXPECT_TRUE(s.NextTab);
    EXPECT_TRUE(s.NextPg);
    EXPECT_FALSE(s.NextAD);
    EXPECT_FALSE(s.NoModif);
    EXPECT_EQ(s.Brightness, 0);
    EXPECT_EQ(s.SContrast, 0);
    EXPECT_EQ(s.Gamma, 0);

    // The end of the first run leaves both files; the help opens by itself only once.
    SaveSettings(s, folder);
    EXPECT_EQ(*ReadWholeFile(folder / TemplatesFileName), EncodeTemplates(BuiltInTemplates()));
    const TIniFile ini = IniIn(folder);
    EXPECT_EQ(ini.ReadValue("Window", "FlagShowHelp"), "0");
    EXPECT_EQ(ini.ReadValue("UI", "FrameColor1"), "clYellow");
    EXPECT_EQ(ini.ReadValue("UI", "FrameColor2"), "clBlack");
    const TSettings second = LoadSettings(folder);
    EXPECT_FALSE(second.FlagShowHelp);
    EXPECT_EQ(second.ComboBoxIndex, 0);
}

// Each key of the table on its own with a value other than its default: written, read back.
TEST(SettingsTest, EveryKeySurvivesARoundTrip) {
    for (const TSettingRow& row : SettingRows()) {
        SCOPED_TRACE(std::string(row.Section) + "/" + std::string(row.Key));
        TSettings s;
        std::visit(
            [&](auto field) {
                auto& value = s.*field;
                using TValue = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<TValue, bool>)
                    value = !value;
                else if constexpr (std::is_same_v<TValue, int>)
                    value = value < row.Range.Max ? value + 1 : value - 1;
                else if constexpr (std::is_same_v<TValue, TColor>)
                    value = clOrange;
                else
                    value = " /home/u/Сканы\\старые = \"a\" "; // blanks, quotes, backslash
            },
            row.Field);
        TIniFile ini;
        WriteSettingsIni(s, ini);
        TSettings back;
        ReadSettingsIni(TIniFile(ini.Text()), back, false);
        TSettings expected = s;
        expected.FlagShowHelp = false; // always written false
        if (row.Type == TSettingType::Text)
            expected.*std::get<std::string TSettings::*>(row.Field) =
                "/home/u/Сканы\\старые = \"a\""; // unquoted, its blanks trimmed
        EXPECT_EQ(back, expected);
    }
}

// The templates, the remembered panel height and texts of every kind at once.
TEST(SettingsTest, SettingsSurviveARestart) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TSettings s;
    s.ListViewHeight = 150;
    s.PanelHeight = 321;
    s.OpenDir = "/home/u/Сканы\\старые";
    s.SaveDir = "/home/u/out dir/";
    s.Templates = {"100x200 мой", "", "300 400"};
    s.ComboBoxIndex = 2;
    s.Prefix = " a=b ";
    s.Postfix = "_crop ";
    SaveSettings(s, folder);

    TSettings expected = s;
    expected.FlagShowHelp = false;
    expected.ListViewHeight = 321; // the panel's height at the end
    expected.PanelHeight = 0;
    EXPECT_EQ(LoadSettings(folder), expected);
}

// A new file lists the keys in the order of the table, section by section as they first come.
TEST(SettingsTest, NewFileLayout) {
    TIniFile ini;
    WriteSettingsIni(TSettings(), ini);
    EXPECT_EQ(ini.Text(), "[Window]\nMaximized=0\nWidth=900\nHeight=600\nListViewHeight=200\n"
                          "FlagShowHelp=0\n\n[Folders]\nOpenDir=\nSaveDir=\n\n[UI]\n"
                          "ComboBoxIndex=12\nWidth=1650\nHeight=1100\nLockRatio=0\nTags=0\n"
                          "FrameColor1=clYellow\nFrameColor2=clBlack\nFrameDash=36\n"
                          "FrameBlank=18\nPlaceOnOpen=0\n\n[Output]\nPrefix=\"[] \"\n"
                          "Postfix=\"\"\n\n[HotKey]\nTrim_Space=1\nTrim_CtrlEnter=1\n"
                          "Trim_AltC=0\nNext_Tab=1\nNext_Pg=1\nNext_AD=0\nChk_NoModif=0\n\n"
                          "[DisplaySettings]\nBrightness=0\nSContrast=0\nGamma=0\n");
}

TEST(SettingsTest, QuotedAndUnquotedPrefixes) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TSettings s;
    SaveSettings(s, folder);
    EXPECT_NE(IniIn(folder).Text().find("\nPrefix=\"[] \"\n"), std::string::npos);
    EXPECT_EQ(LoadSettings(folder).Prefix, "[] ");

    PutIni(folder, "[Output]\nPrefix=IMG_\nPostfix=  \n");
    s = LoadSettings(folder);
    EXPECT_EQ(s.Prefix, "IMG_");
    EXPECT_EQ(s.Postfix, "");
    SaveSettings(s, folder);
    EXPECT_EQ(IniIn(folder).Text().rfind("[Output]\nPrefix=\"IMG_\"\nPostfix=\"\"\n", 0), 0u);
    EXPECT_EQ(LoadSettings(folder).Prefix, "IMG_");
}

TEST(SettingsTest, TemplateSelection) {
    struct Case {
        const char* Stored;
        int TemplateLines; // -1: no templates file
        int Selected;
    };
    const Case cases[] = {
        {"50", -1, 17}, {"50", 18, 17}, {"-1", -1, 12}, {"-1", 18, -1},
        {"5", 18, 5},   {"50", 0, -1},  {"0", 3, 0},    {"x", -1, 0},
    };
    for (const Case& c : cases) {
        const test::TTempDir tmp;
        const std::filesystem::path folder = tmp.Path();
        if (c.TemplateLines >= 0) {
            Lines lines;
            for (int i = 0; i < c.TemplateLines; ++i)
                lines.push_back(std::to_string(100 + i) + "x100");
            WriteFileAtomically(folder / TemplatesFileName, EncodeTemplates(lines));
        }
        PutIni(folder, std::string("[UI]\nComboBoxIndex=") + c.Stored + "\n");
        EXPECT_EQ(LoadSettings(folder).ComboBoxIndex, c.Selected)
            << c.Stored << " with " << c.TemplateLines << " lines";
    }
}

TEST(SettingsTest, MaximizedWindowKeepsTheLastNormalSize) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    PutIni(folder, "[Window]\nWidth=1300\nHeight=800\nMaximized=0\n");
    TSettings s = LoadSettings(folder);
    s.Maximized = true;
    s.WindowWidth = 1920;
    s.WindowHeight = 1080;
    SaveSettings(s, folder);
    TSettings back = LoadSettings(folder);
    EXPECT_TRUE(back.Maximized);
    EXPECT_EQ(back.WindowWidth, 1300);
    EXPECT_EQ(back.WindowHeight, 800);

    back.Maximized = false;
    back.WindowWidth = 1000;
    SaveSettings(back, folder);
    const TIniFile ini = IniIn(folder);
    EXPECT_EQ(ini.ReadValue("Window", "Maximized"), "0");
    EXPECT_EQ(ini.ReadValue("Window", "Width"), "1000");
}

TEST(SettingsTest, HiddenPanelKeepsItsRememberedHeight) {
    struct Case {
        int Panel;
        int Written;
    };
    for (const Case c : {Case{0, 260}, Case{29, 260}, Case{30, 30}, Case{400, 400}}) {
        TSettings s;
        s.ListViewHeight = 260;
        s.PanelHeight = c.Panel;
        TIniFile ini;
        WriteSettingsIni(s, ini);
        EXPECT_EQ(ini.ReadInteger("Window", "ListViewHeight", -1), c.Written) << c.Panel;
    }
}

TEST(SettingsTest, Colours) {
    EXPECT_EQ(ColorToString(clOrange), "$000080FF");
    EXPECT_EQ(ColorToString(clYellow), "clYellow");
    EXPECT_EQ(ColorToString(RGBColor(0, 255, 0)), "clLime");
    EXPECT_EQ(ColorToString(RGBColor(0, 255, 255)), "clAqua");
    EXPECT_EQ(ColorToString(RGBColor(255, 0, 255)), "clFuchsia");
    EXPECT_EQ(ColorToString(RGBColor(255, 255, 255)), "clWhite");
    EXPECT_EQ(ColorToString(RGBColor(160, 160, 164)), "clMedGray");
    EXPECT_EQ(ColorToString(RGBColor(1, 2, 3)), "$00030201");

    struct Case {
        const char* Text;
        std::optional<TColor> Color;
    };
    const Case cases[] = {
        {"clYellow", clYellow},
        {"CLYELLOW", clYellow},
        {" clred ", RGBColor(255, 0, 0)},
        {"$000080FF", clOrange},
        {"0x80ff", clOrange},
        {"33023", clOrange},
        {"#FF8000", clOrange},
        {"#f80", RGBColor(255, 136, 0)},
        {"clSkyBlue", RGBColor(166, 202, 240)},
        {"clOrange", {}},
        {"#12345", {}},
        {"#GG0000", {}},
        {"-16777201", {}},
        {"$FF000005", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringToColor(c.Text), c.Color) << '"' << c.Text << '"';

    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TSettings s;
    s.FrameColor1 = clOrange;
    SaveSettings(s, folder);
    EXPECT_EQ(IniIn(folder).ReadValue("UI", "FrameColor1"), "$000080FF");
    EXPECT_EQ(LoadSettings(folder).FrameColor1, clOrange);
}

// Values that would have stopped start-up leave their defaults, the rest still loads, and
// each is described for the user.
TEST(SettingsTest, BadValuesKeepTheirDefaults) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    std::filesystem::create_directory(folder / TemplatesFileName); // unreadable
    PutIni(folder, "[UI]\nFrameColor1=clSunset\nFrameColor2=clRed\nLockRatio=2\n"
                   "Width=3000\nFrameDash=0\nFrameBlank=500\n"
                   "[Window]\nWidth=100\nHeight=5000\n"
                   "[DisplaySettings]\nBrightness=999\nSContrast=-999\nGamma=0x10\n");
    TSettingsProblems problems;
    const TSettings s = LoadSettings(folder, &problems);
    EXPECT_EQ(problems.Messages.size(), 3u);
    EXPECT_EQ(s.Templates, BuiltInTemplates());
    EXPECT_EQ(s.FrameColor1, clYellow);
    EXPECT_EQ(s.FrameColor2, RGBColor(255, 0, 0));
    EXPECT_EQ(s.LockRatio, 0);
    EXPECT_EQ(s.FrameWidth, 3000);
    EXPECT_EQ(s.FrameDash, 1);
    EXPECT_EQ(s.FrameBlank, 100);
    EXPECT_EQ(s.WindowWidth, 900);
    EXPECT_EQ(s.WindowHeight, 5000);
    EXPECT_EQ(s.Brightness, 255);
    EXPECT_EQ(s.SContrast, -500);
    EXPECT_EQ(s.Gamma, 16);

    const TSettings quiet = LoadSettings(folder); // no problem list: still no throw
    EXPECT_EQ(quiet.LockRatio, 0);
}

TEST(SettingsTest, KeysWeDoNotWriteAreKept) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    PutIni(folder, "; user notes\n[Window]\nPosition=12\nwidth=1000\n\n[Plugins]\nX=1\n");
    SaveSettings(LoadSettings(folder), folder);
    const TIniFile ini = IniIn(folder);
    EXPECT_EQ(ini.Text().rfind("; user notes\n[Window]\nPosition=12\nwidth=1000\n", 0), 0u);
    EXPECT_EQ(ini.ReadValue("Plugins", "X"), "1");
}

TEST(SettingsTest, FailedTemplatesWriteStillSavesTheSettings) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    // A non-empty folder in the templates file's place cannot be replaced by a file.
    std::filesystem::create_directories(folder / TemplatesFileName / "x");
    TSettings s;
    s.SaveDir = "/out";
    EXPECT_THROW(SaveSettings(s, folder), EOSError);
    EXPECT_EQ(IniIn(folder).ReadValue("Folders", "SaveDir"), "/out");
}

// Environment variables changed for one test and restored afterwards.
class TEnv {
public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        Put(name, value.c_str());
    }
    void Unset(const char* name) {
        Remember(name);
        Put(name, nullptr);
    }
    ~TEnv() {
        for (const auto& [name, value] : FSaved)
            Put(name.c_str(), value ? value->c_str() : nullptr);
    }

private:
    static void Put(const char* name, const char* value) {
#if defined(_WIN32)
        ::_putenv_s(name, value ? value : "");
#else
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
    }
    void Remember(const char* name) {
        const char* v = std::getenv(name);
        FSaved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};

TEST(SettingsTest, SettingsFolderChoice) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TEnv env;
    EXPECT_EQ(SettingsFolder(folder), folder); // writable: portable use
#if defined(_WIN32)
    // Where it may not write, and installed beside its uninstaller: %APPDATA%\Vantrel.
    const char* appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    const std::filesystem::path perUser = std::filesystem::path(appData) / "Vantrel";
    EXPECT_EQ(SettingsFolder(folder / "Program Files" / "Vantrel"), perUser);
    EXPECT_TRUE(std::filesystem::is_directory(perUser));
    WriteFileAtomically(folder / "Uninstall.exe", "MZ");
    EXPECT_EQ(SettingsFolder(folder), perUser);
    return;
#endif

    const auto missing = folder / "usr" / "bin"; // cannot be written to
    env.Set("XDG_CONFIG_HOME", (folder / "config").string());
    EXPECT_EQ(SettingsFolder(missing), folder / "config" / "vantrel");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "config" / "vantrel"));

    env.Unset("XDG_CONFIG_HOME");
    env.Set("HOME", (folder / "home").string());
    EXPECT_EQ(SettingsFolder(missing), folder / "home" / ".config" / "vantrel");

    // Installed beside its desktop entry: per user even where the folder can be written to.
    const auto prefix = folder / "prefix";
    std::filesystem::create_directories(prefix / "bin");
    EXPECT_EQ(SettingsFolder(prefix / "bin"), prefix / "bin"); // a copy in a folder named bin
    std::filesystem::create_directories(prefix / "share" / "applications");
    WriteFileAtomically(prefix / "share" / "applications" / "invalid.vantrel.vantrel.desktop",
                        "[Desktop Entry]\n");
    EXPECT_EQ(SettingsFolder(prefix / "bin"), folder / "home" / ".config" / "vantrel");
}

TEST(SettingsTest, DocumentsFolder) {
#if defined(_WIN32)
    // The known folder Documents of the user: Windows names it, no XDG variable counts.
    EXPECT_TRUE(std::filesystem::is_directory(GetDocumentsFolder())) << GetDocumentsFolder();
    return;
#endif
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    TEnv env;
    const auto home = folder / "home";
    std::filesystem::create_directories(home / ".config");
    env.Set("HOME", home.string());
    env.Unset("XDG_CONFIG_HOME");
    env.Unset("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(GetDocumentsFolder(), ""); // nothing known, nothing there

    std::filesystem::create_directory(home / "Documents");
    EXPECT_EQ(GetDocumentsFolder(), (home / "Documents").string());

    WriteFileAtomically(home / ".config" / "user-dirs.dirs",
                        "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                        "XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n");
    EXPECT_EQ(GetDocumentsFolder(), home.string() + "/Документы");

    env.Set("XDG_DOCUMENTS_DIR", "/srv/docs");
    EXPECT_EQ(GetDocumentsFolder(), "/srv/docs");

    EXPECT_EQ(InitialOpenFolder("/a", "/docs", "/exe"), "/a");
    EXPECT_EQ(InitialOpenFolder("", "/docs", "/exe"), "/docs");
    EXPECT_EQ(InitialOpenFolder("", "", "/exe"), "/exe");
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

// The interface language: Russian unless the file says otherwise; the key is written once it
// is not the default or the file has it, so that a file from before it stays as it was.
TEST(SettingsTest, LanguageKey) {
    const struct {
        const char* Stored; // the file's [UI] lines before the save
        const char* Saved;  // the language the run ends in
        const char* Read;   // what the load gives
        std::optional<std::string> Written;
    } cases[] = {
        {"", "ru", "ru", std::nullopt},
        {"", "en", "ru", "en"},
        {"Language=en\n", "ru", "en", "ru"},
        {"Language=ru\n", "ru", "ru", "ru"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Stored) + " → " + c.Saved);
        const test::TTempDir tmp;
        const std::filesystem::path folder = tmp.Path();
        PutIni(folder, std::string("[UI]\nLockRatio=1\n") + c.Stored);
        TSettings s = LoadSettings(folder);
        EXPECT_EQ(s.Language, c.Read);
        s.Language = c.Saved;
        SaveSettings(s, folder);
        EXPECT_EQ(IniIn(folder).ReadValue("UI", "Language"), c.Written);
    }
}

} // namespace
} // namespace vantrel
