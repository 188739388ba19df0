// SPDX-License-Identifier: MIT
#pragma once

// The arguments the commands share: options split from file names by the command's own
// options (CommandTable.h), numbers, comma lists of numbers and transform names.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel::cli {

/// How an option is given.
enum class TOptionKind : uint8_t {
    Flag,     // no value; given again, nothing changes
    Value,    // one value, at most once
    Last,     // one value; given again, the last counts
    Repeated, // one value each time; all count, in the order given
};

/// One option of a command: its name ("--frame") and how it is given.
struct TOption {
    std::string_view Name;
    TOptionKind Kind = TOptionKind::Flag;
    [[nodiscard]] bool TakesValue() const { return Kind != TOptionKind::Flag; }
};

/// A command's arguments: the file names in their order and the options given.
struct TArguments {
    std::vector<std::string> Files;
    /// The values of each option given, in the order given (a flag: one empty value per use).
    std::map<std::string, std::vector<std::string>, std::less<>> Given;

    [[nodiscard]] bool Has(std::string_view option) const;
    /// The value of an option given once, or the last of several; nothing when not given.
    [[nodiscard]] std::optional<std::string> Value(std::string_view option) const;
    /// Every value of a repeated option, in the order given.
    [[nodiscard]] std::vector<std::string> Values(std::string_view option) const;
};

/// Splits `args` into the options of `options` and file names. An option that takes a value
/// takes the argument after it, whatever it is. Nothing for an argument beginning with "--"
/// that is not one of the options, an option without its value, or a Value option given twice.
[[nodiscard]] std::optional<TArguments> ParseArguments(const std::vector<std::string>& args,
                                                       std::span<const TOption> options);

/// A whole decimal number that fits int32_t, nothing else in the text.
bool ParseInt(const std::string& text, int32_t& value);

/// Exactly `count` such numbers separated by commas ("W,H", "X,Y,W,H").
bool ParseInts(const std::string& text, size_t count, std::vector<int32_t>& values);

/// A frame size "W,H", both at least 1.
bool ParseSize(const std::string& text, int32_t& width, int32_t& height);

/// 90cw, 90ccw, 180, flip or invert, appended to `transforms`.
bool ParseTransform(const std::string& text, std::vector<TTransformType>& transforms);

/// Every value of --transform parsed, in the order given; false when one is not a transform.
bool ParseTransforms(const TArguments& args, std::vector<TTransformType>& transforms);

/// The frame of crop and batch: --frame X,Y,W,H, or --place W,H (its size; X and Y 0) to centre
/// it on the picture found; never both.
struct TFrameArgs {
    std::optional<TCropRect> Frame;
    std::optional<TCropRect> Place;
};
bool ParseFrameArgs(const TArguments& args, TFrameArgs& frame);

} // namespace vantrel::cli
