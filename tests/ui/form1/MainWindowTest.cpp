// SPDX-License-Identifier: MIT
// The first start, the title, the hints, the glyphs and the busy state.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolTip>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/widgets/ActivityIndicator.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, FirstStart) {
    TForm1& f = *Form;
    EXPECT_EQ(f.frameGeometry().size(), QSize(900, 600));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Vantrel v.1.0.1 (сборка 176, x64)"));
    EXPECT_EQ(Probe(f).StatusBar1->text(), QStringLiteral("Готов к работе"));
    EXPECT_EQ(Probe(f).PageControl1->count(), 2);
    EXPECT_EQ(Probe(f).PageControl1->tabText(0), QStringLiteral("Обрезка"));
    EXPECT_EQ(Probe(f).PageControl1->tabText(1), QStringLiteral("Настройки"));
    EXPECT_GE(Probe(f).PageControl1->width(), 180);
    EXPECT_EQ(Probe(f).Splitter1->sizes().value(0), 0);
    EXPECT_EQ(Probe(f).Splitter1->handleWidth(), 3);

    // First start without settings: frame 1650 × 1100 locked at 1.5, the first template.
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 1650);
    EXPECT_EQ(Probe(f).SpEdHeight->value(), 1100);
    EXPECT_EQ(Probe(f).FFrameSizeInPixels, (TPoint{1650, 1100}));
    EXPECT_EQ(f.LockState(), RatioLocked);
    EXPECT_DOUBLE_EQ(Probe(f).FAspectRatio, 1.5);
    EXPECT_EQ(Probe(f).ComboBox1->count(), 18);
    EXPECT_EQ(Probe(f).ComboBox1->currentText(), QStringLiteral("1650x1100 (crop)"));
    EXPECT_EQ(Probe(f).lblWidth->text(), QStringLiteral("0 →"));
    EXPECT_EQ(Probe(f).lblAspectRatio->text(), QStringLiteral("1.5"));
    EXPECT_TRUE(Probe(f).lblApproximate->isHidden());
    EXPECT_EQ(Probe(f).SpEdWidth->minimum(), 1);
    EXPECT_EQ(Probe(f).SpEdWidth->maximum(), 2147483647);

    for (QWidget* w : std::initializer_list<QWidget*>{Probe(f).BtnOpen, Probe(f).BtnSaveFolder})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{
             Probe(f).BtnRotLeft, Probe(f).BtnRotRight, Probe(f).BtnRotate, Probe(f).BtnFlip,
             Probe(f).BtnInvert, Probe(f).BtnSave, Probe(f).btnTags, Probe(f).BtnPrevious,
             Probe(f).btnNext, Probe(f).TrackBar1, Probe(f).TrackBar2, Probe(f).TrackBar3})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(Probe(f).ActivityIndicator1->isHidden());
    EXPECT_TRUE(Probe(f).ActivityIndicator2->isHidden());
    EXPECT_FALSE(Probe(f).InfoPanel->isHidden());
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    EXPECT_EQ(Probe(f).FBatch.CurrentIndex(), -1);
    // Hints after 1000 ms at rest, for 8000 ms; the program's font at 9 points.
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1000);
    EXPECT_EQ(Probe(f).BtnSave->toolTipDuration(), 8000);
    EXPECT_EQ(f.font().pointSize(), 9);
}

