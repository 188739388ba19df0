// SPDX-License-Identifier: MIT
// The display track bars: each change sets its adjustment and asks the display worker to
// render the view again.

#include <QSlider>

#include "pipeline/jobs/DisplayWorker.h"
#include "pipeline/jobs/OneShotJob.h"
#include "pipeline/kernels/Render.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

namespace {

bool NoImage(const TSharedWords& words) {
    return !words || words->empty();
}

} // namespace

void TForm1::TrackBar1Change() {
    if (NoImage(FOriginal.Words))
        return;
    FAdjustments.Brightness = TrackBar1->value();
    RequestBitmapUpdate();
}

void TForm1::TrackBar2Change() {
    if (NoImage(FOriginal.Words))
        return;
    FAdjustments.SContrast = SContrastFromPosition(TrackBar2->value());
    RequestBitmapUpdate();
}

void TForm1::TrackBar3Change() {
    if (NoImage(FOriginal.Words))
        return;
    FAdjustments.Gamma = GammaFromPosition(TrackBar3->value());
    RequestBitmapUpdate();
}

void TForm1::RequestBitmapUpdate() {
    // When the pass's thread cannot be started the worker is left idle and the error is told,
    // as an error escaping a handler is; the next change requests again.
    TJobError error;
    const TJobOutcome outcome = RunCatching(
        [this] {
            FWorker->RequestBitmapUpdate(CurrentImage(), CurrentAdjustments(), LetGoOfFullView());
        },
        error);
    if (outcome == TJobOutcome::joOutOfMemory)
        ShowOutOfMemoryAdvice();
    else if (outcome == TJobOutcome::joError)
        ShowMessage(error.Message);
}

void TForm1::RenderAgainIfAdjusted(const TDisplayAdjustments& shown) {
    // The track bars are read again: without an image their changes are not recorded.
    ReadDisplayAdjustments();
    if (shown != CurrentAdjustments())
        RequestBitmapUpdate();
}

} // namespace vantrel
