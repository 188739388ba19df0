// SPDX-License-Identifier: MIT
#include "ui/widgets/KeyEvents.h"

#include <QKeyEvent>

namespace vantrel {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    TShiftState state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ssShift;
    if (modifiers & Qt::AltModifier)
        state |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        state |= ssCtrl;
    return state;
}

TKey KeyFromEvent(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Left:
        return TKey::Left;
    case Qt::Key_Up:
        return TKey::Up;
    case Qt::Key_Right:
        return TKey::Right;
    case Qt::Key_Down:
        return TKey::Down;
    case Qt::Key_PageUp:
        return TKey::PageUp;
    case Qt::Key_PageDown:
        return TKey::PageDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TKey::Enter;
    case Qt::Key_Space:
        return TKey::Space;
    case Qt::Key_Backspace:
        return TKey::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return TKey::Tab;
    case Qt::Key_Escape:
        return TKey::Escape;
    case Qt::Key_F1:
        return TKey::F1;
    case Qt::Key_F12:
        return TKey::F12;
    default:
        break;
    }
    // Qt's key of a printable key is the upper-case character of the active layout; with Ctrl
    // held the text is a control character, so the key is the better witness.
    char32_t character = 0;
    if (event.key() > 0 && event.key() < 0x110000)
        character = static_cast<char32_t>(event.key());
    else if (const QString text = event.text(); text.size() == 1)
        character = text.at(0).unicode();
    return PhysicalLetter(event.nativeScanCode(), character);
}

QList<QKeySequence> ActionShortcuts(TActionId id) {
    QList<QKeySequence> sequences;
    for (const TShortcut& shortcut : ActionDef(id).Shortcuts) {
        sequences.append(QKeySequence(QString::fromStdString(ShortcutText(shortcut)),
                                      QKeySequence::PortableText));
        if (shortcut.Key == TKey::Enter) {
            std::string keypad = ShortcutText(shortcut);
            keypad.replace(keypad.size() - 6, 6, "Enter");
            sequences.append(
                QKeySequence(QString::fromStdString(keypad), QKeySequence::PortableText));
        }
    }
    return sequences;
}

} // namespace vantrel
