// SPDX-License-Identifier: MIT
#include "ui/widgets/ActivityIndicator.h"

#include <QPainter>
#include <QTimer>

namespace vantrel {

namespace {
constexpr int LineCount = 12;
}

TActivityIndicator::TActivityIndicator(QWidget* parent, int size)
    : QWidget(parent), FTimer(new QTimer(this)) {
    setFixedSize(size, size);
    FTimer->setInterval(80);
    connect(FTimer, &QTimer::timeout, this, [this] {
        FStep = (FStep + 1) % LineCount;
        update();
    });
}

void TActivityIndicator::SetAnimate(bool on) {
    if (on)
        FTimer->start();
    else
        FTimer->stop();
}

bool TActivityIndicator::Animate() const {
    return FTimer->isActive();
}

void TActivityIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    p.translate(width() / 2.0, height() / 2.0);
    const QColor colour(0x3d, 0x9a, 0xe6);
    for (int i = 0; i < LineCount; ++i) {
        // The line at the current step is brightest; the trail fades behind it.
        const int age = (FStep - i + LineCount) % LineCount;
        QColor c = colour;
        c.setAlphaF(1.0 - age / double(LineCount));
        p.setPen(QPen(c, side / 12.0, Qt::SolidLine, Qt::RoundCap));
        p.save();
        p.rotate(i * 360.0 / LineCount);
        p.drawLine(QPointF(0, -side * 0.22), QPointF(0, -side * 0.42));
        p.restore();
    }
}

} // namespace vantrel
