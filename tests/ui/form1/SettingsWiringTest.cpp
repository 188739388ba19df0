// SPDX-License-Identifier: MIT
// The settings and templates files through the window: the first start, a restart that keeps
// every control, and files that start-up must survive.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <fstream>
#include <map>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/IniFile.h"
#include "ui/logic/settings/SettingRows.h"
#include "ui/logic/settings/Settings.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {
namespace {

// Starts as the first run does, help pane and all.
class SettingsWiringTest : public WindowTest {
protected:
    SettingsWiringTest() { CloseHelpAtStart = false; }
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(SettingsWiringTest, FirstStartShowsTheDefaultsAndWritesBothFiles) {
    TForm1& f = *Form;
    EXPECT_EQ(f.frameGeometry().size(), QSize(900, 600));
    EXPECT_EQ(Probe(f).ComboBox1->currentIndex(), 0);
    EXPECT_EQ(Probe(f).EdPrefix->text(), QStringLiteral("[] "));
    EXPECT_EQ(Probe(f).EdPostfix->text(), QString());
    EXPECT_EQ(Probe(f).ColorBox1->Selected(), QColor(255, 255, 0));
    EXPECT_EQ(Probe(f).ColorBox2->Selected(), QColor(0, 0, 0));
    EXPECT_EQ(Probe(f).UpDnDash->Position(), 36);
    EXPECT_EQ(Probe(f).UpDnBlank->Position(), 18);
    EXPECT_EQ(Probe(f).lblUpDnDash->text(), QStringLiteral("36"));
    const std::vector<std::pair<QCheckBox*, bool>> boxes = {
        {Probe(f).Chk_Space, true},   {Probe(f).Chk_CtrlEnter, true}, {Probe(f).Chk_AltC, false},
        {Probe(f).ChkTabNext, true},  {Probe(f).ChkPgNext, true},     {Probe(f).ChADNext, false},
        {Probe(f).Chk_NoModif, false}};
    for (const auto& [box, checked] : boxes)
        EXPECT_EQ(box->isChecked(), checked) << box->objectName().toStdString();
    EXPECT_FALSE(Probe(f).chkNoTags->isChecked());
    EXPECT_TRUE(f.HelpShown());
    EXPECT_FALSE(Probe(f).OpenDialog1InitialDir.empty());

    Form.reset();
    const std::filesystem::path folder = SettingsFolder->Path();
    EXPECT_EQ(ReadFile(folder / "VantrelFrames.txt"), EncodeTemplates(BuiltInTemplates()));
    const TIniFile ini = TIniFile::LoadFromFile(folder / "Vantrel.ini");
    EXPECT_EQ(ini.ReadValue("Window", "FlagShowHelp"), "0");
    EXPECT_EQ(ini.ReadValue("UI", "FrameColor1"), "clYellow");
    EXPECT_EQ(ini.ReadValue("UI", "ComboBoxIndex"), "0");
    EXPECT_EQ(ini.ReadValue("Window", "Width"), "900");
    EXPECT_EQ(ini.ReadString("Output", "Prefix", "?"), "[] "); // written quoted, blank kept
}

// What a setting's control shows, as text, and a change of it to a value other than the
// default (the lowest for numbers, the edge of their range).
QString Shown(QWidget* control) {
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? QStringLiteral("ticked") : QStringLiteral("unticked");
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* colour = qobject_cast<TColorBox*>(control))
        return colour->Selected().name();
    if (auto* upDown = qobject_cast<TUpDown*>(control))
        return QString::number(upDown->Position());
    if (auto* slider = qobject_cast<QSlider*>(control))
        return QString::number(slider->value());
    ADD_FAILURE() << control->objectName().toStdString() << " shows no setting";
    return {};
}

void Change(QWidget* control, const TSettingRow& row) {
    if (auto* box = qobject_cast<QCheckBox*>(control))
        box->toggle();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(QStringLiteral(" Кадр ") + QString::fromUtf8(row.Key.data(), 3));
    else if (auto* colour = qobject_cast<TColorBox*>(control))
        colour->SetSelected(QColor(255, 128, 0)); // orange, which has no name
    else if (auto* upDown = qobject_cast<TUpDown*>(control))
        upDown->SetPosition(row.Range.Min);
    else if (auto* slider = qobject_cast<QSlider*>(control))
        slider->setValue(slider->minimum());
}

TEST_F(SettingsWiringTest, EveryControlSurvivesARestart) {
    TForm1& f = *Form;
    f.resize(1000, 700);
    f.btnTagsClick(); // shown at the remembered 200
    f.SetTagPanelHeight(150);
    Probe(f).OpenDialog1InitialDir = "/scans/in";
    Probe(f).FOutputFolder = "/scans/out/";
    Probe(f).ComboBox1->setCurrentIndex(3);
    Probe(f).BtnLockRatio->click(); // free
    f.WriteFrameSize(2000, 1000);
    f.ColorBox1DropDown(Probe(f).ColorBox1);
    // Every setting a control shows, by the table.
    std::map<std::string, QString> changed;
    for (const TSettingRow& row : SettingRows()) {
        if (row.Control.empty())
            continue;
        QWidget* control =
            f.findChild<QWidget*>(QString::fromUtf8(row.Control.data(), int(row.Control.size())));
        ASSERT_NE(control, nullptr) << row.Control;
        const QString before = Shown(control);
        Change(control, row);
        changed[std::string(row.Control)] = Shown(control);
        EXPECT_NE(changed[std::string(row.Control)], before) << row.Control;
    }
    const QSize outer = f.frameGeometry().size();

    Restart();
    TForm1& g = *Form;
    EXPECT_FALSE(g.HelpShown()); // only the first run opens the help
    EXPECT_EQ(g.frameGeometry().size(), outer);
    EXPECT_EQ(Probe(g).ListViewHeight, 150);
    EXPECT_EQ(g.TagPanelHeight(), 0); // hidden at start
    EXPECT_EQ(Probe(g).OpenDialog1InitialDir, "/scans/in");
    EXPECT_EQ(Probe(g).BtnOpen->toolTip(), QStringLiteral("/scans/in"));
    EXPECT_EQ(Probe(g).FOutputFolder, "/scans/out/");
    EXPECT_EQ(Probe(g).BtnSaveFolder->toolTip(), QStringLiteral("/scans/out/"));
    EXPECT_EQ(Probe(g).ComboBox1->currentIndex(), 3);
    EXPECT_EQ(g.LockState(), RatioFree);
    EXPECT_EQ(g.SpinWidth(), 2000);
    EXPECT_EQ(g.SpinHeight(), 1000);
    EXPECT_EQ(Probe(g).FFrameSizeInPixels, (TPoint{2000, 1000}));
    EXPECT_DOUBLE_EQ(Probe(g).FAspectRatio, 2.0);
    for (const auto& [name, shown] : changed)
        EXPECT_EQ(Shown(g.findChild<QWidget*>(QString::fromStdString(name))), shown) << name;
    EXPECT_EQ(Probe(g).FColorBox1Selected, QColor(255, 128, 0));
    EXPECT_EQ(Probe(g).lblUpDnBlank->text(), QStringLiteral("0"));

    // Orange has no name in the colour table.
    Form.reset();
    const TIniFile ini = TIniFile::LoadFromFile(SettingsFolder->File("Vantrel.ini"));
    EXPECT_EQ(ini.ReadValue("UI", "FrameColor1"), "$000080FF");
}

TEST_F(SettingsWiringTest, MaximizedWindowKeepsTheLastNormalSize) {
    Form->resize(1100, 750);
    const QSize outer = Form->frameGeometry().size();
    Restart();
    Form->setWindowState(Qt::WindowMaximized);
    Restart();
    EXPECT_TRUE(Form->isMaximized());
    Form.reset();
    const TIniFile ini = TIniFile::LoadFromFile(SettingsFolder->File("Vantrel.ini"));
    EXPECT_EQ(ini.ReadValue("Window", "Maximized"), "1");
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), outer.width());
    EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), outer.height());
}

