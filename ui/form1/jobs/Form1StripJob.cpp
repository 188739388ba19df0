// SPDX-License-Identifier: MIT
// The search for the pictures of the shown scan, on a job thread; the completion remembers
// them for the image and takes the step that waited for them.

#include <memory>
#include <string>
#include <utility>

#include "pipeline/detect/StripDetector.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

namespace {

// What a search carries from its start to its completion.
struct TStripJob {
    TCurrentImage Image; // held by the job: its words stay valid while it reads them
    uint64_t Load = 0;   // the load in force at the start
    uint64_t Search = 0;
    TPoint Position, FrameSize; // the frame at the start
    TStripPictures Found;
};

} // namespace

void TForm1::StartStripDetection(TStripStep step) {
    if (!HasImage() || !FOriginal.Words || FClosing)
        return;
    auto job = std::make_shared<TStripJob>();
    job->Image = CurrentImage();
    job->Load = FLoads.Latest();
    job->Search = FStripSearches.Begin();
    job->Position = FFramePosInPixels;
    job->FrameSize = FFrameSizeInPixels;
    FPlacementNote.Set(logic_texts::SearchingStrip, FFramePosInPixels, FFrameSizeInPixels);
    UpdateStatusLine();

    // A later load, a later search or a transform of the image makes this one stale.
    auto stale = [this, job] {
        return FClosing || !FLoads.IsLatest(job->Load) || !FStripSearches.IsLatest(job->Search) ||
               FOriginal.Words != job->Image.Words;
    };
    // A frame the user moved or resized meanwhile stays where the user put it.
    auto frameKept = [this, job] {
        return FFramePosInPixels == job->Position && FFrameSizeInPixels == job->FrameSize;
    };
    auto onSuccess = [this, job, step, stale, frameKept] {
        if (stale())
            return;
        FStrip = std::move(job->Found);
        FStripStand = {};
        FStripWords = FOriginal.Words;
        if (frameKept())
            ApplyStripStep(step);
    };
    auto onFailure = [this, stale, frameKept](const std::string& reason) {
        if (stale() || !frameKept())
            return;
        FPlacementNote.Set(PictureSearchFailedText(reason), FFramePosInPixels, FFrameSizeInPixels);
        UpdateStatusLine();
    };
    FJobs->Start([job] { job->Found = FindStripPictures(job->Image); },
                 {onSuccess, [onFailure] { onFailure(tr("не хватило памяти").toStdString()); },
                  [onFailure](const TJobError& error) { onFailure(error.Message); }});
}

} // namespace vantrel
