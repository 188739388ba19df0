// SPDX-License-Identifier: MIT
#include "ui/widgets/Glyphs.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QString>

// The glyphs are compiled into the static library; its resource initialiser must be called
// by name, or the linker leaves it out.
static void InitGlyphResources() {
    Q_INIT_RESOURCE(glyphs);
}

namespace vantrel {

QIcon Glyph(int index) {
    static const bool initialised = (InitGlyphResources(), true);
    (void)initialised;
    if (index < 0 || index >= GlyphCount)
        return {};
    QIcon icon(QStringLiteral(":/glyphs/%1.svg").arg(index));
    // Light glyphs stay bright in the style's disabled rendering on a dark palette: fade them.
    for (int size : {16, 18, 24, 32, 36}) {
        QPixmap normal = icon.pixmap(QSize(size, size));
        QPixmap faded(normal.size());
        faded.fill(Qt::transparent);
        QPainter p(&faded);
        p.setOpacity(0.35);
        p.drawPixmap(0, 0, normal);
        p.end();
        icon.addPixmap(faded, QIcon::Disabled);
    }
    return icon;
}

} // namespace vantrel
