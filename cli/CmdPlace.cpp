// SPDX-License-Identifier: MIT
// vantrel-tiff place: where the frame goes on each scan of a roll, as text for scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"

namespace vantrel::cli {

int CmdPlace(const std::vector<std::string>& args) {
    bool hasSize = false;
    int32_t width = 0, height = 0;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--size") {
            if (hasSize || i + 1 >= args.size() || !ParseSize(args[++i], width, height))
                return Usage(true);
            hasSize = true;
        } else if (args[i].starts_with("--")) {
            return Usage(true);
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty())
        return Usage(true);
    int status = kExitOk;
    for (const TPlacedScan& scan : FindPicturesOfRoll(files)) {
        if (scan.Error) {
            std::fprintf(stderr, "%s\n", scan.Error->c_str());
            status = kExitFailure;
        }
        std::optional<TCropRect> frame;
        if (hasSize)
            frame = FrameOnPicture(scan, width, height, {});
        else if (scan.Picture.Found)
            frame = scan.Picture.Picture;
        if (frame)
            std::printf("%s\t%d,%d,%d,%d\n", scan.File.c_str(), frame->X, frame->Y, frame->W,
                        frame->H);
        else
            std::printf("%s\t-\n", scan.File.c_str());
    }
    return status;
}

} // namespace vantrel::cli
