// SPDX-License-Identifier: MIT
#pragma once

// The help pane: the program's manual, compiled in as HTML resources under qrc:/help/ and
// shown in place of the image view. Pages link to each other by bare name ("ABOUT"); web
// addresses open in the desktop's browser and the pane stays on its page.
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

    /// The address of a help resource by name: qrc:/help/NAME.
    [[nodiscard]] static QUrl PageUrl(const QString& name);
    /// The start page, PageUrl("INDEX").
    [[nodiscard]] static QUrl StartPage() { return PageUrl(QStringLiteral("INDEX")); }

    /// Loads the start page if the pane has never shown a page; otherwise keeps its page.
    /// Returns whether a page is shown afterwards.
    bool ShowStartPageIfEmpty();

protected:
    // Every navigation passes here, clicks and programmatic ones alike: web and mail
    // addresses go to the desktop and the pane keeps its page and history.
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void UpdateLinkCursor(const QString& href);
};

} // namespace vantrel
