// SPDX-License-Identifier: MIT
// Keys and the wheel through the whole window, as a user at the keyboard meets them: with the
// image focused and not, in the no-modifier mode with either layout, Tab, Esc, the wheel with
// modifiers and the reset menu of the track bars.

#include <numeric>

#include <QCheckBox>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include "tests/ui/form1/WindowFixture.h"

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

class KeyboardTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Load(3000, 2000);
        RecordCommands();
        ASSERT_TRUE(Probe(*Form).FImageHasFocus);
        ASSERT_EQ(QApplication::focusWidget(), Probe(*Form).ImageViewer);
    }

    // A key as the focused control gets it.
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    // Presses or releases the modifier keys themselves, as a user holding them does.
    static void Hold(Qt::KeyboardModifiers mods, bool press) {
        const std::pair<Qt::KeyboardModifier, Qt::Key> keys[] = {
            {Qt::ShiftModifier, Qt::Key_Shift},
            {Qt::ControlModifier, Qt::Key_Control},
            {Qt::AltModifier, Qt::Key_Alt}};
        Qt::KeyboardModifiers held = press ? Qt::NoModifier : mods;
        for (const auto& [modifier, key] : keys) {
            if (!(mods & modifier))
                continue;
            if (press) {
                QTest::keyPress(QApplication::focusWidget(), key, held);
                held |= modifier;
            } else {
                QTest::keyRelease(QApplication::focusWidget(), key, held);
                held &= ~modifier;
            }
        }
    }
    // A key that types `text` (Cyrillic letters of a Russian layout), no scan code known.
    static void Typed(const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, text, mods);
    }
};

TEST_F(KeyboardTest, ImageFocusedWithTheDefaultSwitches) {
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        Names Expected;
    } cases[] = {
        {Qt::Key_Space, Qt::NoModifier, {"BtnSave"}},
        {Qt::Key_Return, Qt::NoModifier, {}}, // the no-modifier mode is off
        {Qt::Key_Return, Qt::ControlModifier, {"BtnSave"}},
        {Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, {"BtnSave"}},
        {Qt::Key_C, Qt::AltModifier, {"BtnSave"}},
        {Qt::Key_Tab, Qt::NoModifier, {"btnNext"}},
        {Qt::Key_Tab, Qt::ShiftModifier, {"BtnPrevious"}},
        {Qt::Key_PageDown, Qt::NoModifier, {"btnNext"}},
        {Qt::Key_PageUp, Qt::NoModifier, {"BtnPrevious"}},
        {Qt::Key_D, Qt::AltModifier, {"btnNext"}},
        {Qt::Key_A, Qt::AltModifier, {"BtnPrevious"}},
        {Qt::Key_Backspace, Qt::NoModifier, {"Reload"}},
        {Qt::Key_F12, Qt::NoModifier, {"Reload"}},
        {Qt::Key_S, Qt::ControlModifier, {"OnlySave"}},
        {Qt::Key_L, Qt::ControlModifier, {"BtnRotLeft"}},
        {Qt::Key_R, Qt::ControlModifier, {"BtnRotRight"}},
        {Qt::Key_O, Qt::ControlModifier, {"BtnRotate"}},
        {Qt::Key_M, Qt::ControlModifier, {"BtnFlip"}},
        {Qt::Key_I, Qt::ControlModifier, {"BtnInvert"}},
        {Qt::Key_T, Qt::ControlModifier, {"btnTags"}},
        {Qt::Key_L, Qt::NoModifier, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.Key | c.Mods).toString().toStdString());
        Key(c.Key, c.Mods);
        EXPECT_EQ(Taken(), c.Expected);
        EXPECT_EQ(QApplication::focusWidget(), Probe(*Form).ImageViewer);
    }
    // A disabled button ignores its key.
    Probe(*Form).btnNext->setEnabled(false);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Taken(), Names{});
}

// Every button an action clicks is one of the window's command buttons.
TEST_F(KeyboardTest, EveryButtonAnActionClicksIsACommandButton) {
    for (const TActionDef& action : Actions())
        for (const bool focused : {false, true}) {
            const TActionEffect effect = ActionEffect(action.Id, focused);
            if (effect.Kind == TEffectKind::ClickButton) {
                EXPECT_NE(TForm1Probe::CommandButton(*Form, effect.Button), nullptr) << action.Name;
            }
        }
}

