// SPDX-License-Identifier: MIT
#include "ui/widgets/ImageBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantrel {

TImageBox::TImageBox(QWidget* AOwner) : QWidget(AOwner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Focus is given by the window's own rules (a left press with an image), never by Tab or
    // by Qt on a click.
    setFocusPolicy(Qt::NoFocus);
    // Moves without a button held are needed: a drag whose release was missed outside the
    // view goes on while the pointer moves over it.
    setMouseTracking(true);
}

void TImageBox::paintEvent(QPaintEvent*) {
    if (!OnPaintContent)
        return;
    QPainter painter(this);
    FCanvas = &painter;
    OnPaintContent();
    FCanvas = nullptr;
}

void TImageBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TImageBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // A second press in quick succession is still a press.
    mousePressEvent(event);
}

void TImageBox::mouseMoveEvent(QMouseEvent* event) {
    // Qt keeps sending moves to the pressed widget outside it; the view does not capture.
    const QPoint p = event->position().toPoint();
    if (OnMouseMove && rect().contains(p))
        OnMouseMove(p.x(), p.y());
}

void TImageBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseUp && rect().contains(p))
        OnMouseUp(event->button());
}

} // namespace vantrel
