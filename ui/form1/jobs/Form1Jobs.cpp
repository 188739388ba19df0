// SPDX-License-Identifier: MIT
// The window's side of the background jobs: the queue through which completions and
// hand-overs reach the UI thread, the job runner, the display worker, the messages the jobs
// show, and the end of the run that waits for all of them.

#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QSlider>
#include <utility>

#include "pipeline/jobs/DisplayWorker.h"
#include "pipeline/jobs/JobTexts.h"
#include "pipeline/jobs/UiCallQueue.h"
#include "pipeline/kernels/Render.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/ImageBox.h"
#include "ui/widgets/ScaledViewCache.h"

namespace vantrel {

namespace {

std::unique_ptr<TViewBitmap> RenderView(const TCurrentImage& image, const TDisplayAdjustments& a) {
    return std::make_unique<TViewBitmap>(RenderWordsToBitmap(
        *image.Words, image.Width, image.Height, image.Samples, image.Photometric,
        image.SampleFormat, a.Brightness, a.SContrast, a.Gamma));
}

} // namespace

void TForm1::CreateJobs() {
    if (!ShowMessage)
        ShowMessage = [this](const std::string& text) {
            QMessageBox::warning(this, QString::fromLatin1(AppName), QString::fromStdString(text),
                                 QMessageBox::Ok);
        };
    // A background thread that queues a call wakes the event loop, which then runs it. A call
    // posted to a window that is gone is dropped by Qt; the window waits for every thread
    // before it goes, so none is left waiting.
    FUiQueue = std::make_unique<TUiCallQueue>([this] {
        QMetaObject::invokeMethod(
            this, [this] { FUiQueue->ServicePending(); }, Qt::QueuedConnection);
    });
    // Through the member, so that a test may make starting a thread fail.
    TThreadStarter starter = [this](std::function<void()> fn) {
        return ThreadStarter(std::move(fn));
    };
    FJobs = std::make_unique<TJobRunner>(*FUiQueue, starter);
    FWorker = std::make_unique<TDisplayWorker>(
        *FUiQueue, RenderView,
        [this](std::unique_ptr<TViewBitmap> bitmap) { ReplaceViewBitmap(std::move(bitmap)); },
        starter);
    setAcceptDrops(true);
    ConnectJobControls();
    // The keyboard's commands without a button of their own.
    ReloadCommand = [this] { ReloadExecute(); };
    OnlySaveCommand = [this] { CropByFrame(false); };
}

void TForm1::ConnectJobControls() {
    SetClickHandler(BtnOpen, [this](QObject*) { BtnOpenClick(); });
    SetClickHandler(BtnSaveFolder, [this](QObject*) { BtnSaveFolderClick(); });
    SetClickHandler(BtnRotRight,
                    [this](QObject*) { PerformImageTransform(TTransformType::tt90CW); });
    SetClickHandler(BtnRotLeft,
                    [this](QObject*) { PerformImageTransform(TTransformType::tt90CCW); });
    SetClickHandler(BtnRotate, [this](QObject*) { PerformImageTransform(TTransformType::tt180); });
    SetClickHandler(BtnFlip, [this](QObject*) { PerformImageTransform(TTransformType::ttFlipH); });
    SetClickHandler(BtnInvert,
                    [this](QObject*) { PerformImageTransform(TTransformType::ttInvert); });
    SetClickHandler(BtnSave, [this](QObject* sender) { BtnSaveClick(sender); });
    SetClickHandler(btnNext, [this](QObject*) { btnNextClick(); });
    SetClickHandler(BtnPrevious, [this](QObject*) { BtnPreviousClick(); });
    SetClickHandler(BtnPlace, [this](QObject*) { PlaceFrameOnPictureClick(); });
    SetClickHandler(BtnStrip, [this](QObject* sender) { StripPictureClick(sender); });
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    connect(TrackBar2, &QSlider::valueChanged, this, &TForm1::TrackBar2Change);
    connect(TrackBar3, &QSlider::valueChanged, this, &TForm1::TrackBar3Change);
}

TFailureActions TForm1::FailureActions() {
    return {[this](const std::string& text) { ShowMessage(text); },
            [this] { ShowOutOfMemoryAdvice(); },
            [this] {
                SetBusy(false);
                RenderFullViewAgain();
            }};
}

void TForm1::RenderFullViewAgain() {
    // A failed load or turn let go of the full view of the image still shown.
    if (FCachedBitmap || !HasImage())
        return;
    try {
        FWorker->RequestBitmapUpdate(CurrentImage(), CurrentAdjustments());
    } catch (...) {
        // The job's failure has been told; the stand-in stays until the next adjustment
        // requests a pass again.
    }
}

void TForm1::ShowOutOfMemoryAdvice() {
    ShowMessage(OutOfMemoryAdviceText());
}

TDisplayAdjustments TForm1::CurrentAdjustments() const {
    return FAdjustments;
}

TCurrentImage TForm1::CurrentImage() const {
    return FOriginal;
}

std::size_t TForm1::RunningJobs() {
    return FJobs ? FJobs->RunningCount() : 0;
}

void TForm1::StopJobs() {
    if (!FUiQueue)
        return;
    FClosing = true;
    // No render pass starts from now on; a pass under way hands over or is dropped.
    FWorker->Shutdown();
    // A save in progress runs to its end: the window's state is released only afterwards.
    FJobs->WaitForAll();
    StopReadAhead();
}

void TForm1::ReplaceViewBitmap(std::unique_ptr<TViewBitmap> bitmap) {
    FScaledView->Clear();
    FCachedBitmap = std::shared_ptr<const TViewBitmap>(std::move(bitmap));
    FStandInView = QImage();
    ++FBitmapSerial;
    ImageViewer->update();
}

void TForm1::InstallTransformed(TSharedWords words, int32_t width, int32_t height,
                                std::unique_ptr<TViewBitmap> bitmap) {
    // The previous view and samples go first; the tags of the file stay.
    ReleaseImage();
    FOriginal.Words = std::move(words);
    FOriginal.Width = width;
    FOriginal.Height = height;
    FCachedBitmap = std::shared_ptr<const TViewBitmap>(std::move(bitmap));
    ++FBitmapSerial;
    // A render pass of the previous image under way must not replace this view.
    FWorker->ImageReplaced(CurrentImage());
}

} // namespace vantrel