TEST_F(SettingsWiringTest, StoredTemplateIndexWithAndWithoutATemplatesFile) {
    const struct {
        const char* Index;
        bool TemplatesFile;
        int Expected;
        const char* Text;
    } cases[] = {
        {"50", false, 17, "18142x12094 (12800 ppi)"}, // beyond the end: the last entry
        {"-1", false, 12, "9000x6000 (crop)"},        // negative: the built-in selection stays
        {"1", true, 1, "2x1 второй"},
        {"-1", true, -1, ""}, // a read list has no selection
        {"0x1", true, 1, "2x1 второй"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Index) + (c.TemplatesFile ? " with file" : ""));
        Form.reset();
        const std::filesystem::path folder = SettingsFolder->Path();
        std::filesystem::remove(folder / "VantrelFrames.txt");
        if (c.TemplatesFile)
            WriteFile(folder / "VantrelFrames.txt", "1x1 первый\n2x1 второй\n");
        WriteFile(folder / "Vantrel.ini", std::string("[UI]\nComboBoxIndex=") + c.Index + "\n");
        Restart();
        EXPECT_EQ(Probe(*Form).ComboBox1->currentIndex(), c.Expected);
        EXPECT_EQ(Probe(*Form).ComboBox1->currentText(), QString::fromUtf8(c.Text));
    }
}

