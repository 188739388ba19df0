// SPDX-License-Identifier: MIT
// The crop frame in the window: lock, templates, orientation, fitting, mouse, arrows, status.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "tests/support/Wine.h"
#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/logic/settings/Settings.h"

namespace vantrel {
namespace {

using CropFrameTest = WindowTest;

TEST_F(CropFrameTest, LockedWidthChangeKeepsRatioAndCentre) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Load(12000, 8000);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{1500, 1000}));
    Probe(f).SpEdWidth->setValue(4500);
    EXPECT_EQ(Probe(f).SpEdHeight->value(), 3000);
    EXPECT_EQ(Probe(f).FFrameSizeInPixels, (TPoint{4500, 3000}));
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{3750, 2500}));
    EXPECT_DOUBLE_EQ(Probe(f).FAspectRatio, 1.5);
    EXPECT_EQ(Probe(f).ComboBox1->currentIndex(), -1); // no template picked: cleared
    EXPECT_FALSE(Probe(f).FUpdating);
}

TEST_F(CropFrameTest, LockedChangeKeepsAMatchingTemplateSelected) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Probe(f).TemplateWidth = 3000;
    Probe(f).TemplateHeight = 4500;
    Probe(f).ComboBox1->setCurrentIndex(5);
    Probe(f).SpEdWidth->setValue(4500);
    EXPECT_EQ(Probe(f).ComboBox1->currentIndex(), 5);
}

TEST_F(CropFrameTest, FreeRatioTextsUnderARussianLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TForm1& f = *Form;
    Probe(f).BtnLockRatio->click();
    EXPECT_EQ(f.LockState(), RatioFree);
    EXPECT_TRUE(
        Probe(f).BtnLockRatio->toolTip().startsWith(QStringLiteral("Пропорции свободные.")));
    Probe(f).SpEdWidth->setValue(1687);
    Probe(f).SpEdHeight->setValue(1125);
    EXPECT_EQ(Probe(f).lblAspectRatio->text(), QStringLiteral("1,49956"));
    EXPECT_FALSE(Probe(f).lblApproximate->isHidden());
    Probe(f).SpEdWidth->setValue(1650);
    Probe(f).SpEdHeight->setValue(1100);
    EXPECT_EQ(Probe(f).lblAspectRatio->text(), QStringLiteral("1,5"));
    EXPECT_TRUE(Probe(f).lblApproximate->isHidden());
    Probe(f).BtnLockRatio->click();
    EXPECT_EQ(f.LockState(), RatioLocked);
    EXPECT_TRUE(
        Probe(f).BtnLockRatio->toolTip().startsWith(QStringLiteral("Пропорции зафиксированы.")));
}

TEST_F(CropFrameTest, TemplatesFollowTheImageOrientation) {
    TForm1& f = *Form;
    Load(6000, 9000);
    const int landscape = Probe(f).ComboBox1->findText(QStringLiteral("9000x6000 (crop)"));
    Probe(f).ComboBox1->setCurrentIndex(landscape);
    f.ComboBox1Change();
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 6000);
    EXPECT_EQ(Probe(f).SpEdHeight->value(), 9000);
    EXPECT_EQ(Probe(f).TemplateWidth, 9000);
    EXPECT_EQ(Probe(f).TemplateHeight, 6000);
    EXPECT_DOUBLE_EQ(Probe(f).FAspectRatio, 1.5); // a pick never changes the held ratio
    EXPECT_EQ(Probe(f).ComboBox1->currentIndex(), landscape);

    Load(9000, 6000);
    Probe(f).ComboBox1->addItem(QStringLiteral("6000x9000 portrait"));
    Probe(f).ComboBox1->setCurrentIndex(Probe(f).ComboBox1->count() - 1);
    f.ComboBox1Change();
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 6000);
    EXPECT_EQ(Probe(f).SpEdHeight->value(), 9000);

    Probe(f).ComboBox1->addItem(QStringLiteral("single"));
    Probe(f).ComboBox1->setCurrentIndex(Probe(f).ComboBox1->count() - 1);
    f.ComboBox1Change();
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 6000);
}

