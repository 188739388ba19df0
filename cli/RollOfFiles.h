// SPDX-License-Identifier: MIT
#pragma once

// The files given to `place`, `crop --place` and `batch --place` as one roll: the picture of
// each is found from a reduced copy read straight from the file, then placed with what the
// roll's other scans share.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "pipeline/crop/CropCore.h"
#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/PictureDetector.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel::cli {

struct TPlacedScan {
    std::string File;
    std::optional<std::string> Error; // "<class>: <message>" when the file cannot be read
    int32_t Width = 0, Height = 0;    // of the file's image
    TPictureDetection Picture;        // in the file's pixels
};

/// Opens each file for its rows in turn and gives them to `read(k, rows)`: scans[k] gets the
/// file's name and image size, or the error that stopped it. Scans of a roll are read alike.
template <typename TScan, typename TRead>
void ReadEachFile(const std::vector<std::string>& files, std::vector<TScan>& scans, TRead&& read) {
    scans.resize(files.size());
    for (size_t k = 0; k < files.size(); ++k) {
        TScan& scan = scans[k];
        scan.File = files[k];
        scan.Error = ErrorOf([&] {
            TFileRows rows(files[k]);
            scan.Width = rows.Layout().Width;
            scan.Height = rows.Layout().Height;
            read(k, rows);
        });
    }
}

/// Finds the picture of every file, the files taken as one roll, in the order given.
[[nodiscard]] std::vector<TPlacedScan> FindPicturesOfRoll(const std::vector<std::string>& files);

/// The frame of frameWidth × frameHeight centred on the scan's picture in the image as it is
/// after the transforms; nothing when no picture was found.
[[nodiscard]] std::optional<TCropRect>
FrameOnPicture(const TPlacedScan& scan, int32_t frameWidth, int32_t frameHeight,
               const std::vector<TTransformType>& transforms);

/// The frame of frameWidth × frameHeight centred on `picture`, found in an image of width ×
/// height, in the image as it is after the transforms.
[[nodiscard]] TCropRect FrameOnRect(const TCropRect& picture, int32_t width, int32_t height,
                                    int32_t frameWidth, int32_t frameHeight,
                                    const std::vector<TTransformType>& transforms);

} // namespace vantrel::cli
