// SPDX-License-Identifier: MIT
#pragma once

// Keyboard and wheel routing as data and pure functions, free of Qt, so that every rule can be
// tested without a window. ui/widgets/KeyEvents.h turns Qt events into these plain values. The
// window (TForm1) wires them up:
//
//  * Actions: one QAction per entry of Actions(), with objectName TActionDef::Name and the
//    shortcuts ActionShortcuts(id) (KeyEvents.h). When an action fires, ActionEffect(id,
//    FImageHasFocus) says what to do: click a button (ClickIfEnabled, no sender), move the
//    frame one ArrowStep, forward the key to the focused control, or run a command.
//  * FormKeyDown / FormKeyUp: LastShiftState := ShiftStateOf(event->modifiers()); then, for a
//    press, KeyDownCommand(KeyFromEvent(*event), LastShiftState, state); a result other than
//    TKeyCommand::None consumes the key. KeyFromEvent finds letters by the physical key, so a
//    Russian layout gives the same commands.
//  * Tab (application event filter, only while a view bitmap exists): TabCommand; the key is
//    always consumed.
//  * Wheel (application event filter): WheelSteps(angleDelta().y(), LastShiftState,
//    trackBarsEnabled); add the steps to the three track bars (which clamp to their ranges)
//    and consume the event when Consumed is set.
//  * Reset menu of the track bars: N3's caption is ResetCaption(1, 2 or 3).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/logic/ShiftState.h"

