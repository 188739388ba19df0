// SPDX-License-Identifier: MIT
#include "ui/widgets/Glyphs.h"

#include <QFile>
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
    // Pixmaps drawn from the SVG once per size: an SVG icon keeps a single added pixmap per
    // mode, so a faded one would exist at one size only, and the style's own disabled
    // rendering leaves light glyphs bright on a dark palette. A build without Qt's SVG module
    // (Windows) has them as PNGs drawn from the same SVGs at these sizes.
    const QIcon svg(QStringLiteral(":/glyphs/%1.svg").arg(index));
    QIcon icon;
    for (int size : {16, 18, 20, 24, 32, 36, 48, 64, 72}) {
        const QString png = QStringLiteral(":/glyphs/png/%1-%2.png").arg(index).arg(size);
        const QPixmap normal = QFile::exists(png) ? QPixmap(png) : svg.pixmap(QSize(size, size));
        QPixmap faded(normal.size());
        faded.fill(Qt::transparent);
        QPainter p(&faded);
        p.setOpacity(0.35);
        p.drawPixmap(0, 0, normal);
        p.end();
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(faded, QIcon::Disabled);
    }
    return icon;
}

} // namespace vantrel
