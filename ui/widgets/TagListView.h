// SPDX-License-Identifier: MIT
#pragma once

// The metadata panel's list: a report list whose left-button drag selects the range of rows
// between the press and the pointer (the window's ListView1MouseDown/Move/Up), in place of the
// list's own drag selection, which knows no press below the last row.

#include <QMouseEvent>
#include <QTreeWidget>
#include <functional>

namespace vantrel {

class TTagListView : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    std::function<void(Qt::MouseButton, const QPoint&)> OnMouseDown;
    std::function<void(Qt::MouseButtons, const QPoint&)> OnMouseMove;
    std::function<void(Qt::MouseButton)> OnMouseUp;
    /// Whether a drag selection of the window is under way (it then owns the moves).
    std::function<bool()> Selecting;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        QTreeWidget::mousePressEvent(event); // the list's own click handling first
        if (OnMouseDown)
            OnMouseDown(event->button(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (Selecting && Selecting() && (event->buttons() & Qt::LeftButton)) {
            if (OnMouseMove)
                OnMouseMove(event->buttons(), event->position().toPoint());
            return;
        }
        QTreeWidget::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTreeWidget::mouseReleaseEvent(event);
        if (OnMouseUp)
            OnMouseUp(event->button());
    }
};

} // namespace vantrel
