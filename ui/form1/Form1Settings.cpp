// SPDX-License-Identifier: MIT
// The settings and templates files mapped onto the window: read once at start (LoadSettings,
// from FormCreate) into the controls and fields, written once at the end (SaveSettings, from
// FormDestroy) from them. The files themselves are ui/logic/settings/Settings.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <exception>

#include "platform/Paths.h"
#include "ui/form1/Unit1.h"
#include "ui/logic/settings/Settings.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/UpDown.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

namespace {

QColor ToQColor(TColor c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

TColor FromQColor(const QColor& c) {
    return RGBColor(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
}

} // namespace

void TForm1::ShowProblem(const QString& message) {
    if (FSettingsEnvironment.ShowProblem)
        FSettingsEnvironment.ShowProblem(message);
    else
        QMessageBox::warning(this, QString::fromLatin1(AppName), message);
}

std::filesystem::path TForm1::SettingsFolderPath() const {
    return FSettingsEnvironment.Folder.empty() ? SettingsFolder(ExecutableFolder())
                                               : FSettingsEnvironment.Folder;
}

void TForm1::ShowFrameSettings(const TSettings& s) {
    // Lock, template list, size; neither dimension follows the other meanwhile.
    SetLockState(s.LockRatio);
    ApplyRatioLock(s.LockRatio);
    WhileLockUpdating([&] {
        ComboBox1->clear();
        for (const std::string& t : s.Templates)
            ComboBox1->addItem(FromUtf8(t));
        ComboBox1->setCurrentIndex(s.ComboBoxIndex);
        SpEdWidth->setValue(s.FrameWidth);
        SpEdHeight->setValue(s.FrameHeight);
        FAspectRatio = RatioOf(SpinWidth(), SpinHeight());
        ShowRatioText();
    });
    FFrameSizeInPixels = {SpinWidth(), SpinHeight()};
}

void TForm1::ApplyBuiltInSettings() {
    const TSettings defaults;
    ShowFrameSettings(defaults);
    FColorBox1Selected = ToQColor(defaults.FrameColor1);
    FColorBox2Selected = ToQColor(defaults.FrameColor2);
    ColorBox1->SetSelected(FColorBox1Selected);
    ColorBox2->SetSelected(FColorBox2Selected);
    lblUpDnDash->setText(QString::number(UpDnDash->Position()));
    lblUpDnBlank->setText(QString::number(UpDnBlank->Position()));
}

void TForm1::LoadSettings() {
    ApplyBuiltInSettings();

    // Never raises: what cannot be used keeps its default and is told once the window shows.
    TSettingsProblems problems;
    const TSettings s = vantrel::LoadSettings(SettingsFolderPath(), &problems);
    FSettingsProblems = problems.Messages;
    if (!FSettingsProblems.empty())
        QTimer::singleShot(0, this, [this] { ShowSettingsProblems(); });

    // Window: the outer size (the first show takes the frame off), maximized, panel, help.
    resize(std::max(s.WindowWidth, MinWindowWidth), std::max(s.WindowHeight, MinWindowHeight));
    if (s.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    ListViewHeight = s.ListViewHeight;
    FlagShowHelp = s.FlagShowHelp;

    // Folders.
    SetOpenDialogFolder(InitialOpenFolder(s.OpenDir, GetDocumentsFolder(), ExecutableFolder()));
    FOutputFolder = s.SaveDir;
    SetSaveDialogFolder(FOutputFolder);

    ShowFrameSettings(s);

    // Output naming.
    EdPrefix->setText(FromUtf8(s.Prefix));
    EdPostfix->setText(FromUtf8(s.Postfix));

    // Frame look: the boxes hold the colours; the up-downs run their handlers.
    chkNoTags->setChecked(s.NoTags);
    ColorBox1->SetSelected(ToQColor(s.FrameColor1));
    ColorBox2->SetSelected(ToQColor(s.FrameColor2));
    FColorBox1Selected = ColorBox1->Selected();
    FColorBox2Selected = ColorBox2->Selected();
    UpDnDash->SetPosition(s.FrameDash);
    UpDnBlank->SetPosition(s.FrameBlank);
    chkPlaceOnOpen->setChecked(s.PlaceOnOpen);
    lblUpDnDash->setText(QString::number(UpDnDash->Position()));
    lblUpDnBlank->setText(QString::number(UpDnBlank->Position()));

    // Hot keys, in the order of the file.
    Chk_Space->setChecked(s.TrimSpace);
    Chk_CtrlEnter->setChecked(s.TrimCtrlEnter);
    Chk_AltC->setChecked(s.TrimAltC);
    ChkTabNext->setChecked(s.NextTab);
    ChkPgNext->setChecked(s.NextPg);
    ChADNext->setChecked(s.NextAD);
    Chk_NoModif->setChecked(s.NoModif);

    // Display adjustments (the track bars keep their ranges).
    TrackBar1->setValue(s.Brightness);
    TrackBar2->setValue(s.SContrast);
    TrackBar3->setValue(s.Gamma);
}

void TForm1::SaveSettings() {
    TSettings s;
    s.Maximized = isMaximized();
    s.WindowWidth = frameGeometry().width();
    s.WindowHeight = frameGeometry().height();
    s.ListViewHeight = ListViewHeight;
    s.PanelHeight = TagPanelHeight();

    s.OpenDir = OpenDialog1InitialDir;
    s.SaveDir = FOutputFolder;

    s.Templates.clear();
    for (int i = 0; i < ComboBox1->count(); ++i)
        s.Templates.push_back(ComboBox1->itemText(i).toStdString());
    s.ComboBoxIndex = ComboBox1->currentIndex();
    s.FrameWidth = SpinWidth();
    s.FrameHeight = SpinHeight();
    s.LockRatio = LockState() == RatioFree ? RatioFree : RatioLocked;

    s.Prefix = EdPrefix->text().toStdString();
    s.Postfix = EdPostfix->text().toStdString();

    s.NoTags = chkNoTags->isChecked();
    s.FrameColor1 = FromQColor(ColorBox1->Selected());
    s.FrameColor2 = FromQColor(ColorBox2->Selected());
    s.FrameDash = UpDnDash->Position();
    s.FrameBlank = UpDnBlank->Position();
    s.PlaceOnOpen = chkPlaceOnOpen->isChecked();

    s.TrimSpace = Chk_Space->isChecked();
    s.TrimCtrlEnter = Chk_CtrlEnter->isChecked();
    s.TrimAltC = Chk_AltC->isChecked();
    s.NextTab = ChkTabNext->isChecked();
    s.NextPg = ChkPgNext->isChecked();
    s.NextAD = ChADNext->isChecked();
    s.NoModif = Chk_NoModif->isChecked();

    s.Brightness = TrackBar1->value();
    s.SContrast = TrackBar2->value();
    s.Gamma = TrackBar3->value();

    const std::filesystem::path folder = SettingsFolderPath();
    try {
        vantrel::SaveSettings(s, folder);
    } catch (const std::exception& e) {
        ShowProblem(QStringLiteral("Не удалось сохранить настройки в папке %1:\n%2")
                        .arg(QString::fromStdString(Utf8FromPath(folder)),
                             QString::fromStdString(e.what())));
    }
}

void TForm1::ShowSettingsProblems() {
    if (FSettingsProblems.empty())
        return;
    QString text;
    for (const std::string& m : FSettingsProblems) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += FromUtf8(m).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    FSettingsProblems.clear();
    ShowProblem(text);
}

} // namespace vantrel
