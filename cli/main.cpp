// SPDX-License-Identifier: MIT
// vantrel-tiff: the headless companion of the window, for scripts, batches and benchmarks.
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "platform/Process.h"
#include "tags/TIFFTagUtils.h"
#include "tiff/Exceptions.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel-tiff COMMAND ARGS...\n"
    "\n"
    "Commands:\n"
    "  info FILE           print the size, samples, photometric and byte order\n"
    "  words FILE OUT      write the sample words as raw little-endian 16-bit words\n"
    "  crop IN OUT [--transform T]... [--frame X,Y,W,H | --place W,H | --whole]\n"
    "       [--minimal]\n"
    "                      cut the frame (clamped to the image; default the whole image) and\n"
    "                      save it in IN's byte order with its tags (--minimal: pixel tags only);\n"
    "                      T is 90cw, 90ccw, 180, flip or invert, applied in the order given\n"
    "                      before the cut, the frame in the transformed image's pixels; a net\n"
    "                      turn or mirroring saves Orientation 1; --place centres a W x H frame\n"
    "                      on the picture found on the scan (exit 1 when none is found)\n"
    "  place [--size W,H] FILE...\n"
    "                      print FILE<TAB>X,Y,W,H per file: the picture found on the scan, or\n"
    "                      with --size a W x H frame centred on it; FILE<TAB>- when none is\n"
    "                      found; several files are one roll\n"
    "  batch --out DIR [--place W,H | --frame X,Y,W,H] [--prefix P] [--postfix S]\n"
    "        [--transform T]... [--overwrite] FILE...\n"
    "                      crop every file into DIR under the window's output names (default\n"
    "                      the whole image; --place: frames placed on the pictures, the files\n"
    "                      one roll), a progress line per file on stderr; an existing file is\n"
    "                      kept unless --overwrite; a failed file does not stop the others\n"
    "  render FILE OUT.ppm [--brightness N] [--contrast POS] [--gamma POS]\n"
    "                      write the view as a binary PPM; N -255..255, contrast -500..500,\n"
    "                      gamma -100..100 (track-bar positions, 0 neutral)\n"
    "  sample OUT [WxH]    write a synthetic 16-bit film scan with EXIF and GPS to try the\n"
    "                      program on (default 4000x2800)\n"
    "  --help              print this text\n"
    "  --version           print the version\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written (place: read; batch:\n"
    "any file failed or had no picture), 2 on wrong arguments.\n";

} // namespace

namespace vantrel::cli {

int Usage(bool toError) {
    std::fputs(kUsage, toError ? stderr : stdout);
    return toError ? kExitUsage : kExitOk;
}

std::optional<std::string> ErrorOf(const std::function<void()>& work) {
    try {
        work();
        return std::nullopt;
    } catch (const vantrel::Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    } catch (const std::bad_alloc&) {
        return "EOutOfMemory: Недостаточно памяти";
    } catch (const std::exception& e) {
        return std::string("Exception: ") + e.what();
    }
}

int RunReporting(const std::function<void()>& work) {
    const std::optional<std::string> error = ErrorOf(work);
    if (!error)
        return kExitOk;
    std::fprintf(stderr, "%s\n", error->c_str());
    return kExitFailure;
}

} // namespace vantrel::cli

int main(int argc, char** argv) {
    using namespace vantrel::cli;
    vantrel::UseBinaryStandardStreams();
    std::vector<std::string> args = vantrel::CommandLineArguments(argc, argv);
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
    if (command == "place")
        return CmdPlace(args);
    if (command == "batch")
        return CmdBatch(args);
    return Usage(true);
}
