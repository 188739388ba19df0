// SPDX-License-Identifier: MIT
// The frame put on the picture found on the scan: the command, the placement after a load,
// the frame's move and the status line's note about it. The search itself runs as a job
// (jobs/Form1DetectionJob.cpp).

#include <QCheckBox>
#include <QPushButton>

#include "ui/form1/Unit1.h"

namespace vantrel {

void TForm1::PlaceFrameOnPictureClick() {
    StartPictureDetection();
}

void TForm1::PlaceFrameAfterLoad(bool batchFile) {
    FPlacementNote.Clear();
    const bool stripStep = ResumeStripAfterLoad();
    // Only the words a load of a batch file gave join the roll: a transform makes new ones.
    FLoadedWords.reset();
    if (!batchFile)
        return;
    FLoadedWords = FOriginal.Words;
    if (chkPlaceOnOpen->isChecked() && !stripStep)
        StartPictureDetection();
}

void TForm1::MoveFrameTo(TPoint position) {
    FFramePosInPixels = {ClampToImage(position.X, FFrameSizeInPixels.X, FOriginal.Width),
                         ClampToImage(position.Y, FFrameSizeInPixels.Y, FOriginal.Height)};
    RepaintView();
}

std::optional<std::string> TForm1::PlacementNote() {
    return FPlacementNote.For(FFramePosInPixels, FFrameSizeInPixels);
}

} // namespace vantrel
