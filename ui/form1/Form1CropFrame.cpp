// SPDX-License-Identifier: MIT
// The crop frame: its size, ratio lock, templates, orientation, fitting, mouse and arrows.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>

#include "pipeline/crop/PathParts.h"
#include "texts/Language.h"
#include "ui/form1/Unit1.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/ImageBox.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {

int TForm1::LockState() const {
    return BtnLockRatio->property("Tag").toInt();
}

void TForm1::SetLockState(int state) {
    BtnLockRatio->setProperty("Tag", state);
}

int32_t TForm1::SpinWidth() const {
    return SpinEditValue(SpEdWidth->text().toStdString());
}

int32_t TForm1::SpinHeight() const {
    return SpinEditValue(SpEdHeight->text().toStdString());
}

void TForm1::WhileLockUpdating(const std::function<void()>& change) {
    // Restores the lock state on every way out of the change.
    struct TRestore {
        TForm1& Form;
        const int State;
        ~TRestore() { Form.SetLockState(State); }
    } restore{*this, LockState()};
    SetLockState(RatioUpdating);
    change();
}

void TForm1::WriteFrameSize(int32_t width, int32_t height) {
    WhileLockUpdating([&] {
        SpEdWidth->setValue(width);
        SpEdHeight->setValue(height);
    });
}

void TForm1::ConnectCropFrame() {
    connect(SpEdWidth, &QSpinBox::valueChanged, this, [this] { SpEdWidthChange(); });
    connect(SpEdHeight, &QSpinBox::valueChanged, this, [this] { SpEdHeightChange(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BtnLockRatio, &QPushButton::clicked, this, &TForm1::BtnLockRatioClick);
}

void TForm1::SpEdWidthChange() {
    FrameDimensionChanged(true);
}

void TForm1::SpEdHeightChange() {
    FrameDimensionChanged(false);
}

// One spin edit changed: the frame keeps its centre along that axis, and under the ratio lock
// the other spin edit follows (without echoing back), else the ratio follows the new size.
void TForm1::FrameDimensionChanged(bool isWidth) {
    int32_t& size = isWidth ? FFrameSizeInPixels.X : FFrameSizeInPixels.Y;
    int32_t& pos = isWidth ? FFramePosInPixels.X : FFramePosInPixels.Y;
    const int32_t imageSize = isWidth ? FOriginal.Width : FOriginal.Height;
    const int32_t old = size;
    const int32_t value = isWidth ? SpinWidth() : SpinHeight();
    size = value;
    if (imageSize > 0)
        pos = KeepCentre(old, pos, value, imageSize);
    if (!FUpdating) {
        if (LockState() == RatioLocked) {
            FUpdating = true;
            struct TClear {
                bool& F;
                ~TClear() { F = false; }
            } clear{FUpdating};
            QSpinBox* other = isWidth ? SpEdHeight : SpEdWidth;
            other->setValue(LockedDimension(value, FAspectRatio, isWidth));
            ClearTemplateIfChanged();
        } else if (LockState() == RatioFree) {
            FAspectRatio = RatioOf(SpinWidth(), SpinHeight());
            ClearTemplateIfChanged();
        }
    }
    ShowRatioText();
    RepaintView();
}

void TForm1::ShowRatioText() {
    lblApproximate->setVisible(IsRatioApproximate(FAspectRatio));
    lblAspectRatio->setText(QString::fromStdString(
        RatioText(FAspectRatio, texts::DecimalSeparator(QLocale().decimalPoint().toStdString()))));
}

void TForm1::ClearTemplateIfChanged() {
    if (!MatchesTemplate({SpinWidth(), SpinHeight()}, {TemplateWidth, TemplateHeight}))
        ComboBox1->setCurrentIndex(-1);
}

void TForm1::ComboBox1Change() {
    if (ComboBox1->currentIndex() < 0)
        return;
    const auto size =
        ParseTemplate(ComboBox1->currentText().toStdString(), {SpinWidth(), SpinHeight()});
    if (!size)
        return;
    TemplateWidth = size->X;
    TemplateHeight = size->Y;
    const TPoint frame = OrientTemplate(*size, {FOriginal.Width, FOriginal.Height});
    WriteFrameSize(frame.X, frame.Y);
}

void TForm1::BitBtn2Click() {
    const int32_t width = SpinWidth();
    const int32_t height = SpinHeight();
    WriteFrameSize(height, width);
}

void TForm1::BtnLockRatioClick() {
    const int state = LockState() == RatioLocked ? RatioFree
                      : LockState() == RatioFree ? RatioLocked
                                                 : LockState();
    SetLockState(state);
    ApplyRatioLock(state);
}

void TForm1::ApplyRatioLock(int state) {
    if (state != RatioLocked) {
        BtnLockRatio->setIcon(Glyph(1));
        ShowLockHint(false);
        return;
    }
    BtnLockRatio->setIcon(Glyph(0));
    ShowLockHint(true);
    FAspectRatio = RatioOf(SpinWidth(), SpinHeight());
    ShowRatioText();
}

void TForm1::FitFrameToImage() {
    if (FrameNeedsTurn({SpinWidth(), SpinHeight()}, {FOriginal.Width, FOriginal.Height}))
        BitBtn2Click();
    FFrameSizeInPixels = {SpinWidth(), SpinHeight()};
    FFramePosInPixels = CentredPosition(FFrameSizeInPixels, {FOriginal.Width, FOriginal.Height});
}

void TForm1::ImageViewerMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (button == Qt::LeftButton && HasImage()) {
        const QSize image = ShownImageSize();
        const TViewLayout layout = LayoutForScale(ImageViewer->width(), ImageViewer->height(),
                                                  image.width(), image.height(), FCurrentScale);
        const TViewRect frame = FrameRectInView(layout, FFramePosInPixels, FFrameSizeInPixels);
        if (FCurrentScale > 0 && RectContains(frame, x, y)) {
            FDragging = true;
            FDragOffset = {RoundEven((x - frame.Left) / FCurrentScale),
                           RoundEven((y - frame.Top) / FCurrentScale)};
        }
        FImageHasFocus = true;
        ImageViewer->setFocus(Qt::MouseFocusReason);
        RepaintView();
        return;
    }
    FImageHasFocus = true;
    RepaintView();
}

void TForm1::ImageViewerMouseMove(int x, int y) {
    if (FDragging)
        DragFrameTo(x, y);
}

void TForm1::ImageViewerMouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        FDragging = false;
}

