// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "pipeline/jobs/UiThread.h"

namespace vantrel {

/// The error that ended a job's background work: the class name shown with it
/// (`ETIFFError`, `EOSError`, "Exception") and its message text.
struct TJobError {
    std::string ClassName;
    std::string Message;
};

/// The three ways a job ends; exactly one of them runs, on the UI thread, while the job's
/// thread waits. Out of memory (`std::bad_alloc`) is always told apart from other errors.
struct TJobCompletion {
    std::function<void()> OnSuccess;
    std::function<void()> OnOutOfMemory;
    std::function<void(const TJobError&)> OnError;
};

/// Starts a thread that runs the given function; the seam through which tests make thread
/// creation fail. The default makes a `std::thread`.
using TThreadStarter = std::function<std::thread(std::function<void()>)>;
TThreadStarter DefaultThreadStarter();

/// Runs one-shot background jobs, each on a thread of its own, and keeps them in a registry
/// so that the window can wait for all of them before it releases its state. Lives on the
/// UI thread; `Start` and `WaitForAll` are called there only.
class TJobRunner {
public:
    explicit TJobRunner(IUiThread& ui, TThreadStarter starter = DefaultThreadStarter());
    /// Waits for the jobs still running, servicing their completions.
    ~TJobRunner();
    TJobRunner(const TJobRunner&) = delete;
    TJobRunner& operator=(const TJobRunner&) = delete;

    /// Runs `work` on a new thread, then one of `completion`'s steps on the UI thread. When
    /// the thread cannot be started, the matching failure step runs at once, here, and the
    /// result is false: the caller's busy state is left by that step as after any failure.
    bool Start(std::function<void()> work, TJobCompletion completion);

    /// On the UI thread: waits until no job runs, running their completions meanwhile (jobs
    /// that a completion starts are waited for as well), and releases their threads.
    void WaitForAll();

    /// Jobs started whose threads have not yet been released.
    [[nodiscard]] std::size_t RunningCount();

private:
    struct TEntry {
        std::thread Thread;
        std::atomic<bool> Finished{false};
    };

    void ReleaseFinished();
    static void RunJob(IUiThread& ui, const std::function<void()>& work,
                       const TJobCompletion& completion);

    IUiThread& FUi;
    TThreadStarter FStarter;
    std::mutex FMutex; // guards FJobs: threads flag themselves finished concurrently
    std::list<std::shared_ptr<TEntry>> FJobs;
};

/// Runs `fn` and tells how it ended; a failure is caught, never passed on.
enum class TJobOutcome { joSuccess, joOutOfMemory, joError };
TJobOutcome RunCatching(const std::function<void()>& fn, TJobError& error);

} // namespace vantrel
