// SPDX-License-Identifier: MIT
// The interface language: the choice on the tab "Настройки", the translators it installs, and
// the texts made again when it changes (QEvent::LanguageChange), the tag table, the help page,
// the status line and the title among them.

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "ui/form1/Unit1.h"
#include "ui/logic/TagTable.h"
#include "ui/widgets/HelpViewer.h"
#include "ui/widgets/QtTranslations.h"

namespace vantrel {

namespace {

// The status line's text while nothing has been done yet; it follows the language.
const char* const ReadyProperty = "vantrelReady";

} // namespace

void TForm1::Texts(std::function<void()> apply) {
    apply();
    FTexts.push_back(std::move(apply));
}

void TForm1::SetLanguage(texts::TLanguage language) {
    ApplyLanguage(language);
    // The LanguageChange each translator posts retranslates the window here and now; without
    // one (no translator to change) the window's texts change all the same.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    if (FTextsLanguage != texts::CurrentLanguage())
        RetranslateUi();
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && !FTexts.empty() &&
        FTextsLanguage != texts::CurrentLanguage())
        RetranslateUi();
}

void TForm1::LanguageBoxChange() {
    const std::string code = CbLanguage->currentData().toString().toStdString();
    SetLanguage(texts::LanguageFromCode(code).value_or(texts::TLanguage::Russian));
}

void TForm1::RetranslateUi() {
    FTextsLanguage = texts::CurrentLanguage();
    for (const std::function<void()>& apply : FTexts)
        apply();
    FitPageControlWidth();
    WidenHintSeparators();
    RetranslateColourNames();
    // The tag table is made again: names and value texts from the shown file's structure read
    // once more (kept as they were when the file has changed or gone), the summary anew.
    if (!CurrentFileTags.empty()) {
        if (auto tags = DescribeTagsAgain(FShownFile, CurrentFileTags))
            CurrentFileTags = std::move(*tags);
        FillTagList(CurrentFileTags, FTagsBigEndian);
    }
    WebBrowser1->ShowPageInLanguage();
    if (HasImage())
        UpdateStatusLine();
    else if (StatusBar1->property(ReadyProperty).toBool())
        SetStatusText(tr("Готов к работе"));
    ShowRatioText();
    if (FTitle)
        FTitle();
}

void TForm1::ShowLockHint(bool locked) {
    BtnLockRatio->setToolTip(locked ? tr("Пропорции зафиксированы.\nНажмите, чтобы разблокировать.")
                                    : tr("Пропорции свободные.\nНажмите, чтобы зафиксировать."));
}

} // namespace vantrel
