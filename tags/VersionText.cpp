// SPDX-License-Identifier: MIT
// The program's version text. The version is compiled in from the build's project version.
#include <string>

#include "tags/TIFFTagUtils.h"
#include "texts/Language.h"

namespace vantrel {

std::optional<TFileVersion> GetCompiledFileVersion() {
#if defined(VANTREL_VERSION_MAJOR) && defined(VANTREL_VERSION_MINOR) &&                            \
    defined(VANTREL_VERSION_RELEASE) && defined(VANTREL_VERSION_BUILD)
    static_assert(VANTREL_VERSION_MAJOR <= 0xFFFF && VANTREL_VERSION_MINOR <= 0xFFFF &&
                      VANTREL_VERSION_RELEASE <= 0xFFFF && VANTREL_VERSION_BUILD <= 0xFFFF,
                  "each part of the file version is a 16-bit number");
    return TFileVersion{VANTREL_VERSION_MAJOR, VANTREL_VERSION_MINOR, VANTREL_VERSION_RELEASE,
                        VANTREL_VERSION_BUILD};
#else
    return std::nullopt;
#endif
}

namespace {

constexpr texts::TText kBuild{"сборка", "build"};

} // namespace

std::string FormatVersionText(const std::optional<TFileVersion>& version, bool UseEnglish) {
    if (!version)
        return "Unknown";
    return std::to_string(version->Major) + "." + std::to_string(version->Minor) + "." +
           std::to_string(version->Release) + " (" +
           kBuild.In(UseEnglish ? texts::TLanguage::English : texts::TLanguage::Russian) + " " +
           std::to_string(version->Build) + ", x64)";
}

std::string GetVersionText(bool UseEnglish) {
    return FormatVersionText(GetCompiledFileVersion(), UseEnglish);
}

} // namespace vantrel
