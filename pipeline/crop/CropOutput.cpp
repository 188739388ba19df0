// SPDX-License-Identifier: MIT
#include "pipeline/crop/CropOutput.h"

#include "pipeline/crop/PathParts.h"

namespace vantrel {

TCropTarget CropTarget(std::string_view outputFolder, std::string_view inputFile,
                       std::string_view prefix, std::string_view postfix) {
    TCropTarget target;
    const std::string inputFolder = FolderPart(inputFile);
    target.OutputFolder = outputFolder.empty() ? inputFolder : std::string(outputFolder);

    std::string name = FileNamePart(inputFile);
    if (target.OutputFolder == inputFolder) {
        const auto point = name.rfind('.');
        if (point != std::string::npos)
            name.erase(point);
        name = std::string(prefix) + name + std::string(postfix) + ".tif";
    }
    target.CroppedFile = WithTrailingSeparator(target.OutputFolder) + name;
    return target;
}

} // namespace vantrel
