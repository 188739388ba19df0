// SPDX-License-Identifier: MIT
// Keyboard and wheel commands. A key press passes, in this order: AppMessage (Tab while an
// image is loaded), the shortcuts of the action list (matched here by the physical key, so a
// Russian layout gives the same commands), FormKeyDown, and the focused control. The wheel
// with Shift, Ctrl or Alt moves the display track bars wherever the pointer is.
//
// The shortcuts are matched when Qt asks the focused control whether it wants the key
// (ShortcutOverride): a match runs the action there and the key's press is swallowed, so a
// spin box or the help pane never claims an arrow that the action list owns.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>

#include "ui/form1/Unit1.h"
#include "ui/logic/KeyMap.h"
#include "ui/widgets/KeyEvents.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

namespace {

constexpr const char* ActionIdProperty = "vantrelAction";

bool IsTab(const QKeyEvent& event) {
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

} // namespace

QPushButton* TForm1::CommandButton(TButton button) const {
    for (const TButtonRow& row : ButtonRows())
        if (button != TButton::None && row.Button == button)
            return qobject_cast<QPushButton*>(row.Control);
    return nullptr;
}

void TForm1::CreateActions() {
    for (const TActionDef& def : Actions()) {
        const QString name = FromUtf8(def.Name);
        QAction* action = nullptr;
        // The arrows' actions exist already with the crop frame.
        for (QAction* a : ArrowActions)
            if (a->objectName() == name)
                action = a;
        if (!action) {
            action = new QAction(this);
            action->setObjectName(name);
            action->setShortcuts(ActionShortcuts(def.Id));
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, [this, action] { ExecuteAction(action); });
            addAction(action);
        }
        action->setProperty(ActionIdProperty, int(def.Id));
        ActionList1.push_back(action);
    }
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
}

void TForm1::ExecuteAction(QAction* action) {
    const auto id = static_cast<TActionId>(action->property(ActionIdProperty).toInt());
    const TActionEffect effect = ActionEffect(id, FImageHasFocus);
    switch (effect.Kind) {
    case TEffectKind::ClickButton:
        ClickIfEnabled(CommandButton(effect.Button), nullptr);
        break;
    case TEffectKind::MoveFrame:
        ArrowExecute(action);
        break;
    case TEffectKind::ForwardKey:
        if (std::find(ArrowActions.begin(), ArrowActions.end(), action) != ArrowActions.end())
            ArrowExecute(action);
        else
            ForwardKey(QtKeyOf(effect.Key));
        break;
    case TEffectKind::ShowHideHelp:
        HelpExecute();
        break;
    case TEffectKind::Escape:
        EscapeExecute();
        break;
    case TEffectKind::Reload:
        ReloadFromKey();
        break;
    case TEffectKind::OnlySave:
        OnlySaveExecute();
        break;
    case TEffectKind::PreviousPicture:
        PreviousPictureFromKey();
        break;
    }
}

void TForm1::ForwardKey(int key) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || key == Qt::Key_unknown)
        return;
    // The forwarded key goes straight to the control, past FormKeyDown and past the
    // shortcuts, which Qt tries again for a key press sent by the program: the actions step
    // aside meanwhile, or the key would come straight back here.
    FForwarding = true;
    std::vector<QAction*> stepped;
    for (QAction* a : ActionList1)
        if (a->isEnabled()) {
            a->setEnabled(false);
            stepped.push_back(a);
        }
    QKeyEvent press(QEvent::KeyPress, key, QApplication::keyboardModifiers());
    QKeyEvent release(QEvent::KeyRelease, key, QApplication::keyboardModifiers());
    QApplication::sendEvent(focus, &press);
    QApplication::sendEvent(focus, &release);
    for (QAction* a : stepped)
        a->setEnabled(true);
    FForwarding = false;
}

void TForm1::EscapeExecute() {
    if (HelpShown())
        HideHelp();
    if (TagPanelShown()) {
        ListViewHeight = TagPanelHeight();
        SetTagPanelHeight(0);
    }
}

void TForm1::ReloadFromKey() {
    if (ReloadCommand)
        ReloadCommand();
}

void TForm1::PreviousPictureFromKey() {
    // As a click, a key does nothing while the button is disabled.
    if (BtnStrip->isEnabled())
        StepStripPicture(false);
}

void TForm1::OnlySaveExecute() {
    if (OnlySaveCommand)
        OnlySaveCommand();
}