TEST_F(SettingsWiringTest, TemplatesInOtherEncodingsAreSavedAsUtf8WithMark) {
    const std::string utf16le("\xFF\xFE"
                              "3\0x\0"
                              "2\0 \0\x1A\x04\x30\x04\r\0\n\0",
                              18);
    const std::string cp1251 = "3x2 \xCA\xE0\xE4\xF0\r\n"; // "Кадр" in Windows-1251
    for (const std::string& bytes : {utf16le, cp1251}) {
        Form.reset();
        WriteFile(SettingsFolder->File("VantrelFrames.txt"), bytes);
        Restart();
        ASSERT_EQ(Probe(*Form).ComboBox1->count(), 1);
        EXPECT_TRUE(Probe(*Form).ComboBox1->itemText(0).startsWith(QStringLiteral("3x2 К")));
        const std::string shown = Probe(*Form).ComboBox1->itemText(0).toStdString();
        Form.reset();
        EXPECT_EQ(ReadFile(SettingsFolder->File("VantrelFrames.txt")),
                  "\xEF\xBB\xBF" + shown + "\r\n");
        Restart();
    }
}

TEST_F(SettingsWiringTest, UnquotedPrefixReadsAsWrittenAndIsSavedQuoted) {
    Form.reset();
    WriteFile(SettingsFolder->File("Vantrel.ini"), "[Output]\nPrefix=IMG_\n");
    Restart();
    EXPECT_EQ(Probe(*Form).EdPrefix->text(), QStringLiteral("IMG_"));
    Form.reset();
    EXPECT_NE(ReadFile(SettingsFolder->File("Vantrel.ini")).find("Prefix=\"IMG_\""),
              std::string::npos);
    Restart();
}

// Values that would have stopped start-up keep their defaults; the user is told once.
TEST_F(SettingsWiringTest, BadFilesNeverStopStartUp) {
    Form.reset();
    const std::filesystem::path folder = SettingsFolder->Path();
    WriteFile(folder / "Vantrel.ini",
              "[UI]\nFrameColor1=clNoSuchColour\nLockRatio=7\nWidth=3000\nHeight=2000\n");
    std::filesystem::remove(folder / "VantrelFrames.txt");
    std::filesystem::create_directory(folder / "VantrelFrames.txt"); // cannot be read
    Restart();
    QCoreApplication::processEvents();
    const QStringList shown = Problems;
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("clNoSuchColour")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("LockRatio")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("шаблонов")));
    EXPECT_EQ(Probe(*Form).ColorBox1->Selected(), QColor(255, 255, 0));
    EXPECT_EQ(Form->LockState(), RatioLocked);
    EXPECT_EQ(Probe(*Form).ComboBox1->count(), 18);
    EXPECT_EQ(Form->SpinWidth(), 3000); // the rest of the file still applies
    std::filesystem::remove(folder / "VantrelFrames.txt");
}

// A folder that cannot be written: the user is told and nothing is left half-written.
TEST_F(SettingsWiringTest, FailedSaveIsReported) {
    Settings.Folder = SettingsFolder->File("missing");
    Restart();
    ASSERT_TRUE(Problems.empty());
    Form.reset();
    ASSERT_EQ(Problems.size(), 1);
    EXPECT_TRUE(Problems[0].contains(QStringLiteral("Не удалось сохранить настройки")));
    EXPECT_FALSE(std::filesystem::exists(SettingsFolder->File("missing")));
    Settings.Folder = SettingsFolder->Path();
    Restart();
}

} // namespace
} // namespace vantrel
