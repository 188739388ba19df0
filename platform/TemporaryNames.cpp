// SPDX-License-Identifier: MIT
#include "platform/TemporaryNames.h"

#include <cstdio>

namespace vantrel {

TTemporaryNames::TTemporaryNames(const std::string& targetPath, size_t lastSeparator)
    : FFolder(lastSeparator == std::string::npos ? "" : targetPath.substr(0, lastSeparator + 1)),
      FName(lastSeparator == std::string::npos ? targetPath : targetPath.substr(lastSeparator + 1)),
      FRandom(std::random_device{}()) {
    if (FName.size() > 200)
        FName.resize(200);
}

std::string TTemporaryNames::Next() {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp",
                  static_cast<unsigned>(FRandom() & 0xFFFFFFFFu));
    return FFolder + "." + FName + suffix;
}

} // namespace vantrel
