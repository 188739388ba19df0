// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "pipeline/jobs/LoadGeneration.h"
#include "pipeline/jobs/OneShotJob.h"
#include "pipeline/jobs/UiCallQueue.h"
#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

/// A gate a job's work waits at until the test opens it.
class TGate {
public:
    void Wait() {
        std::unique_lock lock(FMutex);
        FChanged.wait(lock, [&] { return FOpen; });
    }
    void Open() {
        {
            std::lock_guard lock(FMutex);
            FOpen = true;
        }
        FChanged.notify_all();
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FOpen = false;
};

/// What the completion steps of one job saw; written on the UI thread only.
struct TSeen {
    int Successes = 0;
    int OutOfMemory = 0;
    int Errors = 0;
    TJobError Error;
    bool OnUiThread = true;

    TJobCompletion Completion(const TUiCallQueue& ui) {
        return {[this, &ui] {
                    ++Successes;
                    OnUiThread &= ui.IsUiThread();
                },
                [this, &ui] {
                    ++OutOfMemory;
                    OnUiThread &= ui.IsUiThread();
                },
                [this, &ui](const TJobError& e) {
                    ++Errors;
                    Error = e;
                    OnUiThread &= ui.IsUiThread();
                }};
    }
    int Total() const { return Successes + OutOfMemory + Errors; }
};

struct TOutcomeCase {
    const char* Name;
    std::function<void()> Work;
    int Successes, OutOfMemory, Errors;
    const char* ClassName;
    const char* Message;
};

void PrintTo(const TOutcomeCase& c, std::ostream* os) {
    *os << c.Name;
}

class JobOutcomeTest : public ::testing::TestWithParam<TOutcomeCase> {};

TEST_P(JobOutcomeTest, ExactlyOneCompletionRunsOnTheUiThreadWhileTheJobWaits) {
    const TOutcomeCase& c = GetParam();
    TUiCallQueue ui;
    TJobRunner runner(ui);
    TSeen seen;
    TJobCompletion steps = seen.Completion(ui);
    std::size_t runningDuringCompletion = 0;
    auto onSuccess = steps.OnSuccess;
    steps.OnSuccess = [&] {
        runningDuringCompletion = runner.RunningCount();
        onSuccess();
    };
    ASSERT_TRUE(runner.Start(c.Work, steps));
    ASSERT_TRUE(ui.WaitForCall(10s));
    EXPECT_EQ(seen.Total(), 0); // nothing runs before the test services the queue
    ASSERT_TRUE(ui.ServiceOne());
    runner.WaitForAll();

    EXPECT_EQ(seen.Successes, c.Successes);
    EXPECT_EQ(seen.OutOfMemory, c.OutOfMemory);
    EXPECT_EQ(seen.Errors, c.Errors);
    EXPECT_EQ(seen.Error.ClassName, c.ClassName);
    EXPECT_EQ(seen.Error.Message, c.Message);
    EXPECT_TRUE(seen.OnUiThread);
    if (c.Successes) {
        EXPECT_EQ(runningDuringCompletion, 1u); // the job's thread waits for its completion
    }
    EXPECT_EQ(runner.RunningCount(), 0u);
    EXPECT_EQ(ui.PendingCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, JobOutcomeTest,
    ::testing::Values(
        TOutcomeCase{"Success", [] {}, 1, 0, 0, "", ""},
        TOutcomeCase{"OutOfMemory", [] { throw std::bad_alloc(); }, 0, 1, 0, "", ""},
        TOutcomeCase{"ArrayTooLarge", [] { throw std::bad_array_new_length(); }, 0, 1, 0, "", ""},
        TOutcomeCase{"TIFFError", [] { throw ETIFFError("Файл не найден"); }, 0, 0, 1, "ETIFFError",
                     "Файл не найден"},
        TOutcomeCase{"OSError", [] { throw EOSError(13, "Отказано в доступе"); }, 0, 0, 1,
                     "EOSError", "Отказано в доступе"},
        TOutcomeCase{"PlainException", [] { throw Exception("Одноканальное изображение"); }, 0, 0,
                     1, "Exception", "Одноканальное изображение"},
        TOutcomeCase{"StandardError", [] { throw std::runtime_error("boom"); }, 0, 0, 1,
                     "Exception", "boom"},
        TOutcomeCase{"Unknown", [] { throw 42; }, 0, 0, 1, "Exception", "Неизвестная ошибка"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(JobRunner, WaitingOnCloseServicesCompletionsIncludingJobsTheyStart) {
    TUiCallQueue ui;
    TJobRunner runner(ui);
    TGate gate;
    TSeen save, reload;
    TJobCompletion saveSteps = save.Completion(ui);
    // Like a save whose completion starts the reload of the written file.
    auto onSaved = saveSteps.OnSuccess;
    saveSteps.OnSuccess = [&] {
        onSaved();
        runner.Start([] { std::this_thread::sleep_for(5ms); }, reload.Completion(ui));
    };
    ASSERT_TRUE(runner.Start([&] { gate.Wait(); }, saveSteps));
    std::thread opener([&] {
        std::this_thread::sleep_for(20ms);
        gate.Open();
    });
    runner.WaitForAll(); // the window closing while the save runs
    opener.join();
    EXPECT_EQ(save.Successes, 1);
    EXPECT_EQ(reload.Successes, 1);
    EXPECT_EQ(runner.RunningCount(), 0u);
}

TEST(JobRunner, DestructionWaitsForRunningJobs) {
    TUiCallQueue ui;
    TSeen seen;
    std::atomic<bool> workDone{false};
    {
        TJobRunner runner(ui);
        runner.Start(
            [&] {
                std::this_thread::sleep_for(20ms);
                workDone = true;
            },
            seen.Completion(ui));
    }
    EXPECT_TRUE(workDone);
    EXPECT_EQ(seen.Successes, 1);
}

struct TStartFailureCase {
    const char* Name;
    std::function<void()> Throw;
    int OutOfMemory, Errors;
};

void PrintTo(const TStartFailureCase& c, std::ostream* os) {
    *os << c.Name;
}

class JobStartFailureTest : public ::testing::TestWithParam<TStartFailureCase> {};

TEST_P(JobStartFailureTest, ReportsAtOnceThroughTheFailureStep) {
    TUiCallQueue ui;
    std::atomic<bool> workRan{false};
    TJobRunner runner(ui, [&](std::function<void()>) -> std::thread {
        GetParam().Throw();
        return {};
    });
    TSeen seen;
    EXPECT_FALSE(runner.Start([&] { workRan = true; }, seen.Completion(ui)));
    EXPECT_EQ(seen.OutOfMemory, GetParam().OutOfMemory);
    EXPECT_EQ(seen.Errors, GetParam().Errors);
    EXPECT_EQ(seen.Total(), 1);
    if (GetParam().Errors) {
        EXPECT_FALSE(seen.Error.Message.empty());
    }
    EXPECT_FALSE(workRan);
    EXPECT_EQ(runner.RunningCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, JobStartFailureTest,
    ::testing::Values(TStartFailureCase{"NoThread",
                                        [] {
                                            throw std::system_error(std::make_error_code(
                                                std::errc::resource_unavailable_try_again));
                                        },
                                        0, 1},
                      TStartFailureCase{"NoMemory", [] { throw std::bad_alloc(); }, 1, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LoadGeneration, OnlyTheMostRecentlyStartedLoadTouchesTheWindow) {
    TUiCallQueue ui;
    TJobRunner runner(ui);
    TLoadGeneration loads;
    TGate firstGate;
    TSeen first, second;

    // A slow first load, then a reload started while it runs; the reload completes first.
    const uint64_t g1 = loads.Begin();
    runner.Start([&] { firstGate.Wait(); }, loads.OnlyIfLatest(g1, first.Completion(ui)));
    const uint64_t g2 = loads.Begin();
    runner.Start([] {}, loads.OnlyIfLatest(g2, second.Completion(ui)));
    ASSERT_TRUE(ui.WaitForCall(10s));
    ASSERT_TRUE(ui.ServiceOne());
    EXPECT_EQ(second.Successes, 1);

    firstGate.Open();
    runner.WaitForAll();
    EXPECT_EQ(first.Total(), 0);
    EXPECT_EQ(second.Total(), 1);
}

TEST(LoadGeneration, AnOlderLoadsFailureIsDroppedToo) {
    TUiCallQueue ui;
    TLoadGeneration loads;
    TSeen older;
    TJobCompletion steps = loads.OnlyIfLatest(loads.Begin(), older.Completion(ui));
    loads.Begin();
    steps.OnError({"ETIFFError", "x"});
    steps.OnOutOfMemory();
    steps.OnSuccess();
    EXPECT_EQ(older.Total(), 0);
}

} // namespace
} // namespace vantrel
