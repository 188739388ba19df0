// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "pipeline/jobs/DisplayWorker.h"
#include "pipeline/jobs/UiCallQueue.h"
#include "tests/support/RenderProbe.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

TDisplayAdjustments Brightness(int32_t value) {
    return {value, 0.0, 1.0};
}

/// The worker wired to a render probe and a hand-over that records the installed views;
/// this test's thread is the UI thread and drains the call queue step by step.
class DisplayWorkerTest : public ::testing::Test {
protected:
    TUiCallQueue Ui;
    test::TRenderProbe Probe;
    std::vector<int32_t> Installed; // widths (= brightness) of the views handed over
    std::atomic<bool> FailNextStart{false};
    TDisplayWorker Worker{
        Ui,
        [this](const TCurrentImage& i, const TDisplayAdjustments& a) { return Probe.Render(i, a); },
        [this](std::unique_ptr<TViewBitmap> b) { Installed.push_back(b->Width); },
        [this](std::function<void()> fn) {
            if (FailNextStart.exchange(false))
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(std::move(fn));
        }};
    TCurrentImage Image = test::GrayImage(4, 3);

    // A failed assertion may leave a pass waiting in the probe: let it end, or the
    // worker's shutdown would wait for it forever.
    void TearDown() override {
        for (int i = 0; i < 16; ++i)
            Probe.Release();
    }

    /// Runs the hand-over the current pass waits for.
    void ServiceHandOver() {
        ASSERT_TRUE(Ui.WaitForCall(10s));
        ASSERT_TRUE(Ui.ServiceOne());
    }

    /// Waits for the worker to become idle, running nothing on the UI thread meanwhile.
    bool WaitIdle() {
        for (auto end = std::chrono::steady_clock::now() + 10s;
             std::chrono::steady_clock::now() < end;) {
            if (!Worker.WorkerBusy())
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }
};

TEST_F(DisplayWorkerTest, RequestWithoutImageStartsNothing) {
    Worker.RequestBitmapUpdate(TCurrentImage{}, Brightness(5));
    TCurrentImage empty = Image;
    empty.Words = std::make_shared<const TSampleWords>();
    Worker.RequestBitmapUpdate(empty, Brightness(5));
    EXPECT_FALSE(Worker.WorkerBusy());
    EXPECT_EQ(Worker.WorkerVersion(), 0);
    EXPECT_EQ(Worker.ThreadCount(), 0u);
}

TEST_F(DisplayWorkerTest, OneChangeGivesOnePassWhoseViewIsInstalled) {
    Worker.RequestBitmapUpdate(Image, Brightness(7));
    ASSERT_TRUE(Probe.WaitStarted(1));
    EXPECT_TRUE(Worker.WorkerBusy());
    Probe.Release();
    ServiceHandOver();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Installed, std::vector<int32_t>{7});
    ASSERT_EQ(Probe.Passes().size(), 1u);
    EXPECT_EQ(Probe.Passes()[0].Words, Image.Words);
    EXPECT_EQ(Ui.PendingCount(), 0);
}

TEST_F(DisplayWorkerTest, ChangesDuringAPassFoldIntoOneMorePassWithTheLatestValues) {
    Worker.RequestBitmapUpdate(Image, Brightness(1));
    ASSERT_TRUE(Probe.WaitStarted(1));
    for (int32_t b : {2, 3, 4})
        Worker.RequestBitmapUpdate(Image, Brightness(b));
    EXPECT_EQ(Worker.WorkerVersion(), 4);

    // The first pass is stale: it ends without a hand-over and starts exactly one more.
    Probe.Release();
    ASSERT_TRUE(Probe.WaitStarted(2));
    EXPECT_EQ(Ui.PendingCount(), 0);
    EXPECT_EQ(Probe.Passes()[1].Adjustments.Brightness, 4);

    Probe.Release();
    ServiceHandOver();
    ASSERT_TRUE(WaitIdle());
    Worker.Shutdown();
    EXPECT_EQ(Probe.Passes().size(), 2u);
    EXPECT_EQ(Installed, std::vector<int32_t>{4});
}

TEST_F(DisplayWorkerTest, RenderFailureIsSilentAndAPendingRequestStillGetsItsPass) {
    Worker.RequestBitmapUpdate(Image, Brightness(-1)); // runs out of memory
    ASSERT_TRUE(Probe.WaitStarted(1));
    Worker.RequestBitmapUpdate(Image, Brightness(9));
    Probe.Release();
    ASSERT_TRUE(Probe.WaitStarted(2));
    Probe.Release();
    ServiceHandOver();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Installed, std::vector<int32_t>{9});
}

TEST_F(DisplayWorkerTest, ImageReplacedMakesThePassUnderWayStale) {
    Worker.RequestBitmapUpdate(Image, Brightness(1));
    ASSERT_TRUE(Probe.WaitStarted(1));
    const TCurrentImage loaded = test::GrayImage(6, 2);
    Worker.ImageReplaced(loaded);
    Probe.Release();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Ui.PendingCount(), 0);
    EXPECT_TRUE(Installed.empty());
}

TEST_F(DisplayWorkerTest, ImageReplacedWhileTheHandOverWaitsDropsTheOldView) {
    Worker.RequestBitmapUpdate(Image, Brightness(1));
    ASSERT_TRUE(Probe.WaitStarted(1));
    Probe.Release();
    ASSERT_TRUE(Ui.WaitForCall(10s)); // the pass passed its stale check and waits for us
    Worker.ImageReplaced(test::GrayImage(6, 2));
    ASSERT_TRUE(Ui.ServiceOne());
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(Installed.empty());
}

