// SPDX-License-Identifier: MIT
// The image view: painting the bitmap scaled to fit with the frame over it, the image focus,
// and the frame's look (colour boxes, dash and gap).

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <utility>

#include "ui/form1/Unit1.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/ImageBox.h"
#include "ui/widgets/ScaledViewCache.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {

namespace {

const QColor ViewGray(128, 128, 128);

// The view bitmap as a QImage over the same bytes, without copying.
QImage WrapBitmap(const TViewBitmap& bitmap) {
    return QImage(static_cast<const uchar*>(bitmap.Pixels.get()), bitmap.Width, bitmap.Height,
                  static_cast<qsizetype>(bitmap.BytesPerLine), QImage::Format_BGR888);
}

} // namespace

void TForm1::ConnectImageView() {
    connect(FScaledView.get(), &TScaledViewCache::Ready, this, [this] { ImageViewer->update(); });
    for (TColorBox* box : {ColorBox1, ColorBox2}) {
        connect(box, &TColorBox::Change, this, &TForm1::ColorBox1Change);
        connect(box, &TColorBox::DropDown, this, [this, box] { ColorBox1DropDown(box); });
    }
    UpDnDash->OnChangingEx = [this](int v) { UpDnDashChangingEx(v); };
    UpDnBlank->OnChangingEx = [this](int v) { UpDnBlankChangingEx(v); };
}

void TForm1::RepaintView() {
    if (ImageViewer)
        ImageViewer->repaint();
}

void TForm1::SetSmoothView(bool on) {
    FSmoothView = on;
    RepaintView();
}

QSize TForm1::ShownImageSize() const {
    return FCachedBitmap ? QSize(FCachedBitmap->Width, FCachedBitmap->Height) : FStandInFor;
}

std::shared_ptr<const TViewBitmap> TForm1::LetGoOfFullView() {
    if (!FCachedBitmap)
        return nullptr;
    const TViewLayout layout = LayoutView(ImageViewer->width(), ImageViewer->height(),
                                          FCachedBitmap->Width, FCachedBitmap->Height);
    const QSize drawn(layout.DrawnWidth, layout.DrawnHeight);
    // An image drawn at full size or larger is small: its view stays.
    if (!(layout.Scale < 1.0) || drawn.isEmpty())
        return nullptr;
    // The smooth copy when there is one; else the plain stretched copy the view draws.
    const QImage* smooth = FScaledView->Find(FBitmapSerial, drawn);
    FStandInView = smooth ? *smooth
                          : WrapBitmap(*FCachedBitmap)
                                .scaled(drawn, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    FStandInFor = QSize(FCachedBitmap->Width, FCachedBitmap->Height);
    // The smooth-copy worker holds the full view too while it wants a copy of it.
    FScaledView->Clear();
    return std::exchange(FCachedBitmap, nullptr);
}

bool TForm1::SmoothViewReady() const {
    if (!FCachedBitmap)
        return false;
    const TViewLayout layout = LayoutView(ImageViewer->width(), ImageViewer->height(),
                                          FCachedBitmap->Width, FCachedBitmap->Height);
    return FScaledView->Find(FBitmapSerial, QSize(layout.DrawnWidth, layout.DrawnHeight));
}

void TForm1::PaintImage() {
    QPainter& canvas = *ImageViewer->Canvas();
    const int viewWidth = ImageViewer->width();
    const int viewHeight = ImageViewer->height();
    if (!HasImage()) {
        // Nothing of the program's own; the view shows its colour.
        canvas.fillRect(ImageViewer->rect(), ViewGray);
        return;
    }
    const QSize image = ShownImageSize();
    const TViewLayout layout = LayoutView(viewWidth, viewHeight, image.width(), image.height());
    FCurrentScale = layout.Scale;
    const QRect target(layout.Left, layout.Top, layout.DrawnWidth, layout.DrawnHeight);

    // The view's colour around the image (the platform's background, which an opaque view
    // would otherwise leave undefined).
    const QRegion around = QRegion(ImageViewer->rect()).subtracted(QRegion(target));
    for (const QRect& r : around)
        canvas.fillRect(r, ViewGray);

    // At rest a smooth reduced copy; until it is made, a plain stretched copy. Enlarged
    // images are drawn stretched: their pixels are meant to be seen.
    // While a job makes the next view, its stand-in, stretched if the view has been resized.
    const QImage* smooth = nullptr;
    if (FCachedBitmap && FSmoothView && layout.Scale < 1.0 && !target.isEmpty()) {
        smooth = FScaledView->Find(FBitmapSerial, target.size());
        if (!smooth)
            FScaledView->Request(FCachedBitmap, FBitmapSerial, target.size());
    }
    if (smooth)
        canvas.drawImage(target.topLeft(), *smooth);
    else if (!target.isEmpty() && FCachedBitmap)
        canvas.drawImage(target, WrapBitmap(*FCachedBitmap));
    else if (!target.isEmpty())
        canvas.drawImage(target, FStandInView);

    const TViewRect frame = FrameRectInView(layout, FFramePosInPixels, FFrameSizeInPixels);
    const QColor colour1 = ColorBox1->Selected();
    const QColor colour2 = ColorBox2->Selected();
    const std::vector<TFrameRun> runs =
        FImageHasFocus && UpDnDash->Position() > 0
            ? DashedFrameRuns(frame, UpDnDash->Position(), UpDnBlank->Position())
            : SolidFrameRuns(frame);
    for (const TFrameRun& run : runs)
        canvas.fillRect(QRect(run.X, run.Y, run.Width, run.Height),
                        run.Colour == 1 ? colour1 : colour2);

    // A paint the window system asks for (an expose, a window moved over this one) tells
    // nothing new: the line is rewritten only when the frame, the focus or the step changed.
    // Otherwise a repaint replaced "загрузка файла: …" of a load that failed by the margins.
    if (StatusInputs() != FStatusShown)
        UpdateStatusLine();
}

void TForm1::ActiveControlChanged(QWidget*, QWidget* now) {
    // A window losing activation leaves no focused control; that is no change of control.
    if (!now || now == ImageViewer)
        return;
    FImageHasFocus = false;
    RepaintView();
}

void TForm1::ColorBox1Change() {
    FImageHasFocus = true;
    ImageViewer->setFocus(Qt::OtherFocusReason);
    RepaintView();
}

namespace {

// The named colours of the colour boxes, filled in when a list first opens.
const struct {
    const char* Name;
    QColor Colour;
} NamedColours[] = {
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Жёлтый"), QColor(255, 255, 0)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Оранжевый"), QColor(255, 128, 0)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Лайм"), QColor(0, 255, 0)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Голубой"), QColor(0, 255, 255)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Розовый"), QColor(255, 0, 255)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Белый"), QColor(255, 255, 255)},
    {QT_TRANSLATE_NOOP("vantrel::TForm1", "Чёрный"), QColor(0, 0, 0)},
};

} // namespace

