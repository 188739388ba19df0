// SPDX-License-Identifier: MIT
#include "cli/Arguments.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace vantrel::cli {

bool ParseInt(const std::string& text, int32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ParseInts(const std::string& text, size_t count, std::vector<int32_t>& values) {
    std::vector<std::string> parts(1);
    for (const char c : text)
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    if (parts.size() != count)
        return false;
    values.assign(count, 0);
    for (size_t k = 0; k < count; ++k)
        if (!ParseInt(parts[k], values[k]))
            return false;
    return true;
}

bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
    std::vector<int32_t> v;
    if (!ParseInts(text, 2, v) || v[0] < 1 || v[1] < 1)
        return false;
    width = v[0];
    height = v[1];
    return true;
}

bool ParseTransform(const std::string& text, std::vector<TTransformType>& transforms) {
    static const std::pair<const char*, TTransformType> kNames[] = {
        {"90cw", TTransformType::tt90CW},
        {"90ccw", TTransformType::tt90CCW},
        {"180", TTransformType::tt180},
        {"flip", TTransformType::ttFlipH},
        {"invert", TTransformType::ttInvert}};
    for (const auto& [name, type] : kNames)
        if (text == name) {
            transforms.push_back(type);
            return true;
        }
    return false;
}

} // namespace vantrel::cli
