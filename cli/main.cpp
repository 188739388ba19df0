// vantrel-tiff: the headless companion of the window, for scripts, batches and benchmarks.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel-tiff COMMAND ARGS...\n"
    "\n"
    "Commands:\n"
    "  info FILE           print the size, samples, photometric and byte order\n"
    "  words FILE OUT      write the sample words as raw little-endian 16-bit words\n"
    "  --help              print this text\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written, 2 on wrong arguments.\n";

} // namespace

namespace vantrel::cli {

int Usage(bool toError) {
    std::fputs(kUsage, toError ? stderr : stdout);
    return toError ? kExitUsage : kExitOk;
}

} // namespace vantrel::cli

int main(int argc, char** argv) {
    using namespace vantrel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return Usage(true);
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help")
        return Usage(false);
    return Usage(true);
}