bool TForm1::AppMessage(QObject* watched, QEvent* event) {
    if (FForwarding)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && widget->window() == this &&
               WheelMessage(*static_cast<QWheelEvent*>(event));
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    // Act once per key, when it reaches the focused control of this window (or the window
    // itself when no control has the focus).
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    if (type == QEvent::KeyPress && FSwallowKeyPress) {
        FSwallowKeyPress = false; // the press of a key whose action has run
        return true;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus ? widget != focus : widget != this)
        return false;
    auto& key = *static_cast<QKeyEvent*>(event);

    if (type == QEvent::ShortcutOverride) {
        if (IsTab(key))
            return false;
        // An action runs before the key's press arrives: the step of an arrow and the other
        // commands read the modifiers as this key found them.
        LastShiftState = ShiftStateAfter(key, true);
        const TShortcutMatch match =
            MatchShortcut(ShiftStateOf(key.modifiers()), KeyFromEvent(key));
        if (!match.Found)
            return false;
        // Claimed here, so that no control and no shortcut of Qt's sees the key again.
        key.accept();
        FSwallowKeyPress = true;
        for (QAction* a : ActionList1)
            if (a->property(ActionIdProperty).toInt() == int(match.Id) && a->isEnabled())
                ExecuteAction(a);
        return true;
    }
    if (type == QEvent::KeyPress) {
        if (IsTab(key) && HasImage()) {
            TabKey();
            return true;
        }
        return FormKeyDown(key);
    }
    FormKeyUp(key);
    return false;
}

bool TForm1::FormKeyDown(const QKeyEvent& event) {
    LastShiftState = ShiftStateAfter(event, true);
    if (HasImage())
        RepaintView();
    TKeyDownState state;
    state.ImageHasFocus = FImageHasFocus;
    state.FileOpen = !FBatch.Empty() && FBatch.CurrentIndex() >= 0;
    state.ChkSpace = Chk_Space->isChecked();
    state.ChkNoModif = Chk_NoModif->isChecked();
    state.ChkCtrlEnter = Chk_CtrlEnter->isChecked();
    const TKeyDownResult result = KeyDownCommand(KeyFromEvent(event), LastShiftState, state);
    switch (result.Command) {
    case TKeyCommand::None:
        return false;
    case TKeyCommand::Click:
        ClickIfEnabled(CommandButton(result.Button), nullptr);
        return true;
    case TKeyCommand::Reload:
        ReloadFromKey();
        return true;
    case TKeyCommand::OnlySave:
        OnlySaveExecute();
        return true;
    case TKeyCommand::PreviousPicture:
        PreviousPictureFromKey();
        return true;
    }
    return false;
}

void TForm1::FormKeyUp(const QKeyEvent& event) {
    LastShiftState = ShiftStateAfter(event, false);
    if (HasImage())
        RepaintView();
}

bool TForm1::TabKey() {
    const TTabCommand command = TabCommand(LastShiftState, FImageHasFocus,
                                           PageControl1->currentIndex(), ChkTabNext->isChecked());
    switch (command) {
    case TTabCommand::Nothing:
        break;
    case TTabCommand::ClickNext:
        ClickIfEnabled(btnNext, nullptr);
        break;
    case TTabCommand::ClickPrevious:
        ClickIfEnabled(BtnPrevious, nullptr);
        break;
    case TTabCommand::FocusPageControlTab0:
    case TTabCommand::FocusPageControlTab1:
        PageControl1->setCurrentIndex(command == TTabCommand::FocusPageControlTab0 ? 0 : 1);
        PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
        break;
    case TTabCommand::SelectTab0:
        PageControl1->setCurrentIndex(0);
        break;
    case TTabCommand::SelectTab1:
        PageControl1->setCurrentIndex(1);
        break;
    case TTabCommand::FocusImage:
        ImageViewerMouseDown(Qt::LeftButton, Qt::NoModifier, 0, 0);
        break;
    }
    return true;
}

bool TForm1::WheelMessage(const QWheelEvent& event) {
    // Some platforms turn the wheel with Alt into a sideways one.
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const TWheelSteps steps = WheelSteps(delta, LastShiftState, TrackBar1->isEnabled());
    if (steps.Brightness != 0)
        TrackBar1->setValue(TrackBar1->value() + steps.Brightness);
    if (steps.SContrast != 0)
        TrackBar2->setValue(TrackBar2->value() + steps.SContrast);
    if (steps.Gamma != 0)
        TrackBar3->setValue(TrackBar3->value() + steps.Gamma);
    return steps.Consumed;
}

// --- Reset menu of the track bars ---

void TForm1::PopupMenu2Popup(QSlider* trackBar) {
    FPopupTrackBar = trackBar;
    const int number = trackBar == TrackBar1 ? 1 : trackBar == TrackBar2 ? 2 : 3;
    const std::string_view caption = ResetCaption(number);
    N3->setText(FromUtf8(caption));
}

void TForm1::N3Click() {
    if (FPopupTrackBar)
        FPopupTrackBar->setValue(0);
}

void TForm1::N4Click() {
    for (QSlider* t : {TrackBar1, TrackBar2, TrackBar3})
        t->setValue(0);
}

} // namespace vantrel
