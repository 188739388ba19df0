// SPDX-License-Identifier: MIT
#include "ui/widgets/ColorBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vantrel {

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
    addItem(Swatch(Qt::black), QStringLiteral("Custom..."));
    setItemData(0, QColor(Qt::black), ColourRole);
    setItemData(0, true, CustomRole);
    connect(this, &QComboBox::activated, this, &TColorBox::Picked);
}

QIcon TColorBox::Swatch(const QColor& colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter p(&pixmap);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

QColor TColorBox::Selected() const {
    const int i = currentIndex();
    return i < 0 ? QColor(Qt::black) : itemData(i, ColourRole).value<QColor>();
}

int TColorBox::CustomIndex() const {
    for (int i = 0; i < count(); ++i)
        if (itemData(i, CustomRole).toBool())
            return i;
    return -1;
}

void TColorBox::SetSelected(const QColor& colour) {
    for (int i = 0; i < count(); ++i) {
        if (!itemData(i, CustomRole).toBool() &&
            itemData(i, ColourRole).value<QColor>().rgb() == colour.rgb()) {
            setCurrentIndex(i);
            return;
        }
    }
    const int custom = CustomIndex();
    if (custom < 0)
        return;
    setItemData(custom, colour, ColourRole);
    setItemIcon(custom, Swatch(colour));
    setCurrentIndex(custom);
}

void TColorBox::InsertColour(int index, const QString& name, const QColor& colour) {
    insertItem(index, Swatch(colour), name);
    setItemData(index, colour, ColourRole);
    setItemData(index, false, CustomRole);
}

void TColorBox::showPopup() {
    emit DropDown();
    QComboBox::showPopup();
}

void TColorBox::Picked(int index) {
    if (itemData(index, CustomRole).toBool()) {
        const QColor colour = QColorDialog::getColor(Selected(), this);
        if (colour.isValid()) {
            setItemData(index, colour, ColourRole);
            setItemIcon(index, Swatch(colour));
        }
    }
    emit Change();
}

void TColorBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int room =
        field.width() - (option.currentIcon.isNull() ? 0 : option.iconSize.width() + 4);
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, room);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace vantrel
