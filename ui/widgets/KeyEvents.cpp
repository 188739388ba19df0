// SPDX-License-Identifier: MIT
#include "ui/widgets/KeyEvents.h"

#include <QGuiApplication>
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

namespace {

// The X11 key codes of the left and right Alt keys.
constexpr quint32 LeftAltScanCode = 64;
constexpr quint32 RightAltScanCode = 108;

// The key's X11 key code. Windows' platform gives Windows scan codes, which number the keys 8
// lower; X11, Wayland and the tests' offscreen events give X11 key codes.
quint32 X11KeyCode(const QKeyEvent& event) {
    static const bool windowsScanCodes = QGuiApplication::platformName() == u"windows";
    return windowsScanCodes ? X11KeycodeOfWindowsScanCode(event.nativeScanCode())
                            : event.nativeScanCode();
}

bool IsAltKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Alt)
        return true;
    const quint32 keyCode = X11KeyCode(event);
    return event.key() == Qt::Key_Meta &&
           (keyCode == LeftAltScanCode || keyCode == RightAltScanCode);
}

// The keys known by their Qt key, both ways: a key with two Qt names has its first one first.
struct TNamedKey {
    Qt::Key QtKey;
    TKey Key;
};
constexpr TNamedKey NamedKeys[] = {
    {Qt::Key_Left, TKey::Left},     {Qt::Key_Up, TKey::Up},
    {Qt::Key_Right, TKey::Right},   {Qt::Key_Down, TKey::Down},
    {Qt::Key_PageUp, TKey::PageUp}, {Qt::Key_PageDown, TKey::PageDown},
    {Qt::Key_Return, TKey::Enter},  {Qt::Key_Enter, TKey::Enter},
    {Qt::Key_Space, TKey::Space},   {Qt::Key_Backspace, TKey::Backspace},
    {Qt::Key_Tab, TKey::Tab},       {Qt::Key_Backtab, TKey::Tab},
    {Qt::Key_Escape, TKey::Escape}, {Qt::Key_F1, TKey::F1},
    {Qt::Key_F12, TKey::F12},
};

} // namespace

TShiftState ShiftStateAfter(const QKeyEvent& event, bool press) {
    const TShiftState held = ShiftStateOf(event.modifiers());
    const int key = event.key();
    const TShiftState own = key == Qt::Key_Shift     ? TShiftState(ssShift)
                            : key == Qt::Key_Control ? TShiftState(ssCtrl)
                            : IsAltKey(event)        ? TShiftState(ssAlt)
                                                     : 0;
    return press ? TShiftState(held | own) : TShiftState(held & ~own);
}

TKey KeyFromEvent(const QKeyEvent& event) {
    for (const TNamedKey& named : NamedKeys)
        if (event.key() == named.QtKey)
            return named.Key;
    // Qt's key of a printable key is the upper-case character of the active layout; with Ctrl
    // held the text is a control character, so the key is the better witness.
    char32_t character = 0;
    if (event.key() > 0 && event.key() < 0x110000)
        character = static_cast<char32_t>(event.key());
    else if (const QString text = event.text(); text.size() == 1)
        character = text.at(0).unicode();
    return PhysicalLetter(X11KeyCode(event), character);
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

Qt::Key QtKeyOf(TKey key) {
    for (const TNamedKey& named : NamedKeys)
        if (named.Key == key)
            return named.QtKey;
    return Qt::Key_unknown;
}

} // namespace vantrel
