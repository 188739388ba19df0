// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QComboBox>

namespace vantrel {

/// A drop-down list of colours with swatches. From its creation it holds only the custom
/// entry ("Custom...", which opens a colour dialog); the window adds the named colours when
/// the list first opens.
class TColorBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int ColourRole = Qt::UserRole;
    static constexpr int CustomRole = Qt::UserRole + 1;

    explicit TColorBox(QWidget* parent = nullptr);

    [[nodiscard]] QColor Selected() const;
    /// Selects the named entry of this colour, else gives the custom entry this colour.
    void SetSelected(const QColor& colour);
    [[nodiscard]] int CustomIndex() const;
    void InsertColour(int index, const QString& name, const QColor& colour);
    static QIcon Swatch(const QColor& colour);

signals:
    /// The list is about to open.
    void DropDown();
    /// The user picked an entry (after the colour dialog, for the custom entry).
    void Change();

public:
    void showPopup() override;

protected:
    /// A name wider than the box ends in an ellipsis instead of being cut off.
    void paintEvent(QPaintEvent* event) override;

private:
    void Picked(int index);
};

} // namespace vantrel
