// SPDX-License-Identifier: MIT
// The search for the picture on the shown scan, on a job thread: a reduced copy of the image
// and its analysis; the completion places the frame with what the batch's other files share.

#include <memory>
#include <string>
#include <utility>

#include "pipeline/detect/PictureDetector.h"
#include "pipeline/detect/ScanReduction.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

namespace {

// What a search carries from its start to its completion.
struct TDetectionJob {
    TCurrentImage Image; // held by the job: its words stay valid while it reads them
    std::string File;
    bool AsLoaded = false; // the words a load of a batch file gave, untransformed
    uint64_t Load = 0;     // the load in force at the start
    uint64_t Detection = 0;
    TPoint Position, FrameSize; // the frame at the start
    TScanAnalysis Analysis;
};

bool SameOwner(const std::weak_ptr<const TSampleWords>& a, const TSharedWords& b) {
    return b && !a.owner_before(b) && !b.owner_before(a);
}

} // namespace

void TForm1::StartPictureDetection() {
    if (!HasImage() || !FOriginal.Words || FClosing)
        return;
    auto job = std::make_shared<TDetectionJob>();
    job->Image = CurrentImage();
    job->File = FShownFile;
    job->AsLoaded = SameOwner(FLoadedWords, FOriginal.Words);
    job->Load = FLoads.Latest();
    job->Detection = FDetections.Begin();
    job->Position = FFramePosInPixels;
    job->FrameSize = FFrameSizeInPixels;
    FPlacementNote.Set(StatusSearchingPicture, FFramePosInPixels, FFrameSizeInPixels);
    UpdateStatusLine();

    // A later load, a later search or a transform of the image makes this one stale.
    auto stale = [this, job] {
        return FClosing || !FLoads.IsLatest(job->Load) || !FDetections.IsLatest(job->Detection) ||
               FOriginal.Words != job->Image.Words;
    };
    // A frame the user moved or resized meanwhile stays where the user put it.
    auto frameKept = [this, job] {
        return FFramePosInPixels == job->Position && FFrameSizeInPixels == job->FrameSize;
    };
    auto onSuccess = [this, job, stale, frameKept] {
        if (stale())
            return;
        const TPictureDetection found =
            FPictureRoll.Place(job->File, std::move(job->Analysis), job->AsLoaded);
        if (!frameKept())
            return;
        const TFrameOnPicture placement =
            PlaceFrameOnPicture(found, FFrameSizeInPixels, {FOriginal.Width, FOriginal.Height});
        if (placement.Moved)
            MoveFrameTo(placement.Position);
        FPlacementNote.Set(placement.Status, FFramePosInPixels, FFrameSizeInPixels);
        UpdateStatusLine();
    };
    auto onFailure = [this, stale, frameKept](const std::string& reason) {
        if (stale() || !frameKept())
            return;
        FPlacementNote.Set(PictureSearchFailedText(reason), FFramePosInPixels, FFrameSizeInPixels);
        UpdateStatusLine();
    };
    FJobs->Start([job] { job->Analysis = AnalyseScan(ReduceScan(job->Image)); },
                 {onSuccess, [onFailure] { onFailure(tr("не хватило памяти").toStdString()); },
                  [onFailure](const TJobError& error) { onFailure(error.Message); }});
}

} // namespace vantrel