TEST_F(MainWindowTest, CaptionsRangesAndDefaultsOfTheSettingsTab) {
    TForm1& f = *Form;
    EXPECT_EQ(Probe(f).BtnOpen->text(), QStringLiteral("Открыть TIFF"));
    EXPECT_EQ(Probe(f).BtnSave->text(), QStringLiteral("Обрезать и cохранить"));
    EXPECT_EQ(Probe(f).btnNext->text(), QStringLiteral("Следующий"));
    EXPECT_EQ(Probe(f).BitBtn2->text(), QStringLiteral("↑↓"));
    EXPECT_EQ(Probe(f).ComboBox1->maxVisibleItems(), 20);
    const struct {
        QSlider* Bar;
        int Min, Max, Ticks;
    } bars[] = {{Probe(f).TrackBar1, -255, 255, 26},
                {Probe(f).TrackBar2, -500, 500, 50},
                {Probe(f).TrackBar3, -100, 100, 10}};
    for (const auto& b : bars) {
        EXPECT_EQ(b.Bar->minimum(), b.Min);
        EXPECT_EQ(b.Bar->maximum(), b.Max);
        EXPECT_EQ(b.Bar->tickInterval(), b.Ticks);
        EXPECT_EQ(b.Bar->value(), 0);
    }
    EXPECT_EQ(Probe(f).EdPrefix->text(), QStringLiteral("[] "));
    EXPECT_TRUE(Probe(f).EdPostfix->text().isEmpty());
    EXPECT_EQ(Probe(f).UpDnDash->Position(), 36);
    EXPECT_EQ(Probe(f).UpDnBlank->Position(), 18);
    EXPECT_EQ(Probe(f).lblUpDnDash->text(), QStringLiteral("36"));
    EXPECT_EQ(Probe(f).ColorBox1->Selected(), QColor(255, 255, 0));
    EXPECT_EQ(Probe(f).ColorBox2->Selected(), QColor(0, 0, 0));
    const struct {
        QCheckBox* Box;
        const char* Caption;
        bool Checked;
    } checks[] = {{Probe(f).chkNoTags, "Обрезать лишние теги", false},
                  {Probe(f).Chk_Space, "Пробел", true},
                  {Probe(f).Chk_CtrlEnter, "Ctrl+Enter", true},
                  {Probe(f).Chk_AltC, "Alt+С", false},
                  {Probe(f).ChkTabNext, "Tab", true},
                  {Probe(f).ChkPgNext, "PgDn, PgUp", true},
                  {Probe(f).ChADNext, "Alt+D. Alt+A", false},
                  {Probe(f).Chk_NoModif, "Разрешить без Ctrl и Alt\nесли фокус на рамке", false}};
    for (const auto& c : checks) {
        EXPECT_EQ(c.Box->text(), QString::fromUtf8(c.Caption));
        EXPECT_EQ(c.Box->isChecked(), c.Checked) << c.Caption;
    }
}

TEST_F(MainWindowTest, HintSeparatorsAreWidenedOnButtonsOnly) {
    TForm1& f = *Form;
    const QFontMetrics metrics(QToolTip::font());
    for (QPushButton* b : {Probe(f).btnTags, Probe(f).BtnRotLeft, Probe(f).BtnSave,
                           Probe(f).BtnPrevious, Probe(f).btnNext}) {
        const QStringList lines = b->toolTip().split('\n');
        int widest = 0;
        for (const QString& line : lines)
            if (!line.startsWith(QLatin1String("__")))
                widest = std::max(widest, metrics.horizontalAdvance(line));
        int rules = 0;
        for (const QString& line : lines) {
            EXPECT_NE(line, QStringLiteral("_"));
            if (line.startsWith(QLatin1String("__"))) {
                ++rules;
                EXPECT_EQ(line.count('_'), line.size());
                EXPECT_GE(metrics.horizontalAdvance(line + '_'), widest);
                EXPECT_LE(metrics.horizontalAdvance(line), widest);
            }
        }
        EXPECT_GE(rules, 1) << b->objectName().toStdString();
    }
    EXPECT_TRUE(
        Probe(f).btnTags->toolTip().startsWith(QStringLiteral("Просмотр метаданных TIFF-файла\n")));
    EXPECT_TRUE(Probe(f).btnTags->toolTip().endsWith(QStringLiteral("«Разрешить без Ctrl и Alt»")));
    EXPECT_EQ(Probe(f).BtnOpen->toolTip(),
              QString::fromStdString(Probe(f).OpenDialog1InitialDir)); // the folder
    EXPECT_TRUE(
        Probe(f).Label14->toolTip().contains(QStringLiteral("\n_\n"))); // labels keep theirs
}

// Every glyph draws, and fades on a disabled button at every size a button asks for.
TEST_F(MainWindowTest, GlyphsRenderAndFadeWhenDisabled) {
    const auto opacity = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage();
        int64_t sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qAlpha(image.pixel(x, y));
        return sum / 255;
    };
    const int buttonSize = Probe(*Form).BtnPrevious->iconSize().width();
    for (int i = 0; i < GlyphCount; ++i)
        for (int size : {16, 24, buttonSize}) {
            const QIcon icon = Glyph(i);
            const int64_t normal = opacity(icon.pixmap(size, size));
            EXPECT_GT(normal, 20) << "glyph " << i << " at " << size;
            EXPECT_LT(opacity(icon.pixmap(size, size, QIcon::Disabled)), normal / 2)
                << "glyph " << i << " at " << size;
        }
}