namespace vantrel {

// Modifier bits of LastShiftState: ui/logic/ShiftState.h.

/// Keys by position. Letters are the US-layout letter of the physical key.
enum class TKey : uint8_t {
    None,
    Left,
    Up,
    Right,
    Down,
    PageUp,
    PageDown,
    Enter,
    Space,
    Backspace,
    Tab,
    Escape,
    F1,
    F12,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
};

/// The letter key for 'A'..'Z' (either case); TKey::None for anything else.
[[nodiscard]] TKey LetterKey(char32_t latin);

/// The letter of the physical key from an X11 key code (the evdev scan code + 8, what Qt
/// reports as the native scan code under xcb); TKey::None when it is not a letter key.
[[nodiscard]] TKey LetterFromX11Keycode(uint32_t keycode);

/// The X11 key code of the key with the Windows scan code `scanCode` as Windows' key messages
/// give it (the set-1 make code, 0x100 added for the extended keys): the keys of the main block
/// have their X11 key code 8 above; 0 for the extended keys and for no scan code.
[[nodiscard]] uint32_t X11KeycodeOfWindowsScanCode(uint32_t scanCode);

/// The letter of the key that types `character`: Latin letters stand for themselves, Cyrillic
/// letters of the standard Russian layout for the US letter on the same key ("к" → R, "д" →
/// L). Used when no scan code is available (offscreen platform, synthetic events).
[[nodiscard]] TKey LetterFromCharacter(char32_t character);

/// The letter pressed: the scan code decides when it is known, else the typed character.
[[nodiscard]] TKey PhysicalLetter(uint32_t x11Keycode, char32_t character);

// ----------------------------------------------------------------------------------------
// Actions

enum class TActionId : uint8_t {
    Tags,
    Crop,
    Previous,
    Next,
    RotLeft,
    RotRight,
    Rotate,
    Mirror,
    Invert,
    Help,
    Left,
    Up,
    Down,
    Right,
    PreviousPgUp,
    NextPgDn,
    OnlySave,
    Escape,
    Reload,
    Place,           // the frame onto the picture the detector finds
    NextPicture,     // the frame onto the next picture of a strip scan
    PreviousPicture, // the frame onto the picture before it
};

struct TShortcut {
    TShiftState Shift;
    TKey Key;
    friend bool operator==(const TShortcut&, const TShortcut&) = default;
};

struct TActionDef {
    TActionId Id;
    std::string_view Name;     // the action's component name ("Crop", "NextPgDn", ...)
    std::string_view Category; // "Tags", "ExtremalAlt", "TransformCtrl", "Arrow" or ""
    std::string_view Handler;  // "ExecuteAlt", "ArrowExecute", ...
    std::vector<TShortcut> Shortcuts;
};

/// The actions of ActionList1 in their list order.
[[nodiscard]] const std::vector<TActionDef>& Actions();
[[nodiscard]] const TActionDef& ActionDef(TActionId id);

/// "Ctrl+Shift+Alt+Left", "Alt+C", "PgDown", "F1": the portable text QKeySequence parses.
[[nodiscard]] std::string ShortcutText(const TShortcut& shortcut);

/// The action whose shortcut is exactly (shift, key), if any; TActionId is wrapped in a
/// success flag because most keys have none.
struct TShortcutMatch {
    bool Found;
    TActionId Id;
};
[[nodiscard]] TShortcutMatch MatchShortcut(TShiftState shift, TKey key);

/// Buttons a key may click (through ClickIfEnabled, so a disabled button ignores it).
enum class TButton : uint8_t {
    None,
    BtnSave,
    BtnPrevious,
    btnNext,
    BtnRotLeft,
    BtnRotRight,
    BtnRotate,
    BtnFlip,
    BtnInvert,
    btnTags,
    BtnPlace, // the frame onto the picture
    BtnStrip, // the frame onto the next picture of the scan (Shift: the one before)
};

/// What a fired action does.
enum class TEffectKind : uint8_t {
    ClickButton, // click Button
    MoveFrame,   // move the crop frame one ArrowStep towards Key (Left/Up/Right/Down)
    ForwardKey,  // hand Key on to the focused control (ForwardKey)
    ShowHideHelp,
    Escape,
    Reload,
    OnlySave,
    PreviousPicture, // as a Shift-click of BtnStrip, while it is enabled
};
struct TActionEffect {
    TEffectKind Kind;
    TButton Button = TButton::None;
    TKey Key = TKey::None;
    friend bool operator==(const TActionEffect&, const TActionEffect&) = default;
};
[[nodiscard]] TActionEffect ActionEffect(TActionId id, bool imageHasFocus);

// ----------------------------------------------------------------------------------------
// FormKeyDown

struct TKeyDownState {
    bool ImageHasFocus = false;
    bool FileOpen = false;    // the file list is not empty and FCurrentIndex >= 0
    bool ChkSpace = true;     // Chk_Space
    bool ChkNoModif = false;  // Chk_NoModif
    bool ChkCtrlEnter = true; // Chk_CtrlEnter
};

enum class TKeyCommand : uint8_t {
    None,            // not handled: the key goes on to the focused control
    Click,           // click Button
    Reload,          // reload the current file through OpenFileAt
    OnlySave,        // start the save job without cropping, directly
    PreviousPicture, // the frame onto the picture before, as TEffectKind::PreviousPicture
};
struct TKeyDownResult {
    TKeyCommand Command = TKeyCommand::None;
    TButton Button = TButton::None;
    friend bool operator==(const TKeyDownResult&, const TKeyDownResult&) = default;
};
/// The window's own handling of a key press (after the shortcuts): Space, Backspace and the
/// no-modifier letters while the image has the focus and no modifier is held. A letter (and
/// Enter) does what the action does whose shortcut is that key with Ctrl or Alt, so an action
/// with such a shortcut has its plain letter too; a letter with Shift alone acts as the action
/// whose shortcut is that letter with Ctrl and Shift.
[[nodiscard]] TKeyDownResult KeyDownCommand(TKey key, TShiftState shift,
                                            const TKeyDownState& state);

// ----------------------------------------------------------------------------------------
// Tab

enum class TTabCommand : uint8_t {
    Nothing,              // consumed, no effect
    ClickNext,            // click btnNext
    ClickPrevious,        // click BtnPrevious
    FocusPageControlTab0, // focus the page control and select "Обрезка"
    FocusPageControlTab1, // focus the page control and select "Настройки"
    SelectTab0,           // select "Обрезка", focus stays
    SelectTab1,           // select "Настройки", focus stays
    FocusImage,           // give the image the focus as a click at (0, 0) does
};
/// Tab while a view bitmap exists; `shift` is LastShiftState compared as a whole set.
[[nodiscard]] TTabCommand TabCommand(TShiftState shift, bool imageHasFocus, int pageIndex,
                                     bool chkTabNext);

// ----------------------------------------------------------------------------------------
// Wheel

struct TWheelSteps {
    int Brightness = 0; // TrackBar1
    int SContrast = 0;  // TrackBar2
    int Gamma = 0;      // TrackBar3
    bool Consumed = false;
    friend bool operator==(const TWheelSteps&, const TWheelSteps&) = default;
};
/// The change of each track bar for a wheel distance `delta` (120 per notch): Shift adds
/// delta/8 to brightness, Ctrl delta/4 to the S-contrast, Alt delta/16 to gamma, truncating
/// toward zero. Consumed when a modifier acted and delta is not 0.
[[nodiscard]] TWheelSteps WheelSteps(int delta, TShiftState shift, bool trackBarsEnabled);

/// Caption of the reset item N3 for track bar 1, 2 or 3 ("Сбросить яркость", ...).
[[nodiscard]] std::string_view ResetCaption(int trackBar);

} // namespace vantrel
