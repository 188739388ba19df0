// SPDX-License-Identifier: MIT
#include "pipeline/jobs/JobFailures.h"

#include <memory>
#include <utility>

#include "pipeline/jobs/JobTexts.h"

namespace vantrel {

TJobCompletion MakeJobCompletion(TJobKind kind, std::function<void()> onSuccess,
                                 TFailureActions actions) {
    auto act = std::make_shared<const TFailureActions>(std::move(actions));
    TJobCompletion completion;
    completion.OnSuccess = std::move(onSuccess);
    completion.OnOutOfMemory = [act] {
        act->ShowOutOfMemoryAdvice();
        act->LeaveBusy();
    };
    completion.OnError = [act, kind](const TJobError& error) {
        switch (kind) {
        case TJobKind::jkLoad:
            act->ShowMessage(LoadFailureText(error.ClassName, error.Message));
            act->LeaveBusy();
            break;
        case TJobKind::jkTransform:
            act->ShowMessage(TransformFailureText(error.Message));
            act->LeaveBusy();
            break;
        case TJobKind::jkCrop:
            act->LeaveBusy();
            act->ShowMessage(CropFailureText(error.Message));
            break;
        }
    };
    return completion;
}

} // namespace vantrel
