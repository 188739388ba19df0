// SPDX-License-Identifier: MIT
#include "pipeline/jobs/OneShotJob.h"

#include <exception>
#include <new>
#include <utility>
#include <vector>

#include "pipeline/PipelineTexts.h"
#include "tiff/Exceptions.h"

namespace vantrel {

TThreadStarter DefaultThreadStarter() {
    return [](std::function<void()> fn) { return std::thread(std::move(fn)); };
}

TJobOutcome RunCatching(const std::function<void()>& fn, TJobError& error) {
    try {
        fn();
        return TJobOutcome::joSuccess;
    } catch (const std::bad_alloc&) {
        return TJobOutcome::joOutOfMemory;
    } catch (const Exception& e) {
        error = {e.ClassName(), e.Message()};
    } catch (const std::exception& e) {
        error = {"Exception", e.what()};
    } catch (...) {
        error = {"Exception", pipeline_texts::UnknownError()};
    }
    return TJobOutcome::joError;
}

namespace {

void Complete(TJobOutcome outcome, const TJobError& error, const TJobCompletion& completion) {
    switch (outcome) {
    case TJobOutcome::joSuccess:
        if (completion.OnSuccess)
            completion.OnSuccess();
        break;
    case TJobOutcome::joOutOfMemory:
        if (completion.OnOutOfMemory)
            completion.OnOutOfMemory();
        break;
    case TJobOutcome::joError:
        if (completion.OnError)
            completion.OnError(error);
        break;
    }
}

} // namespace

TJobRunner::TJobRunner(IUiThread& ui, TThreadStarter starter)
    : FUi(ui), FStarter(std::move(starter)) {}

TJobRunner::~TJobRunner() {
    WaitForAll();
}

void TJobRunner::RunJob(IUiThread& ui, const std::function<void()>& work,
                        const TJobCompletion& completion) {
    TJobError error;
    const TJobOutcome outcome = RunCatching(work, error);
    try {
        ui.RunAndWait([&] { Complete(outcome, error, completion); });
    } catch (...) {
        // The completion is the window's; an error it lets escape cannot be shown from here.
    }
}

bool TJobRunner::Start(std::function<void()> work, TJobCompletion completion) {
    ReleaseFinished();
    auto entry = std::make_shared<TEntry>();
    // Shared, so that a failed start still has the completion to report with.
    auto job = std::make_shared<const std::pair<std::function<void()>, TJobCompletion>>(
        std::move(work), std::move(completion));
    TJobError error;
    const TJobOutcome started = RunCatching(
        [&] {
            entry->Thread = FStarter([this, entry, job]() mutable {
                RunJob(FUi, job->first, job->second);
                // Whatever the job holds (words, a bitmap) goes now, on this thread, so that
                // the UI thread's join of a finished job never waits for it.
                job.reset();
                entry->Finished.store(true);
                FUi.Notify();
            });
        },
        error);
    if (started != TJobOutcome::joSuccess) {
        // No thread: the work never ran, and the failure step ends the caller's busy state.
        Complete(started, error, job->second);
        return false;
    }
    std::lock_guard lock(FMutex);
    FJobs.push_back(std::move(entry));
    return true;
}

void TJobRunner::ReleaseFinished() {
    std::vector<std::shared_ptr<TEntry>> done;
    {
        std::lock_guard lock(FMutex);
        for (auto it = FJobs.begin(); it != FJobs.end();) {
            if ((*it)->Finished.load()) {
                done.push_back(std::move(*it));
                it = FJobs.erase(it);
            } else {
                ++it;
            }
        }
    }
    // A finished thread has only to return: joining it does not block.
    for (auto& entry : done)
        if (entry->Thread.joinable())
            entry->Thread.join();
}

void TJobRunner::WaitForAll() {
    for (;;) {
        ReleaseFinished();
        {
            std::lock_guard lock(FMutex);
            if (FJobs.empty())
                return;
        }
        FUi.ServiceUntil([this] {
            std::lock_guard lock(FMutex);
            for (const auto& entry : FJobs)
                if (!entry->Finished.load())
                    return false;
            return true;
        });
    }
}

std::size_t TJobRunner::RunningCount() {
    ReleaseFinished();
    std::lock_guard lock(FMutex);
    return FJobs.size();
}

} // namespace vantrel
