// SPDX-License-Identifier: MIT
#pragma once

// The window with its settings files, keys and panes: restarts within one test's settings
// folder, and command buttons that record their clicks instead of starting jobs.

#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "tests/ui/form1/WindowFixture.h"

namespace vantrel {

class WireUiTest : public WindowTest {
protected:
    WireUiTest() {
        CloseHelpAtStart = false; // the first run's help pane is ours to test
        ShowSettingsProblem = [this](const QString& message) { Problems << message; };
    }
    ~WireUiTest() override { ShowSettingsProblem = nullptr; }

    /// Ends the run (writing the settings files) and starts the program again.
    void Restart() {
        Form.reset();
        LastShiftState = 0;
        Form = std::make_unique<TForm1>();
        Form->SetSmoothView(false);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    /// Replaces the click handlers of the command buttons and the job commands by records of
    /// their names; a batch of three files with the second shown.
    void RecordCommands() {
        TForm1& f = *Form;
        for (QPushButton* b : {f.BtnSave, f.BtnPrevious, f.btnNext, f.BtnRotLeft, f.BtnRotRight,
                               f.BtnRotate, f.BtnFlip, f.BtnInvert, f.btnTags})
            f.SetClickHandler(
                b, [this, b](QObject*) { Commands.push_back(b->objectName().toStdString()); });
        f.ReloadCommand = [this] { Commands.push_back("Reload"); };
        f.OnlySaveCommand = [this] { Commands.push_back("OnlySave"); };
        f.FFileList = {"/scans/a.tif", "/scans/b.tif", "/scans/c.tif"};
        f.FCurrentIndex = 1;
        f.UpdateButtons();
    }

    /// The commands recorded since the last call.
    std::vector<std::string> Taken() { return std::exchange(Commands, {}); }

    /// One wheel turn of `delta` (120 per notch) over `target`.
    static void Wheel(QWidget* target, int delta) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          QApplication::keyboardModifiers(), Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    std::vector<std::string> Commands;
    QStringList Problems; // settings problems shown to the user
};

} // namespace vantrel
