// SPDX-License-Identifier: MIT
// Repaint of the image view for a 9000 × 6000 scan: the cached smooth copy against the direct
// stretched draw of the whole bitmap, in the same binary (offscreen).

#include <QApplication>
#include <QImage>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

#include "pipeline/kernels/ReduceView.h"
#include "pipeline/kernels/ViewBitmap.h"
#include "tests/ui/form1/Form1Probe.h"
#include "ui/form1/Unit1.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/AppStyle.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {
namespace {

constexpr int ScanWidth = 9000;
constexpr int ScanHeight = 6000;

std::unique_ptr<TViewBitmap> ScanBitmap() {
    auto b = std::make_unique<TViewBitmap>();
    b->Width = ScanWidth;
    b->Height = ScanHeight;
    b->BytesPerLine = (int64_t(ScanWidth) * 3 + 3) & ~int64_t(3);
    b->Pixels = std::make_unique<uint8_t[]>(size_t(b->BytesPerLine) * ScanHeight);
    for (int y = 0; y < ScanHeight; ++y) {
        uint8_t* row = b->Row(y);
        for (int64_t i = 0; i < int64_t(ScanWidth) * 3; ++i)
            row[i] = uint8_t((i * 7 + y * 3) & 0xFF);
    }
    return b;
}

/// One window with the scan installed, its view set to the size under test.
TForm1& Window(int viewWidth, int viewHeight) {
    static std::unique_ptr<TForm1> form;
    if (!form) {
        form = std::make_unique<TForm1>();
        form->show();
        TLoadedImage image;
        image.Words = std::make_shared<TSampleWords>(3, 0);
        image.Width = ScanWidth;
        image.Height = ScanHeight;
        image.Samples = 3;
        image.Photometric = 2;
        image.Bitmap = ScanBitmap();
        form->CompleteLoad(std::move(image), {}, false, "/scans/bench.tif", "");
    }
    Probe(*form).ImageViewer->setFixedSize(viewWidth, viewHeight);
    form->adjustSize();
    QCoreApplication::processEvents();
    return *form;
}

void RepaintView(benchmark::State& state, bool smooth) {
    TForm1& form = Window(int(state.range(0)), int(state.range(1)));
    form.SetSmoothView(smooth);
    if (smooth && !QTest::qWaitFor([&] { return form.SmoothViewReady(); }, 30000)) {
        state.SkipWithError("the smooth copy was not made");
        return;
    }
    // The paint itself, into an image like the window's backing store: the same paint
    // handler that repaint() runs, without the platform's flush to the screen.
    QImage target(Probe(form).ImageViewer->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        Probe(form).ImageViewer->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["view_w"] = Probe(form).ImageViewer->width();
    state.counters["view_h"] = Probe(form).ImageViewer->height();
}

void BM_RepaintCachedSmooth(benchmark::State& state) {
    RepaintView(state, true);
}
void BM_RepaintDirectStretch(benchmark::State& state) {
    RepaintView(state, false);
}

// The one-off cost of the smooth copy (made on its own thread, once per bitmap and size).
void BM_MakeSmoothCopy(benchmark::State& state) {
    static const std::unique_ptr<TViewBitmap> bitmap = ScanBitmap();
    const TViewLayout l =
        LayoutView(int(state.range(0)), int(state.range(1)), ScanWidth, ScanHeight);
    std::vector<uint32_t> out(size_t(l.DrawnWidth) * l.DrawnHeight);
    for (auto _ : state) {
        ReduceAreaAverage(*bitmap, l.DrawnWidth, l.DrawnHeight, out.data(), l.DrawnWidth);
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(BM_RepaintCachedSmooth)
    ->Args({800, 600})
    ->Args({1600, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintDirectStretch)
    ->Args({800, 600})
    ->Args({1600, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_MakeSmoothCopy)
    ->Args({800, 600})
    ->Args({1600, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace vantrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vantrel::ApplyAppStyle(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
