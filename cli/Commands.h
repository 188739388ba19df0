// SPDX-License-Identifier: MIT
#pragma once

// The handlers of vantrel-tiff's commands; what each takes and does is its row of the command
// table (CommandTable.cpp), from which the usage text is made.

#include <functional>
#include <optional>
#include <string>

#include "cli/Arguments.h"

namespace vantrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// Prints the usage text to stdout (or stderr for wrong arguments) and returns the exit status.
int Usage(bool toError);

/// Runs work and gives its error as "<ClassName>: <message>" (out of memory included), or
/// nothing when it succeeded.
std::optional<std::string> ErrorOf(const std::function<void()>& work);

/// Runs a command's work: on an error prints "<ClassName>: <message>" to stderr and returns
/// kExitFailure (out of memory included), otherwise kExitOk.
int RunReporting(const std::function<void()>& work);

int CmdInfo(const TArguments& args);
int CmdWords(const TArguments& args);
int CmdCrop(const TArguments& args);
int CmdPlace(const TArguments& args);
int CmdBatch(const TArguments& args);
int CmdRender(const TArguments& args);
int CmdSample(const TArguments& args);

} // namespace vantrel::cli
