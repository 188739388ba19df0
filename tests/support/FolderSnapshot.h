// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>

namespace vantrel::test {

/// Every entry below a folder with its content (files) or a marker (folders and others), so
/// a test can tell that a failed save left nothing behind and changed nothing.
class TFolderSnapshot {
public:
    explicit TFolderSnapshot(const std::string& folder);

    /// An empty text when both snapshots are equal, else one line per difference.
    std::string DifferencesTo(const TFolderSnapshot& later) const;

private:
    std::map<std::string, std::string> FEntries;
};

} // namespace vantrel::test
