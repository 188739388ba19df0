// SPDX-License-Identifier: MIT
// vantrel-tiff batch: a whole roll cropped into one folder, each file streamed from its rows.
#include <sys/stat.h>

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

namespace vantrel::cli {

namespace {

struct TBatchArgs {
    std::string Out;
    std::optional<TCropRect> Frame; // --frame X,Y,W,H
    std::optional<TCropRect> Place; // --place W,H (X and Y unused)
    std::string Prefix, Postfix;
    std::vector<TTransformType> Transforms;
    bool Overwrite = false;
    std::vector<std::string> Files;
};

bool ParseArgs(const std::vector<std::string>& args, TBatchArgs& a) {
    bool hasOut = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--out" && hasValue && !hasOut) {
            a.Out = args[++i];
            hasOut = !a.Out.empty();
            if (!hasOut)
                return false;
        } else if (arg == "--frame" && hasValue && !a.Frame && !a.Place) {
            std::vector<int32_t> v;
            if (!ParseInts(args[++i], 4, v))
                return false;
            a.Frame = TCropRect{v[0], v[1], v[2], v[3]};
        } else if (arg == "--place" && hasValue && !a.Frame && !a.Place) {
            TCropRect size;
            if (!ParseSize(args[++i], size.W, size.H))
                return false;
            a.Place = size;
        } else if (arg == "--prefix" && hasValue) {
            a.Prefix = args[++i];
        } else if (arg == "--postfix" && hasValue) {
            a.Postfix = args[++i];
        } else if (arg == "--transform" && hasValue) {
            if (!ParseTransform(args[++i], a.Transforms))
                return false;
        } else if (arg == "--overwrite") {
            a.Overwrite = true;
        } else if (arg.starts_with("--")) {
            return false;
        } else {
            a.Files.push_back(arg);
        }
    }
    return hasOut && !a.Files.empty();
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

int CmdBatch(const std::vector<std::string>& args) {
    TBatchArgs a;
    if (!ParseArgs(args, a))
        return Usage(true);
    if (const std::optional<std::string> error =
            ErrorOf([&] { std::filesystem::create_directories(a.Out); })) {
        std::fprintf(stderr, "%s: %s\n", a.Out.c_str(), error->c_str());
        return kExitFailure;
    }
    // The pictures are found first, so that every scan is placed with the whole roll.
    std::vector<TPlacedScan> pictures;
    if (a.Place)
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
        if (SameFile(file, target)) {
            fail(target + " would replace its own source");
            continue;
        }
        if (!a.Overwrite && std::filesystem::exists(target)) {
            fail(target + " exists (--overwrite replaces it)");
            continue;
        }
        TFileCropRequest request;
        request.InputFile = file;
        request.OutputFile = target;
        request.Transforms = a.Transforms;
        request.Frame = a.Frame;
        if (a.Place) {
            const TPlacedScan& scan = pictures[k];
            if (scan.Error) {
                fail(*scan.Error);
                continue;
            }
            request.Frame = FrameOnPicture(scan, a.Place->W, a.Place->H, a.Transforms);
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
