// SPDX-License-Identifier: MIT
#pragma once

// The commands of vantrel-tiff as one table: each row gives the command's name, the synopsis
// and summary of the usage text, its options and its handler. The table drives the dispatch,
// the parsing of options and the usage text; the man page and the bash completion are tested
// against it (tests/cli/CommandTableTest.cpp).

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"

namespace vantrel::cli {

struct TCommand {
    std::string_view Name;                 // the first argument: "crop", "--help"
    std::vector<std::string_view> Aliases; // other first arguments that run it
    /// What follows the name in the usage text; each "\n" starts a line under the first
    /// argument.
    std::string_view Synopsis;
    /// The usage text's description, its lines separated by "\n".
    std::string_view Summary;
    std::vector<TOption> Options;
    int (*Handler)(const TArguments& args) = nullptr;
    /// Runs whatever follows it (--help, --version): nothing after it is looked at.
    bool IgnoresArguments = false;
};

/// Every command in the order of the usage text.
[[nodiscard]] std::span<const TCommand> Commands();

/// The command named `name` (or one of its aliases); null when there is none.
[[nodiscard]] const TCommand* FindCommand(std::string_view name);

/// The whole usage text `--help` prints.
[[nodiscard]] std::string UsageText();

/// Sets the language of the user's texts from the global options before the command
/// (`--lang en|ru`, also `--lang=en`) and gives the arguments after them; nothing (and a
/// message on stderr) for a language it does not know or a --lang without one.
[[nodiscard]] std::optional<std::vector<std::string>>
TakeGlobalOptions(const std::vector<std::string>& args);

/// Runs the command named by the first argument after the global options with the rest; the
/// usage text and kExitUsage for no command, an unknown one or arguments its options do not
/// allow; kExitUsage for a wrong global option.
int RunCommandLine(const std::vector<std::string>& args);

} // namespace vantrel::cli
