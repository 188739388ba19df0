// SPDX-License-Identifier: MIT
// The help pane: the program's manual in place of the image view. F1 shows and hides it, Esc
// and every successful load hide it, and the first run opens it by itself. The pane keeps its
// page while hidden.

#include <QStackedWidget>

#include "ui/form1/Unit1.h"
#include "ui/widgets/HelpViewer.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {

void TForm1::CreateHelpPane() {
    WebBrowser1 = new THelpViewer(WorkStack);
    WebBrowser1->setObjectName("WebBrowser1");
    WorkStack->addWidget(WebBrowser1);
}

void TForm1::ShowStartupHelp() {
    WorkStack->setCurrentWidget(ImageViewer);
    if (FlagShowHelp)
        ShowHelp();
}

bool TForm1::HelpShown() const {
    return WorkStack->currentWidget() == WebBrowser1;
}

void TForm1::ShowHelp() {
    // The pages come from the program's own resources and load within setSource: the pane
    // is ready at once, with no event loop run meanwhile.
    WebBrowser1->ShowStartPageIfEmpty();
    WorkStack->setCurrentWidget(WebBrowser1);
}

void TForm1::HideHelp() {
    if (!HelpShown())
        return;
    WorkStack->setCurrentWidget(ImageViewer);
    RepaintView();
}

void TForm1::HelpExecute() {
    if (HelpShown())
        HideHelp();
    else
        ShowHelp();
}

} // namespace vantrel