TEST_F(CropFrameTest, OrientationSwapKeepsTheLockedRatio) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Probe(f).BitBtn2->click();
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 6000);
    EXPECT_EQ(Probe(f).SpEdHeight->value(), 9000);
    EXPECT_DOUBLE_EQ(Probe(f).FAspectRatio, 1.5);
    EXPECT_EQ(f.LockState(), RatioLocked);
    Probe(f).SpEdHeight->setValue(9002);
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 13503);
}

TEST_F(CropFrameTest, FittingTurnsAndCentresTheFrame) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Load(4000, 6000);
    EXPECT_EQ(Probe(f).FFrameSizeInPixels, (TPoint{6000, 9000}));
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{-1000, -1500}));
    EXPECT_EQ(f.LockState(), RatioLocked);
    Load(5000, 5000); // a square image never turns the frame
    EXPECT_EQ(Probe(f).FFrameSizeInPixels, (TPoint{6000, 9000}));
}

TEST_F(CropFrameTest, ArrowsWithModifierSets) {
    TForm1& f = *Form;
    Probe(f).BtnLockRatio->click(); // free: a width change leaves the height alone
    f.WriteFrameSize(1000, 800);
    Load(5000, 4000);
    Probe(f).FFramePosInPixels = {4000, 100};
    // Keys through the window: the modifier press records the set, the action moves.
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{4000, 100}));
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_Left,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{3872, 100}));
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{3872, 102}));
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_Up);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{3872, 101}));
    // Without the image focus the arrow goes to the focused control.
    Probe(f).SpEdWidth->setFocus();
    QTest::keyClick(Probe(f).SpEdWidth, Qt::Key_Up);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{3872, 101}));
    EXPECT_EQ(Probe(f).SpEdWidth->value(), 1001);
}

TEST_F(CropFrameTest, ArrowsKeepAnOversizedFrameAtZero) {
    TForm1& f = *Form;
    Probe(f).BtnLockRatio->click(); // free
    f.WriteFrameSize(6000, 800);
    Load(5000, 4000);
    EXPECT_EQ(Probe(f).FFramePosInPixels.X, -500);
    for (TArrow arrow : {TArrow::Right, TArrow::Right, TArrow::Left}) {
        f.MoveFrameByArrow(arrow);
        EXPECT_EQ(Probe(f).FFramePosInPixels.X, 0);
    }
}

TEST_F(CropFrameTest, SizeChangesKeepTheCentre) {
    TForm1& f = *Form;
    Probe(f).BtnLockRatio->click(); // free, so the height stays
    f.WriteFrameSize(1000, 800);
    Load(5000, 4000);
    Probe(f).FFramePosInPixels = {100, 100};
    const struct { int32_t Width, X; } steps[] = {{1001, 100}, {1000, 100}, {999, 101}};
    for (const auto& s : steps) {
        Probe(f).SpEdWidth->setValue(s.Width);
        EXPECT_EQ(Probe(f).FFramePosInPixels.X, s.X) << s.Width;
    }
}

TEST_F(CropFrameTest, TypedZeroOrEmptyCountsAsOneForTheRatio) {
    TForm1& f = *Form;
    Probe(f).BtnLockRatio->click(); // free
    auto* heightEdit = Probe(f).SpEdHeight->findChild<QLineEdit*>();
    ASSERT_NE(heightEdit, nullptr);
    for (const char* text : {"0", ""}) {
        heightEdit->setText(QString::fromLatin1(text));
        f.SpEdWidthChange();
        EXPECT_DOUBLE_EQ(Probe(f).FAspectRatio, 1650.0) << text;
        EXPECT_EQ(Probe(f).lblAspectRatio->text(), QStringLiteral("1650"));
    }
}

