// SPDX-License-Identifier: MIT
#pragma once

// The program's arguments, standard streams, files opened by the C library and the priority
// of its threads.

#include <cstdio>
#include <string>
#include <vector>

namespace vantrel {

/// The program's arguments after its name as UTF-8 (on Windows from the wide command line:
/// argv there is in the ANSI code page).
[[nodiscard]] std::vector<std::string> CommandLineArguments(int argc, char* argv[]);

/// Standard output and error pass their bytes unchanged (Windows' C library would turn "\n"
/// into "\r\n"), and a Windows console shows them as UTF-8.
void UseBinaryStandardStreams() noexcept;

/// std::fopen of a UTF-8 path.
[[nodiscard]] std::FILE* OpenFile(const std::string& path, const char* mode) noexcept;

/// The calling thread yields to every other thread for the processor and the disk.
void LowerThisThreadsPriority() noexcept;

} // namespace vantrel
