// SPDX-License-Identifier: MIT
#pragma once

// The window's travel through the pictures of one scan of a whole strip: which picture comes
// next or before from where the frame stands, what the status line says about it, and the
// number a save of that picture carries in its file name.

#include <cstddef>
#include <string>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/detect/StripDetector.h"
#include "ui/logic/FrameLogic.h"

namespace vantrel {

/// The picture a step lands on: Index into the strip's pictures (-1: the strip has none), and
/// whether it is the one the frame already stood on at the strip's end.
struct TPictureStep {
    int Index = -1;
    bool AtEnd = false;
    friend bool operator==(const TPictureStep&, const TPictureStep&) = default;
};

/// The picture that holds the centre of `frame`, or -1.
[[nodiscard]] int PictureUnder(const std::vector<TCropRect>& pictures, const TCropRect& frame);

/// The picture after (`forward`) or before picture `standingOn`, the one a step put the frame
/// on; from the last (first) picture it stays there. A frame on no picture (-1) starts the
/// travel at the strip's first picture (its last, going back): a strip is cut from one end,
/// whatever part of it the frame showed before.
[[nodiscard]] TPictureStep StepPicture(const TStripPictures& strip, int standingOn, bool forward);

/// The step from picture `from` of `count`, as after a save of that picture.
[[nodiscard]] TPictureStep StepFromPicture(size_t count, int from, bool forward);

/// "Кадр 2 из 5" for a step, with a note when it stayed at the strip's end; the decline
/// reason when the strip has no picture.
[[nodiscard]] std::string PictureStepText(const TPictureStep& step, const TStripPictures& strip,
                                          bool forward);

/// The number (from 1) of the picture a save of `frame` writes, when the scan holds several
/// pictures and the frame's centre is in one of them; 0 otherwise.
[[nodiscard]] int SavedPictureNumber(const TStripPictures& strip, const TCropRect& frame);

/// The file a save writes: `croppedFile` with the picture's number when there is one.
[[nodiscard]] std::string NumberedCropFile(const std::string& croppedFile, int pictureNumber);

} // namespace vantrel
