// SPDX-License-Identifier: MIT
// vantrel-tiff batch: a whole roll cropped into one folder, each file streamed from its rows.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"
#include "pipeline/crop/CropOutput.h"
#include "pipeline/crop/FileCrop.h"
#include "pipeline/crop/PathParts.h"
#include "pipeline/detect/FramePlacement.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"

namespace vantrel::cli {

namespace {

struct TBatchArgs {
    std::string Out;
    TFrameArgs Frame;
    std::string Prefix, Postfix;
    std::vector<TTransformType> Transforms;
    bool Overwrite = false;
    std::vector<std::string> Files;
};

bool ParseArgs(const TArguments& args, TBatchArgs& a) {
    a.Out = args.Value("--out").value_or("");
    a.Prefix = args.Value("--prefix").value_or("");
    a.Postfix = args.Value("--postfix").value_or("");
    a.Overwrite = args.Has("--overwrite");
    a.Files = args.Files;
    return !a.Out.empty() && !a.Files.empty() && ParseTransforms(args, a.Transforms) &&
           ParseFrameArgs(args, a.Frame);
}

} // namespace

int CmdBatch(const TArguments& args) {
    TBatchArgs a;
    if (!ParseArgs(args, a))
        return Usage(true);
    if (const std::optional<std::string> error =
            ErrorOf([&] { std::filesystem::create_directories(PathFromUtf8(a.Out)); })) {
        std::fprintf(stderr, "%s: %s\n", a.Out.c_str(), error->c_str());
        return kExitFailure;
    }
    // The pictures are found first, so that every scan is placed with the whole roll.
    std::vector<TPlacedScan> pictures;
    if (a.Frame.Place)
        pictures = FindPicturesOfRoll(a.Files);

    const std::string folder = WithTrailingSeparator(a.Out);
    const size_t n = a.Files.size();
    size_t written = 0, failed = 0;
    std::set<std::string> targets;
    for (size_t k = 0; k < n; ++k) {
        const std::string& file = a.Files[k];
        const std::string target = CropTarget(folder, file, a.Prefix, a.Postfix).CroppedFile;
        auto fail = [&](const std::string& why) {
            std::fprintf(stderr, "[%zu/%zu] %s: %s\n", k + 1, n, file.c_str(), why.c_str());
            ++failed;
        };
        if (!targets.insert(target).second) {
            fail(target + " is also the output of an earlier file");
            continue;
        }
        if (IsSameFile(file, target)) {
            fail(target + " would replace its own source");
            continue;
        }
        if (!a.Overwrite && std::filesystem::exists(PathFromUtf8(target))) {
            fail(target + " exists (--overwrite replaces it)");
            continue;
        }
        TFileCropRequest request;
        request.InputFile = file;
        request.OutputFile = target;
        request.Transforms = a.Transforms;
        request.Frame = a.Frame.Frame;
        if (a.Frame.Place) {
            const TPlacedScan& scan = pictures[k];
            if (scan.Error) {
                fail(*scan.Error);
                continue;
            }
            request.Frame = FrameOnPicture(scan, a.Frame.Place->W, a.Frame.Place->H, a.Transforms);
            if (!request.Frame) {
                fail(PictureDeclineText(scan.Picture.Reason));
                continue;
            }
        }
        TCropRect frame;
        if (const std::optional<std::string> error =
                ErrorOf([&] { frame = CropFileToFile(request); })) {
            fail(*error);
            continue;
        }
        ++written;
        std::fprintf(stderr, "[%zu/%zu] %s -> %s %d,%d,%d,%d\n", k + 1, n, file.c_str(),
                     target.c_str(), frame.X, frame.Y, frame.W, frame.H);
    }
    std::fprintf(stderr, "%zu written, %zu failed\n", written, failed);
    return failed == 0 ? kExitOk : kExitFailure;
}

} // namespace vantrel::cli
