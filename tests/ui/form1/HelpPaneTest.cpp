// SPDX-License-Identifier: MIT
// The help pane in the window: opened on the first run, toggled by F1 without reloading,
// hidden by a load and by Esc; web links go to the desktop.

#include <QDesktopServices>
#include <QStackedWidget>
#include <QTextBrowser>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/widgets/HelpViewer.h"

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

// The first run's pane stays open.
class HelpPaneTest : public WindowTest {
protected:
    HelpPaneTest() { CloseHelpAtStart = false; }
};

TEST_F(HelpPaneTest, FirstStartShowsTheStartPageAndF1TogglesIt) {
    TForm1& f = *Form;
    EXPECT_TRUE(f.HelpShown());
    EXPECT_TRUE(Probe(f).WebBrowser1->isVisible());
    EXPECT_FALSE(Probe(f).ImageViewer->isVisible());
    EXPECT_EQ(Probe(f).WebBrowser1->source(), THelpViewer::StartPage());
    EXPECT_FALSE(Probe(f).WebBrowser1->toPlainText().isEmpty());

    // The pane keeps the page it shows: no reload when it comes back.
    Probe(f).WebBrowser1->setSource(THelpViewer::PageUrl(QStringLiteral("HOTKEYS")));
    int loads = 0;
    QObject::connect(Probe(f).WebBrowser1, &QTextBrowser::sourceChanged, [&] { ++loads; });
    QTest::keyClick(Probe(f).WebBrowser1, Qt::Key_F1);
    EXPECT_FALSE(f.HelpShown());
    EXPECT_TRUE(Probe(f).ImageViewer->isVisible());
    QTest::keyClick(&f, Qt::Key_F1);
    EXPECT_TRUE(f.HelpShown());
    EXPECT_EQ(Probe(f).WebBrowser1->source(), THelpViewer::PageUrl(QStringLiteral("HOTKEYS")));
    EXPECT_EQ(loads, 0);

    // A web link opens outside; the pane stays on its page.
    TFakeOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &opener, "Open");
    Probe(f).WebBrowser1->setSource(QUrl(QStringLiteral("https://example.org/film")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(opener.Opened.size(), 1);
    EXPECT_EQ(Probe(f).WebBrowser1->source(), THelpViewer::PageUrl(QStringLiteral("HOTKEYS")));
    EXPECT_TRUE(f.HelpShown());

    // A successful load hides it.
    Load(600, 400);
    EXPECT_FALSE(f.HelpShown());
    EXPECT_TRUE(Probe(f).ImageViewer->isVisible());
    EXPECT_TRUE(Probe(f).FImageHasFocus);
}

TEST_F(HelpPaneTest, OnlyTheFirstRunOpensIt) {
    Restart();
    EXPECT_FALSE(Form->HelpShown());
    EXPECT_TRUE(Probe(*Form).ImageViewer->isVisible());
    QTest::keyClick(Form.get(), Qt::Key_F1); // never shown yet: the start page loads
    EXPECT_TRUE(Form->HelpShown());
    EXPECT_EQ(Probe(*Form).WebBrowser1->source(), THelpViewer::StartPage());
}

} // namespace
} // namespace vantrel

#include "HelpPaneTest.moc"
