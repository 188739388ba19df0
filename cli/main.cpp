// SPDX-License-Identifier: MIT
// vantrel-tiff: the headless companion of the window, for scripts, batches and benchmarks.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "tags/TIFFTagUtils.h"
#include "tiff/Exceptions.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel-tiff COMMAND ARGS...\n"
    "\n"
    "Commands:\n"
    "  info FILE           print the size, samples, photometric and byte order\n"
    "  words FILE OUT      write the sample words as raw little-endian 16-bit words\n"
    "  crop IN OUT [--transform T]... [--frame X,Y,W,H | --whole] [--minimal]\n"
    "                      cut the frame (clamped to the image; default the whole image) and\n"
    "                      save it in IN's byte order with its tags (--minimal: pixel tags only);\n"
    "                      T is 90cw, 90ccw, 180, flip or invert, applied in the order given\n"
    "                      before the cut, the frame in the transformed image's pixels; a net\n"
    "                      turn or mirroring saves Orientation 1\n"
    "  render FILE OUT.ppm [--brightness N] [--contrast POS] [--gamma POS]\n"
    "                      write the view as a binary PPM; N -255..255, contrast -500..500,\n"
    "                      gamma -100..100 (track-bar positions, 0 neutral)\n"
    "  sample OUT [WxH]    write a synthetic 16-bit film scan with EXIF and GPS to try the\n"
    "                      program on (default 4000x2800)\n"
    "  --help              print this text\n"
    "  --version           print the version\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written, 2 on wrong arguments.\n";

} // namespace

namespace vantrel::cli {

int Usage(bool toError) {
    std::fputs(kUsage, toError ? stderr : stdout);
    return toError ? kExitUsage : kExitOk;
}

int RunReporting(const std::function<void()>& work) {
    try {
        work();
        return kExitOk;
    } catch (const vantrel::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.Message().c_str());
    } catch (const std::bad_alloc&) {
        std::fputs("EOutOfMemory: Недостаточно памяти\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Exception: %s\n", e.what());
    }
    return kExitFailure;
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
    if (command == "--version") {
        std::printf("vantrel-tiff v.%s\n", vantrel::GetVersionText(false).c_str());
        return kExitOk;
    }
    if (command == "info")
        return CmdInfo(args);
    if (command == "words")
        return CmdWords(args);
    if (command == "crop")
        return CmdCrop(args);
    if (command == "render")
        return CmdRender(args);
    if (command == "sample")
        return CmdSample(args);
    return Usage(true);
}
