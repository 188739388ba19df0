// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>

namespace vantrel {

/// printf-style formatting of the engine's messages ("Тег %d: ...").
template <class... Args> std::string Fmt(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    std::snprintf(out.data(), out.size() + 1, format, args...);
    return out;
}

} // namespace vantrel
