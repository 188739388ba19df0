// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/kernels/CurrentImage.h"
#include "tiff/SampleDescription.h"
#include "tiff/TIFFRecords.h"

namespace vantrel {

/// The rectangle of the image that a crop keeps, in image pixels.
struct TCropRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t W = 0;
    int32_t H = 0;
    bool operator==(const TCropRect&) const = default;
};

/// \brief One coordinate of a frame's corner kept inside the image: at most imageSize −
/// frameSize, then at least 0 (so 0 for a frame larger than the image). Every move of the frame
/// (drag, arrow, size change, placement on a picture) and every crop keeps the corner so.
[[nodiscard]] int32_t ClampToImage(int64_t position, int32_t frameSize, int32_t imageSize);

/// \brief The corner along one axis after the frame's size changes from oldSize to newSize
/// around the same centre (half the old size less half the new, each rounded down), kept
/// inside the image. Also centres a frame on a picture of size oldSize at `position`.
[[nodiscard]] int32_t KeepCentre(int32_t oldSize, int32_t position, int32_t newSize,
                                 int32_t imageSize);

/// \brief The frame (x, y, w, h) pulled inside a W × H image: the position first, then the
/// size, which is at least 1 × 1.
[[nodiscard]] TCropRect ClampFrameToImage(int32_t X, int32_t Y, int32_t w, int32_t h, int32_t W,
                                          int32_t H);

/// \brief The whole W × H image as a crop rectangle.
[[nodiscard]] inline TCropRect WholeImage(int32_t W, int32_t H) {
    return {0, 0, W, H};
}

/// \brief Share of the image's area that the cut keeps, in percent (100 for an empty image).
[[nodiscard]] double RemainingPercent(const TCropRect& Frame, int32_t W, int32_t H);

/// \brief Raises ETIFFError "Рамка выходит за пределы изображения" unless the frame lies inside a
/// W × H image and holds at least one pixel.
void CheckFrameInImage(const TCropRect& Frame, int32_t W, int32_t H);

/// \brief True when the file begins with "MM". Raises ETIFFError "Файл слишком мал" for a file
/// shorter than two bytes and EOSError when it cannot be read.
[[nodiscard]] bool IsBigEndianFile(const std::string& FileName);

/// Everything the background part of a crop needs; the job's own copies.
struct TCropRequest {
    TCurrentImage Image;
    TCropRect Frame;
    bool IsBigEndian = false;
    bool MinimalTags = false;
    std::vector<TTIFFTag> SourceTags;
    /// The source's pages after the first (a save that would lose one of its size is refused).
    std::vector<TFurtherPage> SourcePages;
    bool PreserveOriginalOrientation = true;
    double RemainingPercent = 100.0;
    std::string OutputFile;
};

/// \brief The words inside the frame as a new array, row after row.
[[nodiscard]] TSampleWords CutFrame(const TCurrentImage& Image, const TCropRect& Frame);

/// \brief The background work of a crop: checks the image, the frame and the source's pages,
/// carries the tags
/// over and writes the frame's rows to the output file (straight from the image, without a
/// cut array in between). Raises ETIFFError, EOSError or std::bad_alloc.
void CropAndSave(const TCropRequest& Request);

} // namespace vantrel
