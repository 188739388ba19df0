// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "pipeline/kernels/DisplayAdjustments.h" // the track bars' positions
#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel {

/// The 8-bit look-up table of the display adjustments, indexed by a sample's high byte.
using TDisplayTable = std::array<uint8_t, 256>;

/// True when any adjustment is away from neutral, so the table has to be applied.
[[nodiscard]] bool DisplayAdjustmentsActive(int32_t brightness, double sContrast, double gamma);

/// \brief The table: gamma, then the S-curve, then brightness in 8-bit units, rounded half to
/// even and clipped to 0..255.
[[nodiscard]] TDisplayTable BuildDisplayTable(int32_t brightness, double sContrast, double gamma);

/// \brief Raises Exception with the colour-model message unless the image can be shown:
/// 1 or 2 samples as WhiteIsZero (0) or BlackIsZero (1), 3 or 4 samples as RGB (2).
void CheckColourModel(int32_t samples, uint16_t photometric);

/// SampleFormat values the view tells apart; every other is shown as unsigned (1).
inline constexpr uint16_t kSignedSamples = 2;
inline constexpr uint16_t kFloatSamples = 3; // 16-bit IEEE half floats

/// \brief Renders sample words to a new 24-bit view of the same size (blue, green, red;
/// only each sample's high byte is shown). Signed samples (`sampleFormat` 2) are shown around
/// their zero (mid-grey), half floats (3) from 0.0 to 1.0. Raises Exception for an unsupported
/// colour model and for a word array that does not hold width × height × samples words, before the
/// bitmap exists; out of memory propagates. `threads` 0 uses every hardware thread.
[[nodiscard]] TViewBitmap RenderWordsToBitmap(std::span<const uint16_t> words, int32_t width,
                                              int32_t height, int32_t samples, uint16_t photometric,
                                              uint16_t sampleFormat, int32_t brightness,
                                              double sContrast, double gamma, unsigned threads = 0);

/// \brief RenderWordsToBitmap's checks of the image (the same exceptions), then the table of the
/// adjustments: none when they are neutral. For a render in parts through RenderWordsInto.
[[nodiscard]] std::optional<TDisplayTable>
CheckedDisplayTable(std::span<const uint16_t> words, int32_t width, int32_t height, int32_t samples,
                    uint16_t photometric, const TDisplayAdjustments& adjustments);

/// \brief RenderWordsToBitmap into the pixels of `spent`, a view that no one else holds: when it
/// has the image's size it is written over, which spares freeing one view and faulting in the
/// pages of the next; otherwise it is freed before the new view is made.
[[nodiscard]] TViewBitmap RenderWordsOver(TViewBitmap spent, std::span<const uint16_t> words,
                                          int32_t width, int32_t height, int32_t samples,
                                          uint16_t photometric, uint16_t sampleFormat,
                                          const TDisplayAdjustments& adjustments);

/// The render pass alone, into a bitmap of the image's size, for arguments RenderWordsToBitmap
/// has accepted. `table` null shows the high bytes unchanged.
void RenderWordsInto(const uint16_t* words, int32_t samples, uint16_t photometric,
                     uint16_t sampleFormat, const TDisplayTable* table, TViewBitmap& bitmap,
                     unsigned threads = 0);

} // namespace vantrel
