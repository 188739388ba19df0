// SPDX-License-Identifier: MIT
// The crop frame in the window: lock, templates, orientation, fitting, mouse, arrows, status.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/ViewGeometry.h"

namespace vantrel {
namespace {

using CropFrameTest = WindowTest;

TEST_F(CropFrameTest, LockedWidthChangeKeepsRatioAndCentre) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Load(12000, 8000);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{1500, 1000}));
    f.SpEdWidth->setValue(4500);
    EXPECT_EQ(f.SpEdHeight->value(), 3000);
    EXPECT_EQ(f.FFrameSizeInPixels, (TPoint{4500, 3000}));
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{3750, 2500}));
    EXPECT_DOUBLE_EQ(f.FAspectRatio, 1.5);
    EXPECT_EQ(f.ComboBox1->currentIndex(), -1); // no template picked: cleared
    EXPECT_FALSE(f.FUpdating);
}

TEST_F(CropFrameTest, LockedChangeKeepsAMatchingTemplateSelected) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    f.TemplateWidth = 3000;
    f.TemplateHeight = 4500;
    f.ComboBox1->setCurrentIndex(5);
    f.SpEdWidth->setValue(4500);
    EXPECT_EQ(f.ComboBox1->currentIndex(), 5);
}

TEST_F(CropFrameTest, FreeRatioTextsUnderARussianLocale) {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TForm1& f = *Form;
    f.BtnLockRatio->click();
    EXPECT_EQ(f.LockState(), RatioFree);
    EXPECT_TRUE(f.BtnLockRatio->toolTip().startsWith(QStringLiteral("Пропорции свободные.")));
    f.SpEdWidth->setValue(1687);
    f.SpEdHeight->setValue(1125);
    EXPECT_EQ(f.lblAspectRatio->text(), QStringLiteral("1,49956"));
    EXPECT_FALSE(f.lblApproximate->isHidden());
    f.SpEdWidth->setValue(1650);
    f.SpEdHeight->setValue(1100);
    EXPECT_EQ(f.lblAspectRatio->text(), QStringLiteral("1,5"));
    EXPECT_TRUE(f.lblApproximate->isHidden());
    f.BtnLockRatio->click();
    EXPECT_EQ(f.LockState(), RatioLocked);
    EXPECT_TRUE(f.BtnLockRatio->toolTip().startsWith(QStringLiteral("Пропорции зафиксированы.")));
}

TEST_F(CropFrameTest, TemplatesFollowTheImageOrientation) {
    TForm1& f = *Form;
    Load(6000, 9000);
    const int landscape = f.ComboBox1->findText(QStringLiteral("9000x6000 (crop)"));
    f.ComboBox1->setCurrentIndex(landscape);
    f.ComboBox1Change();
    EXPECT_EQ(f.SpEdWidth->value(), 6000);
    EXPECT_EQ(f.SpEdHeight->value(), 9000);
    EXPECT_EQ(f.TemplateWidth, 9000);
    EXPECT_EQ(f.TemplateHeight, 6000);
    EXPECT_DOUBLE_EQ(f.FAspectRatio, 1.5); // a pick never changes the held ratio
    EXPECT_EQ(f.ComboBox1->currentIndex(), landscape);

    Load(9000, 6000);
    f.ComboBox1->addItem(QStringLiteral("6000x9000 portrait"));
    f.ComboBox1->setCurrentIndex(f.ComboBox1->count() - 1);
    f.ComboBox1Change();
    EXPECT_EQ(f.SpEdWidth->value(), 6000);
    EXPECT_EQ(f.SpEdHeight->value(), 9000);

    f.ComboBox1->addItem(QStringLiteral("single"));
    f.ComboBox1->setCurrentIndex(f.ComboBox1->count() - 1);
    f.ComboBox1Change();
    EXPECT_EQ(f.SpEdWidth->value(), 6000);
}

TEST_F(CropFrameTest, OrientationSwapKeepsTheLockedRatio) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    f.BitBtn2->click();
    EXPECT_EQ(f.SpEdWidth->value(), 6000);
    EXPECT_EQ(f.SpEdHeight->value(), 9000);
    EXPECT_DOUBLE_EQ(f.FAspectRatio, 1.5);
    EXPECT_EQ(f.LockState(), RatioLocked);
    f.SpEdHeight->setValue(9002);
    EXPECT_EQ(f.SpEdWidth->value(), 13503);
}

TEST_F(CropFrameTest, FittingTurnsAndCentresTheFrame) {
    TForm1& f = *Form;
    f.WriteFrameSize(9000, 6000);
    f.ApplyRatioLock(RatioLocked);
    Load(4000, 6000);
    EXPECT_EQ(f.FFrameSizeInPixels, (TPoint{6000, 9000}));
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{-1000, -1500}));
    EXPECT_EQ(f.LockState(), RatioLocked);
    Load(5000, 5000); // a square image never turns the frame
    EXPECT_EQ(f.FFrameSizeInPixels, (TPoint{6000, 9000}));
}

