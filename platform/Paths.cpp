// SPDX-License-Identifier: MIT
#include "platform/Paths.h"

namespace vantrel {

// char8_t text is UTF-8 on every system; plain char would be the ANSI code page on Windows.
std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

} // namespace vantrel