TEST_F(KeyboardTest, ImageNotFocusedKeysReachTheControl) {
    TForm1& f = *Form;
    Probe(f).SpEdWidth->setFocus();
    ASSERT_FALSE(Probe(f).FImageHasFocus);
    const int width = Probe(f).SpEdWidth->value();
    Key(Qt::Key_Up);
    EXPECT_EQ(Probe(f).SpEdWidth->value(), width + 1);
    Key(Qt::Key_PageDown); // a spin box steps by ten
    EXPECT_EQ(Probe(f).SpEdWidth->value(), width + 1 - 10);
    const TPoint resized = Probe(f).FFramePosInPixels;
    Key(Qt::Key_Space);
    Key(Qt::Key_Tab); // an image is loaded: Tab does nothing without the image focus
    EXPECT_EQ(Taken(), Names{});
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).SpEdWidth);
    Key(Qt::Key_T, Qt::ControlModifier); // shortcuts act everywhere
    EXPECT_EQ(Taken(), Names{"btnTags"});

    // A right click on the image sets the image focus while the field keeps the caret: the
    // arrows move the frame.
    QTest::mouseClick(Probe(f).ImageViewer, Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).SpEdWidth);
    const int value = Probe(f).SpEdWidth->value();
    Key(Qt::Key_Down);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{resized.X, resized.Y + 1}));
    EXPECT_EQ(Probe(f).SpEdWidth->value(), value);
}

TEST_F(KeyboardTest, NoModifierModeByPhysicalKey) {
    TForm1& f = *Form;
    Probe(f).Chk_NoModif->setChecked(true);
    Probe(f).ImageViewer->setFocus();
    const struct {
        Qt::Key Latin;
        const char* Russian; // the letter the same key types in the Russian layout
        Names Expected;
    } cases[] = {
        {Qt::Key_L, "д", {"BtnRotLeft"}},
        {Qt::Key_R, "к", {"BtnRotRight"}},
        {Qt::Key_O, "щ", {"BtnRotate"}},
        {Qt::Key_M, "ь", {"BtnFlip"}},
        {Qt::Key_I, "ш", {"BtnInvert"}},
        {Qt::Key_T, "е", {"btnTags"}},
        {Qt::Key_A, "ф", {"BtnPrevious"}},
        {Qt::Key_D, "в", {"btnNext"}},
        {Qt::Key_C, "с", {"BtnSave"}},
        {Qt::Key_S, "ы", {"OnlySave"}},
        {Qt::Key_Q, "й", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Russian);
        Key(c.Latin);
        EXPECT_EQ(Taken(), c.Expected);
        Typed(QString::fromUtf8(c.Russian));
        EXPECT_EQ(Taken(), c.Expected);
    }
    // A modifier held: nothing in FormKeyDown, and Shift+L is no shortcut.
    Key(Qt::Key_L, Qt::ShiftModifier);
    EXPECT_EQ(Taken(), Names{});
    // Ctrl with a Russian letter is still the shortcut of its key.
    Typed(QStringLiteral("к"), Qt::ControlModifier);
    EXPECT_EQ(Taken(), Names{"BtnRotRight"});
    // Plain Enter crops only while Chk_CtrlEnter is ticked.
    Key(Qt::Key_Return);
    EXPECT_EQ(Taken(), Names{"BtnSave"});
    Probe(f).Chk_CtrlEnter->setChecked(false);
    Probe(f).ImageViewer->setFocus();
    Key(Qt::Key_Return);
    EXPECT_EQ(Taken(), Names{});
    Key(Qt::Key_Return, Qt::ControlModifier); // Ctrl+Enter always acts
    EXPECT_EQ(Taken(), Names{"BtnSave"});
    // Space only with Chk_Space.
    Probe(f).Chk_Space->setChecked(false);
    Probe(f).ImageViewer->setFocus();
    Key(Qt::Key_Space);
    EXPECT_EQ(Taken(), Names{});
}

TEST_F(KeyboardTest, CtrlTabCyclesThroughImageAndTabs) {
    TForm1& f = *Form;
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).PageControl1->tabBar());
    EXPECT_EQ(Probe(f).PageControl1->currentIndex(), 0);
    EXPECT_FALSE(Probe(f).FImageHasFocus);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Probe(f).PageControl1->currentIndex(), 1);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(QApplication::focusWidget(), Probe(f).ImageViewer);
    // Backwards: image → "Настройки" → "Обрезка" → image.
    Key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Probe(f).PageControl1->currentIndex(), 1);
    Key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Probe(f).PageControl1->currentIndex(), 0);
    Key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Probe(f).FImageHasFocus);
    EXPECT_EQ(Taken(), Names{});
}

