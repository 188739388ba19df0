// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>

namespace vantrel {

/// The image view: an opaque control that paints only through OnPaintContent, never erases
/// its background, can take the keyboard focus but is no tab stop, and does not capture the
/// mouse: moves and releases outside it are not reported.
class TImageBox : public QWidget {
    Q_OBJECT
public:
    explicit TImageBox(QWidget* AOwner = nullptr);

    std::function<void()> OnPaintContent;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)> OnMouseDown;
    std::function<void(int, int)> OnMouseMove;
    std::function<void(Qt::MouseButton)> OnMouseUp;

    /// The painter of the paint event under way, for OnPaintContent; null outside painting.
    [[nodiscard]] class QPainter* Canvas() const { return FCanvas; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class QPainter* FCanvas = nullptr;
};

} // namespace vantrel
