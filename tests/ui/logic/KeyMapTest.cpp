// SPDX-License-Identifier: MIT
#include "ui/logic/KeyMap.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrel {
namespace {

TEST(KeyMapTest, PhysicalLettersWhateverTheLayout) {
    struct Case {
        uint32_t Keycode;
        char32_t Character;
        TKey Key;
    };
    const Case cases[] = {
        // X11 key codes of the three letter rows
        {24, U'й', TKey::Q},
        {27, U'к', TKey::R},
        {33, U'з', TKey::P},
        {38, U'ф', TKey::A},
        {40, U'в', TKey::D},
        {46, U'д', TKey::L},
        {52, U'я', TKey::Z},
        {54, U'с', TKey::C},
        {58, U'ь', TKey::M},
        // the scan code decides over the typed character
        {46, U'r', TKey::L},
        // keys that carry no letter
        {47, U'ж', TKey::None},
        {59, U'б', TKey::None},
        {36, U'\r', TKey::None},
        // no scan code (offscreen): the character of either layout
        {0, U'l', TKey::L},
        {0, U'L', TKey::L},
        {0, U'д', TKey::L},
        {0, U'Д', TKey::L},
        {0, U'к', TKey::R},
        {0, U'щ', TKey::O},
        {0, U'ь', TKey::M},
        {0, U'ш', TKey::I},
        {0, U'е', TKey::T},
        {0, U'ы', TKey::S},
        {0, U'ф', TKey::A},
        {0, U'в', TKey::D},
        {0, U'с', TKey::C},
        {0, U'а', TKey::F},
        {0, U'Ё', TKey::None},
        {0, U'1', TKey::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PhysicalLetter(c.Keycode, c.Character), c.Key)
            << c.Keycode << " U+" << std::hex << unsigned(c.Character);
}

// Windows numbers the keys as X11 does, 8 lower: Q, L, Z and M of the three letter rows, Enter,
// and the extended right Alt, which has no key code of the main block.
TEST(KeyMapTest, WindowsScanCodesAreX11KeyCodes) {
    const std::pair<uint32_t, TKey> letters[] = {
        {0x10, TKey::Q}, {0x26, TKey::L}, {0x2C, TKey::Z}, {0x32, TKey::M}, {0x1C, TKey::None}};
    for (const auto& [scanCode, key] : letters)
        EXPECT_EQ(LetterFromX11Keycode(X11KeycodeOfWindowsScanCode(scanCode)), key) << scanCode;
    EXPECT_EQ(X11KeycodeOfWindowsScanCode(0x1C), 36u); // Enter
    EXPECT_EQ(X11KeycodeOfWindowsScanCode(0x138), 0u); // right Alt
    EXPECT_EQ(X11KeycodeOfWindowsScanCode(0), 0u);
}

TEST(KeyMapTest, TwentyTwoActionsWithDistinctShortcuts) {
    const auto& actions = Actions();
    ASSERT_EQ(actions.size(), 22u);
    std::set<std::pair<unsigned, TKey>> seen;
    for (const TActionDef& a : actions)
        for (const TShortcut& s : a.Shortcuts)
            EXPECT_TRUE(seen.insert({s.Shift, s.Key}).second) << ShortcutText(s);
    EXPECT_EQ(ActionDef(TActionId::Left).Shortcuts.size(), 8u);
    EXPECT_EQ(seen.size(), 19u + 4 * 8u);
}

TEST(KeyMapTest, ShortcutsMatchTheirActions) {
    struct Case {
        TShiftState Shift;
        TKey Key;
        bool Found;
        TActionId Id;
        const char* Text;
    };
    using enum TActionId;
    const Case cases[] = {
        {ssAlt, TKey::C, true, Crop, "Alt+C"},
        {ssCtrl, TKey::Enter, true, Crop, "Ctrl+Return"},
        {ssCtrl | ssShift | ssAlt, TKey::Up, true, Up, "Ctrl+Alt+Shift+Up"},
        {0, TKey::PageDown, true, NextPgDn, "PgDown"},
        {ssCtrl, TKey::F, true, Place, "Ctrl+F"},
        {ssCtrl, TKey::N, true, NextPicture, "Ctrl+N"},
        {ssCtrl | ssShift, TKey::N, true, PreviousPicture, "Ctrl+Shift+N"},
        // no action: these reach FormKeyDown
        {ssShift, TKey::L, false, Tags, "Shift+L"},
        {0, TKey::Enter, false, Tags, "Return"},
        {0, TKey::Space, false, Tags, "Space"},
        {ssShift, TKey::PageDown, false, Tags, "Shift+PgDown"},
        {0, TKey::L, false, Tags, "L"},
    };
    for (const Case& c : cases) {
        const TShortcutMatch m = MatchShortcut(c.Shift, c.Key);
        EXPECT_EQ(m.Found, c.Found) << c.Text;
        if (c.Found) {
            EXPECT_EQ(m.Id, c.Id) << c.Text;
        }
        EXPECT_EQ(ShortcutText({c.Shift, c.Key}), c.Text);
    }
}

TEST(KeyMapTest, ActionEffectsDependOnTheImageFocus) {
    using K = TEffectKind;
    struct Case {
        TActionId Id;
        bool Focus;
        TActionEffect Effect;
    };
    using enum TActionId;
    const Case cases[] = {
        {Crop, false, {K::ClickButton, TButton::BtnSave}},
        {Mirror, true, {K::ClickButton, TButton::BtnFlip}},
        {Left, true, {K::MoveFrame, TButton::None, TKey::Left}},
        {Up, false, {K::ForwardKey, TButton::None, TKey::Up}},
        {PreviousPgUp, true, {K::ClickButton, TButton::BtnPrevious}},
        {PreviousPgUp, false, {K::ForwardKey, TButton::None, TKey::PageUp}},
        {NextPgDn, true, {K::ClickButton, TButton::btnNext}},
        {NextPgDn, false, {K::ForwardKey, TButton::None, TKey::PageDown}},
        {Place, false, {K::ClickButton, TButton::BtnPlace}},
        {NextPicture, false, {K::ClickButton, TButton::BtnStrip}},
        {PreviousPicture, true, {K::PreviousPicture}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ActionEffect(c.Id, c.Focus), c.Effect)
            << ActionDef(c.Id).Name << (c.Focus ? " focused" : " not focused");
}

TEST(KeyMapTest, KeyDownCommands) {
    using C = TKeyCommand;
    TKeyDownState plain{.ImageHasFocus = true, .FileOpen = true};
    TKeyDownState noModif = plain;
    noModif.ChkNoModif = true;
    TKeyDownState noModifNoEnter = noModif;
    noModifNoEnter.ChkCtrlEnter = false;
    TKeyDownState noSpace = noModif;
    noSpace.ChkSpace = false;
    TKeyDownState unfocused = noModif;
    unfocused.ImageHasFocus = false;
    TKeyDownState noFile = plain;
    noFile.FileOpen = false;

    struct Case {
        const char* What;
        TKey Key;
        TShiftState Shift;
        TKeyDownState State;
        TKeyDownResult Result;
    };
    const Case cases[] = {
        {"Space crops", TKey::Space, 0, plain, {C::Click, TButton::BtnSave}},
        {"Space unticked goes on", TKey::Space, 0, noSpace, {}},
        {"Space with Shift goes on", TKey::Space, ssShift, plain, {}},
        {"Space unfocused goes on", TKey::Space, 0, unfocused, {}},
        {"Backspace reloads", TKey::Backspace, 0, plain, {C::Reload}},
        {"Backspace without a file", TKey::Backspace, 0, noFile, {}},
        {"Enter, mode off", TKey::Enter, 0, plain, {}},
        {"Enter, mode on", TKey::Enter, 0, noModif, {C::Click, TButton::BtnSave}},
        {"Enter, mode on, Chk_CtrlEnter off", TKey::Enter, 0, noModifNoEnter, {}},
        {"L, mode off", TKey::L, 0, plain, {}},
        {"A", TKey::A, 0, noModif, {C::Click, TButton::BtnPrevious}},
        {"C", TKey::C, 0, noModif, {C::Click, TButton::BtnSave}},
        {"D", TKey::D, 0, noModif, {C::Click, TButton::btnNext}},
        {"I", TKey::I, 0, noModif, {C::Click, TButton::BtnInvert}},
        {"L", TKey::L, 0, noModif, {C::Click, TButton::BtnRotLeft}},
        {"M", TKey::M, 0, noModif, {C::Click, TButton::BtnFlip}},
        {"O", TKey::O, 0, noModif, {C::Click, TButton::BtnRotate}},
        {"R", TKey::R, 0, noModif, {C::Click, TButton::BtnRotRight}},
        {"S", TKey::S, 0, noModif, {C::OnlySave}},
        {"T", TKey::T, 0, noModif, {C::Click, TButton::btnTags}},
        {"F places the frame", TKey::F, 0, noModif, {C::Click, TButton::BtnPlace}},
        {"F, mode off", TKey::F, 0, plain, {}},
        {"B is no command", TKey::B, 0, noModif, {}},
        {"Shift+L does nothing", TKey::L, ssShift, noModif, {}},
        {"N, the next picture", TKey::N, 0, noModif, {C::Click, TButton::BtnStrip}},
        {"Shift+N, the picture before", TKey::N, ssShift, noModif, {C::PreviousPicture}},
        {"Shift+N, mode off", TKey::N, ssShift, plain, {}},
        {"Shift+N unfocused", TKey::N, ssShift, unfocused, {}},
        {"Ctrl+Shift+N is the shortcut's", TKey::N, ssCtrl | ssShift, noModif, {}},
        {"L with the image unfocused", TKey::L, 0, unfocused, {}},
        {"Space unticked, mode on", TKey::Space, 0, noSpace, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyDownCommand(c.Key, c.Shift, c.State), c.Result) << c.What;
}

TEST(KeyMapTest, TabCommands) {
    using C = TTabCommand;
    struct Case {
        TShiftState Shift;
        bool Focus;
        int Page;
        bool TabNext;
        TTabCommand Command;
    };
    const Case cases[] = {
        {0, true, 0, true, C::ClickNext},
        {ssShift, true, 1, true, C::ClickPrevious},
        {0, true, 0, false, C::Nothing},
        {ssShift, true, 0, false, C::Nothing},
        {ssCtrl, true, 1, true, C::FocusPageControlTab0},
        {ssCtrl | ssShift, true, 0, true, C::FocusPageControlTab1},
        {ssAlt, true, 0, true, C::Nothing},
        {ssCtrl | ssAlt, true, 0, true, C::Nothing},
        {ssCtrl, false, 0, true, C::SelectTab1},
        {ssCtrl, false, 1, true, C::FocusImage},
        {ssCtrl | ssShift, false, 0, true, C::FocusImage},
        {ssCtrl | ssShift, false, 1, true, C::SelectTab0},
        {0, false, 0, true, C::Nothing},
        {ssShift, false, 1, true, C::Nothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TabCommand(c.Shift, c.Focus, c.Page, c.TabNext), c.Command)
            << c.Shift << ' ' << c.Focus << ' ' << c.Page << ' ' << c.TabNext;
}

// Ctrl+Tab three times from the focused image: page control on "Обрезка", then "Настройки",
// then the image again.
TEST(KeyMapTest, CtrlTabCycles) {
    bool focus = true;
    int page = 1;
    std::vector<TTabCommand> seen;
    for (int i = 0; i < 3; ++i) {
        const TTabCommand c = TabCommand(ssCtrl, focus, page, true);
        seen.push_back(c);
        if (c == TTabCommand::FocusPageControlTab0)
            focus = false, page = 0;
        else if (c == TTabCommand::SelectTab1)
            page = 1;
        else if (c == TTabCommand::FocusImage)
            focus = true;
    }
    EXPECT_EQ(seen, (std::vector{TTabCommand::FocusPageControlTab0, TTabCommand::SelectTab1,
                                 TTabCommand::FocusImage}));
    EXPECT_TRUE(focus);
}

TEST(KeyMapTest, WheelSteps) {
    struct Case {
        int Delta;
        TShiftState Shift;
        bool Enabled;
        TWheelSteps Steps;
    };
    const Case cases[] = {
        {120, ssShift, true, {15, 0, 0, true}},
        {-120, ssShift, true, {-15, 0, 0, true}},
        {120, ssCtrl, true, {0, 30, 0, true}},
        {120, ssAlt, true, {0, 0, 7, true}},
        {-120, ssAlt, true, {0, 0, -7, true}},
        {120, ssCtrl | ssShift, true, {15, 30, 0, true}},
        {240, ssShift | ssCtrl | ssAlt, true, {30, 60, 15, true}},
        {120, 0, true, {0, 0, 0, false}},        // goes on, e.g. scrolls the tag list
        {120, ssShift, false, {0, 0, 0, false}}, // no image: track bars disabled
        {0, ssShift, true, {0, 0, 0, false}},
        {7, ssShift, true, {0, 0, 0, true}}, // a fine wheel: truncated toward zero
        {-15, ssAlt | ssShift, true, {-1, 0, 0, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WheelSteps(c.Delta, c.Shift, c.Enabled), c.Steps) << c.Delta << ' ' << c.Shift;
}

} // namespace
} // namespace vantrel