void TForm1::ColorBox1DropDown(TColorBox* box) {
    disconnect(box, &TColorBox::DropDown, this, nullptr); // once per box
    int at = box->count();
    const int custom = box->CustomIndex();
    if (custom >= 0)
        at = custom + 1;
    for (const auto& n : NamedColours)
        box->InsertColour(at++, QString(), n.Colour);
    RetranslateColourNames(); // the names, and the custom colour's
    ColorBox1->SetSelected(FColorBox1Selected);
    ColorBox2->SetSelected(FColorBox2Selected);
}

void TForm1::RetranslateColourNames() {
    for (TColorBox* box : {ColorBox1, ColorBox2}) {
        if (box->count() <= 1)
            continue; // not opened yet: only the custom colour is there
        for (int i = 0; i < box->count(); ++i) {
            if (box->itemData(i, TColorBox::CustomRole).toBool()) {
                box->setItemText(i, tr("Свой цвет..."));
                continue;
            }
            const QColor colour = box->itemData(i, TColorBox::ColourRole).value<QColor>();
            for (const auto& named : NamedColours)
                if (named.Colour.rgb() == colour.rgb())
                    box->setItemText(i, tr(named.Name));
        }
    }
}

void TForm1::UpDnDashChangingEx(int newValue) {
    ImageViewerMouseDown(Qt::LeftButton, Qt::NoModifier, 0, 0);
    lblUpDnDash->setText(QString::number(newValue));
    ImageViewer->update(); // the new position is in force once the change is done
}

void TForm1::UpDnBlankChangingEx(int newValue) {
    ImageViewerMouseDown(Qt::LeftButton, Qt::NoModifier, 0, 0);
    lblUpDnBlank->setText(QString::number(newValue));
    ImageViewer->update();
}

} // namespace vantrel
