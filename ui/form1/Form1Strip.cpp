// SPDX-License-Identifier: MIT
// The frame moved from one picture of a strip scan to the next: the command, the step on the
// pictures found, and the return to the scan from the crop a save of one of them shows. The
// search for the pictures runs as a job (jobs/Form1StripJob.cpp).

#include <QPushButton>
#include <utility>

#include "pipeline/detect/FramePlacement.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

void TForm1::StripPictureClick(QObject* sender) {
    // A Shift-click with the mouse goes back; keys click without a sender.
    StepStripPicture(!(sender != nullptr && LastShiftState == ssShift));
}

void TForm1::StepStripPicture(bool forward) {
    if (!HasImage() || FClosing)
        return;
    if (ShownStrip()) {
        ApplyStripStep({forward, -1});
        return;
    }
    // The crop a save of a strip's picture shows: its scan again, then the picture after the
    // one saved, so that "next, save, next, save" cuts the whole strip.
    if (FStripSaved && FShownFile != FStripSaved->File) {
        const std::optional<int> index = FBatch.ReloadIndex();
        if (index && FBatch.Files()[static_cast<size_t>(*index)] == FStripSaved->File) {
            FStripAfterReload = TStripStep{forward, FStripSaved->Picture};
            OpenFileAt(*index);
            return;
        }
    }
    StartStripDetection({forward, -1});
}

void TForm1::ApplyStripStep(TStripStep step) {
    const bool standing =
        FStripStand.Position == FFramePosInPixels && FStripStand.Size == FFrameSizeInPixels;
    const int from = step.From >= 0 ? step.From : standing ? FStripStand.Picture : -1;
    const TPictureStep to = StepPicture(FStrip, from, step.Forward);
    if (to.Index >= 0) {
        const TCropRect placed =
            PlaceFrame(FStrip.Pictures[static_cast<size_t>(to.Index)], FFrameSizeInPixels.X,
                       FFrameSizeInPixels.Y, FOriginal.Width, FOriginal.Height);
        FDetections.Begin(); // a search for the single picture still running leaves it
        MoveFrameTo({placed.X, placed.Y});
        FStripStand = {to.Index, FFramePosInPixels, FFrameSizeInPixels};
    }
    FPlacementNote.Set(PictureStepText(to, FStrip, step.Forward), FFramePosInPixels,
                       FFrameSizeInPixels);
    UpdateStatusLine();
}

bool TForm1::ResumeStripAfterLoad() {
    const std::optional<TStripStep> step = std::exchange(FStripAfterReload, std::nullopt);
    if (!step || !FStripSaved || FShownFile != FStripSaved->File)
        return false;
    StartStripDetection(*step);
    return true;
}

const TStripPictures* TForm1::ShownStrip() const {
    const TSharedWords& words = FOriginal.Words;
    // The words are recognised, not held: a load or a transform makes new ones.
    const bool same = words && !FStripWords.owner_before(words) && !words.owner_before(FStripWords);
    return same ? &FStrip : nullptr;
}

int TForm1::SavedPictureNumberOf(bool useFrame, const TCropRect& frame) {
    const TStripPictures* strip = ShownStrip();
    const int number = strip && useFrame ? SavedPictureNumber(*strip, frame) : 0;
    if (number > 0)
        FStripSaved = TStripSaved{FShownFile, number - 1};
    else
        FStripSaved.reset();
    return number;
}

} // namespace vantrel
