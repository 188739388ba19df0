// SPDX-License-Identifier: MIT
// Peak resident memory of the real window, one phase per process (a peak only ever grows):
//
//   window_memory PHASE SCAN
//
//   idle        the window shown, nothing loaded (Qt's own share)
//   load        SCAN opened through the open dialog, read and rendered
//   turn        load, then a 90° turn
//   render      load, then a brightness change rendered again
//   save-whole  load, then the whole image saved and the saved file loaded again
//   save-frame  load, then the frame saved and the saved file loaded again
//
// Runs under the offscreen platform unless QT_QPA_PLATFORM says otherwise. Prints one line:
//   PHASE words_before=B view_before=B words_after=B view_after=B peak_rss_kb=KB
// and, for the saves, before_reload_peak_rss_kb=KB: the peak when the reload of the saved file
// starts, that is of the load and the save alone.
// A message the window shows (a failed load or save) is printed and the exit status is 1.
// The settings files go to a temporary folder; a saved file is removed at the end.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "pipeline/jobs/DisplayWorker.h"
#include "tests/ui/form1/Form1Probe.h"
#include "ui/form1/Unit1.h"

namespace vantrel {
namespace {

constexpr int TimeoutMs = 600000;
// The smooth copy of the view is made once requests have rested this long; the wait after a
// phase covers it, so that its memory is part of the peak as it is in use.
constexpr int SettleMs = 500;
const char* const SavedSuffix = "-window-memory";

struct TFigures {
    uint64_t Words = 0;
    uint64_t View = 0;
};

TFigures Figures(TForm1& form) {
    TFigures f;
    if (Probe(form).FOriginalWords)
        f.Words = Probe(form).FOriginalWords->size() * sizeof(uint16_t);
    if (Probe(form).FCachedBitmap)
        f.View = uint64_t(Probe(form).FCachedBitmap->BytesPerLine) *
                 uint64_t(Probe(form).FCachedBitmap->Height);
    return f;
}

bool Idle(TForm1& form) {
    return form.RunningJobs() == 0 && !form.DisplayWorker().WorkerBusy();
}

// Turns the event loop until no job and no render pass is left, then for SettleMs more.
bool WaitForJobs(TForm1& form) {
    QElapsedTimer clock;
    clock.start();
    while (!Idle(form)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() > TimeoutMs)
            return false;
    }
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < SettleMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return Idle(form);
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // kilobytes on Linux
}

int Fail(const std::string& phase, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", phase.c_str(), why.c_str());
    return 1;
}

// Drives `form` through the phase; `saved` receives the file a save wrote. Returns the exit
// status.
int Drive(TForm1& form, const std::string& phase, const std::string& path,
          std::vector<std::string>& messages, std::string& saved) {
    const auto failed = [&](const std::string& step) {
        std::string why = step;
        for (const std::string& m : messages)
            why += "; message: " + m;
        return Fail(phase, why);
    };

    TFigures before;
    std::vector<long> starts; // peak RSS at each thread start of a save phase
    if (!WaitForJobs(form))
        return failed("the window did not settle");
    if (phase != "idle") {
        form.ChooseFilesToOpen = [&](const std::string&) { return std::vector{path}; };
        form.ClickIfEnabled(Probe(form).BtnOpen, Probe(form).BtnOpen);
        if (!WaitForJobs(form) || !messages.empty() || !form.HasImage())
            return failed("the scan did not load");
        before = Figures(form);
    }

    if (phase == "turn") {
        const int32_t width = Probe(form).FOriginalWidth;
        form.PerformImageTransform(TTransformType::tt90CW);
        if (!WaitForJobs(form) || !messages.empty() || Probe(form).FOriginalHeight != width)
            return failed("the turn did not complete");
    } else if (phase == "render") {
        // Weak, so that the driver does not keep the view it replaces.
        const std::weak_ptr<const TViewBitmap> view = Probe(form).FCachedBitmap;
        Probe(form).TrackBar1->setValue(40);
        if (!WaitForJobs(form) || !messages.empty() || !Probe(form).FCachedBitmap ||
            !view.expired())
            return failed("the view was not rendered again");
    } else if (phase == "save-whole" || phase == "save-frame") {
        // The saved file goes beside the scan under another name; the scan stays.
        Probe(form).EdPrefix->setText(QString());
        Probe(form).EdPostfix->setText(QString::fromLatin1(SavedSuffix));
        // The peak as each job's thread starts: at the second start (the reload the save's
        // completion begins) it is the peak of the load and the save alone.
        const TThreadStarter starter = form.ThreadStarter;
        form.ThreadStarter = [&, starter](std::function<void()> fn) {
            starts.push_back(PeakRssKb());
            return starter(std::move(fn));
        };
        form.CropByFrame(phase == "save-frame");
        saved = Probe(form).FCroppedFile;
        if (saved.empty() || saved == path)
            return failed("no separate target for the save");
        // The save's completion starts the reload of the saved file.
        if (!WaitForJobs(form) || !messages.empty() || Probe(form).FInputFile != saved ||
            !form.HasImage())
            return failed("the save and its reload did not complete");
    }

    if (!starts.empty() && starts.size() != 2)
        return failed("the save and its reload started " + std::to_string(starts.size()) +
                      " threads, not 2");
    const TFigures after = Figures(form);
    std::printf("%s words_before=%llu view_before=%llu words_after=%llu view_after=%llu "
                "peak_rss_kb=%ld",
                phase.c_str(), static_cast<unsigned long long>(before.Words),
                static_cast<unsigned long long>(before.View),
                static_cast<unsigned long long>(after.Words),
                static_cast<unsigned long long>(after.View), PeakRssKb());
    if (!starts.empty())
        std::printf(" before_reload_peak_rss_kb=%ld", starts[1]);
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}

int Run(const std::string& phase, const std::string& scan) {
    const std::vector<std::string> phases = {"idle",   "load",       "turn",
                                             "render", "save-whole", "save-frame"};
    if (std::find(phases.begin(), phases.end(), phase) == phases.end())
        return Fail(phase, "unknown phase");
    std::error_code error;
    const std::string path =
        scan.empty() ? std::string() : std::filesystem::absolute(scan, error).string();
    if (phase != "idle" && !std::filesystem::is_regular_file(path, error))
        return Fail(phase, "no scan at " + scan);

    const std::filesystem::path settings = std::filesystem::temp_directory_path() /
                                           ("vantrel-window-memory-" + std::to_string(getpid()));
    std::filesystem::create_directories(settings);

    std::vector<std::string> messages;
    std::string saved;
    int status = 0;
    TSettingsEnvironment environment;
    environment.Folder = settings;
    {
        TForm1 form(environment);
        form.ShowMessage = [&](const std::string& text) { messages.push_back(text); };
        form.resize(1280, 800);
        form.show();
        form.HideHelp();
        status = Drive(form, phase, path, messages, saved);
    }
    if (!saved.empty())
        std::filesystem::remove(saved, error);
    std::filesystem::remove_all(settings, error);
    return status;
}

} // namespace
} // namespace vantrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3 && !(argc == 2 && std::string(argv[1]) == "idle")) {
        std::fprintf(stderr,
                     "usage: window_memory idle|load|turn|render|save-whole|save-frame SCAN\n");
        return 2;
    }
    return vantrel::Run(argv[1], argc == 3 ? argv[2] : std::string());
}
