// SPDX-License-Identifier: MIT
#pragma once

// The names a save tries for its temporary file, on every system: in the target's folder (a
// rename replaces a file in one step only within one file system, and a folder we cannot write
// into fails at once, before anything is written), hidden behind a dot, with a random suffix;
// a target name near the file system's limit is cut so that the suffix still fits.

#include <cstddef>
#include <random>
#include <string>

namespace vantrel {

class TTemporaryNames {
public:
    /// `lastSeparator`: where the target's folder ends, npos when the path names no folder.
    TTemporaryNames(const std::string& targetPath, size_t lastSeparator);

    /// Another name to try.
    [[nodiscard]] std::string Next();

    /// How many names a save tries before it gives up.
    static constexpr int kAttempts = 100;

private:
    std::string FFolder;
    std::string FName;
    std::mt19937_64 FRandom;
};

} // namespace vantrel
