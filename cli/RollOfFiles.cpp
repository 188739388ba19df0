// SPDX-License-Identifier: MIT
#include "cli/RollOfFiles.h"

#include <utility>

#include "cli/Commands.h"
#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/FramePlacement.h"
#include "pipeline/detect/RollPlacement.h"
#include "pipeline/detect/ScanReduction.h"
#include "pipeline/kernels/Transform.h"

namespace vantrel::cli {

std::vector<TPlacedScan> FindPicturesOfRoll(const std::vector<std::string>& files) {
    std::vector<TPlacedScan> scans;
    TRoll roll;
    ReadEachFile(files, scans, [&](size_t k, TFileRows& rows) {
        roll.Add(std::to_string(k), AnalyseScan(ReduceScanFile(rows)));
    });
    for (size_t k = 0; k < files.size(); ++k)
        if (!scans[k].Error)
            scans[k].Picture = roll.Place(std::to_string(k));
    return scans;
}

std::optional<TCropRect> FrameOnPicture(const TPlacedScan& scan, int32_t frameWidth,
                                        int32_t frameHeight,
                                        const std::vector<TTransformType>& transforms) {
    if (scan.Error || !scan.Picture.Found)
        return std::nullopt;
    return FrameOnRect(scan.Picture.Picture, scan.Width, scan.Height, frameWidth, frameHeight,
                       transforms);
}

TCropRect FrameOnRect(const TCropRect& p, int32_t width, int32_t height, int32_t frameWidth,
                      int32_t frameHeight, const std::vector<TTransformType>& transforms) {
    TFramePlacement picture{{p.W, p.H}, {p.X, p.Y}};
    for (const TTransformType t : transforms) {
        if (const std::optional<TFramePlacement> moved =
                TransformFrame(t, picture.Size, picture.Pos, width, height)) {
            if (t == TTransformType::tt90CW || t == TTransformType::tt90CCW)
                std::swap(width, height);
            picture = *moved;
        }
    }
    return PlaceFrame({picture.Pos.X, picture.Pos.Y, picture.Size.X, picture.Size.Y}, frameWidth,
                      frameHeight, width, height);
}

} // namespace vantrel::cli