TEST_F(MainWindowTest, BusyStateRecordsAndRestores) {
    TForm1& f = *Form;
    f.SetBusy(true);
    EXPECT_TRUE(Probe(f).ButtonEnabledState.BtnOpen);
    EXPECT_TRUE(Probe(f).ButtonEnabledState.BtnSaveFolder);
    EXPECT_FALSE(Probe(f).ButtonEnabledState.BtnSave);
    for (QPushButton* b : {Probe(f).BtnOpen, Probe(f).BtnSaveFolder, Probe(f).BtnRotLeft,
                           Probe(f).BtnSave, Probe(f).btnNext})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(Probe(f).ActivityIndicator1->isHidden());
    EXPECT_TRUE(Probe(f).ActivityIndicator1->Animate());
    EXPECT_FALSE(Probe(f).ActivityIndicator2->isHidden());
    EXPECT_TRUE(Probe(f).InfoPanel->isHidden());
    // Controls outside the ten stay usable.
    EXPECT_TRUE(Probe(f).SpEdWidth->isEnabled());

    Probe(f).BtnRotLeft->setEnabled(true); // enabled meanwhile: stays enabled
    f.SetBusy(false);
    EXPECT_TRUE(Probe(f).BtnOpen->isEnabled());
    EXPECT_TRUE(Probe(f).BtnSaveFolder->isEnabled());
    EXPECT_TRUE(Probe(f).BtnRotLeft->isEnabled());
    EXPECT_FALSE(Probe(f).BtnSave->isEnabled());
    EXPECT_TRUE(Probe(f).ActivityIndicator1->isHidden());
    EXPECT_FALSE(Probe(f).ActivityIndicator1->Animate());
    EXPECT_FALSE(Probe(f).InfoPanel->isHidden());
}

TEST_F(MainWindowTest, LeavingWithoutEnteringChangesNothing) {
    TForm1& f = *Form;
    f.SetBusy(false);
    EXPECT_TRUE(Probe(f).BtnOpen->isEnabled());
    EXPECT_TRUE(Probe(f).BtnSaveFolder->isEnabled());
    EXPECT_FALSE(Probe(f).BtnSave->isEnabled());
    EXPECT_FALSE(Probe(f).btnNext->isEnabled());
    EXPECT_TRUE(Probe(f).ActivityIndicator1->isHidden());
}

TEST_F(MainWindowTest, ClickIfEnabledRunsTheHandlerWithTheGivenSender) {
    TForm1& f = *Form;
    std::vector<QObject*> senders;
    f.SetClickHandler(Probe(f).BtnOpen, [&](QObject* sender) { senders.push_back(sender); });
    f.ClickIfEnabled(Probe(f).BtnOpen, nullptr);
    Probe(f).BtnOpen->click();
    Probe(f).BtnOpen->setEnabled(false);
    f.ClickIfEnabled(Probe(f).BtnOpen, nullptr);
    QPushButton orphan; // enabled, but no handler: nothing
    f.ClickIfEnabled(&orphan, nullptr);
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[0], nullptr);
    EXPECT_EQ(senders[1], Probe(f).BtnOpen);
}

TEST_F(MainWindowTest, LoadCompletionSetsTitleButtonsAndStatus) {
    TForm1& f = *Form;
    f.SetBusy(true);
    Load(5000, 4000);
    EXPECT_EQ(
        f.windowTitle(),
        QStringLiteral("Vantrel v.1.0.1 (сборка 176, x64) — [ПАПКА ИСТОЧНИКA]\\frame-01.tif"));
    EXPECT_EQ(Probe(f).lblWidth->text(), QStringLiteral("5000 →"));
    EXPECT_EQ(Probe(f).lblHeight->text(), QStringLiteral("4000 →"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             Probe(f).BtnOpen, Probe(f).BtnSave, Probe(f).btnTags, Probe(f).BtnRotLeft,
             Probe(f).BtnInvert, Probe(f).TrackBar1, Probe(f).TrackBar3})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(Probe(f).btnNext->isEnabled());
    EXPECT_TRUE(Probe(f).ActivityIndicator1->isHidden());
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_TRUE(Probe(f).StatusBar1->text().startsWith(QStringLiteral("Обрезаемые поля")));
    f.SetLoadedTitle("[ПАПКА РЕЗУЛЬТАТA]\\", "/out/[] frame-01.tif");
    EXPECT_EQ(
        f.windowTitle(),
        QStringLiteral("Vantrel v.1.0.1 (сборка 176, x64) — [ПАПКА РЕЗУЛЬТАТA]\\[] frame-01.tif"));
    Probe(f).FInputFile = "/scans/a.tif";
    f.SetTransformTitle();
    EXPECT_EQ(f.windowTitle(),
              QStringLiteral("Vantrel v.1.0.1 (сборка 176, x64) — В РАБОТЕ: a.tif"));
}

TEST_F(MainWindowTest, StatusLineClickCopiesIt) {
    QTest::mouseClick(Probe(*Form).StatusBar1, Qt::LeftButton); // right after start
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Готов к работе"));
    Form->SetStatusText(QStringLiteral("Обрезаемые поля"));
    QTest::mouseClick(Probe(*Form).StatusBar1, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Обрезаемые поля"));
}

} // namespace
} // namespace vantrel
