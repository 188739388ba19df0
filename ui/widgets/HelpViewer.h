// SPDX-License-Identifier: MIT
#pragma once

// The help pane: the program's manual, compiled in as HTML resources under qrc:/help/ and
// shown in place of the image view. Pages link to each other by bare name ("ABOUT"); web
// addresses open in the desktop's browser and the pane stays on its page. The English pages
// have the same names under qrc:/help/en/; a page, a picture or a style sheet they lack comes
// from the Russian ones.
//
// The window owns one THelpViewer (WebBrowser1) and builds ShowHelp / HideHelp / HelpExecute
// on it: ShowHelp calls ShowStartPageIfEmpty() and then shows the pane; hiding the pane never
// unloads its page.

#include <QTextBrowser>
#include <QUrl>

namespace vantrel {

class THelpViewer : public QTextBrowser {
    Q_OBJECT

public:
    explicit THelpViewer(QWidget* parent = nullptr);

    /// The address of a help resource by name in the language in force: qrc:/help/NAME, or
    /// qrc:/help/en/NAME in English when the English pages have it.
    [[nodiscard]] static QUrl PageUrl(const QString& name);
    /// The start page, PageUrl("INDEX").
    [[nodiscard]] static QUrl StartPage() { return PageUrl(QStringLiteral("INDEX")); }

    /// Loads the start page if the pane has never shown a page; otherwise keeps its page.
    /// Returns whether a page is shown afterwards.
    bool ShowStartPageIfEmpty();
    /// The page shown, at the same place, in the language in force (after a change of it).
    void ShowPageInLanguage();

protected:
    // Every navigation passes here, clicks and programmatic ones alike: web and mail
    // addresses go to the desktop and the pane keeps its page and history.
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void UpdateLinkCursor(const QString& href);
};

} // namespace vantrel
