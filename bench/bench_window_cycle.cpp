// SPDX-License-Identifier: MIT
// The window's batch cycle end to end, offscreen, over a batch of 9000 × 6000 RGB 16-bit scans
// (324 MB each), every step from warm and from cold memory (bench/MemoryRegimes.h) and set
// against the floors of its kernels measured in the same regime of the same run
// (bench/BatchFloors.h):
// - Open: a new batch opened and its first scan shown (page cache warm); floor read + render.
// - Next_read_ahead: Tab to the next scan after the window has read it ahead and its pages have
//   been dropped from the page cache; floor render. Goal: at most 1.3 × the render.
// - Next_from_disk: Tab with nothing read ahead and the file's pages dropped; floor read of the
//   dropped file + render.
// - Next_cached: Tab with nothing read ahead, the file in the page cache; floor read + render.
// - Crop_save_reload: a 6000 × 4000 frame saved (with fsync) and the saved file shown; floor
//   write with fsync of the frame + read of the saved file + render of the frame.
// A step runs from Tab (or the command) until the new view is installed and painted. Before
// each step the window rests: no job, no render pass, the smooth copy of the view made, the
// read-ahead finished.
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "bench/BatchFloors.h"
#include "bench/MemoryRegimes.h"
#include "bench/RangeReporter.h"
#include "pipeline/crop/CropCore.h"
#include "pipeline/jobs/DisplayWorker.h"
#include "tests/ui/form1/Form1Probe.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/form1/Unit1.h"

namespace vantrel {
namespace {

using namespace vantrel::bench;
using TClock = std::chrono::steady_clock;

constexpr int32_t kFrameX = 1500, kFrameY = 1000, kFrameW = 6000, kFrameH = 4000;
constexpr int kTimeoutMs = 120000;
const char* const kSavedSuffix = "-cycle";

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

const std::string& Folder() {
    static const std::string folder =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "data").string();
    return folder;
}

// Three scans of the same samples in files of their own.
const std::vector<std::string>& Batch() {
    static const std::vector<std::string> batch = [] {
        const std::string first = BatchScan(Folder());
        std::vector<std::string> files = {first};
        for (const char* name : {"/cycle-2.tif", "/cycle-3.tif"}) {
            const std::string copy = Folder() + name;
            if (!std::filesystem::exists(copy))
                std::filesystem::copy_file(first, copy);
            files.push_back(copy);
        }
        return files;
    }();
    return batch;
}

TLoadedTIFF LoadFile(const std::string& path) {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    return tiff.LoadTIFFAsWords(path);
}

struct TFloorImage {
    TSharedWords Words;
    int32_t Width = 0, Height = 0, Samples = 0;
};

TFloorImage FloorImage(const std::string& path) {
    TLoadedTIFF loaded = LoadFile(path);
    return {std::make_shared<const TSampleWords>(std::move(loaded.PixelData)), loaded.Width,
            loaded.Height, loaded.SamplesPerPixel};
}

const TFloorImage& Scan() {
    static const TFloorImage image = FloorImage(Batch().front());
    return image;
}

// The file a save of the frame writes, for the floors of the reload.
const std::string& FrameFile() {
    static const std::string path = [] {
        const std::string file = Folder() + "/cycle-frame.tif";
        if (!std::filesystem::exists(file)) {
            TCatalogueTagDescriber describer;
            TCropTIFF tiff(describer);
            TLoadedTIFF loaded = tiff.LoadTIFFAsWords(Batch().front());
            TCropRequest request;
            request.Image = CurrentImageOf(std::move(loaded));
            request.Frame = ClampFrameToImage(kFrameX, kFrameY, kFrameW, kFrameH,
                                              request.Image.Width, request.Image.Height);
            request.SourceTags = tiff.GetAllTags();
            request.OutputFile = file;
            CropAndSave(request);
        }
        return file;
    }();
    return path;
}

const TFloorImage& Frame() {
    static const TFloorImage image = FloorImage(FrameFile());
    return image;
}

// Drops the file's pages from the page cache, as after a while of other work.
void Evict(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    (void)::fdatasync(fd);
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Pulls the file into the page cache.
void Cache(const std::string& path) {
    (void)ReadFloorSeconds(path);
}

// --- The window ---

std::unique_ptr<TForm1> GForm;
std::vector<std::string> GMessages;

const std::filesystem::path& SettingsFolder() {
    static const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                                ("vantrel-bench-cycle-" + std::to_string(getpid()));
    return folder;
}

TForm1& Window() {
    if (!GForm) {
        std::filesystem::create_directories(SettingsFolder());
        TSettingsEnvironment environment;
        environment.Folder = SettingsFolder();
        GForm = std::make_unique<TForm1>(environment);
        GForm->ShowMessage = [](const std::string& text) { GMessages.push_back(text); };
        GForm->resize(1280, 800);
        GForm->show();
        GForm->HideHelp();
        if (!QTest::qWaitForWindowExposed(GForm.get()))
            throw std::runtime_error("the window was not shown");
        GForm->activateWindow();
        if (!QTest::qWaitForWindowActive(GForm.get()))
            throw std::runtime_error("the window did not become active");
        Probe(*GForm).FOutputFolder = Folder() + "/";
        Probe(*GForm).EdPrefix->setText(QString());
        Probe(*GForm).EdPostfix->setText(QString::fromLatin1(kSavedSuffix));
    }
    return *GForm;
}

// Turns the event loop, waking every millisecond, until `done` holds; false on time-out.
bool TurnUntil(const std::function<bool()>& done) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] { loop.quit(); });
    tick.start();
    limit.start(kTimeoutMs);
    loop.exec();
    return done();
}