TEST_F(CropFrameTest, ArrowsWithModifierSets) {
    TForm1& f = *Form;
    f.BtnLockRatio->click(); // free: a width change leaves the height alone
    f.WriteFrameSize(1000, 800);
    Load(5000, 4000);
    f.FFramePosInPixels = {4000, 100};
    // Keys through the window: the modifier press records the set, the action moves.
    QTest::keyClick(f.ImageViewer, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{4000, 100}));
    QTest::keyClick(f.ImageViewer, Qt::Key_Left,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{3872, 100}));
    QTest::keyClick(f.ImageViewer, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{3872, 102}));
    QTest::keyClick(f.ImageViewer, Qt::Key_Up);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{3872, 101}));
    // Without the image focus the arrow goes to the focused control.
    f.SpEdWidth->setFocus();
    QTest::keyClick(f.SpEdWidth, Qt::Key_Up);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{3872, 101}));
    EXPECT_EQ(f.SpEdWidth->value(), 1001);
}

TEST_F(CropFrameTest, ArrowsKeepAnOversizedFrameAtZero) {
    TForm1& f = *Form;
    f.BtnLockRatio->click(); // free
    f.WriteFrameSize(6000, 800);
    Load(5000, 4000);
    EXPECT_EQ(f.FFramePosInPixels.X, -500);
    for (TArrow arrow : {TArrow::Right, TArrow::Right, TArrow::Left}) {
        f.MoveFrameByArrow(arrow);
        EXPECT_EQ(f.FFramePosInPixels.X, 0);
    }
}

TEST_F(CropFrameTest, SizeChangesKeepTheCentre) {
    TForm1& f = *Form;
    f.BtnLockRatio->click(); // free, so the height stays
    f.WriteFrameSize(1000, 800);
    Load(5000, 4000);
    f.FFramePosInPixels = {100, 100};
    const struct { int32_t Width, X; } steps[] = {{1001, 100}, {1000, 100}, {999, 101}};
    for (const auto& s : steps) {
        f.SpEdWidth->setValue(s.Width);
        EXPECT_EQ(f.FFramePosInPixels.X, s.X) << s.Width;
    }
}

TEST_F(CropFrameTest, TypedZeroOrEmptyCountsAsOneForTheRatio) {
    TForm1& f = *Form;
    f.BtnLockRatio->click(); // free
    auto* heightEdit = f.SpEdHeight->findChild<QLineEdit*>();
    ASSERT_NE(heightEdit, nullptr);
    for (const char* text : {"0", ""}) {
        heightEdit->setText(QString::fromLatin1(text));
        f.SpEdWidthChange();
        EXPECT_DOUBLE_EQ(f.FAspectRatio, 1650.0) << text;
        EXPECT_EQ(f.lblAspectRatio->text(), QStringLiteral("1650"));
    }
}

TEST_F(CropFrameTest, DragMovesTheGrabbedPixelWithThePointer) {
    TForm1& f = *Form;
    const int w = f.ImageViewer->width(), h = f.ImageViewer->height();
    f.BtnLockRatio->click();
    f.WriteFrameSize(200, 100);
    Load(w * 2, h * 2, Bitmap(w * 2, h * 2)); // scale 0.5
    ASSERT_DOUBLE_EQ(f.FCurrentScale, 0.5);
    f.FFramePosInPixels = {100, 100};
    f.ImageViewer->repaint();
    // The frame covers view pixels 50..149 × 50..99.
    QTest::mousePress(f.ImageViewer, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_TRUE(f.FDragging);
    EXPECT_EQ(f.FDragOffset, (TPoint{20, 20}));
    QTest::mouseMove(f.ImageViewer, QPoint(70, 65));
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{120, 110}));
    QTest::mouseMove(f.ImageViewer, QPoint(w - 1, 5)); // limited to the image
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{w * 2 - 200, 0}));
    QTest::mouseRelease(f.ImageViewer, Qt::LeftButton, {}, QPoint(w - 1, 5));
    EXPECT_FALSE(f.FDragging);
}

TEST_F(CropFrameTest, PressOutsideTheFrameOnlyFocuses) {
    TForm1& f = *Form;
    const int w = f.ImageViewer->width(), h = f.ImageViewer->height();
    Load(w, h, Bitmap(w, h));
    f.FFramePosInPixels = {100, 100};
    f.FFrameSizeInPixels = {50, 50};
    f.SpEdWidth->setFocus();
    QTest::mouseClick(f.ImageViewer, Qt::LeftButton, {}, QPoint(150, 120)); // right edge excluded
    QTest::mouseMove(f.ImageViewer, QPoint(300, 300));
    EXPECT_FALSE(f.FDragging);
    EXPECT_EQ(f.FFramePosInPixels, (TPoint{100, 100}));
    EXPECT_TRUE(f.FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), f.ImageViewer);
}

TEST_F(CropFrameTest, StatusLineReportsTheMargins) {
    TForm1& f = *Form;
    f.BtnLockRatio->click();
    f.WriteFrameSize(1000, 800);
    Load(5000, 4000);
    f.FFramePosInPixels = {100, 200};
    f.ImageViewer->repaint();
    EXPECT_EQ(f.StatusText(),
              QStringLiteral("Обрезаемые поля (в пикселях): слева 100, сверху 200, снизу 3000, "
                             "справа 3900.    Изменение шага смещения стрелками (вариации "
                             "Ctrl-Shift-Alt): 1"));
}

} // namespace
} // namespace vantrel
