// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantrel {

/// Where a crop is written.
struct TCropTarget {
    std::string OutputFolder; // the output folder after the save's start (filled when empty)
    std::string CroppedFile;  // full path of the file the save writes
};

/// Tells whether two paths name the same folder on disk (IsSameFile; tests put their own).
using TSameFolderCheck = std::function<bool(const std::string&, const std::string&)>;

/// The output folder and file of a save of `inputFile`. An empty output folder becomes the
/// input file's folder. In the input file's own folder (the same text, or another spelling of
/// the very same folder on disk: a link, other letter case where the file system ignores it,
/// "..", doubled separators) the name is `prefix` + the input name without its extension +
/// `postfix` + ".tif", so that a prefix or postfix keeps the source; elsewhere the input name
/// is kept whole.
[[nodiscard]] TCropTarget CropTarget(std::string_view outputFolder, std::string_view inputFile,
                                     std::string_view prefix, std::string_view postfix,
                                     const TSameFolderCheck& sameFolder = {});

/// The file of picture `number` (from 1, along the strip) of a scan that holds several:
/// "-" and the number before the extension, so that "scan.tif" gives "scan-2.tif" and the
/// pictures of one scan never share a file.
[[nodiscard]] std::string WithPictureNumber(std::string_view croppedFile, int number);

} // namespace vantrel
