// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// The folder part of a path with its trailing separator ("/data/scan.tif" gives "/data/");
/// empty when the path has no separator. On Windows "\" and "/" both separate.
[[nodiscard]] std::string FolderPart(std::string_view path);
/// The file-name part of a path, without its folder.
[[nodiscard]] std::string FileNamePart(std::string_view path);
/// `folder` with a trailing separator added when it has none (an empty folder stays empty): the
/// system's own ("\" on Windows, unless the folder is spelt with "/" alone).
[[nodiscard]] std::string WithTrailingSeparator(std::string_view folder);

} // namespace vantrel
