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
    TFrameArgs Frame;
    bool Minimal = false;
    std::vector<TTransformType> Transforms; // in the order given
};

bool ParseArgs(const TArguments& args, TCropArgs& a) {
    if (args.Files.size() != 2 || !ParseTransforms(args, a.Transforms) ||
        !ParseFrameArgs(args, a.Frame))
        return false;
    if ((a.Frame.Frame || a.Frame.Place) && args.Has("--whole"))
        return false;
    a.Minimal = args.Has("--minimal");
    a.In = args.Files[0];
    a.Out = args.Files[1];
    return true;
}

} // namespace

int CmdCrop(const TArguments& args) {
    TCropArgs a;
    if (!ParseArgs(args, a))
        return Usage(true);
    std::optional<TCropRect> frame = a.Frame.Frame;
    if (a.Frame.Place) {
        // The frame goes where `place --size W,H` puts it; without a picture nothing is cut.
        const TPlacedScan scan = FindPicturesOfRoll({a.In}).front();
        if (scan.Error) {
            std::fprintf(stderr, "%s\n", scan.Error->c_str());
            return kExitFailure;
        }
        frame = FrameOnPicture(scan, a.Frame.Place->W, a.Frame.Place->H, a.Transforms);
        if (!frame) {
            std::fprintf(stderr, "%s: %s\n", a.In.c_str(),
                         PictureDeclineText(scan.Picture.Reason).c_str());
            return kExitFailure;
        }
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
