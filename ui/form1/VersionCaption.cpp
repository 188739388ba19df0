// SPDX-License-Identifier: MIT
#include "ui/form1/VersionCaption.h"

#include <cstdio>

namespace vantrel {

std::string CaptionVersionText() {
    // The version compiled in from the project's version.
    char buffer[96];
    std::snprintf(
        buffer, sizeof buffer, "%u.%u.%u (сборка %u, x64)",
        unsigned(VANTREL_VERSION_MAJOR) & 0xFFFF, unsigned(VANTREL_VERSION_MINOR) & 0xFFFF,
        unsigned(VANTREL_VERSION_PATCH) & 0xFFFF, unsigned(VANTREL_VERSION_TWEAK) & 0xFFFF);
    return buffer;
}

} // namespace vantrel
