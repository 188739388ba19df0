// SPDX-License-Identifier: MIT
#include "cli/StripOfFiles.h"

#include "cli/Commands.h"
#include "cli/RollOfFiles.h"
#include "pipeline/crop/CropOutput.h"
#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/ScanReduction.h"

namespace vantrel::cli {

std::vector<TStripScan> FindStripsOfRoll(const std::vector<std::string>& files) {
    std::vector<TStripScan> scans;
    std::vector<TReducedScan> reduced;
    std::vector<size_t> readable; // the scan of each reduced copy
    ReadEachFile(files, scans, [&](size_t k, TFileRows& rows) {
        reduced.push_back(ReduceStripScanFile(rows));
        readable.push_back(k);
    });
    std::vector<TStripPictures> found = FindStripPicturesOfRoll(reduced);
    for (size_t k = 0; k < found.size() && k < readable.size(); ++k)
        scans[readable[k]].Strip = std::move(found[k]);
    return scans;
}

std::vector<std::string> PictureTargets(const std::string& target, size_t count) {
    if (count == 1)
        return {target};
    std::vector<std::string> targets;
    for (size_t k = 0; k < count; ++k)
        targets.push_back(WithPictureNumber(target, static_cast<int>(k + 1)));
    return targets;
}

} // namespace vantrel::cli
