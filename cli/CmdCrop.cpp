// SPDX-License-Identifier: MIT
// vantrel-tiff crop: the window's crop and save without the window, streamed from file to file.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"
#include "pipeline/crop/FileCrop.h"
#include "pipeline/detect/FramePlacement.h"

namespace vantrel::cli {

namespace {

struct TCropArgs {
    std::string In, Out;
    bool HasFrame = false, Place = false; // --frame X,Y,W,H or --place W,H
    int32_t X = 0, Y = 0, W = 0, H = 0;
    bool Minimal = false;
    std::vector<TTransformType> Transforms; // in the order given
};

bool ParseFrame(const std::string& text, TCropArgs& a) {
    std::vector<int32_t> v;
    if (!ParseInts(text, 4, v))
        return false;
    a.X = v[0], a.Y = v[1], a.W = v[2], a.H = v[3];
    return true;
}

bool ParseArgs(const std::vector<std::string>& args, TCropArgs& a) {
    bool whole = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--frame") {
            if (a.HasFrame || i + 1 >= args.size() || !ParseFrame(args[++i], a))
                return false;
            a.HasFrame = true;
        } else if (args[i] == "--place") {
            if (a.HasFrame || i + 1 >= args.size() || !ParseSize(args[++i], a.W, a.H))
                return false;
            a.HasFrame = a.Place = true;
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
    std::optional<TCropRect> frame;
    if (a.Place) {
        // The frame goes where `place --size W,H` puts it; without a picture nothing is cut.
        const TPlacedScan scan = FindPicturesOfRoll({a.In}).front();
        if (scan.Error) {
            std::fprintf(stderr, "%s\n", scan.Error->c_str());
            return kExitFailure;
        }
        frame = FrameOnPicture(scan, a.W, a.H, a.Transforms);
        if (!frame) {
            std::fprintf(stderr, "%s: %s\n", a.In.c_str(),
                         PictureDeclineText(scan.Picture.Reason).c_str());
            return kExitFailure;
        }
    } else if (a.HasFrame) {
        frame = TCropRect{a.X, a.Y, a.W, a.H};
    }
    return RunReporting([&] {
        TFileCropRequest request;
        request.InputFile = a.In;
        request.OutputFile = a.Out;
        request.Transforms = a.Transforms;
        request.Frame = frame;
        request.MinimalTags = a.Minimal;
        (void)CropFileToFile(request);
    });
}

} // namespace vantrel::cli
