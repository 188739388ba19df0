// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "tests/support/Skips.h"

namespace vantrel::test {

/// What a shell command gave back.
struct TShellResult {
    std::string Output; ///< its standard output (add " 2>&1" to the command for errors too)
    int Status = -1;    ///< its exit status; -1 when it did not exit normally
};

/// Runs `command` with /bin/sh and collects its standard output (on Windows: status -1).
TShellResult RunShell(const std::string& command);

/// What a program run by RunProgram gave back.
struct TProgramRun {
    int Status = -1; ///< its exit status; -1 when it did not exit normally
    std::string Out, Err;
};

class TTempDir;

/// Runs `program` with `args` (each quoted for the shell, or for the Windows command line); its
/// standard output and error pass through the files "stdout" and "stderr" of `dir`.
TProgramRun RunProgram(const std::string& program, const TTempDir& dir,
                       const std::vector<std::string>& args);

/// `text` in single quotes for the shell, embedded quotes escaped.
std::string ShellQuote(const std::string& text);

} // namespace vantrel::test
