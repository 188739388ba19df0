// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "pipeline/kernels/CurrentImage.h"
#include "pipeline/kernels/DisplayAdjustments.h"
#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel::test {

/// A render function for the display worker that the test steps through: every pass
/// records what it was asked to render and then waits until the test releases it. The
/// bitmap it returns carries the requested brightness as its width, so the test can tell
/// which pass's view was installed. A negative brightness makes the render run out of memory.
class TRenderProbe {
public:
    struct TPass {
        TDisplayAdjustments Adjustments;
        TSharedWords Words;
    };

    std::unique_ptr<TViewBitmap> Render(const TCurrentImage& image,
                                        const TDisplayAdjustments& adjustments) {
        std::unique_lock lock(FMutex);
        FPasses.push_back({adjustments, image.Words});
        const std::size_t mine = FPasses.size();
        FChanged.notify_all();
        FChanged.wait(lock, [&] { return FReleased >= mine; });
        if (adjustments.Brightness < 0)
            throw std::bad_alloc();
        auto bitmap = std::make_unique<TViewBitmap>();
        bitmap->Width = adjustments.Brightness;
        bitmap->Height = 1;
        return bitmap;
    }

    /// Waits until `count` passes have begun rendering.
    bool WaitStarted(std::size_t count,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(FMutex);
        return FChanged.wait_for(lock, timeout, [&] { return FPasses.size() >= count; });
    }

    /// Lets the next waiting pass (or one that starts later) finish rendering.
    void Release() {
        {
            std::lock_guard lock(FMutex);
            ++FReleased;
        }
        FChanged.notify_all();
    }

    std::vector<TPass> Passes() {
        std::lock_guard lock(FMutex);
        return FPasses;
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::vector<TPass> FPasses;
    std::size_t FReleased = 0;
};

/// A gray image of the given size for the worker to render.
inline TCurrentImage GrayImage(int32_t width, int32_t height) {
    TCurrentImage image;
    image.Words = std::make_shared<const TSampleWords>(static_cast<std::size_t>(width) * height, 0);
    image.Width = width;
    image.Height = height;
    image.Samples = 1;
    image.Photometric = 1;
    return image;
}

} // namespace vantrel::test
