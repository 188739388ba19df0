// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "pipeline/jobs/UiThread.h"

namespace vantrel {

/// `IUiThread` over a queue of calls. The thread that makes the queue is its UI thread.
/// The window gives a `wake` function that asks its event loop to call `ServicePending`
/// soon (a queued call into the event loop); tests give none and drain the queue step by
/// step with `WaitForCall` and `ServiceOne`.
class TUiCallQueue final : public IUiThread {
public:
    explicit TUiCallQueue(std::function<void()> wake = {});
    ~TUiCallQueue() override;
    TUiCallQueue(const TUiCallQueue&) = delete;
    TUiCallQueue& operator=(const TUiCallQueue&) = delete;

    void RunAndWait(std::function<void()> call) override;
    int ServicePending() override;
    void ServiceUntil(const std::function<bool()>& done) override;
    void Notify() override;

    /// Runs the oldest queued call, if any; tells whether one ran.
    bool ServiceOne();
    /// Waits up to `timeout` until a call is queued; tells whether one is.
    [[nodiscard]] bool WaitForCall(std::chrono::milliseconds timeout);
    [[nodiscard]] int PendingCount() const;
    [[nodiscard]] bool IsUiThread() const { return std::this_thread::get_id() == FUiThreadId; }

private:
    struct TCall {
        std::function<void()> Fn;
        bool Done = false;
        std::exception_ptr Error;
    };

    void Run(const std::shared_ptr<TCall>& call);

    const std::thread::id FUiThreadId;
    std::function<void()> FWake;
    mutable std::mutex FMutex;
    std::condition_variable FQueued; // a call was queued or Notify was called
    std::condition_variable FRan;    // a call has run
    std::deque<std::shared_ptr<TCall>> FCalls;
    unsigned FNotifications = 0;
};

} // namespace vantrel
