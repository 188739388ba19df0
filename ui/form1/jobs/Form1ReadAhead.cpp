// SPDX-License-Identifier: MIT
// The next scan of the batch read into memory while the user works on the one shown, so that
// going to it skips the disk and the decoding. TReadAhead decides whether memory has room and
// checks that the file is unchanged when a load takes its words; the window chooses the file
// and lets go of it.

#include <exception>

#include "ui/form1/Unit1.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {

void TForm1::TravelTo(int index) {
    FTravel.Moved(FBatch.CurrentIndex(), index);
    KeepReadAheadOnlyFor(FBatch.Files()[size_t(index)]);
}

void TForm1::RestartTravel() {
    FTravel.Restart();
    KeepReadAheadOnlyFor(std::string());
}

void TForm1::KeepReadAheadOnlyFor(const std::string& fileName) {
    if (!FReadAhead || FReadAheadFile == fileName)
        return;
    // Never more than one scan ahead: the words of a file the user went past go at once, not
    // after the next load has added a scan of its own.
    FReadAhead->Clear();
    FReadAheadFile.clear();
}

void TForm1::ReadNextScanAhead() {
    if (!FReadAhead || FClosing)
        return;
    const std::optional<int> ahead = FTravel.Ahead(FBatch.CurrentIndex(), FBatch.Count());
    if (!ahead) {
        KeepReadAheadOnlyFor(std::string());
        return;
    }
    FReadAheadFile = FBatch.Files()[size_t(*ahead)];
    try {
        FReadAhead->Request(FReadAheadFile, SmoothViewWish());
    } catch (const std::exception&) {
        // No thread or memory for reading ahead: the next load reads the file itself.
        FReadAheadFile.clear();
    }
}

std::optional<TReducedWish> TForm1::SmoothViewWish() const {
    if (!FSmoothView)
        return std::nullopt;
    // The view's size now: the copy fits it as the view will paint it, unless it is resized
    // meanwhile, when the view makes its copy as usual.
    const int32_t viewWidth = ImageViewer->width(), viewHeight = ImageViewer->height();
    return TReducedWish{
        CurrentAdjustments(), [viewWidth, viewHeight](int32_t width, int32_t height) {
            const TViewLayout layout = LayoutView(viewWidth, viewHeight, width, height);
            return layout.Scale < 1.0 ? TReducedSize{layout.DrawnWidth, layout.DrawnHeight}
                                      : TReducedSize{};
        }};
}

void TForm1::StopReadAhead() {
    FReadAhead.reset();
    FReadAheadFile.clear();
}

} // namespace vantrel
