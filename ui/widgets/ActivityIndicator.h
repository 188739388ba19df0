// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QTimer;

namespace vantrel {

/// A busy sign: twelve rotating lines, hidden unless started.
class TActivityIndicator : public QWidget {
    Q_OBJECT
public:
    explicit TActivityIndicator(QWidget* parent = nullptr, int size = 48);
    void SetAnimate(bool on);
    [[nodiscard]] bool Animate() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* FTimer;
    int FStep = 0;
};

} // namespace vantrel