TEST_F(KeyboardTest, EscapeHidesHelpAndPanel) {
    TForm1& f = *Form;
    f.btnTagsClick();
    f.ShowHelp();
    ASSERT_TRUE(f.HelpShown());
    ASSERT_TRUE(f.TagPanelShown());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(f.HelpShown());
    EXPECT_EQ(f.TagPanelHeight(), 0);
    EXPECT_EQ(Probe(f).ListViewHeight, 200);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(f.HelpShown());
    EXPECT_EQ(f.TagPanelHeight(), 0);
    EXPECT_EQ(Probe(f).ListViewHeight, 200);
}

TEST_F(KeyboardTest, WheelWithModifiers) {
    TForm1& f = *Form;
    const struct {
        Qt::KeyboardModifiers Mods;
        int Delta;
        int Brightness, SContrast, Gamma;
    } cases[] = {
        {Qt::ShiftModifier, 120, 15, 0, 0},
        {Qt::ShiftModifier, -120, -15, 0, 0},
        {Qt::ControlModifier, 120, 0, 30, 0},
        {Qt::AltModifier, 120, 0, 0, 7},
        {Qt::ControlModifier | Qt::ShiftModifier, 240, 30, 60, 0},
    };
    for (const auto& c : cases) {
        for (QSlider* t : {Probe(f).TrackBar1, Probe(f).TrackBar2, Probe(f).TrackBar3})
            t->setValue(0);
        Hold(c.Mods, true);
        Wheel(Probe(f).TrackBar2, c.Delta); // over any part of the window
        EXPECT_EQ(Probe(f).TrackBar1->value(), c.Brightness);
        EXPECT_EQ(Probe(f).TrackBar2->value(),
                  c.SContrast); // consumed: the bar itself did not scroll
        EXPECT_EQ(Probe(f).TrackBar3->value(), c.Gamma);
        Hold(c.Mods, false);
        EXPECT_EQ(Probe(f).LastShiftState, 0u);
    }
    // The track bars keep their ranges.
    Probe(f).TrackBar3->setValue(98);
    Hold(Qt::AltModifier, true);
    Wheel(Probe(f).ImageViewer, 120);
    EXPECT_EQ(Probe(f).TrackBar3->value(), 100);
    Hold(Qt::AltModifier, false);
    // Without a modifier the wheel goes on to its control.
    for (QSlider* t : {Probe(f).TrackBar1, Probe(f).TrackBar2, Probe(f).TrackBar3})
        t->setValue(0);
    Wheel(Probe(f).TrackBar2, 120);
    EXPECT_NE(Probe(f).TrackBar2->value(), 0);
    EXPECT_EQ(Probe(f).TrackBar1->value(), 0);
}

