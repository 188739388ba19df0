// SPDX-License-Identifier: MIT
// Crop and save on a background job; the completion opens the written file.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

#include "pipeline/crop/CropCore.h"
#include "pipeline/crop/CropOutput.h"
#include "pipeline/crop/PathParts.h"
#include "pipeline/jobs/JobTexts.h"
#include "pipeline/jobs/OneShotJob.h"
#include "pipeline/kernels/Transform.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

void TForm1::BtnSaveClick(QObject* Sender) {
    // A Ctrl-click with the mouse saves the whole image; keys click without a sender.
    CropByFrame(!(Sender != nullptr && LastShiftState == ssCtrl));
}

void TForm1::CropByFrame(bool UseFrame) {
    if (!HasImage() || FInputFile.empty())
        return;
    // After a failed load the view still shows the file before; saving it now would write
    // that image under the failed file's name, or over the failed file itself.
    if (FInputFile != FShownFile) {
        // While the load of the file named is still running, the save waits for it; once a
        // load has failed, the save is refused.
        if (FLoadRunning) {
            FPendingSaveUseFrame = UseFrame;
            return;
        }
        ShowMessage(NotLoadedSaveText(FileNamePart(FInputFile), FileNamePart(FShownFile)));
        return;
    }
    auto request = std::make_shared<TCropRequest>();
    {
        // The byte order is read from the file on disk now. A file that cannot be read ends
        // the command here, before the busy state, with its message (as an error escaping a
        // command handler is reported).
        TJobError error;
        if (RunCatching([&] { request->IsBigEndian = IsBigEndianFile(FInputFile); }, error) !=
            TJobOutcome::joSuccess) {
            ShowMessage(error.Message.empty() ? OutOfMemoryAdviceText() : error.Message);
            return;
        }
    }
    const int32_t W = FOriginal.Width;
    const int32_t H = FOriginal.Height;
    request->Frame = UseFrame ? ClampFrameToImage(FFramePosInPixels.X, FFramePosInPixels.Y,
                                                  FFrameSizeInPixels.X, FFrameSizeInPixels.Y, W, H)
                              : WholeImage(W, H);
    TCropTarget target = CropTarget(FOutputFolder, FInputFile, EdPrefix->text().toStdString(),
                                    EdPostfix->text().toStdString());
    // A scan of a whole strip: each picture its own file, numbered along the strip.
    target.CroppedFile =
        NumberedCropFile(target.CroppedFile, SavedPictureNumberOf(UseFrame, request->Frame));
    FOutputFolder = target.OutputFolder;
    FCroppedFile = target.CroppedFile;
    const int32_t savedWidth = SpEdWidth->value();
    const int32_t savedHeight = SpEdHeight->value();
    SetStatusText(TextOf(StatusCropping) + FromUtf8(FCroppedFile));
    SetBusy(true);
    request->RemainingPercent = RemainingPercent(request->Frame, W, H);
    request->Image = CurrentImage();
    // The job works on its own copies, taken now on the UI thread: a load that completes
    // meanwhile replaces the window's image and tags, never the job's.
    request->MinimalTags = chkNoTags->isChecked();
    request->SourceTags = CurrentFileTags;
    request->SourcePages = CurrentFilePages;
    request->PreserveOriginalOrientation = PreserveOriginalOrientation(FTransformState);
    request->OutputFile = FCroppedFile;

    auto onSuccess = [this, request, savedWidth, savedHeight] {
        SetStatusText(TextOf(StatusReadingCrop) + FromUtf8(request->OutputFile));
        // The save is complete; at the end of the run the reload that would show it is left.
        if (FClosing) {
            SetBusy(false);
            return;
        }
        FInputFile = request->OutputFile;
        DisplayTIFFAsync(FInputFile, TextOf(ResultFolderMarker).toStdString());
        SpEdWidth->setValue(savedWidth);
        SpEdHeight->setValue(savedHeight);
    };
    FJobs->Start([request] { CropAndSave(*request); },
                 MakeJobCompletion(TJobKind::jkCrop, onSuccess, FailureActions()));
}

TJobCompletion TForm1::ThenPendingSave(TJobCompletion completion) {
    auto steps = std::make_shared<const TJobCompletion>(std::move(completion));
    auto around = [this](const auto& step) {
        FLoadRunning = false;
        step();
        if (const std::optional<bool> useFrame = std::exchange(FPendingSaveUseFrame, std::nullopt))
            CropByFrame(*useFrame);
    };
    return {[steps, around] { around([&] { steps->OnSuccess(); }); },
            [steps, around] { around([&] { steps->OnOutOfMemory(); }); },
            [steps, around](const TJobError& error) { around([&] { steps->OnError(error); }); }};
}

} // namespace vantrel
