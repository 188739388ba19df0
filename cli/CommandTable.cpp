// SPDX-License-Identifier: MIT
#include "cli/CommandTable.h"

#include <algorithm>
#include <cstdio>

#include "cli/Commands.h"
#include "tags/TIFFTagUtils.h"
#include "texts/Language.h"

namespace vantrel::cli {

namespace {

using K = TOptionKind;

int CmdHelp(const TArguments&) {
    return Usage(false);
}

int CmdVersion(const TArguments&) {
    std::printf("vantrel-tiff v.%s\n",
                GetVersionText(texts::CurrentLanguage() == texts::TLanguage::English).c_str());
    return kExitOk;
}

// The usage text's summaries begin in this column, on the synopsis's line when it is one line
// that ends before it, else on lines of their own.
constexpr size_t kSummaryColumn = 22;

constexpr std::string_view kUsageHead = "Usage: vantrel-tiff [--lang en|ru] COMMAND ARGS...\n"
                                        "\n"
                                        "Commands:\n";
constexpr std::string_view kUsageTail =
    "\n"
    "Options:\n"
    "  --lang en|ru        the language of the messages and of info's tag table (default ru);\n"
    "                      info's key=value lines are the same in both\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written (place: read; batch:\n"
    "any file failed or had no picture), 2 on wrong arguments.\n";

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

std::span<const TCommand> Commands() {
    // clang-format off
    static const std::vector<TCommand> commands = {
        {"info", {}, "FILE",
         "print the size, samples, photometric and byte order",
         {}, &CmdInfo},
        {"words", {}, "FILE OUT",
         "write the sample words as raw little-endian 16-bit words",
         {}, &CmdWords},
        {"crop", {},
         "IN OUT [--transform T]... [--frame X,Y,W,H | --place W,H | --whole]\n"
         "[--minimal]",
         "cut the frame (clamped to the image; default the whole image) and\n"
         "save it in IN's byte order with its tags (--minimal: pixel tags only);\n"
         "T is 90cw, 90ccw, 180, flip or invert, applied in the order given\n"
         "before the cut, the frame in the transformed image's pixels; a net\n"
         "turn or mirroring saves Orientation 1; --place centres a W x H frame\n"
         "on the picture found on the scan (exit 1 when none is found)",
         {{"--transform", K::Repeated}, {"--frame", K::Value}, {"--place", K::Value},
          {"--whole"}, {"--minimal"}},
         &CmdCrop},
        {"place", {}, "[--all] [--size W,H] FILE...",
         "print FILE<TAB>X,Y,W,H per file: the picture found on the scan, or\n"
         "with --size a W x H frame centred on it; FILE<TAB>- when none is\n"
         "found; several files are one roll; --all: a line for every picture\n"
         "of a strip scan, in order along the strip",
         {{"--all"}, {"--size", K::Value}},
         &CmdPlace},
        {"batch", {},
         "--out DIR [--place W,H [--all] | --frame X,Y,W,H] [--prefix P]\n"
         "[--postfix S] [--transform T]... [--overwrite] FILE...",
         "crop every file into DIR under the window's output names (default\n"
         "the whole image; --place: frames placed on the pictures, the files\n"
         "one roll; --all: every picture of a strip scan, NAME-N.tif by its\n"
         "number N along the strip when there are several), a progress line\n"
         "per file on stderr; an existing file is kept unless --overwrite; a\n"
         "failed file does not stop the others",
         {{"--out", K::Value}, {"--place", K::Value}, {"--all"}, {"--frame", K::Value},
          {"--prefix", K::Last}, {"--postfix", K::Last}, {"--transform", K::Repeated},
          {"--overwrite"}},
         &CmdBatch},
        {"render", {}, "FILE OUT.ppm [--brightness N] [--contrast POS] [--gamma POS]",
         "write the view as a binary PPM; N -255..255, contrast -500..500,\n"
         "gamma -100..100 (track-bar positions, 0 neutral)",
         {{"--brightness", K::Last}, {"--contrast", K::Last}, {"--gamma", K::Last}},
         &CmdRender},
        {"sample", {}, "OUT [WxH]",
         "write a synthetic 16-bit film scan with EXIF and GPS to try the\n"
         "program on (default 4000x2800)",
         {}, &CmdSample},
        {"--help", {"-h", "help"}, "", "print this text", {}, &CmdHelp, true},
        {"--version", {}, "", "print the version", {}, &CmdVersion, true},
    };
    // clang-format on
    return commands;
}

const TCommand* FindCommand(std::string_view name) {
    for (const TCommand& command : Commands())
        if (command.Name == name || std::find(command.Aliases.begin(), command.Aliases.end(),
                                              name) != command.Aliases.end())
            return &command;
    return nullptr;
}

std::string UsageText() {
    std::string text(kUsageHead);
    for (const TCommand& command : Commands()) {
        std::string line = "  " + std::string(command.Name);
        const std::string indent(line.size() + 1, ' ');
        const std::vector<std::string_view> synopsis = Lines(command.Synopsis);
        for (size_t k = 0; k < synopsis.size(); ++k) {
            if (k > 0) {
                text += line + "\n";
                line = indent;
            } else {
                line += " ";
            }
            line += synopsis[k];
        }
        std::vector<std::string_view> summary = Lines(command.Summary);
        if (synopsis.size() <= 1 && line.size() < kSummaryColumn && !summary.empty()) {
            line.resize(kSummaryColumn, ' ');
            line += summary.front();
            summary.erase(summary.begin());
        }
        text += line + "\n";
        for (const std::string_view s : summary)
            text += std::string(kSummaryColumn, ' ') + std::string(s) + "\n";
    }
    return text + std::string(kUsageTail);
}

int Usage(bool toError) {
    std::fputs(UsageText().c_str(), toError ? stderr : stdout);
    return toError ? kExitUsage : kExitOk;
}

std::optional<std::vector<std::string>> TakeGlobalOptions(const std::vector<std::string>& args) {
    std::vector<std::string> rest = args;
    while (!rest.empty() && (rest.front() == "--lang" || rest.front().starts_with("--lang="))) {
        std::string code;
        if (rest.front() == "--lang") {
            if (rest.size() < 2) {
                std::fputs("vantrel-tiff: --lang needs a language: en or ru\n", stderr);
                return std::nullopt;
            }
            code = rest[1];
            rest.erase(rest.begin(), rest.begin() + 2);
        } else {
            code = rest.front().substr(std::string_view("--lang=").size());
            rest.erase(rest.begin());
        }
        const std::optional<texts::TLanguage> language = texts::LanguageFromCode(code);
        if (!language) {
            std::fprintf(stderr, "vantrel-tiff: unknown language \"%s\" for --lang: en or ru\n",
                         code.c_str());
            return std::nullopt;
        }
        texts::SetLanguage(*language);
    }
    return rest;
}

int RunCommandLine(const std::vector<std::string>& allArgs) {
    const std::optional<std::vector<std::string>> given = TakeGlobalOptions(allArgs);
    if (!given)
        return kExitUsage;
    const std::vector<std::string>& args = *given;
    const TCommand* command = args.empty() ? nullptr : FindCommand(args.front());
    if (!command)
        return Usage(true);
    if (command->IgnoresArguments)
        return command->Handler({});
    const std::optional<TArguments> parsed =
        ParseArguments({args.begin() + 1, args.end()}, command->Options);
    return parsed ? command->Handler(*parsed) : Usage(true);
}

} // namespace vantrel::cli
