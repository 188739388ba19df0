// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "pipeline/ViewBitmap.h"
#include "tests/support/TempDir.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {

/// A shown, active main window; images are installed as a load's completion would.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        LastShiftState = 0;
        TemplateWidth = 0;
        TemplateHeight = 0;
        // Every test starts as a first run, with its settings files in a folder of its own.
        SettingsFolder = std::make_unique<test::TTempDir>();
        SettingsFolderOverride = SettingsFolder->Path();
        Form = std::make_unique<TForm1>();
        Form->SetSmoothView(false);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        // A first run opens the help pane in place of the view; these tests look at the view.
        if (CloseHelpAtStart)
            Form->HideHelp();
    }
    void TearDown() override {
        Form.reset(); // writes the settings files
        SettingsFolderOverride.clear();
        SettingsFolder.reset();
        QLocale::setDefault(QLocale::c());
        LastShiftState = 0;
    }

    /// A view bitmap filled with one grey value.
    static std::unique_ptr<TViewBitmap> Bitmap(int32_t w, int32_t h, uint8_t grey = 0x40) {
        auto b = std::make_unique<TViewBitmap>();
        b->Width = w;
        b->Height = h;
        b->BytesPerLine = (int64_t(w) * 3 + 3) & ~int64_t(3);
        b->Pixels = std::make_unique<uint8_t[]>(size_t(b->BytesPerLine) * h);
        std::fill_n(b->Pixels.get(), size_t(b->BytesPerLine) * h, grey);
        return b;
    }

    /// Installs an RGB image of w × h through the load completion. The words are a single
    /// pixel's worth (the window never reads them for drawing), and a large image gets a view
    /// a tenth of its size unless the test gives one, to keep the tests small.
    void Load(int32_t w, int32_t h, std::unique_ptr<TViewBitmap> bitmap = nullptr) {
        TLoadedImage image;
        auto words = std::make_shared<TSampleWords>(3, 0);
        image.Words = words;
        image.Width = w;
        image.Height = h;
        image.Samples = 3;
        image.Photometric = 2;
        image.Bitmap = bitmap                 ? std::move(bitmap)
                       : w > 2000 || h > 2000 ? Bitmap(w / 10, h / 10)
                                              : Bitmap(w, h);
        Form->CompleteLoad(std::move(image), {}, false, "/scans/roll 7/frame-01.tif", "");
    }

    bool CloseHelpAtStart = true;
    std::unique_ptr<test::TTempDir> SettingsFolder;
    std::unique_ptr<TForm1> Form;
};

} // namespace vantrel
