// SPDX-License-Identifier: MIT
#include "pipeline/crop/PathParts.h"

namespace vantrel {

std::string FolderPart(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNamePart(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string WithTrailingSeparator(std::string_view folder) {
    std::string result(folder);
    if (!result.empty() && result.back() != '/')
        result += '/';
    return result;
}

} // namespace vantrel
