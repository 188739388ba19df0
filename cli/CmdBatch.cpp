// SPDX-License-Identifier: MIT
// vantrel-tiff batch: a whole roll cropped into one folder, each file streamed from its rows;
// with --all every picture of a strip scan to a file of its own.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"
#include "cli/StripOfFiles.h"
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
    bool All = false; // every picture of each scan (only with --place)
    std::vector<std::string> Files;
};

bool ParseArgs(const TArguments& args, TBatchArgs& a) {
    a.Out = args.Value("--out").value_or("");
    a.Prefix = args.Value("--prefix").value_or("");
    a.Postfix = args.Value("--postfix").value_or("");
    a.Overwrite = args.Has("--overwrite");
    a.All = args.Has("--all");
    a.Files = args.Files;
    return !a.Out.empty() && (!a.All || args.Has("--place")) && !a.Files.empty() &&
           ParseTransforms(args, a.Transforms) && ParseFrameArgs(args, a.Frame);
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
    std::vector<TStripScan> strips;
    if (a.All)
        strips = FindStripsOfRoll(a.Files);
    else if (a.Frame.Place)
        pictures = FindPicturesOfRoll(a.Files);

    const std::string folder = WithTrailingSeparator(a.Out);
    const size_t n = a.Files.size();
    size_t written = 0, failed = 0;
    std::set<std::string> targets;
    for (size_t k = 0; k < n; ++k) {
        const std::string& file = a.Files[k];
        auto fail = [&](const std::string& why) {
            std::fprintf(stderr, "[%zu/%zu] %s: %s\n", k + 1, n, file.c_str(), why.c_str());
            ++failed;
        };
        // No file is ever written over another: not one of this batch, nor the source, nor
        // one that was there (unless --overwrite).
        auto claim = [&](const std::string& target) {
            if (!targets.insert(target).second)
                fail(target + " is also the output of an earlier file");
            else if (IsSameFile(file, target))
                fail(target + " would replace its own source");
            else if (!a.Overwrite && std::filesystem::exists(PathFromUtf8(target)))
                fail(target + " exists (--overwrite replaces it)");
            else
                return true;
            return false;
        };
        auto write = [&](const std::string& target, const std::optional<TCropRect>& wanted) {
            TFileCropRequest request;
            request.InputFile = file;
            request.OutputFile = target;
            request.Transforms = a.Transforms;
            request.Frame = wanted;
            TCropRect frame;
            if (const std::optional<std::string> error =
                    ErrorOf([&] { frame = CropFileToFile(request); })) {
                fail(*error);
                return;
            }
            ++written;
            std::fprintf(stderr, "[%zu/%zu] %s -> %s %d,%d,%d,%d\n", k + 1, n, file.c_str(),
                         target.c_str(), frame.X, frame.Y, frame.W, frame.H);
        };
        const std::string target = CropTarget(folder, file, a.Prefix, a.Postfix).CroppedFile;

        if (a.All) {
            const TStripScan& scan = strips[k];
            if (scan.Error) {
                fail(*scan.Error);
                continue;
            }
            if (scan.Strip.Pictures.empty()) {
                fail(PictureDeclineText(scan.Strip.Reason));
                continue;
            }
            const std::vector<std::string> named =
                PictureTargets(target, scan.Strip.Pictures.size());
            for (size_t p = 0; p < named.size(); ++p)
                if (claim(named[p]))
                    write(named[p], FrameOnRect(scan.Strip.Pictures[p], scan.Width, scan.Height,
                                                a.Frame.Place->W, a.Frame.Place->H, a.Transforms));
            continue;
        }

        if (!claim(target))
            continue;
        std::optional<TCropRect> frame = a.Frame.Frame;
        if (a.Frame.Place) {
            const TPlacedScan& scan = pictures[k];
            if (scan.Error) {
                fail(*scan.Error);
                continue;
            }
            frame = FrameOnPicture(scan, a.Frame.Place->W, a.Frame.Place->H, a.Transforms);
            if (!frame) {
                fail(PictureDeclineText(scan.Picture.Reason));
                continue;
            }
        }
        write(target, frame);
    }
    std::fprintf(stderr, "%zu written, %zu failed\n", written, failed);
    return failed == 0 ? kExitOk : kExitFailure;
}

} // namespace vantrel::cli
