// SPDX-License-Identifier: MIT
#include "ui/widgets/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vantrel {

TUpDown::TUpDown(int min, int max, int position, QWidget* parent)
    : QWidget(parent), UpButton(new QToolButton(this)), DownButton(new QToolButton(this)),
      FMin(min), FMax(max), FPosition(std::clamp(position, min, max)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {UpButton, DownButton}) {
        b->setArrowType(b == UpButton ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(UpButton, &QToolButton::clicked, this, [this] { SetPosition(FPosition + 1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { SetPosition(FPosition - 1); });
}

void TUpDown::SetPosition(int position) {
    position = std::clamp(position, FMin, FMax);
    if (position == FPosition)
        return;
    if (OnChangingEx)
        OnChangingEx(position);
    FPosition = position;
}

} // namespace vantrel
