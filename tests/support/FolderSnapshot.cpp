// SPDX-License-Identifier: MIT
#include "tests/support/FolderSnapshot.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantrel::test {

namespace fs = std::filesystem;

TFolderSnapshot::TFolderSnapshot(const std::string& folder) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = fs::relative(it->path(), folder).string();
        if (it->is_regular_file()) {
            std::ifstream in(it->path(), std::ios::binary);
            FEntries[name] = "file:" + std::string(std::istreambuf_iterator<char>(in), {});
        } else if (it->is_directory()) {
            FEntries[name] = "folder";
        } else {
            FEntries[name] = "other";
        }
    }
}

std::string TFolderSnapshot::DifferencesTo(const TFolderSnapshot& later) const {
    std::string out;
    for (const auto& [name, content] : FEntries) {
        const auto it = later.FEntries.find(name);
        if (it == later.FEntries.end())
            out += "removed: " + name + "\n";
        else if (it->second != content)
            out += "changed: " + name + "\n";
    }
    for (const auto& [name, content] : later.FEntries) {
        if (!FEntries.count(name))
            out += "added: " + name + "\n";
    }
    return out;
}

} // namespace vantrel::test
