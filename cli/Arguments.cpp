// SPDX-License-Identifier: MIT
#include "cli/Arguments.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace vantrel::cli {

bool TArguments::Has(std::string_view option) const {
    return Given.find(option) != Given.end();
}

std::optional<std::string> TArguments::Value(std::string_view option) const {
    const auto given = Given.find(option);
    if (given == Given.end() || given->second.empty())
        return std::nullopt;
    return given->second.back();
}

std::vector<std::string> TArguments::Values(std::string_view option) const {
    const auto given = Given.find(option);
    return given == Given.end() ? std::vector<std::string>{} : given->second;
}

std::optional<TArguments> ParseArguments(const std::vector<std::string>& args,
                                         std::span<const TOption> options) {
    TArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const TOption& o) { return o.Name == arg; });
        if (option == options.end()) {
            if (arg.starts_with("--"))
                return std::nullopt;
            parsed.Files.push_back(arg);
            continue;
        }
        std::vector<std::string>& values = parsed.Given[arg];
        if (option->Kind == TOptionKind::Value && !values.empty())
            return std::nullopt;
        if (!option->TakesValue()) {
            values.emplace_back();
            continue;
        }
        if (++i == args.size())
            return std::nullopt;
        values.push_back(args[i]);
    }
    return parsed;
}

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

bool ParseTransforms(const TArguments& args, std::vector<TTransformType>& transforms) {
    for (const std::string& name : args.Values("--transform"))
        if (!ParseTransform(name, transforms))
            return false;
    return true;
}

bool ParseFrameArgs(const TArguments& args, TFrameArgs& frame) {
    const std::optional<std::string> given = args.Value("--frame");
    const std::optional<std::string> place = args.Value("--place");
    if (given && place)
        return false;
    std::vector<int32_t> v;
    if (given) {
        if (!ParseInts(*given, 4, v))
            return false;
        frame.Frame = TCropRect{v[0], v[1], v[2], v[3]};
    }
    if (place) {
        TCropRect size;
        if (!ParseSize(*place, size.W, size.H))
            return false;
        frame.Place = size;
    }
    return true;
}

} // namespace vantrel::cli
