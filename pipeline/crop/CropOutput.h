// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// Where a crop is written.
struct TCropTarget {
    std::string OutputFolder; // the output folder after the save's start (filled when empty)
    std::string CroppedFile;  // full path of the file the save writes
};

/// The output folder and file of a save of `inputFile`. An empty output folder becomes the
/// input file's folder. In the input file's own folder (the same text exactly, letter case
/// and trailing separator included) the name is `prefix` + the input name without its
/// extension + `postfix` + ".tif", so that a prefix or postfix keeps the source; elsewhere
/// the input name is kept whole.
[[nodiscard]] TCropTarget CropTarget(std::string_view outputFolder, std::string_view inputFile,
                                     std::string_view prefix, std::string_view postfix);

} // namespace vantrel
