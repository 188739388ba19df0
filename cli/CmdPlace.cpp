// SPDX-License-Identifier: MIT
// vantrel-tiff place: where the frame goes on each scan of a roll, as text for scripts; with
// --all every picture of a strip scan, a line each.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"
#include "cli/StripOfFiles.h"
#include "pipeline/detect/FramePlacement.h"

namespace vantrel::cli {

namespace {

void PrintFrame(const std::string& file, const std::optional<TCropRect>& frame) {
    if (frame)
        std::printf("%s\t%d,%d,%d,%d\n", file.c_str(), frame->X, frame->Y, frame->W, frame->H);
    else
        std::printf("%s\t-\n", file.c_str());
}

// One line per picture along the strip, or one "-" line for a scan without any.
int PlaceAll(const std::vector<std::string>& files, const std::optional<TCropRect>& size) {
    int status = kExitOk;
    for (const TStripScan& scan : FindStripsOfRoll(files)) {
        if (scan.Error) {
            std::fprintf(stderr, "%s\n", scan.Error->c_str());
            status = kExitFailure;
        }
        if (scan.Strip.Pictures.empty())
            PrintFrame(scan.File, std::nullopt);
        for (const TCropRect& picture : scan.Strip.Pictures)
            PrintFrame(scan.File,
                       size ? PlaceFrame(picture, size->W, size->H, scan.Width, scan.Height)
                            : picture);
    }
    return status;
}

} // namespace

int CmdPlace(const TArguments& args) {
    const std::optional<std::string> sizeText = args.Value("--size");
    std::optional<TCropRect> size;
    if (sizeText) {
        size.emplace();
        if (!ParseSize(*sizeText, size->W, size->H))
            return Usage(true);
    }
    if (args.Files.empty())
        return Usage(true);
    if (args.Has("--all"))
        return PlaceAll(args.Files, size);
    int status = kExitOk;
    for (const TPlacedScan& scan : FindPicturesOfRoll(args.Files)) {
        if (scan.Error) {
            std::fprintf(stderr, "%s\n", scan.Error->c_str());
            status = kExitFailure;
        }
        std::optional<TCropRect> frame;
        if (size)
            frame = FrameOnPicture(scan, size->W, size->H, {});
        else if (scan.Picture.Found)
            frame = scan.Picture.Picture;
        PrintFrame(scan.File, frame);
    }
    return status;
}

} // namespace vantrel::cli
