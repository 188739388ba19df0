// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "pipeline/jobs/OneShotJob.h"

namespace vantrel {

/// Numbers the loads so that the newest one wins when loads overlap (a reload or a jump
/// during a load, files dropped during a load): only the most recently started load may
/// install its image or report its failure; an older one that completes later is dropped
/// without touching the window, so the image shown always belongs to the file the window
/// names. Used on the UI thread only.
class TLoadGeneration {
public:
    /// At a load's start: the number of the load just started.
    uint64_t Begin() { return ++FLatest; }
    [[nodiscard]] bool IsLatest(uint64_t generation) const { return generation == FLatest; }
    /// The number of the load started last (0 before the first).
    [[nodiscard]] uint64_t Latest() const { return FLatest; }

    /// `completion` with each step run only while `generation` is the latest load.
    [[nodiscard]] TJobCompletion OnlyIfLatest(uint64_t generation, TJobCompletion completion) {
        auto steps = std::make_shared<const TJobCompletion>(std::move(completion));
        return {
            [this, generation, steps] {
                if (IsLatest(generation) && steps->OnSuccess)
                    steps->OnSuccess();
            },
            [this, generation, steps] {
                if (IsLatest(generation) && steps->OnOutOfMemory)
                    steps->OnOutOfMemory();
            },
            [this, generation, steps](const TJobError& error) {
                if (IsLatest(generation) && steps->OnError)
                    steps->OnError(error);
            },
        };
    }

private:
    uint64_t FLatest = 0;
};

} // namespace vantrel
