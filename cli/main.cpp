// SPDX-License-Identifier: MIT
// vantrel-tiff: the headless companion of the window, for scripts, batches and benchmarks. Its
// commands are the rows of cli/CommandTable.cpp.
#include "cli/CommandTable.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
    vantrel::UseBinaryStandardStreams();
    return vantrel::cli::RunCommandLine(vantrel::CommandLineArguments(argc, argv));
}
