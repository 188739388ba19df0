// SPDX-License-Identifier: MIT
#pragma once

class QIcon;

namespace vantrel {

/// The program's glyph list: 0 lock closed, 1 lock open, 2 open, 3 output folder, 4 save,
/// 5 previous, 6 next, 7 tags, 8 rotate left, 9 rotate right, 10 rotate 180°, 11 mirror,
/// 12 invert, 13 the frame onto the picture, 14 the frame onto the next picture of a strip.
inline constexpr int GlyphCount = 15;
[[nodiscard]] QIcon Glyph(int index);

} // namespace vantrel
