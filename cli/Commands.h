#pragma once

#include <string>
#include <vector>

namespace vantrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// Prints the usage text to stdout (or stderr for wrong arguments) and returns the exit status.
int Usage(bool toError);

} // namespace vantrel::cli