bool JobsDone(TForm1& form) {
    return form.RunningJobs() == 0 && !form.DisplayWorker().WorkerBusy();
}

// No job, no render pass, the smooth copy made, the read-ahead finished.
void Rest(TForm1& form) {
    if (!TurnUntil([&] { return JobsDone(form) && (!form.HasImage() || form.SmoothViewReady()); }))
        throw std::runtime_error("the window did not come to rest");
    Probe(form).FReadAhead->WaitUntilIdle();
    if (!GMessages.empty())
        throw std::runtime_error("the window said: " + GMessages.front());
}

// Times `command` until the window shows `file` (empty: the file the last save wrote) with no
// job left, the view painted.
double TimeUntilShown(TForm1& form, const std::string& file, const std::function<void()>& command) {
    const auto start = TClock::now();
    command();
    const std::string& shown = file.empty() ? Probe(form).FCroppedFile : file;
    if (!TurnUntil([&] { return JobsDone(form) && Probe(form).FShownFile == shown; }))
        throw std::runtime_error("the window did not show " + shown);
    Probe(form).ImageViewer->repaint();
    const double seconds = Since(start);
    if (!GMessages.empty())
        throw std::runtime_error("the window said: " + GMessages.front());
    return seconds;
}

// The batch open with its first scan shown, at rest.
void AtFirstScan(TForm1& form) {
    if (Probe(form).FShownFile != Batch().front() || Probe(form).FBatch.CurrentIndex() != 0)
        (void)TimeUntilShown(form, Batch().front(), [&] { form.OpenBatch(Batch(), Folder()); });
    Rest(form);
}

// Where a save of the first scan goes: beside it, the suffix added.
std::string Saved() {
    return Folder() + "/" + std::filesystem::path(Batch().front()).stem().string() + kSavedSuffix +
           ".tif";
}

void Tab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

double Open(TRegime regime) {
    TForm1& form = Window();
    Rest(form);
    Cache(Batch().front());
    EnterRegime(regime);
    return TimeUntilShown(form, Batch().front(), [&] { form.OpenBatch(Batch(), Folder()); });
}

double NextReadAhead(TRegime regime) {
    TForm1& form = Window();
    AtFirstScan(form);
    if (Probe(form).FReadAhead->HeldBytes() == 0)
        throw std::runtime_error("the next scan was not read ahead");
    Evict(Batch()[1]);
    EnterRegime(regime);
    return TimeUntilShown(form, Batch()[1], Tab);
}

double NextNotReadAhead(TRegime regime, bool evicted) {
    TForm1& form = Window();
    AtFirstScan(form);
    Probe(form).FReadAhead->Clear();
    if (evicted)
        Evict(Batch()[1]);
    else
        Cache(Batch()[1]);
    EnterRegime(regime);
    return TimeUntilShown(form, Batch()[1], Tab);
}

double CropSaveReload(TRegime regime) {
    TForm1& form = Window();
    AtFirstScan(form);
    form.WriteFrameSize(kFrameW, kFrameH);
    Probe(form).FFramePosInPixels = {kFrameX, kFrameY};
    Probe(form).FFrameSizeInPixels = {kFrameW, kFrameH};
    std::filesystem::remove(Saved());
    EnterRegime(regime);
    const double seconds = TimeUntilShown(form, "", [&] { form.CropByFrame(true); });
    if (Probe(form).FShownFile != Saved())
        throw std::runtime_error("the frame was saved elsewhere: " + Probe(form).FShownFile);
    if (Probe(form).FOriginalWidth != kFrameW || Probe(form).FOriginalHeight != kFrameH)
        throw std::runtime_error("the saved frame has the wrong size");
    return seconds;
}

