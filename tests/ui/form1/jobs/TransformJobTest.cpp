// SPDX-License-Identifier: MIT
// The transform buttons on a loaded file; the display track bars; closing while jobs run.

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <thread>

#include "pipeline/kernels/Render.h"
#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/ViewGeometry.h"
#include "ui/widgets/ImageBox.h"

namespace vantrel {
namespace {

using TransformJobTest = WindowTest;

TEST_F(TransformJobTest, FrameTurnsWithTheImage) {
    // A 100 × 50 image with the frame at (10, 5), 30 × 20.
    struct Case {
        const char* Button;
        TPoint Pos, Size;
        int Width, Rotation, Flips;
    } const cases[] = {
        {"BtnRotRight", {25, 10}, {20, 30}, 50, 90, 0},
        {"BtnRotLeft", {5, 60}, {20, 30}, 50, 270, 0},
        {"BtnRotate", {60, 25}, {30, 20}, 100, 180, 0},
        {"BtnFlip", {60, 5}, {30, 20}, 100, 0, 1},
        {"BtnInvert", {10, 5}, {30, 20}, 100, 0, 0},
    };
    const std::string file = Write("hundred.tif", Grey(100, 50));
    const std::vector<uint16_t>& words = Written[file];
    for (const Case& c : cases) {
        OpenThroughDialog({file});
        Form->WriteFrameSize(30, 20);
        Probe(*Form).FFramePosInPixels = {10, 5};
        Probe(*Form).FFrameSizeInPixels = {30, 20};
        const int lock = Form->LockState();
        const double ratio = Probe(*Form).FAspectRatio;
        QPushButton* button = Control<QPushButton>(*Form, c.Button);
        Form->ClickIfEnabled(button, button);
        EXPECT_TRUE(Busy());
        ASSERT_TRUE(WaitForJobs());
        SCOPED_TRACE(button->objectName().toStdString());
        ASSERT_TRUE(Messages.empty()) << Messages[0];
        EXPECT_EQ(Probe(*Form).FFramePosInPixels, c.Pos);
        EXPECT_EQ(Probe(*Form).FFrameSizeInPixels, c.Size);
        EXPECT_EQ(Probe(*Form).SpEdWidth->value(), c.Size.X);
        EXPECT_EQ(Probe(*Form).SpEdHeight->value(), c.Size.Y);
        EXPECT_EQ(Form->LockState(), lock);
        EXPECT_DOUBLE_EQ(Probe(*Form).FAspectRatio, ratio);
        EXPECT_EQ(Probe(*Form).FOriginalWidth, c.Width);
        EXPECT_EQ(Probe(*Form).lblWidth->text().toStdString(), std::to_string(c.Width) + " →");
        EXPECT_EQ(Probe(*Form).FTransformState.NetRotation, c.Rotation);
        EXPECT_EQ(Probe(*Form).FTransformState.FlipHCount, c.Flips);
        EXPECT_NE(Title().find(" — В РАБОТЕ: hundred.tif"), std::string::npos) << Title();
        EXPECT_TRUE(Probe(*Form).FImageHasFocus);
        EXPECT_FALSE(Busy());
        // The frame covers the same samples as before (inverted for an inversion).
        std::vector<uint16_t> inside = Rect(words, 100, 1, 10, 5, 30, 20);
        std::vector<uint16_t> after =
            Rect(*Probe(*Form).FOriginalWords, c.Width, 1, c.Pos.X, c.Pos.Y, c.Size.X, c.Size.Y);
        if (button == Probe(*Form).BtnInvert)
            for (uint16_t& w : inside)
                w = uint16_t(65535 - w);
        std::sort(inside.begin(), inside.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, inside);
    }
}

TEST_F(TransformJobTest, NothingWithoutAnImage) {
    Form->PerformImageTransform(TTransformType::tt90CW);
    EXPECT_FALSE(Busy());
    EXPECT_EQ(Form->RunningJobs(), 0u);
    Probe(*Form).TrackBar2->setValue(100);
    EXPECT_EQ(Form->DisplayWorker().ThreadCount(), 0u);
    EXPECT_DOUBLE_EQ(Probe(*Form).FSContrast, 0.0);
}

TEST_F(TransformJobTest, TrackBarsRenderAgainAndReleaseTheirThreads) {
    OpenThroughDialog({Write("bars.tif", Grey(64, 64))});
    const uint8_t plain = Probe(*Form).FCachedBitmap->Row(10)[30];
    for (int p = 1; p <= 10; ++p) {
        Probe(*Form).TrackBar1->setValue(p * 10);
        ASSERT_TRUE(WaitForJobs());
    }
    EXPECT_EQ(Probe(*Form).FBrightness, 100);
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Row(10)[30], std::min(255, plain + 100));
    EXPECT_LE(Form->DisplayWorker().ThreadCount(), 2u);

