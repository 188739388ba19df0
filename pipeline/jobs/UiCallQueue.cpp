// SPDX-License-Identifier: MIT
#include "pipeline/jobs/UiCallQueue.h"

#include <utility>

namespace vantrel {

TUiCallQueue::TUiCallQueue(std::function<void()> wake)
    : FUiThreadId(std::this_thread::get_id()), FWake(std::move(wake)) {}

TUiCallQueue::~TUiCallQueue() = default;

void TUiCallQueue::RunAndWait(std::function<void()> fn) {
    if (IsUiThread()) {
        fn();
        return;
    }
    auto call = std::make_shared<TCall>();
    call->Fn = std::move(fn);
    {
        std::lock_guard lock(FMutex);
        FCalls.push_back(call);
    }
    FQueued.notify_all();
    if (FWake)
        FWake();
    std::unique_lock lock(FMutex);
    FRan.wait(lock, [&] { return call->Done; });
    if (call->Error)
        std::rethrow_exception(call->Error);
}

void TUiCallQueue::Run(const std::shared_ptr<TCall>& call) {
    std::exception_ptr error;
    try {
        call->Fn();
    } catch (...) {
        error = std::current_exception();
    }
    {
        std::lock_guard lock(FMutex);
        call->Error = error;
        call->Done = true;
    }
    FRan.notify_all();
}

bool TUiCallQueue::ServiceOne() {
    std::shared_ptr<TCall> call;
    {
        std::lock_guard lock(FMutex);
        if (FCalls.empty())
            return false;
        call = std::move(FCalls.front());
        FCalls.pop_front();
    }
    Run(call);
    return true;
}

int TUiCallQueue::ServicePending() {
    // Only the calls queued now: a call that queues further work does not keep us here.
    int count;
    {
        std::lock_guard lock(FMutex);
        count = static_cast<int>(FCalls.size());
    }
    int ran = 0;
    while (ran < count && ServiceOne())
        ++ran;
    return ran;
}

void TUiCallQueue::ServiceUntil(const std::function<bool()>& done) {
    for (;;) {
        unsigned seen;
        {
            std::lock_guard lock(FMutex);
            seen = FNotifications;
        }
        while (ServiceOne()) {
        }
        if (done())
            return;
        std::unique_lock lock(FMutex);
        FQueued.wait(lock, [&] { return !FCalls.empty() || FNotifications != seen; });
    }
}

void TUiCallQueue::Notify() {
    {
        std::lock_guard lock(FMutex);
        ++FNotifications;
    }
    FQueued.notify_all();
}

bool TUiCallQueue::WaitForCall(std::chrono::milliseconds timeout) {
    std::unique_lock lock(FMutex);
    return FQueued.wait_for(lock, timeout, [&] { return !FCalls.empty(); });
}

int TUiCallQueue::PendingCount() const {
    std::lock_guard lock(FMutex);
    return static_cast<int>(FCalls.size());
}

} // namespace vantrel
