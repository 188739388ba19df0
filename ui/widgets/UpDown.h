// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace vantrel {

/// A pair of arrow buttons holding a position within a range; shows no text of its own
/// (a label beside it shows the value).
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int min, int max, int position, QWidget* parent = nullptr);
    [[nodiscard]] int Position() const { return FPosition; }
    /// Sets the position (kept in range); runs OnChangingEx first when it changes.
    void SetPosition(int position);
    /// Called with the new value before the position changes.
    std::function<void(int)> OnChangingEx;
    QToolButton* UpButton;
    QToolButton* DownButton;

private:
    int FMin, FMax, FPosition;
};

} // namespace vantrel
