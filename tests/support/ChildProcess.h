// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "tests/support/Skips.h"

namespace vantrel::test {

/// What a function run in a child process gave back.
struct TChildResult {
    bool Completed = false; ///< the child returned normally (no signal, no crash)
    std::string Output;     ///< the text the function returned
};

/// Runs `body` in a forked child and hands its returned text back to the parent. Used for
/// what must not touch the test process: resource limits, dropped privileges, private mount
/// namespaces. The child ends with _exit, so no gtest state is torn down twice.
TChildResult RunInChild(const std::function<std::string()>& body);

} // namespace vantrel::test
