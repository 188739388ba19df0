// SPDX-License-Identifier: MIT
#include "ui/widgets/KeyEvents.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace vantrel {
namespace {

TEST(KeyEventsTest, KeysFromQtEvents) {
    struct Case {
        const char* What;
        int QtKey;
        Qt::KeyboardModifiers Modifiers;
        quint32 ScanCode;
        QString Text;
        TKey Key;
    };
    const Case cases[] = {
        {"Left", Qt::Key_Left, {}, 113, "", TKey::Left},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, 104, "\r", TKey::Enter},
        {"Return", Qt::Key_Return, {}, 36, "\r", TKey::Enter},
        {"Backtab", Qt::Key_Backtab, Qt::ShiftModifier, 23, "", TKey::Tab},
        {"PgDn", Qt::Key_PageDown, {}, 117, "", TKey::PageDown},
        {"Latin l on X11", Qt::Key_L, {}, 46, "l", TKey::L},
        {"Russian д on X11", 0x0414, {}, 46, QStringLiteral("д"), TKey::L},
        {"Russian к offscreen", 0x041A, {}, 0, QStringLiteral("к"), TKey::R},
        {"Ctrl+Russian к offscreen", 0x041A, Qt::ControlModifier, 0, "\x12", TKey::R},
        {"unknown key with Russian text", 0, {}, 0, QStringLiteral("щ"), TKey::O},
        {"digit", Qt::Key_1, {}, 10, "1", TKey::None},
        {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, 50, "", TKey::None},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.QtKey, c.Modifiers, c.ScanCode, 0, 0, c.Text);
        EXPECT_EQ(KeyFromEvent(event), c.Key) << c.What;
    }
    // Keys handed on to a control come back as themselves.
    for (const TKey key :
         {TKey::Left, TKey::Up, TKey::Right, TKey::Down, TKey::PageUp, TKey::PageDown, TKey::Enter,
          TKey::Space, TKey::Backspace, TKey::Tab, TKey::Escape, TKey::F1, TKey::F12})
        EXPECT_EQ(KeyFromEvent(QKeyEvent(QEvent::KeyPress, QtKeyOf(key), {})), key) << int(key);
    EXPECT_EQ(QtKeyOf(TKey::L), Qt::Key_unknown);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier), unsigned(ssShift | ssCtrl));
    EXPECT_EQ(ShiftStateOf(Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier),
              unsigned(ssAlt));
}

// Every shortcut text parses to the key combination it stands for.
TEST(KeyEventsTest, ActionShortcutsParse) {
    using enum TActionId;
    EXPECT_EQ(ActionShortcuts(Crop), (QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_C),
                                                          QKeySequence(Qt::CTRL | Qt::Key_Return),
                                                          QKeySequence(Qt::CTRL | Qt::Key_Enter)}));
    EXPECT_EQ(ActionShortcuts(NextPgDn), QList<QKeySequence>{QKeySequence(Qt::Key_PageDown)});
    EXPECT_EQ(ActionShortcuts(Escape), QList<QKeySequence>{QKeySequence(Qt::Key_Escape)});
    const QList<QKeySequence> up = ActionShortcuts(Up);
    ASSERT_EQ(up.size(), 8);
    EXPECT_TRUE(up.contains(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Up)));
    EXPECT_TRUE(up.contains(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Up)));
    for (const TActionDef& action : Actions())
        for (const QKeySequence& sequence : ActionShortcuts(action.Id))
            EXPECT_EQ(sequence.count(), 1)
                << action.Name << ": " << sequence.toString().toStdString();
}

} // namespace
} // namespace vantrel
