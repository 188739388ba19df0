// SPDX-License-Identifier: MIT
// vantrel-tiff crop: the window's crop and save without the window, streamed from file to file.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "pipeline/FileCrop.h"

namespace vantrel::cli {

namespace {

struct TCropArgs {
    std::string In, Out;
    bool HasFrame = false;
    int32_t X = 0, Y = 0, W = 0, H = 0;
    bool Minimal = false;
    std::vector<TTransformType> Transforms; // in the order given
};

bool ParseTransform(const std::string& text, std::vector<TTransformType>& transforms) {
    static const std::pair<const char*, TTransformType> kNames[] = {
        {"90cw", TTransformType::tt90CW},
        {"90ccw", TTransformType::tt90CCW},
        {"180", TTransformType::tt180},
        {"flip", TTransformType::ttFlipH},
        {"invert", TTransformType::ttInvert}};
    for (const auto& [name, type] : kNames)
        if (text == name) {
            transforms.push_back(type);
            return true;
        }
    return false;
}

bool ParseInt(const std::string& text, int32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ParseFrame(const std::string& text, TCropArgs& a) {
    std::vector<std::string> parts(1);
    for (char c : text)
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    return parts.size() == 4 && ParseInt(parts[0], a.X) && ParseInt(parts[1], a.Y) &&
           ParseInt(parts[2], a.W) && ParseInt(parts[3], a.H);
}

bool ParseArgs(const std::vector<std::string>& args, TCropArgs& a) {
    bool whole = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--frame") {
            if (a.HasFrame || i + 1 >= args.size() || !ParseFrame(args[++i], a))
                return false;
            a.HasFrame = true;
        } else if (args[i] == "--whole") {
            whole = true;
        } else if (args[i] == "--transform") {
            if (i + 1 >= args.size() || !ParseTransform(args[++i], a.Transforms))
                return false;
        } else if (args[i] == "--minimal") {
            a.Minimal = true;
        } else if (args[i].starts_with("--")) {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || (whole && a.HasFrame))
        return false;
    a.In = files[0];
    a.Out = files[1];
    return true;
}

} // namespace

int CmdCrop(const std::vector<std::string>& args) {
    TCropArgs a;
    if (!ParseArgs(args, a))
        return Usage(true);
    return RunReporting([&] {
        TFileCropRequest request;
        request.InputFile = a.In;
        request.OutputFile = a.Out;
        request.Transforms = a.Transforms;
        if (a.HasFrame)
            request.Frame = TCropRect{a.X, a.Y, a.W, a.H};
        request.MinimalTags = a.Minimal;
        (void)CropFileToFile(request);
    });
}

} // namespace vantrel::cli
