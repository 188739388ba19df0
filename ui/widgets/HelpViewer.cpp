// SPDX-License-Identifier: MIT
#include "ui/widgets/HelpViewer.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFile>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>

#include "texts/Language.h"

// The rcc initialiser of a static library is not pulled in by the linker on its own.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace vantrel {

namespace {

// Made on demand (the pixmaps are cached by Qt): a static QCursor would outlive the
// application object.
QCursor HelpCursor(const char* name) {
    const QPixmap pixmap(QStringLiteral(":/help/") + QLatin1String(name));
    // Hot spots: the arrow tip of each picture.
    if (qstrcmp(name, "CUR_NEW") == 0)
        return QCursor(pixmap, 2, 2);
    if (qstrcmp(name, "CUR_UP") == 0)
        return QCursor(pixmap, 16, 1);
    return QCursor(pixmap, 16, 30);
}

const QString RussianFolder = QStringLiteral("qrc:/help/");
const QString EnglishFolder = QStringLiteral("qrc:/help/en/");

// The name of a help resource without its folder and fragment ("ABOUT"), empty for any
// other address.
QString HelpName(const QUrl& url) {
    const QString text = url.adjusted(QUrl::RemoveFragment).toString();
    if (text.startsWith(EnglishFolder))
        return text.mid(EnglishFolder.size());
    if (text.startsWith(RussianFolder))
        return text.mid(RussianFolder.size());
    return {};
}

bool ResourceExists(const QString& url) {
    return QFile::exists(url.mid(3)); // "qrc:/help/…" as ":/help/…"
}

bool OpensOutside(const QUrl& url) {
    const QString text = url.toString();
    return text.contains(QLatin1String("http://")) || text.contains(QLatin1String("https://")) ||
           url.scheme() == QLatin1String("mailto");
}

} // namespace

THelpViewer::THelpViewer(QWidget* parent) : QTextBrowser(parent) {
    InitHelpResources();
    setObjectName(QStringLiteral("WebBrowser1"));
    setFrameShape(QFrame::NoFrame);
    setOpenExternalLinks(false); // web links must reach doSetSource
    setOpenLinks(true);
    setSearchPaths({QStringLiteral(":/help")});
    // The pages bring their own colours; the window's dark style does not apply to them.
    QPalette page = palette();
    page.setColor(QPalette::Base, QColor(0xfb, 0xfa, 0xf6));
    page.setColor(QPalette::Text, QColor(0x20, 0x20, 0x20));
    page.setColor(QPalette::Link, QColor(0x1a, 0x4f, 0x9c));
    page.setColor(QPalette::LinkVisited, QColor(0x5a, 0x3f, 0x8c));
    setPalette(page);
}

QUrl THelpViewer::PageUrl(const QString& name) {
    const QString english = EnglishFolder + name;
    if (texts::CurrentLanguage() == texts::TLanguage::English && ResourceExists(english))
        return QUrl(english);
    return QUrl(RussianFolder + name);
}

void THelpViewer::ShowPageInLanguage() {
    const QString name = HelpName(source());
    if (name.isEmpty())
        return;
    QUrl page = PageUrl(name);
    page.setFragment(source().fragment());
    if (page == source())
        return;
    const int scrolled = verticalScrollBar()->value();
    setSource(page);
    if (!page.hasFragment())
        verticalScrollBar()->setValue(scrolled);
}

QVariant THelpViewer::loadResource(int type, const QUrl& name) {
    // An English page's picture or style sheet, or a page not written in English yet: the
    // Russian one of the same name.
    const QString text = name.toString();
    if (text.startsWith(EnglishFolder) &&
        !ResourceExists(name.adjusted(QUrl::RemoveFragment).toString()))
        return QTextBrowser::loadResource(type, QUrl(RussianFolder + HelpName(name)));
    return QTextBrowser::loadResource(type, name);
}

bool THelpViewer::ShowStartPageIfEmpty() {
    if (source().isEmpty() || source() == QUrl(QStringLiteral("about:blank")))
        setSource(StartPage());
    return !source().isEmpty();
}

void THelpViewer::doSetSource(const QUrl& url, QTextDocument::ResourceType type) {
    if (OpensOutside(url)) {
        // An address the desktop cannot open is dropped silently; the page stays either way.
        QDesktopServices::openUrl(url);
        return;
    }
    QTextBrowser::doSetSource(url, type);
}

void THelpViewer::mouseMoveEvent(QMouseEvent* event) {
    QTextBrowser::mouseMoveEvent(event);
    UpdateLinkCursor(anchorAt(event->position().toPoint()));
}

void THelpViewer::UpdateLinkCursor(const QString& href) {
    if (href.isEmpty())
        return; // the base class has restored the ordinary cursor
    // Links that leave the program, that lead back up to the start page, and that lead on.
    if (OpensOutside(QUrl(href)))
        viewport()->setCursor(HelpCursor("CUR_NEW"));
    else if (href == QLatin1String("INDEX") || href.endsWith(QLatin1String("#top")))
        viewport()->setCursor(HelpCursor("CUR_UP"));
    else
        viewport()->setCursor(HelpCursor("CUR_DOWN"));
}

} // namespace vantrel
