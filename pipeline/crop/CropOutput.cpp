// SPDX-License-Identifier: MIT
#include "pipeline/crop/CropOutput.h"

#include "pipeline/crop/PathParts.h"
#include "platform/FileHandle.h"

namespace vantrel {

TCropTarget CropTarget(std::string_view outputFolder, std::string_view inputFile,
                       std::string_view prefix, std::string_view postfix,
                       const TSameFolderCheck& sameFolder) {
    TCropTarget target;
    const std::string inputFolder = FolderPart(inputFile);
    target.OutputFolder = outputFolder.empty() ? inputFolder : std::string(outputFolder);

    // Another spelling of the source's folder must not let the crop take the source's name.
    const std::string sourceFolder = inputFolder.empty() ? "." : inputFolder;
    const bool inSourceFolder = target.OutputFolder == inputFolder ||
                                (sameFolder ? sameFolder(target.OutputFolder, sourceFolder)
                                            : IsSameFile(target.OutputFolder, sourceFolder));
    std::string name = FileNamePart(inputFile);
    if (inSourceFolder) {
        const auto point = name.rfind('.');
        if (point != std::string::npos)
            name.erase(point);
        name = std::string(prefix) + name + std::string(postfix) + ".tif";
    }
    target.CroppedFile = WithTrailingSeparator(target.OutputFolder) + name;
    return target;
}

std::string WithPictureNumber(std::string_view croppedFile, int number) {
    const size_t nameStart = FolderPart(croppedFile).size();
    size_t point = croppedFile.rfind('.');
    if (point == std::string_view::npos || point < nameStart)
        point = croppedFile.size();
    return std::string(croppedFile.substr(0, point)) + "-" + std::to_string(number) +
           std::string(croppedFile.substr(point));
}

} // namespace vantrel
