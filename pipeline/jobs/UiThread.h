// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace vantrel {

/// The user-interface thread as the background threads see it. A job's completion and the
/// display worker's hand-over run there while the background thread waits; the UI thread in
/// turn never waits for a background thread without servicing those calls.
class IUiThread {
public:
    virtual ~IUiThread() = default;

    /// Runs `call` on the UI thread and returns when it has run. Called on the UI thread
    /// itself, it runs `call` at once. An exception that escapes `call` is rethrown here, in
    /// the waiting thread.
    virtual void RunAndWait(std::function<void()> call) = 0;

    /// On the UI thread: runs the calls queued so far; returns how many ran.
    virtual int ServicePending() = 0;

    /// On the UI thread: waits until `done` returns true, running queued calls meanwhile.
    /// `done` is tested again after every call and after every `Notify`.
    virtual void ServiceUntil(const std::function<bool()>& done) = 0;

    /// From any thread: wakes `ServiceUntil` so that it tests its condition again. A thread
    /// that ends calls it as its last step.
    virtual void Notify() = 0;
};

} // namespace vantrel
