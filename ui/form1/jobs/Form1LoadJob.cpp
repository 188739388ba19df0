// SPDX-License-Identifier: MIT
// Loading a file on a background job: read (from the words read ahead when they are of this
// very file, unchanged, with the smooth copy of the view made ahead), render, then install on
// the UI thread.

#include <QImage>
#include <QSlider>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "pipeline/jobs/DisplayWorker.h"
#include "pipeline/jobs/ReadAhead.h"
#include "pipeline/kernels/ReduceView.h"
#include "pipeline/kernels/Render.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

namespace {

// What a load carries from its thread to its completion.
struct TLoadJob {
    std::string FileName;
    std::string DistFolder;
    TDisplayAdjustments Adjustments;
    bool IsBigEndian = false;
    std::vector<TTIFFTag> Tags;
    TLoadedImage Image;
    // The image the completion replaces: released with the job, on its thread, so that
    // freeing a large scan never holds up the window.
    TSharedWords OldWords;
    std::shared_ptr<const TViewBitmap> OldBitmap;
    // The full view of the image shown, let go of at the start: freed before the new view
    // is made, or the new view rendered over it.
    std::shared_ptr<const TViewBitmap> LetGoView;
};

const ITagDescriber& Describer() {
    static const TCatalogueTagDescriber describer;
    return describer;
}

// The reduced copy made ahead as the QImage the view paints, over the same pixels.
QImage SmoothViewOf(TReducedView reduced) {
    auto* pixels = new std::vector<uint32_t>(std::move(reduced.Pixels));
    return QImage(
        reinterpret_cast<uchar*>(pixels->data()), reduced.Width, reduced.Height,
        static_cast<qsizetype>(reduced.Width) * 4, QImage::Format_RGB32,
        [](void* p) { delete static_cast<std::vector<uint32_t>*>(p); }, pixels);
}

void LoadAndRender(TLoadJob& job, TReadAhead* readAhead) {
    std::optional<TScanAhead> scan = readAhead ? readAhead->Take(job.FileName) : std::nullopt;
    // A scan read ahead is rendered over the view let go of, which no one else holds any more
    // (the smooth-copy worker may still); a load from the file frees that view first.
    TViewBitmap spent;
    if (scan && job.LetGoView && job.LetGoView.use_count() == 1)
        spent = std::move(const_cast<TViewBitmap&>(*job.LetGoView));
    job.LetGoView.reset();
    if (!scan) {
        TCropTIFF reader(Describer());
        scan.emplace();
        scan->Image = reader.LoadTIFFAsWords(job.FileName);
        scan->Tags = reader.GetAllTags();
        scan->FurtherPages = reader.GetFurtherPages();
    }
    job.Tags = std::move(scan->Tags);
    job.IsBigEndian = scan->Image.isBigEndian;
    static_cast<TCurrentImage&>(job.Image) = CurrentImageOf(std::move(scan->Image));
    job.Image.FurtherPages = std::move(scan->FurtherPages);
    job.Image.Bitmap = std::make_unique<TViewBitmap>(RenderWordsOver(
        std::move(spent), *job.Image.Words, job.Image.Width, job.Image.Height, job.Image.Samples,
        job.Image.Photometric, job.Image.SampleFormat, job.Adjustments));
    if (!scan->Reduced.Pixels.empty() && scan->Reduced.Adjustments == job.Adjustments)
        job.Image.SmoothView = SmoothViewOf(std::move(scan->Reduced));
}

} // namespace

void TForm1::ReadDisplayAdjustments() {
    FAdjustments =
        AdjustmentsFromPositions(TrackBar1->value(), TrackBar2->value(), TrackBar3->value());
}

void TForm1::DisplayTIFFAsync(const std::string& FileName, const std::string& DistFolder) {
    auto job = std::make_shared<TLoadJob>();
    job->FileName = FileName;
    job->DistFolder = DistFolder;
    // Leave a busy state still in force (the crop job's reload starts inside its completion),
    // so that the button states saved now are those from before that job.
    SetBusy(false);
    SetBusy(true);
    // The track bars are read here, on the UI thread, which alone touches controls; the job
    // renders with the positions they have when the load starts.
    ReadDisplayAdjustments();
    job->Adjustments = CurrentAdjustments();
    job->LetGoView = LetGoOfFullView();

    auto onSuccess = [this, job] {
        job->OldWords = FOriginal.Words;
        job->OldBitmap = FCachedBitmap;
        CompleteLoad(std::move(job->Image), std::move(job->Tags), job->IsBigEndian, job->FileName,
                     job->DistFolder);
        // A render pass of the previous image under way must not replace the new view.
        FWorker->ImageReplaced(CurrentImage());
        RenderAgainIfAdjusted(job->Adjustments);
        ReadNextScanAhead();
    };
    // When loads overlap only the newest may touch the window: an older one that ends
    // later is dropped, and the newer one's completion ends the busy state.
    const uint64_t generation = FLoads.Begin();
    // A save asked for during an earlier load was meant for a file that will not be shown.
    FPendingSaveUseFrame.reset();
    FLoadRunning = true;
    // The read-ahead outlives every job: the window ends it only after waiting for them.
    TReadAhead* readAhead = FReadAhead.get();
    FJobs->Start([job, readAhead] { LoadAndRender(*job, readAhead); },
                 FLoads.OnlyIfLatest(generation,
                                     ThenPendingSave(MakeJobCompletion(TJobKind::jkLoad, onSuccess,
                                                                       FailureActions()))));
}

} // namespace vantrel
