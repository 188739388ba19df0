// SPDX-License-Identifier: MIT
#pragma once

// A small copy of a scan for the picture detector: the light of every Step-th row, averaged
// over blocks of Step columns, as base-2 logarithms (film densities add, so a log scale makes
// the film base one level whatever the light behind it). It is fed one row at a time, so that
// it can come from a loaded image or from rows read straight from a file.

#include <cstdint>
#include <span>
#include <vector>

#include "pipeline/kernels/CurrentImage.h"

namespace vantrel {

/// The reduced copy: Width × Height pixels of Channels values each (1 grey, 3 colour; 0 when
/// the image has nothing to look at).
struct TReducedScan {
    int32_t Width = 0, Height = 0;
    int32_t Channels = 0;
    int32_t Step = 1; // image pixels per reduced pixel, in each direction
    int32_t FullWidth = 0, FullHeight = 0;
    std::vector<float> Density; // log2 of the light, 0 for full light

    [[nodiscard]] float At(int32_t x, int32_t y, int32_t c) const {
        return Density[static_cast<size_t>((y * Width + x) * Channels + c)];
    }
};

/// The reduced copy's long side: enough for edges within a few tenths of a per cent of the
/// picture's side, little enough to cost a small part of a load.
inline constexpr int32_t kReducedLongSide = 500;

/// The long side of the reduced copy of a scan that may hold a whole strip: as for one frame,
/// unless the scan is much longer than wide, where each of its pictures keeps as many pixels
/// as the picture of a one-frame scan has (a limited number of them).
[[nodiscard]] int32_t StripReducedLongSide(int32_t width, int32_t height);

/// Builds a TReducedScan from rows given in increasing order. Only the rows NextRow() asks
/// for are needed; of each, only some columns are read.
class TScanReducer {
public:
    /// `samples` 1 to 4 (the colour samples are used, an alpha sample is not); `photometric`
    /// 0 (WhiteIsZero), 1 or 2. Any other shape gives an empty copy.
    TScanReducer(int32_t width, int32_t height, int32_t samples, uint16_t photometric,
                 int32_t longSide = kReducedLongSide);

    /// The image row wanted next, or -1 when the copy is complete.
    [[nodiscard]] int32_t NextRow() const;

    /// Takes the row NextRow() asked for: width × samples words, samples of a pixel adjacent,
    /// in host byte order. A row of another length is refused with std::invalid_argument.
    void AddRow(std::span<const uint16_t> row);

    /// The copy; rows never given stay at full light. The reducer is empty afterwards.
    [[nodiscard]] TReducedScan Take();

private:
    TReducedScan FScan;
    int32_t FSamples = 0;
    bool FWhiteIsZero = false;
    int32_t FNextIndex = 0; // reduced row that the next image row fills
    std::vector<int32_t> FColumnStarts;
};

/// The reduced copy of a loaded image (empty when the words do not match its size).
[[nodiscard]] TReducedScan ReduceScan(const TCurrentImage& image,
                                      int32_t longSide = kReducedLongSide);

class TFileRows;
/// The reduced copy of a scan on disk, reading only the rows it needs, one at a time: the
/// memory of a few rows, not of the image. Raises what TFileRows::Read raises.
[[nodiscard]] TReducedScan ReduceScanFile(TFileRows& rows, int32_t longSide = kReducedLongSide);

} // namespace vantrel