// --- Registration and the table ---

struct TStep {
    const char* Name;
    std::function<double(TRegime)> Run;
    std::vector<const char*> Floors; // summed
};

const std::vector<TStep>& Steps() {
    static const std::vector<TStep> steps = {
        {"Floor_read",
         [](TRegime r) {
             Cache(Batch().front());
             EnterRegime(r);
             return ReadFloorSeconds(Batch().front());
         },
         {}},
        {"Floor_read_dropped",
         [](TRegime r) {
             Evict(Batch().front());
             EnterRegime(r);
             return ReadFloorSeconds(Batch().front());
         },
         {}},
        {"Floor_render",
         [](TRegime r) {
             EnterRegime(r);
             return RenderFloorSeconds(Scan().Words, Scan().Width, Scan().Height, Scan().Samples);
         },
         {}},
        {"Floor_frame_write_fsync",
         [](TRegime r) {
             EnterRegime(r);
             return WriteFloorSeconds(Folder(), Frame().Words->data(), Frame().Words->size() * 2);
         },
         {}},
        {"Floor_frame_read",
         [](TRegime r) {
             Cache(FrameFile());
             EnterRegime(r);
             return ReadFloorSeconds(FrameFile());
         },
         {}},
        {"Floor_frame_render",
         [](TRegime r) {
             EnterRegime(r);
             return RenderFloorSeconds(Frame().Words, Frame().Width, Frame().Height,
                                       Frame().Samples);
         },
         {}},
        {"Open", Open, {"Floor_read", "Floor_render"}},
        {"Next_read_ahead", NextReadAhead, {"Floor_render"}},
        {"Next_from_disk",
         [](TRegime r) { return NextNotReadAhead(r, true); },
         {"Floor_read_dropped", "Floor_render"}},
        {"Next_cached",
         [](TRegime r) { return NextNotReadAhead(r, false); },
         {"Floor_read", "Floor_render"}},
        {"Crop_save_reload",
         CropSaveReload,
         {"Floor_frame_write_fsync", "Floor_frame_read", "Floor_frame_render"}},
    };
    return steps;
}

void Register(TRegime regime) {
    for (const TStep& step : Steps()) {
        const std::string name = std::string(step.Name) + "/" + RegimeName(regime);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [regime, &step](benchmark::State& state) {
                                         (void)Frame();
                                         for (auto _ : state)
                                             state.SetIterationTime(step.Run(regime));
                                     })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3);
    }
}

void PrintTable(TRangeReporter& reporter) {
    std::printf("\nSeconds: median (min - max) of the repetitions; each step over the sum of its "
                "floors in the same regime, by the medians.\n");
    for (const TRegime regime : {TRegime::Warm, TRegime::Cold}) {
        const std::string r = RegimeName(regime);
        for (const TStep& step : Steps()) {
            const std::string name = std::string(step.Name) + "/" + r;
            std::vector<double> v = reporter.Seconds[name];
            if (v.empty())
                continue;
            std::sort(v.begin(), v.end());
            std::printf("  %-5s %-24s %.3f (%.3f - %.3f)", r.c_str(), step.Name,
                        reporter.Median(name), v.front(), v.back());
            double floor = 0;
            std::string floors;
            for (const char* f : step.Floors) {
                floor += reporter.Median(std::string(f) + "/" + r);
                floors += (floors.empty() ? "" : " + ") + std::string(f);
            }
            if (floor > 0)
                std::printf("   %.2f x (%s = %.3f)", reporter.Median(name) / floor, floors.c_str(),
                            floor);
            std::printf("\n");
        }
    }
}

} // namespace

void EndWindow() {
    GForm.reset();
    std::error_code error;
    std::filesystem::remove_all(SettingsFolder(), error);
    std::filesystem::remove(Saved(), error);
}

} // namespace vantrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vantrel::Register(vantrel::bench::TRegime::Warm);
    vantrel::Register(vantrel::bench::TRegime::Cold);
    benchmark::Initialize(&argc, argv);
    vantrel::bench::TRangeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    vantrel::PrintTable(reporter);
    benchmark::Shutdown();
    vantrel::EndWindow();
    return 0;
}
