// SPDX-License-Identifier: MIT
#include "platform/Folders.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "platform/FileHandle.h"
#include "platform/SystemError.h"

namespace vantrel {
namespace {

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; empty without a home.
std::filesystem::path ConfigBase() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return config;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config";
    return {};
}

// XDG_DOCUMENTS_DIR of a user-dirs.dirs file: lines of the form
// XDG_DOCUMENTS_DIR="$HOME/Documents"; empty when the file or the line is missing or names no
// absolute folder.
std::string XdgDocumentsFolder(const std::filesystem::path& file, const std::string& home) {
    std::optional<std::string> text;
    try {
        text = ReadFileBytes(file.string());
    } catch (const std::exception&) {
        return {}; // an unreadable user-dirs file is the same as none
    }
    if (!text)
        return {};
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR";
    constexpr std::string_view kBlanks = " \t\r";
    size_t start = 0;
    while (start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos)
            end = text->size();
        std::string_view line(text->data() + start, end - start);
        start = end + 1;
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(kBlanks)));
        if (!line.starts_with(kKey))
            continue;
        line.remove_prefix(kKey.size());
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(kBlanks)));
        if (!line.starts_with('='))
            continue;
        line.remove_prefix(1);
        const size_t first = line.find_first_not_of(kBlanks);
        if (first == std::string_view::npos)
            return {};
        line = line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
            line = line.substr(1, line.size() - 2);
        std::string path(line);
        if (path.rfind("$HOME", 0) == 0)
            path = home + path.substr(5);
        return !path.empty() && path.front() == '/' ? path : std::string();
    }
    return {};
}

} // namespace

void CreateFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw EOSError::FromErrno(error.value());
}

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : exe.parent_path();
}

std::string DocumentsFolder() {
    if (const char* direct = std::getenv("XDG_DOCUMENTS_DIR"); direct && *direct)
        return direct;
    const char* homeEnv = std::getenv("HOME");
    const std::string home = homeEnv ? homeEnv : "";
    const std::filesystem::path config = ConfigBase();
    if (!config.empty()) {
        if (const std::string folder = XdgDocumentsFolder(config / "user-dirs.dirs", home);
            !folder.empty())
            return folder;
    }
    if (!home.empty()) {
        const std::filesystem::path documents = std::filesystem::path(home) / "Documents";
        std::error_code error;
        if (std::filesystem::is_directory(documents, error))
            return documents.string();
    }
    return {};
}

std::filesystem::path UserSettingsFolder() {
    const std::filesystem::path base = ConfigBase();
    return base.empty() ? base : base / "vantrel";
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

// An installed program (<prefix>/bin with the desktop entry in <prefix>/share/applications)
// keeps its settings per user, also for root, who could write into /usr/bin: settings there
// would be shared by every user and left behind when the package is removed.
bool IsInstalledProgramFolder(const std::filesystem::path& executableFolder) {
    std::error_code error;
    return executableFolder.filename() == "bin" &&
           std::filesystem::exists(executableFolder.parent_path() / "share" / "applications" /
                                       "invalid.vantrel.vantrel.desktop",
                                   error);
}

} // namespace vantrel
