// SPDX-License-Identifier: MIT
#include "pipeline/crop/PathParts.h"

#include <algorithm>

#include "platform/Paths.h"

namespace vantrel {
namespace {

size_t LastSeparator(std::string_view path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1]))
            return i - 1;
    return std::string_view::npos;
}

} // namespace

std::string FolderPart(std::string_view path) {
    const auto slash = LastSeparator(path);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNamePart(std::string_view path) {
    const auto slash = LastSeparator(path);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string WithTrailingSeparator(std::string_view folder) {
    std::string result(folder);
    if (result.empty() || IsPathSeparator(result.back()))
        return result;
    // A folder spelt with "/" alone on Windows keeps that spelling.
    const bool onlyForward = kPathSeparator != '/' &&
                             result.find(kPathSeparator) == std::string::npos &&
                             std::find(result.begin(), result.end(), '/') != result.end();
    result += onlyForward ? '/' : kPathSeparator;
    return result;
}

} // namespace vantrel
