// SPDX-License-Identifier: MIT
#pragma once

class QApplication;
class QFont;
class QWidget;

namespace vantrel {

/// The program's font: "Segoe UI" 9 pt where it exists, else the desktop's sans-serif 9 pt.
[[nodiscard]] QFont AppFont();

/// Hint timing (shown after 1000 ms at rest) and the look "Windows10 Charcoal": the Fusion
/// style with a dark charcoal palette. Without Fusion the default look stays.
void ApplyAppStyle(QApplication& app);

/// Hints disappear after 8000 ms: applied to every control under root.
void ApplyHintDuration(QWidget* root);

} // namespace vantrel
