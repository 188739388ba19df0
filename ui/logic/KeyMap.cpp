// SPDX-License-Identifier: MIT
#include "ui/logic/KeyMap.h"
#include "ui/logic/LogicTexts.h"

#include <stdexcept>

namespace vantrel {

namespace {

TKey LetterAt(int index) {
    return static_cast<TKey>(static_cast<int>(TKey::A) + index);
}

// The letters of each row of letter keys, left to right, as X11 key codes number them.
constexpr std::string_view kTopRow = "QWERTYUIOP"; // key codes 24..33
constexpr std::string_view kHomeRow = "ASDFGHJKL"; // 38..46
constexpr std::string_view kBottomRow = "ZXCVBNM"; // 52..58

// The Russian letters on the US letter keys, in the order A..Z (the keys of ',', '.', ';',
// '[' carry Russian letters too, but no command lives there).
constexpr std::u32string_view kRussianOnLatin = U"фисвуапршолдьтщзйкыегмцчня";

} // namespace

TKey LetterKey(char32_t c) {
    if (c >= U'a' && c <= U'z')
        c -= U'a' - U'A';
    if (c >= U'A' && c <= U'Z')
        return LetterAt(static_cast<int>(c - U'A'));
    return TKey::None;
}

TKey LetterFromX11Keycode(uint32_t keycode) {
    auto inRow = [keycode](std::string_view row, uint32_t first) {
        return keycode >= first && keycode < first + row.size()
                   ? LetterKey(static_cast<unsigned char>(row[keycode - first]))
                   : TKey::None;
    };
    if (TKey k = inRow(kTopRow, 24); k != TKey::None)
        return k;
    if (TKey k = inRow(kHomeRow, 38); k != TKey::None)
        return k;
    return inRow(kBottomRow, 52);
}

uint32_t X11KeycodeOfWindowsScanCode(uint32_t scanCode) {
    // Both number the keys of the PC keyboard the same way; X11 starts 8 higher.
    constexpr uint32_t kExtended = 0x100;
    if (scanCode == 0 || (scanCode & kExtended) != 0 || scanCode > 0xFF)
        return 0;
    return scanCode + 8;
}

TKey LetterFromCharacter(char32_t c) {
    if (TKey k = LetterKey(c); k != TKey::None)
        return k;
    if (c >= U'А' && c <= U'Я')
        c += U'а' - U'А';
    else if (c == U'Ё')
        c = U'ё';
    const size_t at = kRussianOnLatin.find(c);
    return at == std::u32string_view::npos ? TKey::None : LetterAt(static_cast<int>(at));
}

TKey PhysicalLetter(uint32_t x11Keycode, char32_t character) {
    if (x11Keycode != 0) {
        // A known scan code decides even when the key is no letter (then nothing matches).
        return LetterFromX11Keycode(x11Keycode);
    }
    return LetterFromCharacter(character);
}

const std::vector<TActionDef>& Actions() {
    static const std::vector<TActionDef> actions = [] {
        auto arrow = [](TActionId id, std::string_view name, TKey key) {
            std::vector<TShortcut> keys;
            // The key alone, then the seven combinations of Ctrl, Shift and Alt.
            for (TShiftState s : {0u, unsigned(ssCtrl), unsigned(ssShift), unsigned(ssAlt),
                                  unsigned(ssCtrl | ssShift), unsigned(ssCtrl | ssAlt),
                                  unsigned(ssShift | ssAlt), unsigned(ssCtrl | ssShift | ssAlt)})
                keys.push_back({s, key});
            return TActionDef{id, name, "Arrow", "ArrowExecute", keys};
        };
        using enum TActionId;
        return std::vector<TActionDef>{
            {Tags, "Tags", "Tags", "TagsExecute", {{ssCtrl, TKey::T}}},
            {Crop, "Crop", "ExtremalAlt", "ExecuteAlt", {{ssAlt, TKey::C}, {ssCtrl, TKey::Enter}}},
            {Previous, "Previous", "ExtremalAlt", "ExecuteAlt", {{ssAlt, TKey::A}}},
            {Next, "Next", "ExtremalAlt", "ExecuteAlt", {{ssAlt, TKey::D}}},
            {RotLeft, "RotLeft", "TransformCtrl", "ExecuteCtrl", {{ssCtrl, TKey::L}}},
            {RotRight, "RotRight", "TransformCtrl", "ExecuteCtrl", {{ssCtrl, TKey::R}}},
            {Rotate, "Rotate", "TransformCtrl", "ExecuteCtrl", {{ssCtrl, TKey::O}}},
            {Mirror, "Mirror", "TransformCtrl", "ExecuteCtrl", {{ssCtrl, TKey::M}}},
            {Invert, "Invert", "TransformCtrl", "ExecuteCtrl", {{ssCtrl, TKey::I}}},
            {Help, "Help", "", "HelpExecute", {{0, TKey::F1}}},
            arrow(Left, "Left", TKey::Left),
            arrow(Up, "Up", TKey::Up),
            arrow(Down, "Down", TKey::Down),
            arrow(Right, "Right", TKey::Right),
            {PreviousPgUp, "PreviousPgUp", "ExtremalAlt", "ExecuteAlt", {{0, TKey::PageUp}}},
            {NextPgDn, "NextPgDn", "ExtremalAlt", "ExecuteAlt", {{0, TKey::PageDown}}},
            {OnlySave, "OnlySave", "ExtremalAlt", "OnlySaveExecute", {{ssCtrl, TKey::S}}},
            {Escape, "Escape", "", "EscapeExecute", {{0, TKey::Escape}}},
            {Reload, "Reload", "", "ReloadExecute", {{0, TKey::F12}}},
            {Place, "Place", "", "PlaceExecute", {{ssCtrl, TKey::F}}},
            {NextPicture, "NextPicture", "", "PlaceExecute", {{ssCtrl, TKey::N}}},
            {PreviousPicture, "PreviousPicture", "", "PlaceExecute", {{ssCtrl | ssShift, TKey::N}}},
        };
    }();
    return actions;
}

const TActionDef& ActionDef(TActionId id) {
    for (const TActionDef& action : Actions())
        if (action.Id == id)
            return action;
    throw std::logic_error("unknown action");
}

std::string ShortcutText(const TShortcut& shortcut) {
    std::string text;
    if (shortcut.Shift & ssCtrl)
        text += "Ctrl+";
    if (shortcut.Shift & ssAlt)
        text += "Alt+";
    if (shortcut.Shift & ssShift)
        text += "Shift+";
    switch (shortcut.Key) {
    case TKey::None:
        return {};
    case TKey::Left:
        return text + "Left";
    case TKey::Up:
        return text + "Up";
    case TKey::Right:
        return text + "Right";
    case TKey::Down:
        return text + "Down";
    case TKey::PageUp:
        return text + "PgUp";
    case TKey::PageDown:
        return text + "PgDown";
    case TKey::Enter:
        return text + "Return"; // the main Enter key; the keypad's is "Enter"
    case TKey::Space:
        return text + "Space";
    case TKey::Backspace:
        return text + "Backspace";
    case TKey::Tab:
        return text + "Tab";
    case TKey::Escape:
        return text + "Esc";
    case TKey::F1:
        return text + "F1";
    case TKey::F12:
        return text + "F12";
    default:
        return text + char('A' + (static_cast<int>(shortcut.Key) - static_cast<int>(TKey::A)));
    }
}

TShortcutMatch MatchShortcut(TShiftState shift, TKey key) {
    for (const TActionDef& action : Actions())
        for (const TShortcut& s : action.Shortcuts)
            if (s == TShortcut{shift, key})
                return {true, action.Id};
    return {false, TActionId::Tags};
}

TActionEffect ActionEffect(TActionId id, bool imageHasFocus) {
    using K = TEffectKind;
    auto click = [](TButton b) { return TActionEffect{K::ClickButton, b}; };
    // Arrows and pages act on the image only while it has the focus; otherwise the key goes
    // to the focused control, which would not have seen it past the shortcut.
    auto arrow = [imageHasFocus](TKey key) {
        return TActionEffect{imageHasFocus ? K::MoveFrame : K::ForwardKey, TButton::None, key};
    };
    switch (id) {
    case TActionId::Tags:
        return click(TButton::btnTags);
    case TActionId::Crop:
        return click(TButton::BtnSave);
    case TActionId::Previous:
        return click(TButton::BtnPrevious);
    case TActionId::Next:
        return click(TButton::btnNext);
    case TActionId::RotLeft:
        return click(TButton::BtnRotLeft);
    case TActionId::RotRight:
        return click(TButton::BtnRotRight);
    case TActionId::Rotate:
        return click(TButton::BtnRotate);
    case TActionId::Mirror:
        return click(TButton::BtnFlip);
    case TActionId::Invert:
        return click(TButton::BtnInvert);
    case TActionId::Help:
        return {K::ShowHideHelp};
    case TActionId::Left:
        return arrow(TKey::Left);
    case TActionId::Up:
        return arrow(TKey::Up);
    case TActionId::Down:
        return arrow(TKey::Down);
    case TActionId::Right:
        return arrow(TKey::Right);
    case TActionId::PreviousPgUp:
        return imageHasFocus ? click(TButton::BtnPrevious)
                             : TActionEffect{K::ForwardKey, TButton::None, TKey::PageUp};
    case TActionId::NextPgDn:
        return imageHasFocus ? click(TButton::btnNext)
                             : TActionEffect{K::ForwardKey, TButton::None, TKey::PageDown};
    case TActionId::OnlySave:
        return {K::OnlySave};
    case TActionId::Escape:
        return {K::Escape};
    case TActionId::Reload:
        return {K::Reload};
    case TActionId::Place:
        return click(TButton::BtnPlace);
    case TActionId::NextPicture:
        return click(TButton::BtnStrip);
    case TActionId::PreviousPicture:
        return {K::PreviousPicture};
    }
    return {K::Escape};
}

TKeyDownResult KeyDownCommand(TKey key, TShiftState shift, const TKeyDownState& state) {
    const bool letter = key >= TKey::A && key <= TKey::Z;
    if (state.ImageHasFocus && shift == ssShift && state.ChkNoModif && letter) {
        // Only a command with Ctrl+Shift has a Shift letter; other Shift letters go on.
        const TShortcutMatch match = MatchShortcut(ssCtrl | ssShift, key);
        if (match.Found && ActionEffect(match.Id, true).Kind == TEffectKind::PreviousPicture)
            return {TKeyCommand::PreviousPicture};
        return {};
    }
    if (!state.ImageHasFocus || shift != 0)
        return {};
    if (key == TKey::Space)
        return state.ChkSpace ? TKeyDownResult{TKeyCommand::Click, TButton::BtnSave}
                              : TKeyDownResult{};
    if (key == TKey::Backspace)
        return state.FileOpen ? TKeyDownResult{TKeyCommand::Reload} : TKeyDownResult{};
    if (!state.ChkNoModif)
        return {};
    // A letter acts as the action whose shortcut is that letter with Ctrl or Alt (L as
    // Ctrl+L, A as Alt+A), Enter as Ctrl+Enter while Chk_CtrlEnter is ticked.
    if (!letter && !(key == TKey::Enter && state.ChkCtrlEnter))
        return {};
    for (const TShiftState modifier : {ssCtrl, ssAlt}) {
        const TShortcutMatch match = MatchShortcut(modifier, key);
        if (!match.Found)
            continue;
        const TActionEffect effect = ActionEffect(match.Id, true);
        if (effect.Kind == TEffectKind::ClickButton)
            return {TKeyCommand::Click, effect.Button};
        if (effect.Kind == TEffectKind::OnlySave)
            return {TKeyCommand::OnlySave};
    }
    return {};
}

TTabCommand TabCommand(TShiftState shift, bool imageHasFocus, int pageIndex, bool chkTabNext) {
    using C = TTabCommand;
    if (imageHasFocus) {
        switch (shift) {
        case ssCtrl:
            return C::FocusPageControlTab0;
        case ssCtrl | ssShift:
            return C::FocusPageControlTab1;
        case 0:
            return chkTabNext ? C::ClickNext : C::Nothing;
        case ssShift:
            return chkTabNext ? C::ClickPrevious : C::Nothing;
        default:
            return C::Nothing;
        }
    }
    if (shift == ssCtrl)
        return pageIndex == 0 ? C::SelectTab1 : C::FocusImage;
    if (shift == (ssCtrl | ssShift))
        return pageIndex == 0 ? C::FocusImage : C::SelectTab0;
    return C::Nothing;
}

TWheelSteps WheelSteps(int delta, TShiftState shift, bool trackBarsEnabled) {
    TWheelSteps steps;
    if (!trackBarsEnabled)
        return steps;
    bool applied = false;
    if (shift & ssShift)
        steps.Brightness = delta / 8, applied = true;
    if (shift & ssCtrl)
        steps.SContrast = delta / 4, applied = true;
    if (shift & ssAlt)
        steps.Gamma = delta / 16, applied = true;
    steps.Consumed = applied && delta != 0;
    return steps;
}

std::string_view ResetCaption(int trackBar) {
    switch (trackBar) {
    case 1:
        return logic_texts::ResetBrightness();
    case 2:
        return logic_texts::ResetSContrast();
    case 3:
        return logic_texts::ResetGamma();
    default:
        return logic_texts::Reset();
    }
}

} // namespace vantrel