void TForm1::DragFrameTo(int x, int y) {
    if (!HasImage() || !(FCurrentScale > 0))
        return;
    const QSize image = ShownImageSize();
    const TViewLayout layout = LayoutForScale(ImageViewer->width(), ImageViewer->height(),
                                              image.width(), image.height(), FCurrentScale);
    const int32_t px = RoundEven((x - layout.Left) / FCurrentScale) - FDragOffset.X;
    const int32_t py = RoundEven((y - layout.Top) / FCurrentScale) - FDragOffset.Y;
    MoveFrameTo({px, py});
}

void TForm1::CreateArrowActions() {
    const struct {
        const char* Name;
        Qt::Key Key;
    } arrows[] = {{"Left", Qt::Key_Left},
                  {"Up", Qt::Key_Up},
                  {"Down", Qt::Key_Down},
                  {"Right", Qt::Key_Right}};
    const Qt::KeyboardModifiers sets[] = {Qt::NoModifier,
                                          Qt::ControlModifier,
                                          Qt::ShiftModifier,
                                          Qt::AltModifier,
                                          Qt::ControlModifier | Qt::ShiftModifier,
                                          Qt::ControlModifier | Qt::AltModifier,
                                          Qt::ShiftModifier | Qt::AltModifier,
                                          Qt::ControlModifier | Qt::ShiftModifier |
                                              Qt::AltModifier};
    for (const auto& arrow : arrows) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(arrow.Name));
        QList<QKeySequence> keys;
        for (Qt::KeyboardModifiers m : sets)
            keys.append(QKeySequence(QKeyCombination(m, arrow.Key)));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setProperty("vantrelKey", int(arrow.Key));
        connect(action, &QAction::triggered, this, [this, action] { ArrowExecute(action); });
        addAction(action);
        ArrowActions.push_back(action);
    }
}

