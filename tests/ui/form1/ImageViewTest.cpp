// SPDX-License-Identifier: MIT
// The view in the window: scaling, the frame's pixels, the image focus, the frame's look.

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {
namespace {

using ImageViewTest = WindowTest;

const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Image = qRgb(0x40, 0x40, 0x40);

TEST_F(ImageViewTest, PaintsScaledToFitAndCentred) {
    Load(4000, 2000, Bitmap(4000, 2000));
    const TViewLayout expected = LayoutView(Probe(*Form).ImageViewer->width(),
                                            Probe(*Form).ImageViewer->height(), 4000, 2000);
    EXPECT_DOUBLE_EQ(Probe(*Form).FCurrentScale, expected.Scale);
    const QImage shot = Probe(*Form).ImageViewer->grab().toImage();
    // Grey of the view outside the image, the image inside.
    EXPECT_EQ(shot.pixel(expected.Left + 2, expected.Top - 1), qRgb(128, 128, 128));
    EXPECT_EQ(shot.pixel(expected.Left + 2, expected.Top + 2), Image);
    EXPECT_EQ(shot.pixel(expected.Left + 2, expected.Top + expected.DrawnHeight),
              qRgb(128, 128, 128));
}

// An image as large as the view: scale 1, origin (0, 0).
class DashedFrameWindowTest : public WindowTest {
protected:
    QImage PaintFrame(TPoint pos, TPoint size) {
        const int w = Probe(*Form).ImageViewer->width(), h = Probe(*Form).ImageViewer->height();
        Load(w, h, Bitmap(w, h));
        Probe(*Form).FFramePosInPixels = pos;
        Probe(*Form).FFrameSizeInPixels = size;
        return Probe(*Form).ImageViewer->grab().toImage();
    }
};

TEST_F(DashedFrameWindowTest, FocusedFrameOf120Pixels) {
    const QImage shot = PaintFrame({10, 10}, {121, 81});
    EXPECT_DOUBLE_EQ(Probe(*Form).FCurrentScale, 1.0);
    auto expect = [&](int from, int to, QRgb colour) {
        for (int k = from; k <= to; ++k)
            EXPECT_EQ(shot.pixel(10 + k, 10), colour) << "pixel " << k;
    };
    expect(0, 17, Yellow);
    expect(18, 35, Black);
    expect(36, 53, Image);
    expect(54, 71, Yellow);
    expect(72, 89, Black);
    expect(90, 107, Image);
    expect(108, 113, Yellow);
    expect(114, 119, Black);
    expect(120, 120, Yellow);
}

TEST_F(DashedFrameWindowTest, FocusedFrameOf100PixelsAndDashOfThree) {
    QImage shot = PaintFrame({10, 10}, {101, 81});
    for (int k = 90; k <= 99; ++k)
        EXPECT_EQ(shot.pixel(10 + k, 10), Image) << k;
    Probe(*Form).UpDnDash->SetPosition(3);
    EXPECT_EQ(Probe(*Form).lblUpDnDash->text(), QStringLiteral("3"));
    shot = Probe(*Form).ImageViewer->grab().toImage();
    for (int k = 0; k < 81; k += 21) { // dash 3, gap 18
        EXPECT_EQ(shot.pixel(10 + k, 10), Yellow) << k;
        EXPECT_EQ(shot.pixel(11 + k, 10), Black) << k;
        EXPECT_EQ(shot.pixel(12 + k, 10), Black) << k;
        EXPECT_EQ(shot.pixel(13 + k, 10), Image) << k;
    }
}

TEST_F(DashedFrameWindowTest, UnfocusedFrameIsSolidInColourOne) {
    PaintFrame({10, 10}, {121, 81});
    Probe(*Form).SpEdWidth->setFocus();
    EXPECT_FALSE(Probe(*Form).FImageHasFocus);
    const QImage shot = Probe(*Form).ImageViewer->grab().toImage();
    for (int k = 0; k <= 120; ++k) {
        EXPECT_EQ(shot.pixel(10 + k, 10), Yellow) << k;
        EXPECT_EQ(shot.pixel(10 + k, 90), Yellow) << k;
    }
    EXPECT_EQ(shot.pixel(10, 50), Yellow);
    EXPECT_EQ(shot.pixel(130, 50), Yellow);
    EXPECT_EQ(shot.pixel(131, 50), Image);
    EXPECT_EQ(shot.pixel(11, 50), Image);
}

TEST_F(ImageViewTest, FocusFollowsPressesAndOtherControls) {
    TForm1& f = *Form;
    // Without an image a press only sets the flag.
    Probe(f).SpEdWidth->setFocus();
    QTest::mouseClick(Probe(f).ImageViewer, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).SpEdWidth);

    Load(1000, 800);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).ImageViewer);
    Probe(f).SpEdWidth->setFocus();
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    EXPECT_TRUE(Probe(f).StatusBar1->text().startsWith(QStringLiteral("Загружен файл 0/0: ")));

    // A left press takes the keyboard focus; a right press only sets the flag.
    QTest::mouseClick(Probe(f).ImageViewer, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).ImageViewer);
    Probe(f).SpEdWidth->setFocus();
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    QTest::mouseClick(Probe(f).ImageViewer, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).SpEdWidth); // the field keeps the caret
    EXPECT_TRUE(Probe(f).StatusBar1->text().startsWith(QStringLiteral("Обрезаемые поля")));
    // A click on a tab is another control taking the focus.
    QTest::mouseClick(Probe(f).ImageViewer, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(Probe(f).FImageHasFocus);
    QTabBar* tabs = Probe(f).PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(Probe(f).PageControl1->currentIndex(), 1);
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    // Tab never lands on the view.
    EXPECT_EQ(Probe(f).ImageViewer->focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(ImageViewTest, ColourBoxesGetTheirNamedColoursOnce) {
    TForm1& f = *Form;
    EXPECT_EQ(Probe(f).ColorBox1->count(), 1);
    EXPECT_EQ(Probe(f).ColorBox1->itemText(0), QStringLiteral("Custom..."));
    Probe(f).ColorBox1->showPopup();
    Probe(f).ColorBox1->hidePopup();
    const QStringList names = {"Свой цвет...", "Жёлтый",  "Оранжевый", "Лайм",
                               "Голубой",      "Розовый", "Белый",     "Чёрный"};
    ASSERT_EQ(Probe(f).ColorBox1->count(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(Probe(f).ColorBox1->itemText(i), names[i]);
    EXPECT_EQ(Probe(f).ColorBox1->currentText(), QStringLiteral("Жёлтый"));
    EXPECT_EQ(Probe(f).ColorBox1->itemData(2, TColorBox::ColourRole).value<QColor>(),
              QColor(255, 128, 0));
    Probe(f).ColorBox1->showPopup();
    Probe(f).ColorBox1->hidePopup();
    EXPECT_EQ(Probe(f).ColorBox1->count(), names.size());
    EXPECT_EQ(Probe(f).ColorBox2->count(), 1); // each box on its own first opening
    EXPECT_GT(Probe(f).ColorboxItemWidth, 30);
}

TEST_F(ImageViewTest, PickingAColourFocusesTheImageAndShowsIt) {
    TForm1& f = *Form;
    const int w = Probe(f).ImageViewer->width(), h = Probe(f).ImageViewer->height();
    Load(w, h, Bitmap(w, h));
    Probe(f).FFramePosInPixels = {10, 10};
    Probe(f).FFrameSizeInPixels = {121, 81};
    Probe(f).SpEdWidth->setFocus();
    Probe(f).ColorBox2->showPopup();
    Probe(f).ColorBox2->hidePopup();
    const int lime = Probe(f).ColorBox2->findText(QStringLiteral("Лайм"));
    Probe(f).ColorBox2->setCurrentIndex(lime);
    emit Probe(f).ColorBox2->activated(lime);
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).ImageViewer);
    EXPECT_EQ(Probe(f).ImageViewer->grab().toImage().pixel(10 + 20, 10), qRgb(0, 255, 0));
    EXPECT_EQ(Probe(f).FColorBox2Selected, QColor(0, 0, 0)); // the loaded colour is kept
}

TEST_F(ImageViewTest, SmoothCopyReplacesTheDirectDrawingAtRest) {
    TForm1& f = *Form;
    // Stripes of one pixel: the smooth copy averages them to mid-grey.
    const int w = 4000, h = 3000;
    auto bitmap = Bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::fill_n(bitmap->Row(y) + x * 3, 3, uint8_t(x % 2 ? 255 : 0));
    f.SetSmoothView(true);
    Load(w, h, std::move(bitmap));
    EXPECT_FALSE(f.SmoothViewReady());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.SmoothViewReady(); }, 20000));
    const TViewLayout l =
        LayoutView(Probe(f).ImageViewer->width(), Probe(f).ImageViewer->height(), w, h);
    auto rowOf = [&](const QImage& shot) {
        std::vector<int> row;
        for (int x = l.Left; x < l.Left + l.DrawnWidth; ++x)
            row.push_back(qRed(shot.pixel(x, l.Top + 5)));
        return row;
    };
    const std::vector<int> smooth = rowOf(Probe(f).ImageViewer->grab().toImage());
    double mean = 0;
    for (int v : smooth) {
        EXPECT_GT(v, 60);
        EXPECT_LT(v, 195);
        mean += v;
    }
    EXPECT_NEAR(mean / smooth.size(), 127.5, 3.0);
    // The direct stretched copy samples single stripes: black or white only.
    f.SetSmoothView(false);
    for (int v : rowOf(Probe(f).ImageViewer->grab().toImage()))
        EXPECT_TRUE(v == 0 || v == 255) << v;
}

} // namespace
} // namespace vantrel