TEST_F(DisplayWorkerTest, PendingPassAfterImageReplacedRendersTheNewImage) {
    Worker.RequestBitmapUpdate(Image, Brightness(1));
    ASSERT_TRUE(Probe.WaitStarted(1));
    Worker.RequestBitmapUpdate(Image, Brightness(2));
    const TCurrentImage loaded = test::GrayImage(6, 2);
    Worker.ImageReplaced(loaded);
    Probe.Release();
    ASSERT_TRUE(Probe.WaitStarted(2));
    EXPECT_EQ(Probe.Passes()[1].Words, loaded.Words);
    Probe.Release();
    ServiceHandOver();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Installed, std::vector<int32_t>{2});
}

TEST_F(DisplayWorkerTest, ShutdownDuringARenderEndsCleanlyAndNoPassStartsAfterwards) {
    Worker.RequestBitmapUpdate(Image, Brightness(1));
    ASSERT_TRUE(Probe.WaitStarted(1));
    Worker.RequestBitmapUpdate(Image, Brightness(2)); // pending: must not start after shutdown
    std::thread releaser([this] {
        std::this_thread::sleep_for(20ms);
        Probe.Release();
        Probe.Release();
    });
    Worker.Shutdown();
    releaser.join();
    EXPECT_FALSE(Worker.WorkerBusy());
    EXPECT_EQ(Worker.ThreadCount(), 0u);
    const std::size_t passes = Probe.Passes().size();
    Worker.RequestBitmapUpdate(Image, Brightness(3));
    EXPECT_EQ(Worker.ThreadCount(), 0u);
    EXPECT_EQ(Probe.Passes().size(), passes);
    EXPECT_TRUE(Installed.empty() || Installed == std::vector<int32_t>{2});
}

TEST_F(DisplayWorkerTest, ShutdownRunsTheHandOverThatThePassWaitsFor) {
    Worker.RequestBitmapUpdate(Image, Brightness(5));
    ASSERT_TRUE(Probe.WaitStarted(1));
    Probe.Release();
    ASSERT_TRUE(Ui.WaitForCall(10s));
    Worker.Shutdown(); // would deadlock if it waited without servicing the hand-over
    EXPECT_EQ(Installed, std::vector<int32_t>{5});
    EXPECT_EQ(Worker.ThreadCount(), 0u);
}

TEST_F(DisplayWorkerTest, FailedThreadStartLeavesTheWorkerIdle) {
    FailNextStart = true;
    EXPECT_THROW(Worker.RequestBitmapUpdate(Image, Brightness(1)), std::system_error);
    EXPECT_FALSE(Worker.WorkerBusy());
    EXPECT_EQ(Worker.ThreadCount(), 0u);

    Worker.RequestBitmapUpdate(Image, Brightness(2)); // the next change renders again
    ASSERT_TRUE(Probe.WaitStarted(1));
    Probe.Release();
    ServiceHandOver();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Installed, std::vector<int32_t>{2});
}

TEST_F(DisplayWorkerTest, ThreadsOfFinishedPassesAreReleased) {
    for (int32_t b = 1; b <= 6; ++b) {
        Worker.RequestBitmapUpdate(Image, Brightness(b));
        ASSERT_TRUE(Probe.WaitStarted(static_cast<std::size_t>(b)));
        Probe.Release();
        ServiceHandOver();
        ASSERT_TRUE(WaitIdle());
        EXPECT_LE(Worker.ThreadCount(), 2u);
    }
    EXPECT_EQ(Installed.size(), 6u);
}

} // namespace
} // namespace vantrel

namespace vantrel {
namespace {

TEST(DisplayWorkerStress, ChangesFasterThanARenderEndWithTheLatestViewAndNeverAnOlderOne) {
    using namespace std::chrono_literals;
    TUiCallQueue ui;
    std::atomic<int> renders{0};
    std::vector<int32_t> installed;
    TDisplayWorker worker(
        ui,
        [&](const TCurrentImage&, const TDisplayAdjustments& a) {
            ++renders;
            std::this_thread::sleep_for(1ms);
            auto bitmap = std::make_unique<TViewBitmap>();
            bitmap->Width = a.Brightness;
            return bitmap;
        },
        [&](std::unique_ptr<TViewBitmap> b) { installed.push_back(b->Width); });
    const TCurrentImage image = test::GrayImage(8, 8);
    constexpr int32_t last = 300;
    for (int32_t b = 1; b <= last; ++b) {
        worker.RequestBitmapUpdate(image, {b, 0.0, 1.0});
        ui.ServicePending();
    }
    for (auto end = std::chrono::steady_clock::now() + 10s;
         std::chrono::steady_clock::now() < end && (installed.empty() || installed.back() != last);)
        if (ui.ServicePending() == 0)
            std::this_thread::sleep_for(1ms);
    worker.Shutdown();
    ASSERT_FALSE(installed.empty());
    EXPECT_EQ(installed.back(), last);
    for (std::size_t i = 1; i < installed.size(); ++i)
        EXPECT_LT(installed[i - 1], installed[i]);
    EXPECT_LT(renders.load(), last); // folded, not one pass per change
}

} // namespace
} // namespace vantrel
