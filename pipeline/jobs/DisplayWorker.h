// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "pipeline/jobs/OneShotJob.h"
#include "pipeline/jobs/UiThread.h"
#include "pipeline/kernels/CurrentImage.h"
#include "pipeline/kernels/DisplayAdjustments.h"
#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel {

class TDisplayWorker;

/// One render pass on a thread of its own. Started at once by its constructor; not released
/// when it ends: the worker releases it once it has finished.
class TBitmapUpdateThread {
public:
    TBitmapUpdateThread(TDisplayWorker& AOwner, const TThreadStarter& starter);
    ~TBitmapUpdateThread();
    TBitmapUpdateThread(const TBitmapUpdateThread&) = delete;
    TBitmapUpdateThread& operator=(const TBitmapUpdateThread&) = delete;

    [[nodiscard]] bool Finished() const { return FFinished.load(); }
    [[nodiscard]] bool IsCurrentThread() const;
    /// Waits until the thread has returned; it must have finished or be about to.
    void Join();

private:
    void Execute();

    TDisplayWorker& FOwner;
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};

/// Renders the view again off the UI thread when the display adjustments change. Requests
/// are numbered; a pass whose request has been overtaken is thrown away, and the requests
/// that arrive during a pass fold into one further pass with the latest values. At most one
/// pass runs at a time. `FCriticalSection` guards only the request fields below.
///
/// The pass renders the image and adjustments that the latest request carried, not window
/// fields read without the lock: the window hands both over when it requests, and the
/// load and transform completions hand over the new image with `ImageReplaced`.
class TDisplayWorker {
public:
    /// Renders `image` with the adjustments; runs on the pass's thread.
    using TRenderFunction = std::function<std::unique_ptr<TViewBitmap>(
        const TCurrentImage& image, const TDisplayAdjustments& adjustments)>;
    /// Installs a finished view as the window's view and repaints; runs on the UI thread,
    /// only for a pass that is still the latest request.
    using THandOverFunction = std::function<void(std::unique_ptr<TViewBitmap> bitmap)>;

    TDisplayWorker(IUiThread& ui, TRenderFunction render, THandOverFunction handOver,
                   TThreadStarter starter = DefaultThreadStarter());
    /// Shuts down if `Shutdown` has not run.
    ~TDisplayWorker();
    TDisplayWorker(const TDisplayWorker&) = delete;
    TDisplayWorker& operator=(const TDisplayWorker&) = delete;

    /// On the UI thread: asks for the view of `image` with `adjustments`. Does nothing when
    /// the image has no words. When the pass's thread cannot be started the worker is left
    /// idle and the error is passed on to the caller. `retiredView`, the view the window has
    /// let go of for this pass, is released by the next pass before it renders, so that
    /// freeing a large view never holds up the window.
    void RequestBitmapUpdate(const TCurrentImage& image, const TDisplayAdjustments& adjustments,
                             std::shared_ptr<const TViewBitmap> retiredView = nullptr);

    /// On the UI thread, when a load or transform completion installs a new image and view:
    /// a pass still under way becomes stale, so its view of the previous image never replaces
    /// the new one; a pending pass renders `image`.
    void ImageReplaced(const TCurrentImage& image);

    /// On the UI thread, first step of the window's end: no pass starts from now on; waits
    /// for the passes still running while running their hand-overs, and releases the threads.
    void Shutdown();

    /// One render pass; runs on a `TBitmapUpdateThread`.
    void WorkerProc();

    /// The latest request's number and the busy state, read under the lock (for tests).
    [[nodiscard]] int32_t WorkerVersion();
    [[nodiscard]] bool WorkerBusy();
    /// Thread objects not yet released.
    [[nodiscard]] std::size_t ThreadCount();

private:
    friend class TBitmapUpdateThread;

    // Numbers a request whose fields are already set and starts its pass, or leaves it pending
    // while a pass runs; under the lock. Throws when the thread cannot be started, with the
    // worker left idle.
    void StartPassLocked();
    // At the end of a pass that requests arrived during: one more pass with the latest
    // request's values.
    void RequestPending();
    void ReleaseFinishedThreads(std::vector<std::unique_ptr<TBitmapUpdateThread>>& out);

    IUiThread& FUi;
    TRenderFunction FRender;
    THandOverFunction FHandOver;
    TThreadStarter FStarter;

    std::mutex FCriticalSection;
    // Guarded by FCriticalSection.
    int32_t FWorkerVersion = 0;
    TCurrentImage FWorkerImage;
    TDisplayAdjustments FWorkerAdjustments;
    std::vector<std::shared_ptr<const TViewBitmap>> FRetiredViews;
    bool FWorkerTerminate = false;
    bool FWorkerBusy = false;
    bool FPendingUpdate = false;
    std::unique_ptr<TBitmapUpdateThread> FWorkerThread;
    std::vector<std::unique_ptr<TBitmapUpdateThread>> FRetiredThreads; // earlier passes
    bool FShutDown = false;
};

} // namespace vantrel
