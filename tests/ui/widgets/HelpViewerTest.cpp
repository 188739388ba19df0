// SPDX-License-Identifier: MIT
#include "ui/widgets/HelpViewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace vantrel {
namespace {

// Stands in for the desktop's browser.
class TFakeOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};

struct TLink {
    QString Href;
    QString Text;
    int Position;
};

// The links of the shown document, in document order.
QList<TLink> LinksOf(const QTextDocument& document) {
    QList<TLink> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && !fragment.charFormat().anchorHref().isEmpty())
                links.append(
                    {fragment.charFormat().anchorHref(), fragment.text(), fragment.position()});
        }
    return links;
}

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        FViewer = std::make_unique<THelpViewer>();
        FViewer->resize(900, 700);
        FViewer->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FViewer.get()));
    }

    // A real click on the link that starts at `position` in the document.
    void ClickLinkAt(int position) {
        QTextCursor cursor(FViewer->document());
        cursor.setPosition(position + 1);
        FViewer->setTextCursor(cursor);
        FViewer->ensureCursorVisible();
        const QPoint point = FViewer->cursorRect(cursor).center();
        ASSERT_EQ(FViewer->anchorAt(point).isEmpty(), false) << "no link under the pointer";
        QTest::mouseClick(FViewer->viewport(), Qt::LeftButton, {}, point);
    }

    std::unique_ptr<THelpViewer> FViewer;
};

const QStringList kPages = {"INDEX", "ABOUT", "TECH", "METH", "SETTINGS", "HOTKEYS", "HISTORY"};

TEST_F(HelpViewerTest, EveryResourceIsCompiledIn) {
    for (const QString& name : kPages + QStringList{QStringLiteral("LINKSTYLES")})
        EXPECT_TRUE(QFile::exists(":/help/" + name)) << name.toStdString();
    for (const char* cursor : {"CUR_NEW", "CUR_DOWN", "CUR_UP"}) {
        const QPixmap pixmap(QString(":/help/") + cursor);
        EXPECT_EQ(pixmap.size(), QSize(32, 32)) << cursor;
    }
}

// Every page shows its text and its style sheet, and every link between pages finds its page.
TEST_F(HelpViewerTest, EveryPageLoadsAndLinksResolve) {
    for (const QString& page : kPages) {
        FViewer->setSource(THelpViewer::PageUrl(page));
        EXPECT_EQ(FViewer->source(), THelpViewer::PageUrl(page));
        const QString text = FViewer->toPlainText();
        EXPECT_GT(text.size(), 800) << page.toStdString();
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << page.toStdString();
        // The style sheet was applied: headings take its colour.
        const QString html = FViewer->toHtml();
        EXPECT_TRUE(html.contains("#1a3f73")) << page.toStdString() << ": style sheet missing";
        for (const TLink& link : LinksOf(*FViewer->document())) {
            const QUrl target = FViewer->source().resolved(QUrl(link.Href));
            if (target.scheme() == "qrc")
                EXPECT_TRUE(QFile::exists(":" + target.path()))
                    << page.toStdString() << " -> " << link.Href.toStdString();
            else
                EXPECT_TRUE(target.scheme() == "https" || target.scheme() == "http")
                    << link.Href.toStdString();
        }
    }
}

TEST_F(HelpViewerTest, StartPageLinksEveryOtherPage) {
    FViewer->ShowStartPageIfEmpty();
    ASSERT_EQ(FViewer->source(), THelpViewer::StartPage());
    EXPECT_TRUE(
        FViewer->toPlainText().contains(QStringLiteral("F1 — показать/скрыть эту справку")));
    QStringList targets;
    for (const TLink& link : LinksOf(*FViewer->document()))
        targets << link.Href;
    for (const QString& page : kPages.mid(1))
        EXPECT_TRUE(targets.contains(page)) << page.toStdString();
}

TEST_F(HelpViewerTest, HeadingLinkOfEveryPageReturnsToTheStartPage) {
    for (const QString& page : kPages.mid(1)) {
        FViewer->setSource(THelpViewer::PageUrl(page));
        const QList<TLink> links = LinksOf(*FViewer->document());
        ASSERT_FALSE(links.isEmpty()) << page.toStdString();
        EXPECT_EQ(links.first().Href, "INDEX") << page.toStdString();
        EXPECT_TRUE(links.first().Text.startsWith(QStringLiteral("← "))) << page.toStdString();
        ClickLinkAt(links.first().Position);
        EXPECT_EQ(FViewer->source(), THelpViewer::StartPage()) << page.toStdString();
    }
}

TEST_F(HelpViewerTest, WebLinksOpenOutsideAndThePageStays) {
    TFakeOpener opener;
    QDesktopServices::setUrlHandler("https", &opener, "Open");
    QDesktopServices::setUrlHandler("http", &opener, "Open");

    FViewer->ShowStartPageIfEmpty();
    FViewer->setSource(THelpViewer::PageUrl("ABOUT"));
    FViewer->setSource(THelpViewer::StartPage());
    const int backBefore = FViewer->backwardHistoryCount();
    TLink web{};
    for (const TLink& link : LinksOf(*FViewer->document()))
        if (link.Href.startsWith("https://")) {
            web = link;
            break;
        }
    ASSERT_FALSE(web.Href.isEmpty());
    ClickLinkAt(web.Position);

    ASSERT_EQ(opener.Opened.size(), 1);
    EXPECT_EQ(opener.Opened.first(), QUrl(web.Href));
    EXPECT_EQ(FViewer->source(), THelpViewer::StartPage());
    EXPECT_EQ(FViewer->backwardHistoryCount(), backBefore);

    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("http");
}

TEST_F(HelpViewerTest, ShownPageIsKept) {
    EXPECT_TRUE(FViewer->source().isEmpty());
    EXPECT_TRUE(FViewer->ShowStartPageIfEmpty());
    EXPECT_EQ(FViewer->source(), THelpViewer::StartPage());
    FViewer->setSource(THelpViewer::PageUrl("TECH"));
    FViewer->hide();
    FViewer->ShowStartPageIfEmpty();
    FViewer->show();
    EXPECT_EQ(FViewer->source(), THelpViewer::PageUrl("TECH"));
}

} // namespace
} // namespace vantrel

#include "HelpViewerTest.moc"
