// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "pipeline/jobs/OneShotJob.h"

namespace vantrel {

enum class TJobKind { jkLoad, jkTransform, jkCrop };

/// The window operations that a job's failure steps use; all run on the UI thread.
struct TFailureActions {
    std::function<void(const std::string& text)> ShowMessage; // a modal message with OK
    std::function<void()> ShowOutOfMemoryAdvice;
    std::function<void()> LeaveBusy; // SetBusy(false)
};

/// A job's completion: `onSuccess`, and the failure steps every job of `kind` takes. Out of
/// memory shows the advice and then leaves the busy state. Another error shows the job's
/// message ("Ошибка при загрузке файла:" with the class name, "Ошибка при трансформации:",
/// "Ошибка при обрезке:") and leaves the busy state: after the message for a load or a
/// transform, before it for a crop.
[[nodiscard]] TJobCompletion MakeJobCompletion(TJobKind kind, std::function<void()> onSuccess,
                                               TFailureActions actions);

} // namespace vantrel
