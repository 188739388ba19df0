// SPDX-License-Identifier: MIT
// The batch of files: opening and dropping, moving through it, the direct-jump menu, the
// navigation captions and the output folder.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <utility>

#include "pipeline/crop/PathParts.h"
#include "pipeline/jobs/JobTexts.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

namespace {

std::vector<std::string> LocalPathsOf(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    // Whole paths as the desktop gives them, in its order.
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(NativePath(url.toLocalFile()));
    return paths;
}

} // namespace

void TForm1::SetOpenDialogFolder(const std::string& folder) {
    OpenDialog1InitialDir = folder;
    BtnOpen->setToolTip(QString::fromStdString(folder));
}

void TForm1::SetSaveDialogFolder(const std::string& folder) {
    SaveDialog1InitialDir = folder;
    BtnSaveFolder->setToolTip(QString::fromStdString(folder));
}

void TForm1::BtnOpenClick() {
    if (!ChooseFilesToOpen)
        ChooseFilesToOpen = [this](const std::string& initialFolder) {
            std::vector<std::string> paths;
            for (const QString& p : QFileDialog::getOpenFileNames(
                     this, QString(), QString::fromStdString(initialFolder),
                     FromUtf8(OpenDialogFilter)))
                paths.push_back(NativePath(p));
            return paths;
        };
    std::vector<std::string> paths = ChooseFilesToOpen(OpenDialog1InitialDir);
    if (paths.empty())
        return; // cancelled: batch, position and image stay
    const std::string folder = FolderPart(paths.front());
    OpenBatch(std::move(paths), folder);
}

void TForm1::OpenBatch(std::vector<std::string> paths, const std::string& openFolder) {
    SetOpenDialogFolder(openFolder);
    FBatch.Assign(std::move(paths));
    FPictureRoll.NewBatch();
    RestartTravel();
    if (!FBatch.Empty()) {
        FInputFile = FBatch.Files().front();
        SetStatusText(TextOf(StatusLoadingBatch) + FromUtf8(FInputFile));
        DisplayTIFFAsync(FInputFile, std::string());
    }
    if (FOutputFolder.empty())
        FOutputFolder = OpenDialog1InitialDir;
    SetSaveDialogFolder(FOutputFolder);
    UpdateNavCaptions(0);
}

void TForm1::DropFiles(const std::vector<std::string>& localPaths) {
    std::vector<std::string> paths = DroppedPaths(localPaths);
    if (paths.empty())
        return;
    const std::string folder = FolderPart(paths.front());
    OpenBatch(std::move(paths), folder);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalPathsOf(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = LocalPathsOf(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    DropFiles(paths);
}

void TForm1::OpenFileAt(int index) {
    if (!FBatch.IsValidIndex(index))
        return;
    SetBusy(true);
    TravelTo(index);
    FInputFile = *FBatch.OpenAt(index);
    SetStatusText(TextOf(StatusLoadingAt) + FromUtf8(FInputFile));
    DisplayTIFFAsync(FInputFile, std::string());
    UpdateNavCaptions(index);
}

void TForm1::btnNextClick() {
    if (const auto index = FBatch.NextIndex())
        OpenFileAt(*index);
}

void TForm1::BtnPreviousClick() {
    if (const auto index = FBatch.PreviousIndex())
        OpenFileAt(*index);
}

void TForm1::ReloadExecute() {
    if (const auto index = FBatch.ReloadIndex())
        OpenFileAt(*index);
}

void TForm1::UpdateNavCaptions(int index) {
    const TNavCaptions captions = FBatch.NavCaptions(index);
    btnNext->setText(QString::fromStdString(captions.Next));
    BtnPrevious->setText(QString::fromStdString(captions.Previous));
}

void TForm1::PopupMenu3Popup(QPushButton* opener) {
    PopupMenu3->clear();
    for (const TJumpMenuItem& item : FBatch.JumpMenuItems(opener->objectName().toStdString())) {
        QAction* action = PopupMenu3->addAction(QString::fromStdString(item.Caption));
        action->setEnabled(item.Enabled);
        const int index = item.Index;
        connect(action, &QAction::triggered, this, [this, index] { JumpMenuItemClick(index); });
    }
}

void TForm1::JumpMenuItemClick(int index) {
    if (FBatch.IsValidIndex(index))
        OpenFileAt(index);
}

void TForm1::BtnSaveFolderClick() {
    if (!ChooseOutputFolder)
        ChooseOutputFolder = [this](const std::string& initialFolder) {
            return NativePath(QFileDialog::getExistingDirectory(
                this, tr("Выберите целевую папку"), QString::fromStdString(initialFolder)));
        };
    const std::string folder = ChooseOutputFolder(SaveDialog1InitialDir);
    if (folder.empty())
        return;
    FOutputFolder = WithTrailingSeparator(folder);
    SetSaveDialogFolder(FOutputFolder);
}

} // namespace vantrel
