// SPDX-License-Identifier: MIT
// vantrel-tiff place: where the frame goes on each scan of a roll, as text for scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RollOfFiles.h"

namespace vantrel::cli {

int CmdPlace(const TArguments& args) {
    const std::optional<std::string> size = args.Value("--size");
    int32_t width = 0, height = 0;
    if (args.Files.empty() || (size && !ParseSize(*size, width, height)))
        return Usage(true);
    const bool hasSize = size.has_value();
    int status = kExitOk;
    for (const TPlacedScan& scan : FindPicturesOfRoll(args.Files)) {
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
