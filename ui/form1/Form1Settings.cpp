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
#include <stdexcept>
#include <variant>

#include "platform/Paths.h"
#include "ui/form1/Unit1.h"
#include "ui/logic/settings/SettingRows.h"
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

// A setting in the control that shows it and back: check boxes hold Booleans, line edits
// texts, colour boxes colours, up-downs and track bars integers.
template <class TControl> TControl* As(QWidget* control) {
    auto* typed = qobject_cast<TControl*>(control);
    if (!typed)
        throw std::logic_error("the control " + control->objectName().toStdString() +
                               " cannot show its setting");
    return typed;
}

void Show(QWidget* control, bool value) {
    As<QCheckBox>(control)->setChecked(value);
}
void Show(QWidget* control, int value) {
    if (auto* upDown = qobject_cast<TUpDown*>(control))
        upDown->SetPosition(value);
    else
        As<QSlider>(control)->setValue(value);
}
void Show(QWidget* control, const std::string& value) {
    As<QLineEdit>(control)->setText(FromUtf8(value));
}
void Show(QWidget* control, TColor value) {
    As<TColorBox>(control)->SetSelected(ToQColor(value));
}

void Take(QWidget* control, bool& value) {
    value = As<QCheckBox>(control)->isChecked();
}
void Take(QWidget* control, int& value) {
    if (auto* upDown = qobject_cast<TUpDown*>(control))
        value = upDown->Position();
    else
        value = As<QSlider>(control)->value();
}
void Take(QWidget* control, std::string& value) {
    value = As<QLineEdit>(control)->text().toStdString();
}
void Take(QWidget* control, TColor& value) {
    value = FromQColor(As<TColorBox>(control)->Selected());
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

QWidget* TForm1::SettingControl(const TSettingRow& row) const {
    auto* control = findChild<QWidget*>(FromUtf8(row.Control));
    if (!control)
        throw std::logic_error("no control " + std::string(row.Control) + " for the setting " +
                               std::string(row.Key));
    return control;
}

void TForm1::ShowControlSettings(const TSettings& s) {
    for (const TSettingRow& row : SettingRows())
        if (!row.Control.empty())
            std::visit([&](auto field) { Show(SettingControl(row), s.*field); }, row.Field);
}

void TForm1::TakeControlSettings(TSettings& s) const {
    for (const TSettingRow& row : SettingRows())
        if (!row.Control.empty())
            std::visit([&](auto field) { Take(SettingControl(row), s.*field); }, row.Field);
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
    // The other controls of the settings show their defaults from their creation on.
    ShowFrameSettings(TSettings());
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

    // Output naming, the frame's look (the up-downs run their handlers), the hot keys and the
    // display adjustments (the track bars keep their ranges), in the order of the file.
    ShowControlSettings(s);
    FColorBox1Selected = ColorBox1->Selected();
    FColorBox2Selected = ColorBox2->Selected();
    lblUpDnDash->setText(QString::number(UpDnDash->Position()));
    lblUpDnBlank->setText(QString::number(UpDnBlank->Position()));
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

    TakeControlSettings(s);
    s.Language = std::string(texts::LanguageCode(texts::CurrentLanguage()));

    const std::filesystem::path folder = SettingsFolderPath();
    try {
        vantrel::SaveSettings(s, folder);
    } catch (const std::exception& e) {
        ShowProblem(tr("Не удалось сохранить настройки в папке %1:\n%2")
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
