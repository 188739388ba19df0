// SPDX-License-Identifier: MIT
#pragma once

// The window tests' fixture: a shown, active main window whose settings files live in a folder
// of the test's own. Images are installed as a load's completion would (Load), or loaded for
// real from files written by libtiff (Write, OpenThroughDialog, WaitForJobs). Messages and
// settings problems are collected instead of shown, so that nothing blocks.

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "pipeline/jobs/DisplayWorker.h"
#include "pipeline/kernels/ViewBitmap.h"
#include "platform/Paths.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/support/TempDir.h"
#include "tests/ui/form1/Form1Probe.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {

// Threads that wait for Release before they run, so that a test sees the window while a
// job is under way. They are released at the latest when this object goes, so that a test
// that fails early never leaves the window waiting for them.
class THeldThreads {
public:
    THeldThreads() = default;
    THeldThreads(const THeldThreads&) = delete;
    THeldThreads& operator=(const THeldThreads&) = delete;
    ~THeldThreads() { Release(); }

    [[nodiscard]] TThreadStarter Starter() const {
        return [future = FFuture](std::function<void()> fn) {
            return std::thread([future, fn = std::move(fn)] {
                future.wait();
                fn();
            });
        };
    }
    void Release() {
        if (!std::exchange(FReleased, true))
            FPromise.set_value();
    }

private:
    std::promise<void> FPromise;
    std::shared_future<void> FFuture = FPromise.get_future().share();
    bool FReleased = false;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        // Every test starts as a first run, with its settings files in a folder of its own.
        SettingsFolder = std::make_unique<test::TTempDir>();
        Settings.Folder = SettingsFolder->Path();
        Settings.ShowProblem = [this](const QString& message) { Problems << message; };
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
        // A first run opens the help pane in place of the view; most tests look at the view.
        if (CloseHelpAtStart)
            Form->HideHelp();
    }
    void TearDown() override {
        Form.reset(); // writes the settings files
        SettingsFolder.reset();
        QLocale::setDefault(QLocale::c());
    }

    /// Ends the run (writing the settings files) and starts the program again with Settings.
    void Restart() {
        Form.reset();
        ASSERT_NO_FATAL_FAILURE(OpenWindow());
    }

    // --- Images installed directly ---

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

    // --- Jobs on files on disk ---

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
#if defined(_WIN32)
        // libtiff opens through the narrow Windows API, which stops at 260 characters: the file
        // is written under a short name and moved into place.
        const std::string shortPath = Dir.File("written-by-libtiff.tif");
        Written[path] = test::WriteWithLibTIFF(shortPath, image);
        std::filesystem::rename(PathFromUtf8(shortPath), PathFromUtf8(path));
#else
        Written[path] = test::WriteWithLibTIFF(path, image);
#endif
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
        Form->ClickIfEnabled(Probe(*Form).BtnOpen, Probe(*Form).BtnOpen);
        if (wait) {
            ASSERT_TRUE(WaitForJobs());
        }
    }

    /// The samples the window holds, to compare with words written or expected.
    [[nodiscard]] std::vector<uint16_t> WindowWords() const {
        return {Probe(*Form).FOriginalWords->begin(), Probe(*Form).FOriginalWords->end()};
    }

    [[nodiscard]] std::string Title() const {
        return Form->windowTitle().toStdString();
    }
    [[nodiscard]] bool Busy() const {
        return !Probe(*Form).BtnOpen->isEnabled();
    }

    // --- Commands and input ---

    /// Replaces the click handlers of the command buttons and the job commands by records of
    /// their names; a batch of three files with the second shown.
    void RecordCommands() {
        TForm1& f = *Form;
        for (QPushButton* b : {Probe(f).BtnSave, Probe(f).BtnPrevious, Probe(f).btnNext,
                               Probe(f).BtnRotLeft, Probe(f).BtnRotRight, Probe(f).BtnRotate,
                               Probe(f).BtnFlip, Probe(f).BtnInvert, Probe(f).btnTags})
            f.SetClickHandler(
                b, [this, b](QObject*) { Commands.push_back(b->objectName().toStdString()); });
        Probe(f).ReloadCommand = [this] { Commands.push_back("Reload"); };
        Probe(f).OnlySaveCommand = [this] { Commands.push_back("OnlySave"); };
        TForm1Probe p = Probe(f);
        p.FBatch.Assign({"/scans/a.tif", "/scans/b.tif", "/scans/c.tif"});
        p.FBatch.OpenAt(1);
        f.UpdateButtons();
    }

    /// The commands recorded since the last call.
    std::vector<std::string> Taken() {
        return std::exchange(Commands, {});
    }

    /// One wheel turn of `delta` (120 per notch) over `target`.
    static void Wheel(QWidget* target, int delta) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          QApplication::keyboardModifiers(), Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    /// Left open by the tests of the first run's help pane.
    bool CloseHelpAtStart = true;
    std::unique_ptr<test::TTempDir> SettingsFolder;
    TSettingsEnvironment Settings; // the settings folder and a recorder of problems
    std::unique_ptr<TForm1> Form;
    test::TTempDir Dir; // files for the jobs
    std::map<std::string, std::vector<uint16_t>> Written;
    std::vector<std::string> Messages; // messages the window showed
    QStringList Problems;              // settings problems shown to the user
    std::vector<std::string> Commands; // see RecordCommands

private:
    void OpenWindow() {
        Form = std::make_unique<TForm1>(Settings);
        Form->ShowMessage = [this](const std::string& text) { Messages.push_back(text); };
        Form->SetSmoothView(false);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }
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