    // Changes faster than a render fold into one further pass with the latest values.
    Probe(*Form).TrackBar3->setValue(100);
    Probe(*Form).TrackBar3->setValue(-100);
    Probe(*Form).TrackBar3->setValue(0);
    Probe(*Form).TrackBar1->setValue(0);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Row(10)[30], plain);
}

TEST_F(TransformJobTest, ACompletionMakesARunningRenderStale) {
    const std::string big = Write("big.tif", Rgb(1600, 1200));
    const std::string small = Write("small.tif", Grey(9, 7));
    OpenThroughDialog({big, small});
    Probe(*Form).TrackBar1->setValue(40); // a long pass of the large image
    Form->OpenFileAt(1);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, 9);

    // The same with a transform completing during a pass.
    Form->OpenFileAt(0);
    ASSERT_TRUE(WaitForJobs());
    Probe(*Form).TrackBar1->setValue(41);
    Form->PerformImageTransform(TTransformType::tt90CW);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, 1200);
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 1200);
}

// True when the view is the current image rendered with the track bars' positions.
bool ViewMatchesTrackBars(TForm1& form) {
    const TCurrentImage image = form.CurrentImage();
    const TViewBitmap expected = RenderWordsToBitmap(
        *image.Words, image.Width, image.Height, image.Samples, image.Photometric,
        image.SampleFormat, Probe(form).TrackBar1->value(), Probe(form).TrackBar2->value() / 100.0,
        GammaFromPosition(Probe(form).TrackBar3->value()));
    const TViewBitmap& shown = *Probe(form).FCachedBitmap;
    return shown.Width == expected.Width && shown.Height == expected.Height &&
           std::equal(shown.Pixels.get(), shown.Pixels.get() + shown.BytesPerLine * shown.Height,
                      expected.Pixels.get());
}