TEST_F(CropFrameTest, DragMovesTheGrabbedPixelWithThePointer) {
    if (test::RunsUnderWine())
        GTEST_SKIP()
            << "under Wine: the frame lands 100 pixels off the grabbed pixel; not yet understood "
               "(the view's scale follows the side panel, whose width follows the stand-in font)";
    TForm1& f = *Form;
    const int w = Probe(f).ImageViewer->width(), h = Probe(f).ImageViewer->height();
    Probe(f).BtnLockRatio->click();
    f.WriteFrameSize(200, 100);
    Load(w * 2, h * 2, Bitmap(w * 2, h * 2)); // scale 0.5
    ASSERT_DOUBLE_EQ(Probe(f).FCurrentScale, 0.5);
    Probe(f).FFramePosInPixels = {100, 100};
    Probe(f).ImageViewer->repaint();
    // The frame covers view pixels 50..149 × 50..99.
    QTest::mousePress(Probe(f).ImageViewer, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(Probe(f).FDragging);
    EXPECT_EQ(Probe(f).FDragOffset, (TPoint{20, 20}));
    QTest::mouseMove(Probe(f).ImageViewer, QPoint(70, 65));
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{120, 110}));
    QTest::mouseMove(Probe(f).ImageViewer, QPoint(w - 1, 5)); // limited to the image
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{w * 2 - 200, 0}));
    QTest::mouseRelease(Probe(f).ImageViewer, Qt::LeftButton, {}, QPoint(w - 1, 5));
    EXPECT_FALSE(Probe(f).FDragging);
}

TEST_F(CropFrameTest, PressOutsideTheFrameOnlyFocuses) {
    TForm1& f = *Form;
    const int w = Probe(f).ImageViewer->width(), h = Probe(f).ImageViewer->height();
    Load(w, h, Bitmap(w, h));
    Probe(f).FFramePosInPixels = {100, 100};
    Probe(f).FFrameSizeInPixels = {50, 50};
    Probe(f).SpEdWidth->setFocus();
    QTest::mouseClick(Probe(f).ImageViewer, Qt::LeftButton, {},
                      QPoint(150, 120)); // right edge excluded
    QTest::mouseMove(Probe(f).ImageViewer, QPoint(300, 300));
    EXPECT_FALSE(Probe(f).FDragging);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{100, 100}));
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).ImageViewer);
}

// At the window's default size the margins and the step are read in full, in two sections;
// the whole line is their tooltip and what a click copies.
TEST_F(CropFrameTest, StatusLineReportsTheMarginsAndTheStep) {
    if (test::RunsUnderWine())
        GTEST_SKIP() << "under Wine: Wine's stand-in for Segoe UI (DejaVu Sans, "
                        "scripts/windows-wine-prefix.sh) draws wider than the widths are made for";
    TForm1& f = *Form;
    ASSERT_LE(f.width(), MinWindowWidth); // the default size
    Probe(f).BtnLockRatio->click();
    f.WriteFrameSize(1000, 800);
    Load(9000, 6000);
    Probe(f).FFramePosInPixels = {-1000, 1200};
    Probe(f).LastShiftState = ssCtrl | ssShift | ssAlt;
    Probe(f).ImageViewer->repaint();
    QCoreApplication::processEvents(); // the status bar lays out the sections anew
    QLabel* const margins = Probe(f).StatusBar1;
    QLabel* const step = Probe(f).StatusStep;
    EXPECT_EQ(margins->text(), QStringLiteral("Обрезаемые поля (в пикселях): слева -1000, сверху "
                                              "1200, снизу 4000, справа 9000."));
    EXPECT_EQ(step->text(), QStringLiteral("Шаг стрелок: 128"));
    const QString whole = QStringLiteral("Обрезаемые поля (в пикселях): слева -1000, сверху 1200, "
                                         "снизу 4000, справа 9000.    Изменение шага смещения "
                                         "стрелками (вариации Ctrl-Shift-Alt): 128");
    EXPECT_EQ(margins->toolTip(), whole);
    EXPECT_EQ(step->toolTip(), whole);
    ASSERT_TRUE(step->isVisible());
    for (QLabel* section : {margins, step})
        EXPECT_GE(section->contentsRect().width(),
                  section->fontMetrics().horizontalAdvance(section->text()))
            << section->text().toStdString();
    QTest::mouseClick(margins, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), whole);
    // Without the image focus the line names the file, and the step section goes.
    QTest::mouseClick(Probe(f).SpEdWidth, Qt::LeftButton);
    Probe(f).ImageViewer->repaint();
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    EXPECT_FALSE(step->isVisible());
}

} // namespace
} // namespace vantrel