void TForm1::ArrowExecute(QAction* sender) {
    const QString name = sender->objectName();
    const int key = sender->property("vantrelKey").toInt();
    if (!FImageHasFocus) {
        // The focused control gets the arrow it would have had without the action.
        ForwardKey(key);
        return;
    }
    const TArrow arrow = name == QLatin1String("Left")    ? TArrow::Left
                         : name == QLatin1String("Right") ? TArrow::Right
                         : name == QLatin1String("Up")    ? TArrow::Up
                                                          : TArrow::Down;
    MoveFrameByArrow(arrow);
}

void TForm1::MoveFrameByArrow(TArrow arrow) {
    FFramePosInPixels = ArrowMove(FFramePosInPixels, arrow, ArrowStep(LastShiftState),
                                  FFrameSizeInPixels, {FOriginal.Width, FOriginal.Height});
    RepaintView();
}

TForm1::TStatusInputs TForm1::StatusInputs() const {
    return {{FOriginal.Width, FOriginal.Height},
            FFramePosInPixels,
            FFrameSizeInPixels,
            ArrowStep(LastShiftState),
            FImageHasFocus};
}

void TForm1::UpdateStatusLine() {
    // The step has a section of its own at the right, so that a window too narrow for the
    // whole line still shows it; the whole line is the tooltip and what a click copies. A
    // note of the frame's placement stands in the main section until the frame moves.
    FStatusShown = StatusInputs();
    StatusStep->setVisible(FImageHasFocus);
    const TPoint image = FStatusShown.Image;
    const int32_t step = FStatusShown.Step;
    const QString whole = QString::fromStdString(
        FocusedStatusText(image, FFramePosInPixels, FFrameSizeInPixels, step));
    if (FImageHasFocus) {
        StatusStep->setText(QString::fromStdString(ArrowStepShortText(step)));
        StatusStep->setToolTip(whole);
    }
    if (const auto note = PlacementNote())
        SetStatusText(QString::fromStdString(*note));
    else if (FImageHasFocus)
        SetStatusText(
            QString::fromStdString(FrameMarginsText(image, FFramePosInPixels, FFrameSizeInPixels)),
            whole);
    else
        SetStatusText(QString::fromStdString(
            FileStatusText(FBatch.CurrentIndex() + 1, FBatch.Count(), FileNamePart(FInputFile))));
}

namespace {

// An item of a pop-up menu with its object name; its caption follows the language.
QAction* NamedItem(QMenu* menu, const char* name) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(QLatin1String(name));
    return item;
}

} // namespace

void TForm1::CreatePopupMenus() {
    PopupMenu1 = Named<QMenu>("PopupMenu1", this);
    N1 = NamedItem(PopupMenu1, "N1");
    N2 = NamedItem(PopupMenu1, "N2");
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(ListView1->mapToGlobal(p)); });

    PopupMenu2 = Named<QMenu>("PopupMenu2", this);
    N3 = NamedItem(PopupMenu2, "N3");
    N4 = NamedItem(PopupMenu2, "N4");
    Texts([this] {
        N1->setText(tr("Скопировать всё"));
        N2->setText(tr("Скопировать выделенное"));
        N3->setText(tr("Сбросить"));
        N4->setText(tr("Сбросить всё"));
    });
    for (QSlider* t : {TrackBar1, TrackBar2, TrackBar3})
        connect(t, &QWidget::customContextMenuRequested, this, [this, t](const QPoint& p) {
            PopupMenu2Popup(t);
            PopupMenu2->popup(t->mapToGlobal(p));
        });

    // Filled when it opens, from the file list.
    PopupMenu3 = Named<QMenu>("PopupMenu3", this);
    for (QPushButton* b : {BtnPrevious, btnNext})
        connect(b, &QWidget::customContextMenuRequested, this, [this, b](const QPoint& p) {
            PopupMenu3Popup(b);
            if (!PopupMenu3->isEmpty())
                PopupMenu3->popup(b->mapToGlobal(p));
        });
}

} // namespace vantrel