TEST_F(TransformJobTest, ATrackBarMovedDuringAJobIsShownWhenItEnds) {
    // The jobs' completions reach the UI thread only through its event loop, so each change
    // below falls while the job runs.
    const std::string file = Write("moved.tif", Rgb(120, 80));
    OpenThroughDialog({file}, false);
    Probe(*Form).TrackBar1->setValue(60); // no image yet
    ASSERT_TRUE(WaitForJobs());
    EXPECT_TRUE(ViewMatchesTrackBars(*Form));

    Form->PerformImageTransform(TTransformType::tt90CW);
    Probe(*Form).TrackBar1->setValue(-30);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, 80);
    EXPECT_TRUE(ViewMatchesTrackBars(*Form));

    Form->ReloadExecute();
    Probe(*Form).TrackBar3->setValue(50);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, 120);
    EXPECT_TRUE(ViewMatchesTrackBars(*Form));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TransformJobTest, AJobOnALargeImageHoldsOneFullViewAndShowsAStandIn) {
    // Red on the left half, blue on the right, so that a turn changes what is seen.
    test::TLibTIFFImage image = Rgb(1600, 1200);
    for (uint32_t y = 0; y < image.Height; ++y)
        for (uint32_t x = 0; x < image.Width; ++x)
            for (int c = 0; c < 3; ++c)
                image.Words.push_back((x < 800 ? c == 0 : c == 2) ? 0xE000 : 0x1000);
    const std::string file = Write("large.tif", image);
    struct Case {
        const char* Name;
        void (*Start)(TForm1&);
    } const cases[] = {
        {"turn", [](TForm1& f) { f.PerformImageTransform(TTransformType::tt180); }},
        {"render",
         [](TForm1& f) { Probe(f).TrackBar1->setValue(Probe(f).TrackBar1->value() + 30); }},
        {"load", [](TForm1& f) { f.ReloadExecute(); }},
    };
    OpenThroughDialog({file});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(Probe(*Form).FCachedBitmap);
        const TViewLayout l = LayoutView(Probe(*Form).ImageViewer->width(),
                                         Probe(*Form).ImageViewer->height(), 1600, 1200);
        ASSERT_LT(l.Scale, 1.0);
        const auto probes = [&] {
            const QImage shot = Probe(*Form).ImageViewer->grab().toImage();
            const int y = l.Top + l.DrawnHeight / 2;
            return std::pair(shot.pixel(l.Left + l.DrawnWidth / 4, y),
                             shot.pixel(l.Left + l.DrawnWidth * 3 / 4, y));
        };
        const auto before = probes();
        EXPECT_NE(before.first, before.second);
        const std::weak_ptr<const TViewBitmap> old = Probe(*Form).FCachedBitmap;

        THeldThreads held;
        Form->ThreadStarter = held.Starter();
        c.Start(*Form);
        QCoreApplication::processEvents();
        EXPECT_FALSE(Probe(*Form).FCachedBitmap);
        EXPECT_TRUE(Form->HasImage());
        EXPECT_EQ(probes(), before);
        held.Release();
        Form->ThreadStarter = DefaultThreadStarter();
        ASSERT_TRUE(WaitForJobs());

        ASSERT_TRUE(Messages.empty()) << Messages[0];
        EXPECT_TRUE(old.expired());
        ASSERT_TRUE(Probe(*Form).FCachedBitmap);
        EXPECT_TRUE(Probe(*Form).FStandInView.isNull());
        EXPECT_TRUE(ViewMatchesTrackBars(*Form));
    }

    // A load that fails renders the full view of the image still shown again.
    std::filesystem::resize_file(file, 100);
    Form->ReloadExecute();
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Messages.size(), 1u);
    ASSERT_TRUE(Probe(*Form).FCachedBitmap);
    EXPECT_TRUE(ViewMatchesTrackBars(*Form));

    // A turn whose thread cannot start is told once; the stand-in stays until a pass runs.
    Messages.clear();
    Form->ThreadStarter = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "no thread");
    };
    Form->PerformImageTransform(TTransformType::tt90CW);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Form->HasImage());
    EXPECT_FALSE(Busy());
    Form->ThreadStarter = DefaultThreadStarter();
    Probe(*Form).TrackBar1->setValue(0);
    ASSERT_TRUE(WaitForJobs());
    ASSERT_TRUE(Probe(*Form).FCachedBitmap);
    EXPECT_TRUE(ViewMatchesTrackBars(*Form));

    // A small image keeps its view: it is drawn whole.
    Messages.clear();
    OpenThroughDialog({Write("small.tif", Grey(64, 48))});
    const auto view = Probe(*Form).FCachedBitmap;
    THeldThreads held;
    Form->ThreadStarter = held.Starter();
    Form->PerformImageTransform(TTransformType::tt90CW);
    EXPECT_EQ(Probe(*Form).FCachedBitmap, view);
    held.Release();
    Form->ThreadStarter = DefaultThreadStarter();
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, 48);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(TransformJobTest, ClosingWhileJobsRun) {
    const std::string file = Write("c.tif", Rgb(1200, 900));
    struct Case {
        const char* Name;
        void (*Start)(TForm1&);
    } const cases[] = {
        {"load", [](TForm1& f) { f.ReloadExecute(); }},
        {"transform", [](TForm1& f) { f.PerformImageTransform(TTransformType::tt180); }},
        {"render", [](TForm1& f) { Probe(f).TrackBar2->setValue(300); }},
        {"all",
         [](TForm1& f) {
             Probe(f).TrackBar2->setValue(200);
             f.PerformImageTransform(TTransformType::ttFlipH);
             f.ReloadExecute();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (!Form) {
            Form = std::make_unique<TForm1>(Settings);
            Form->ShowMessage = [this](const std::string& text) { Messages.push_back(text); };
            Form->show();
        }
        OpenThroughDialog({file});
        c.Start(*Form);
        Form.reset(); // waits for the job, servicing its completion
        EXPECT_TRUE(Messages.empty());
    }
}

} // namespace
} // namespace vantrel
