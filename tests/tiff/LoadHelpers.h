// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "tests/support/MinimalTagDescriber.h"
#include "tests/support/TempDir.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::test {

/// One load as the program does it: a fresh TCropTIFF over a file on disk.
struct TLoadResult {
    TLoadedTIFF Image;
    std::vector<TTIFFTag> Tags;
};

inline TLoadResult Load(const std::string& path) {
    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    TLoadResult r;
    r.Image = tiff.LoadTIFFAsWords(path);
    r.Tags = tiff.GetAllTags();
    return r;
}

/// The message of the ETIFFError that loading `path` raises ("" when it loads).
inline std::string LoadError(const std::string& path) {
    try {
        Load(path);
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

inline std::vector<uint16_t> Words(const TLoadedTIFF& image) {
    return std::vector<uint16_t>(image.PixelData.begin(), image.PixelData.end());
}

} // namespace vantrel::test
