// SPDX-License-Identifier: MIT
#pragma once

// A shown main window whose jobs run for real on files on disk; messages are collected
// instead of shown, so that nothing blocks.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "pipeline/DisplayWorker.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/support/TempDir.h"
#include "ui/form1/Unit1.h"

namespace vantrel {

class JobWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        LastShiftState = 0;
        TemplateWidth = 0;
        TemplateHeight = 0;
        CurrentFileTags.clear();
        // Settings files of the test's own; the first run's help pane is closed at once.
        SettingsFolder = std::make_unique<test::TTempDir>();
        SettingsFolderOverride = SettingsFolder->Path();
        Form = std::make_unique<TForm1>();
        Form->ShowMessage = [this](const std::string& text) { Messages.push_back(text); };
        Form->SetSmoothView(false);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        Form->HideHelp();
    }
    void TearDown() override {
        Form.reset();
        SettingsFolderOverride.clear();
        SettingsFolder.reset();
        LastShiftState = 0;
        CurrentFileTags.clear();
    }

    /// Runs the event loop until no job and no render pass is left.
    [[nodiscard]] bool WaitForJobs(int timeoutMs = 60000) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (Form->RunningJobs() == 0 && !Form->DisplayWorker().WorkerBusy())
                break;
            if (clock.elapsed() > timeoutMs)
                return false;
        }
        QCoreApplication::processEvents();
        return true;
    }

    /// A file written by libtiff; the words written are kept by path.
    std::string Write(const std::string& name, test::TLibTIFFImage image) {
        const std::string path = Dir.File(name);
        Written[path] = test::WriteWithLibTIFF(path, image);
        return path;
    }
    static test::TLibTIFFImage Grey(uint32_t w, uint32_t h) {
        test::TLibTIFFImage image;
        image.Width = w;
        image.Height = h;
        image.Samples = 1;
        return image;
    }
    static test::TLibTIFFImage Rgb(uint32_t w, uint32_t h) {
        test::TLibTIFFImage image = Grey(w, h);
        image.Samples = 3;
        return image;
    }

    /// Opens a batch as the open dialog would hand it over, and waits for its first load.
    void OpenThroughDialog(std::vector<std::string> paths, bool wait = true) {
        Form->ChooseFilesToOpen = [paths](const std::string&) { return paths; };
        Form->ClickIfEnabled(Form->BtnOpen, Form->BtnOpen);
        if (wait) {
            ASSERT_TRUE(WaitForJobs());
        }
    }

    /// The samples the window holds, to compare with words written or expected.
    [[nodiscard]] std::vector<uint16_t> WindowWords() const {
        return {Form->FOriginalWords->begin(), Form->FOriginalWords->end()};
    }

    [[nodiscard]] std::string Title() const { return Form->windowTitle().toStdString(); }
    [[nodiscard]] bool Busy() const { return !Form->BtnOpen->isEnabled(); }

    test::TTempDir Dir;
    std::map<std::string, std::vector<uint16_t>> Written;
    std::unique_ptr<TForm1> Form;
    std::unique_ptr<test::TTempDir> SettingsFolder;
    std::vector<std::string> Messages;
};

/// The words of the w × h rectangle at (x, y) of an image `width` wide.
inline std::vector<uint16_t> Rect(std::span<const uint16_t> words, int width, int samples, int x,
                                  int y, int w, int h) {
    std::vector<uint16_t> out;
    for (int row = y; row < y + h; ++row)
        for (int i = 0; i < w * samples; ++i)
            out.push_back(words[size_t((row * width + x) * samples + i)]);
    return out;
}

} // namespace vantrel
