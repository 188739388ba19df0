// SPDX-License-Identifier: MIT
#pragma once

// The Qt side of the key routing of KeyMap.h: Qt key events and modifiers turned into the
// plain TKey / TShiftState that the routing functions take, and the actions' shortcuts as
// QKeySequences.

#include "ui/logic/KeyMap.h"

#include <QKeySequence>
#include <QList>

class QKeyEvent;

namespace vantrel {

/// LastShiftState from Qt's modifiers (Shift = 1, Alt = 2, Ctrl = 4; Meta is ignored).
[[nodiscard]] TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

/// The modifiers held after a key event: the event's own set with the event's key added (a
/// press) or taken away (a release), since platforms differ in whether a modifier's own press
/// is already in the set. With the common X keyboard map, Alt pressed while Shift is held
/// arrives as the Meta key; on the physical Alt keys it counts as Alt.
[[nodiscard]] TShiftState ShiftStateAfter(const QKeyEvent& event, bool press);

/// The key of a key event by its position: arrows, pages, Enter (main or keypad), Space,
/// Backspace, Tab (Backtab too), Esc, F1 and F12 by their Qt key; letters by the physical key
/// (the X11 key code, or the Windows scan code turned into it, when the platform gives one,
/// else the typed character of either the
/// Latin or the Russian layout). TKey::None for every other key.
[[nodiscard]] TKey KeyFromEvent(const QKeyEvent& event);

/// The Qt key of a key that is no letter (Enter: the main Enter key); Qt::Key_unknown for
/// letters and TKey::None.
[[nodiscard]] Qt::Key QtKeyOf(TKey key);

/// The shortcuts of an action for its QAction, in the order of the action list. Ctrl+Enter
/// comes twice: for the main Enter key and for the keypad's.
[[nodiscard]] QList<QKeySequence> ActionShortcuts(TActionId id);

} // namespace vantrel
