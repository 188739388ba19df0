// SPDX-License-Identifier: MIT
#include "ui/widgets/AppStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace vantrel {

namespace {

constexpr int HintPauseMs = 1000;
constexpr int HintHideMs = 8000;

/// Any base style, with the hint pause of the program.
class THintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return HintPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

QPalette CharcoalPalette() {
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), button(0x35, 0x35, 0x35),
        text(0xdc, 0xdc, 0xdc), highlight(0x3d, 0x7a, 0xc6), disabled(0x80, 0x80, 0x80);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, button);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4a));
    p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Mid, QColor(0x25, 0x25, 0x25));
    p.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
    p.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x6a, 0xa8, 0xf0));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0x30, 0x30, 0x30));
    return p;
}

// Only what the palette cannot say: the rule of the splitter and the tooltip border.
constexpr const char* CharcoalStyleSheet =
    "QToolTip { color: #dcdcdc; background-color: #353535; border: 1px solid #5a5a5a; }"
    "QSplitter::handle { background-color: #3a3a3a; }"
    "QTabWidget::pane { border: 1px solid #3f3f3f; }";

} // namespace

QFont AppFont() {
    if (QFontDatabase::families().contains(QStringLiteral("Segoe UI")))
        return QFont(QStringLiteral("Segoe UI"), 9);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(9);
    return font;
}

void ApplyAppStyle(QApplication& app) {
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    app.setStyle(new THintTimingStyle(fusion)); // the proxy owns the base style
    if (fusion) {
        app.setPalette(CharcoalPalette());
        QToolTip::setPalette(CharcoalPalette());
        app.setStyleSheet(QString::fromLatin1(CharcoalStyleSheet));
    }
    app.setFont(AppFont());
}

void ApplyHintDuration(QWidget* root) {
    root->setToolTipDuration(HintHideMs);
    for (QWidget* w : root->findChildren<QWidget*>())
        w->setToolTipDuration(HintHideMs);
}

} // namespace vantrel
