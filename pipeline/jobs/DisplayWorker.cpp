// SPDX-License-Identifier: MIT
#include "pipeline/jobs/DisplayWorker.h"

#include <utility>

namespace vantrel {

namespace {

bool HasWords(const TCurrentImage& image) {
    return image.Words && !image.Words->empty();
}

} // namespace

TBitmapUpdateThread::TBitmapUpdateThread(TDisplayWorker& AOwner, const TThreadStarter& starter)
    : FOwner(AOwner) {
    FThread = starter([this] { Execute(); });
}

TBitmapUpdateThread::~TBitmapUpdateThread() {
    Join();
}

bool TBitmapUpdateThread::IsCurrentThread() const {
    return FThread.get_id() == std::this_thread::get_id();
}

void TBitmapUpdateThread::Join() {
    if (FThread.joinable() && !IsCurrentThread())
        FThread.join();
}

void TBitmapUpdateThread::Execute() {
    FOwner.WorkerProc();
    FFinished.store(true);
    FOwner.FUi.Notify(); // a shutdown waiting on the UI thread looks again
}

TDisplayWorker::TDisplayWorker(IUiThread& ui, TRenderFunction render, THandOverFunction handOver,
                               TThreadStarter starter)
    : FUi(ui), FRender(std::move(render)), FHandOver(std::move(handOver)),
      FStarter(std::move(starter)) {}

TDisplayWorker::~TDisplayWorker() {
    Shutdown();
}

void TDisplayWorker::ReleaseFinishedThreads(
    std::vector<std::unique_ptr<TBitmapUpdateThread>>& out) {
    for (auto it = FRetiredThreads.begin(); it != FRetiredThreads.end();) {
        if ((*it)->Finished() && !(*it)->IsCurrentThread()) {
            out.push_back(std::move(*it));
            it = FRetiredThreads.erase(it);
        } else {
            ++it;
        }
    }
}

void TDisplayWorker::StartPassLocked() {
    ++FWorkerVersion;
    if (FWorkerBusy) {
        FPendingUpdate = true;
        return;
    }
    if (FWorkerTerminate)
        return;
    FWorkerBusy = true;
    try {
        auto thread = std::make_unique<TBitmapUpdateThread>(*this, FStarter);
        if (FWorkerThread)
            FRetiredThreads.push_back(std::move(FWorkerThread));
        FWorkerThread = std::move(thread);
    } catch (...) {
        // No pass runs, so nothing would ever clear the busy flag.
        FWorkerBusy = false;
        throw;
    }
}

void TDisplayWorker::RequestBitmapUpdate(const TCurrentImage& image,
                                         const TDisplayAdjustments& adjustments,
                                         std::shared_ptr<const TViewBitmap> retiredView) {
    if (!HasWords(image))
        return;
    std::vector<std::unique_ptr<TBitmapUpdateThread>> finished;
    {
        std::lock_guard lock(FCriticalSection);
        ReleaseFinishedThreads(finished);
        if (retiredView)
            FRetiredViews.push_back(std::move(retiredView));
        FWorkerImage = image;
        FWorkerAdjustments = adjustments;
        StartPassLocked();
    }
    // `finished` joins its threads here, outside the lock; they have already returned.
}

void TDisplayWorker::RequestPending() {
    std::vector<std::unique_ptr<TBitmapUpdateThread>> finished;
    std::lock_guard lock(FCriticalSection);
    if (!HasWords(FWorkerImage))
        return;
    ReleaseFinishedThreads(finished);
    try {
        StartPassLocked();
    } catch (...) {
        // On a pass's thread there is nobody to tell; the next change of an adjustment
        // requests again.
    }
}

void TDisplayWorker::ImageReplaced(const TCurrentImage& image) {
    std::lock_guard lock(FCriticalSection);
    ++FWorkerVersion;
    if (HasWords(image))
        FWorkerImage = image;
}

void TDisplayWorker::WorkerProc() {
    int32_t LocalVersion;
    TCurrentImage image; // holds the words until the pass has finished with them
    TDisplayAdjustments adjustments;
    bool terminate;
    std::vector<std::shared_ptr<const TViewBitmap>> retired;
    {
        std::lock_guard lock(FCriticalSection);
        LocalVersion = FWorkerVersion;
        image = FWorkerImage;
        adjustments = FWorkerAdjustments;
        terminate = FWorkerTerminate;
        retired.swap(FRetiredViews);
    }
    // The views the window let go of are freed before the new one is made.
    retired.clear();

    if (!terminate && HasWords(image)) {
        std::unique_ptr<TViewBitmap> NewBitmap;
        try {
            NewBitmap = FRender(image, adjustments);
        } catch (...) {
            // A failed render keeps the view as it is; the pass still ends below.
        }
        bool stale = true;
        if (NewBitmap) {
            std::lock_guard lock(FCriticalSection);
            stale = FWorkerTerminate || LocalVersion != FWorkerVersion;
        }
        if (!stale) {
            try {
                FUi.RunAndWait([&] {
                    bool current;
                    {
                        std::lock_guard lock(FCriticalSection);
                        current = LocalVersion == FWorkerVersion;
                    }
                    if (current)
                        FHandOver(std::move(NewBitmap));
                });
            } catch (...) {
                // A failed hand-over leaves the view as it is.
            }
        }
    }

    bool pending;
    {
        std::lock_guard lock(FCriticalSection);
        FWorkerBusy = false;
        pending = FPendingUpdate;
        FPendingUpdate = false;
    }
    if (pending)
        RequestPending();
}

void TDisplayWorker::Shutdown() {
    if (FShutDown)
        return;
    FShutDown = true;
    std::vector<TBitmapUpdateThread*> running;
    {
        std::lock_guard lock(FCriticalSection);
        FWorkerTerminate = true; // from now on no request starts a pass
        if (FWorkerThread)
            running.push_back(FWorkerThread.get());
        for (auto& thread : FRetiredThreads)
            running.push_back(thread.get());
    }
    // A pass may be waiting for its hand-over: keep running those while waiting.
    FUi.ServiceUntil([&] {
        for (auto* thread : running)
            if (!thread->Finished())
                return false;
        return true;
    });
    std::vector<std::unique_ptr<TBitmapUpdateThread>> threads;
    {
        std::lock_guard lock(FCriticalSection);
        threads = std::move(FRetiredThreads);
        FRetiredThreads.clear();
        if (FWorkerThread)
            threads.push_back(std::move(FWorkerThread));
    }
    for (auto& thread : threads)
        thread->Join();
}

int32_t TDisplayWorker::WorkerVersion() {
    std::lock_guard lock(FCriticalSection);
    return FWorkerVersion;
}

bool TDisplayWorker::WorkerBusy() {
    std::lock_guard lock(FCriticalSection);
    return FWorkerBusy;
}

std::size_t TDisplayWorker::ThreadCount() {
    std::lock_guard lock(FCriticalSection);
    return FRetiredThreads.size() + (FWorkerThread ? 1 : 0);
}

} // namespace vantrel
