// SPDX-License-Identifier: MIT
// How long the window's UI thread goes without turning its event loop while a 9000 × 6000 RGB
// scan loads, turns, saves (with the reload of the saved file) and is rendered again for a
// track bar. A 1 ms timer ticks on the UI thread; the longest gap between two ticks is the
// longest the window was unresponsive. The baseline is the same timer with nothing running.
// Goal: every gap under 50 ms.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSlider>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <tiffio.h>
#include <vector>

#include "pipeline/jobs/DisplayWorker.h"
#include "tests/ui/form1/Form1Probe.h"
#include "ui/form1/Unit1.h"

namespace vantrel {
namespace {

constexpr int32_t ScanWidth = 9000;
constexpr int32_t ScanHeight = 6000;

std::string ScanPath() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "vantrel-bench-ui-gap";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "scan.tif").string();
        // Written by libtiff: one strip per 64 rows, uncompressed 16-bit RGB.
        TIFF* tif = TIFFOpen(file.c_str(), "w");
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(ScanWidth));
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(ScanHeight));
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(16));
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3));
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_RGB));
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
        TIFFSetField(tif, TIFFTAG_COMPRESSION, uint16_t(COMPRESSION_NONE));
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(64));
        std::vector<uint16_t> row(size_t(ScanWidth) * 3);
        for (int32_t y = 0; y < ScanHeight; ++y) {
            for (size_t i = 0; i < row.size(); ++i)
                row[i] = uint16_t((i + size_t(y) * 7) * 2654435761u >> 7);
            TIFFWriteScanline(tif, row.data(), uint32_t(y), 0);
        }
        TIFFClose(tif);
        return file;
    }();
    return path;
}

// The window lives until main() ends it, before the application goes.
std::unique_ptr<TForm1> GForm;

TForm1& Window() {
    if (!GForm) {
        GForm = std::make_unique<TForm1>();
        GForm->ShowMessage = [](const std::string& text) {
            std::fprintf(stderr, "message: %s\n", text.c_str());
        };
        GForm->show();
    }
    return *GForm;
}

bool Idle(TForm1& form) {
    return form.RunningJobs() == 0 && !form.DisplayWorker().WorkerBusy();
}

struct TGaps {
    double LongestMs = 0;
    double TotalMs = 0;
};

// Starts `job` from inside the event loop and turns the loop until the window is idle again
// (or, with no job, for `minimumMs`), timing the gaps between the ticks of a 1 ms timer.
TGaps MeasureGaps(const std::function<void()>& job, int minimumMs = 0) {
    TForm1& form = Window();
    QEventLoop loop;
    QElapsedTimer clock;
    TGaps gaps;
    qint64 last = 0;
    bool started = !job;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.LongestMs = std::max(gaps.LongestMs, (now - last) / 1e6);
        last = now;
        if (started && Idle(form) && now / 1e6 >= minimumMs)
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        if (job)
            job();
        started = true;
    });
    clock.start();
    tick.start();
    loop.exec();
    gaps.TotalMs = clock.nsecsElapsed() / 1e6;
    return gaps;
}

void Report(benchmark::State& state, const std::function<void()>& job, int minimumMs = 0) {
    double longest = 0;
    for (auto _ : state) {
        const TGaps gaps = MeasureGaps(job, minimumMs);
        longest = std::max(longest, gaps.LongestMs);
        state.SetIterationTime(gaps.TotalMs / 1e3);
    }
    state.counters["longest_gap_ms"] = longest;
}

void EnsureLoaded() {
    TForm1& form = Window();
    if (form.HasImage() && Probe(form).FInputFile == ScanPath())
        return;
    MeasureGaps([&] { form.OpenBatch({ScanPath()}, ""); });
}

void BM_Baseline_Idle(benchmark::State& state) {
    Window();
    Report(state, nullptr, 500);
}

void BM_Load(benchmark::State& state) {
    TForm1& form = Window();
    (void)ScanPath();
    Report(state, [&] { form.OpenBatch({ScanPath()}, ""); });
}

void BM_Turn90(benchmark::State& state) {
    EnsureLoaded();
    TForm1& form = Window();
    Report(state, [&] { form.PerformImageTransform(TTransformType::tt90CW); });
}

void BM_SaveWholeAndReload(benchmark::State& state) {
    EnsureLoaded();
    TForm1& form = Window();
    Probe(form).FOutputFolder =
        (std::filesystem::temp_directory_path() / "vantrel-bench-ui-gap" / "out").string() + "/";
    std::filesystem::create_directories(Probe(form).FOutputFolder);
    // Each save is of the scan: the reload before shows the saved copy of it, whose samples
    // are the scan's, so the window is pointed back at the scan as if it had loaded it.
    Report(state, [&] {
        Probe(form).FInputFile = ScanPath();
        Probe(form).FShownFile = ScanPath();
        form.CropByFrame(false);
    });
}

void BM_Rerender(benchmark::State& state) {
    EnsureLoaded();
    TForm1& form = Window();
    int position = 10;
    Report(state, [&] {
        position = -position;
        Probe(form).TrackBar1->setValue(position);
    });
}

BENCHMARK(BM_Baseline_Idle)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Turn90)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWholeAndReload)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rerender)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

void EndWindow() {
    GForm.reset();
}

} // namespace vantrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vantrel::EndWindow();
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "vantrel-bench-ui-gap");
    return 0;
}
