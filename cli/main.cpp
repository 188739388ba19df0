// SPDX-License-Identifier: MIT
// vantrel-tiff: the headless companion of the window, for scripts, batches and benchmarks. Its
// commands are the rows of cli/CommandTable.cpp.
#include <string>
#include <vector>

#include "cli/CommandTable.h"

int main(int argc, char** argv) {
    return vantrel::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