// The modifier keys as the X server's common keyboard map delivers them: Alt pressed or
// released while Shift is held arrives as the Meta key on the Alt key's key code, with Meta in
// the modifiers of its own events. Every set of the table of steps, in every order of pressing
// and releasing, gives the same step to the arrows and the same choice to the wheel.
TEST_F(KeyboardTest, ModifierOrderDoesNotMatter) {
    TForm1& f = *Form;
    struct TModifierKey {
        Qt::Key Key;
        Qt::KeyboardModifier Modifier;
        quint32 ScanCode;
    };
    const TModifierKey shift{Qt::Key_Shift, Qt::ShiftModifier, 50};
    const TModifierKey ctrl{Qt::Key_Control, Qt::ControlModifier, 37};
    const TModifierKey alt{Qt::Key_Alt, Qt::AltModifier, 64};
    Qt::KeyboardModifiers held;
    // Qt offers a key press sent by the program to the shortcuts first, as it does a key from
    // the keyboard.
    const auto deliver = [](QEvent::Type type, int key, Qt::KeyboardModifiers mods,
                            quint32 scanCode) {
        QKeyEvent event(type, key, mods, scanCode, 0, 0);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    };
    const auto modifier = [&](const TModifierKey& k, bool press) {
        const bool meta = k.Key == Qt::Key_Alt && (held & Qt::ShiftModifier);
        Qt::KeyboardModifiers mods = press ? held : held | k.Modifier;
        if (meta)
            mods |= Qt::MetaModifier;
        else if (press)
            mods |= k.Modifier;
        deliver(press ? QEvent::KeyPress : QEvent::KeyRelease, meta ? Qt::Key_Meta : k.Key, mods,
                k.ScanCode);
        held.setFlag(k.Modifier, press);
    };
    const struct {
        std::vector<TModifierKey> Keys;
        int Step;
    } sets[] = {
        {{}, 1},
        {{shift}, 4},
        {{ctrl}, 2},
        {{alt}, 16},
        {{ctrl, shift}, 8},
        {{ctrl, alt}, 32},
        {{shift, alt}, 64},
        {{ctrl, shift, alt}, 128},
    };
    f.WriteFrameSize(1000, 800);
    for (const auto& set : sets) {
        std::vector<int> order(set.Keys.size());
        std::iota(order.begin(), order.end(), 0);
        do {
            std::string trace;
            for (int i : order)
                trace += QKeySequence(set.Keys[i].Key).toString().toStdString() + " ";
            SCOPED_TRACE(trace);
            Probe(f).FFramePosInPixels = {500, 500};
            for (QSlider* t : {Probe(f).TrackBar1, Probe(f).TrackBar2, Probe(f).TrackBar3})
                t->setValue(0);
            for (int i : order)
                modifier(set.Keys[i], true);
            deliver(QEvent::KeyPress, Qt::Key_Right, held, 114);
            deliver(QEvent::KeyRelease, Qt::Key_Right, held, 114);
            EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{500 + set.Step, 500}));
            Wheel(Probe(f).ImageViewer, 120);
            EXPECT_EQ(Probe(f).TrackBar1->value(), held & Qt::ShiftModifier ? 15 : 0);
            EXPECT_EQ(Probe(f).TrackBar2->value(), held & Qt::ControlModifier ? 30 : 0);
            EXPECT_EQ(Probe(f).TrackBar3->value(), held & Qt::AltModifier ? 7 : 0);
            // Released in the order pressed: the first key goes while the others are held.
            for (int i : order)
                modifier(set.Keys[i], false);
            EXPECT_EQ(Probe(f).LastShiftState, 0u);
        } while (std::next_permutation(order.begin(), order.end()));
    }
    // Modifiers pressed while another window had the keyboard: the arrow's own set counts.
    Probe(f).FFramePosInPixels = {500, 500};
    deliver(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier | Qt::AltModifier, 114);
    EXPECT_EQ(Probe(f).FFramePosInPixels, (TPoint{532, 500}));
}

TEST_F(KeyboardTest, ResetMenuOfTheTrackBars) {
    TForm1& f = *Form;
    Probe(f).TrackBar1->setValue(50);
    Probe(f).TrackBar2->setValue(-60);
    Probe(f).TrackBar3->setValue(70);
    const char* captions[] = {"Сбросить яркость", "Сбросить S-контраст", "Сбросить гамму"};
    QSlider* bars[] = {Probe(f).TrackBar1, Probe(f).TrackBar2, Probe(f).TrackBar3};
    for (int i = 0; i < 3; ++i) {
        f.PopupMenu2Popup(bars[i]);
        EXPECT_EQ(Probe(f).N3->text(), QString::fromUtf8(captions[i]));
    }
    Probe(f).N3->trigger(); // the last opened: gamma
    EXPECT_EQ(Probe(f).TrackBar3->value(), 0);
    EXPECT_EQ(Probe(f).TrackBar1->value(), 50);
    Probe(f).N4->trigger();
    EXPECT_EQ(Probe(f).TrackBar1->value(), 0);
    EXPECT_EQ(Probe(f).TrackBar2->value(), 0);
}

TEST_F(KeyboardTest, NothingLoadedTabMovesFocusAndWheelGoesOn) {
    Restart();
    TForm1& f = *Form;
    f.HideHelp();
    Probe(f).SpEdWidth->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), Probe(f).SpEdWidth);
    Hold(Qt::ShiftModifier, true);
    Wheel(Probe(f).ImageViewer, 120);
    Hold(Qt::ShiftModifier, false);
    EXPECT_EQ(Probe(f).TrackBar1->value(), 0);
}

} // namespace
} // namespace vantrel
