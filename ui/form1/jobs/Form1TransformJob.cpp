// SPDX-License-Identifier: MIT
// Turning, mirroring and inverting the image on a background job; the completion installs
// the new image with the frame moved along.

#include <QLabel>
#include <QSpinBox>
#include <memory>
#include <optional>
#include <utility>

#include "pipeline/kernels/Render.h"
#include "pipeline/kernels/Transform.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {

namespace {

struct TTransformJob {
    TTransformType Transform = TTransformType::tt90CW;
    TCurrentImage Source; // holds the source words until the job has finished with them
    TDisplayAdjustments Adjustments;
    std::optional<TFramePlacement> Frame;
    TTransformResult Result;
    std::unique_ptr<TViewBitmap> Bitmap;
    std::shared_ptr<const TViewBitmap> OldBitmap; // released with the job, on its thread
    std::shared_ptr<const TViewBitmap> LetGoView; // released first thing, on the job's thread
};

void TransformAndRender(TTransformJob& job) {
    job.LetGoView.reset();
    const TCurrentImage& s = job.Source;
    job.Result = TransformWords(*s.Words, s.Width, s.Height, s.Samples, job.Transform);
    const TDisplayAdjustments& a = job.Adjustments;
    job.Bitmap = std::make_unique<TViewBitmap>(RenderWordsToBitmap(
        *job.Result.NewWords, job.Result.NewWidth, job.Result.NewHeight, s.Samples, s.Photometric,
        s.SampleFormat, a.Brightness, a.SContrast, a.Gamma));
}

} // namespace

void TForm1::PerformImageTransform(TTransformType Transform) {
    if (!FOriginal.Words || FOriginal.Words->empty())
        return;
    SetBusy(true);
    auto job = std::make_shared<TTransformJob>();
    job->Transform = Transform;
    job->Source = CurrentImage();
    // The adjustments are taken now, on the UI thread that writes them.
    job->Adjustments = CurrentAdjustments();
    job->Frame = TransformFrame(Transform, {FFrameSizeInPixels.X, FFrameSizeInPixels.Y},
                                {FFramePosInPixels.X, FFramePosInPixels.Y}, FOriginal.Width,
                                FOriginal.Height);
    job->LetGoView = LetGoOfFullView();

    auto onSuccess = [this, job] {
        job->OldBitmap = FCachedBitmap;
        InstallTransformed(job->Result.NewWords, job->Result.NewWidth, job->Result.NewHeight,
                           std::move(job->Bitmap));
        lblWidth->setText(QString::number(FOriginal.Width) + QStringLiteral(" →"));
        lblHeight->setText(QString::number(FOriginal.Height) + QStringLiteral(" →"));
        SetTransformTitle();
        UpdateStatusLine();
        UpdateTransformState(FTransformState, job->Transform);
        if (job->Frame) {
            FFramePosInPixels = {job->Frame->Pos.X, job->Frame->Pos.Y};
            FFrameSizeInPixels = {job->Frame->Size.X, job->Frame->Size.Y};
            WriteFrameSize(FFrameSizeInPixels.X, FFrameSizeInPixels.Y);
            ClearTemplateIfChanged();
        }
        FImageHasFocus = true;
        ImageViewer->setFocus(Qt::OtherFocusReason);
        ImageViewer->update();
        SetBusy(false);
        RenderAgainIfAdjusted(job->Adjustments);
    };
    FJobs->Start([job] { TransformAndRender(*job); },
                 MakeJobCompletion(TJobKind::jkTransform, onSuccess, FailureActions()));
}

} // namespace vantrel
