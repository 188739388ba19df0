// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "pipeline/jobs/JobFailures.h"
#include "pipeline/jobs/JobTexts.h"

namespace vantrel {
namespace {

enum class TOutcome { Success, OutOfMemory, Error };

struct TFailureCase {
    const char* Name;
    TJobKind Kind;
    TOutcome Outcome;
    std::vector<std::string> Steps; // the window operations in the order they run
};

void PrintTo(const TFailureCase& c, std::ostream* os) {
    *os << c.Name;
}

class JobFailureStepsTest : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(JobFailureStepsTest, RunInTheJobsOrder) {
    std::vector<std::string> steps;
    const TJobCompletion completion = MakeJobCompletion(
        GetParam().Kind, [&] { steps.push_back("install"); },
        {[&](const std::string& text) { steps.push_back(text); },
         [&] { steps.push_back("advice"); }, [&] { steps.push_back("SetBusy(false)"); }});
    switch (GetParam().Outcome) {
    case TOutcome::Success:
        completion.OnSuccess();
        break;
    case TOutcome::OutOfMemory:
        completion.OnOutOfMemory();
        break;
    case TOutcome::Error:
        completion.OnError({"EOSError", "Нет места на диске"});
        break;
    }
    EXPECT_EQ(steps, GetParam().Steps);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, JobFailureStepsTest,
    ::testing::Values(
        TFailureCase{"LoadSucceeds", TJobKind::jkLoad, TOutcome::Success, {"install"}},
        TFailureCase{"LoadOutOfMemory",
                     TJobKind::jkLoad,
                     TOutcome::OutOfMemory,
                     {"advice", "SetBusy(false)"}},
        TFailureCase{
            "LoadFails",
            TJobKind::jkLoad,
            TOutcome::Error,
            {"Ошибка при загрузке файла:\r\nEOSError: Нет места на диске", "SetBusy(false)"}},
        TFailureCase{"TransformOutOfMemory",
                     TJobKind::jkTransform,
                     TOutcome::OutOfMemory,
                     {"advice", "SetBusy(false)"}},
        TFailureCase{"TransformFails",
                     TJobKind::jkTransform,
                     TOutcome::Error,
                     {"Ошибка при трансформации:\r\nНет места на диске", "SetBusy(false)"}},
        TFailureCase{"CropOutOfMemory",
                     TJobKind::jkCrop,
                     TOutcome::OutOfMemory,
                     {"advice", "SetBusy(false)"}},
        // A failed save leaves the busy state before its message.
        TFailureCase{"CropFails",
                     TJobKind::jkCrop,
                     TOutcome::Error,
                     {"SetBusy(false)", "Ошибка при обрезке:\r\nНет места на диске"}}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace vantrel
