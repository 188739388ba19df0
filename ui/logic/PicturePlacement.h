// SPDX-License-Identifier: MIT
#pragma once

// The window's rules for putting the frame on the picture the detector finds: the batch as
// one roll, where the frame goes and what the status line says, and how long it says it.

#include <cstddef>
#include <optional>
#include <string>

#include "pipeline/detect/PictureDetector.h"
#include "pipeline/detect/RollPlacement.h"
#include "ui/logic/FrameLogic.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

/// The scans of the window's batch that it has examined, as one roll: a new batch starts a new
/// roll, a file examined again replaces its entry. An image that is not a file of the batch as
/// it was loaded (a saved crop shown after its save, a turned or inverted image) is placed
/// alone and leaves the roll as it is, so that it never misleads the batch's other files.
class TBatchRoll {
public:
    void NewBatch() { FRoll = TRoll(); }

    /// The picture of the image under `file`, examined as `analysis`.
    [[nodiscard]] TPictureDetection Place(const std::string& file, TScanAnalysis analysis,
                                          bool fileAsLoaded);

    [[nodiscard]] size_t Size() const { return FRoll.Size(); }

private:
    TRoll FRoll;
};

/// What a detection does to the frame.
struct TFrameOnPicture {
    bool Moved = false; // false: the frame stays where it is
    TPoint Position;    // the frame's new top-left corner, when Moved
    std::string Status; // what the status line says
};

/// The frame of `frameSize` centred on the picture found and kept inside the image, or left
/// where it is with the reason when no picture was found.
[[nodiscard]] TFrameOnPicture PlaceFrameOnPicture(const TPictureDetection& detection,
                                                  TPoint frameSize, TPoint imageSize);

/// Status lines of the search itself.
inline constexpr const texts::TText& StatusSearchingPicture = logic_texts::SearchingPicture;
[[nodiscard]] std::string PictureSearchFailedText(const std::string& reason);

/// A note on the status line that stands while the frame stays where the note found it: the
/// first move or resize of the frame gives the line back to the frame's margins.
class TStatusNote {
public:
    void Set(std::string text, TPoint position, TPoint frameSize);
    void Clear() { FText.reset(); }
    /// The note while the frame is at `position` with `frameSize`; nothing (and forgotten)
    /// once it has moved.
    [[nodiscard]] std::optional<std::string> For(TPoint position, TPoint frameSize);

private:
    std::optional<std::string> FText;
    TPoint FPosition, FFrameSize;
};

} // namespace vantrel
