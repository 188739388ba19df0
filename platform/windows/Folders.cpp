// SPDX-License-Identifier: MIT
#include "platform/Folders.h"

#include <system_error>

#include <windows.h>

#include <shlobj.h>

#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "platform/windows/Wide.h"

namespace vantrel {
namespace {

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::filesystem::path folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

} // namespace

// Level by level from the top, each through the long-path form: std::filesystem stops at 260
// characters.
void CreateFolders(const std::string& path) {
    for (size_t end = 0; end != std::string::npos;) {
        end = path.find_first_of("\\/", end + 1);
        const std::string folder = path.substr(0, end);
        if (folder.empty() || folder.back() == ':' || folder == "\\" || folder == "/")
            continue;
        if (CreateDirectoryW(WidePath(folder).c_str(), nullptr))
            continue;
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
        const bool isFolder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder && (error != ERROR_ALREADY_EXISTS || end == std::string::npos))
            throw EOSError::FromSystemCode(static_cast<int>(error));
    }
}

std::filesystem::path ExecutableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return std::filesystem::current_path();
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::string DocumentsFolder() {
    return Utf8FromPath(KnownFolder(FOLDERID_Documents));
}

std::filesystem::path UserSettingsFolder() {
    const std::filesystem::path appData = KnownFolder(FOLDERID_RoamingAppData);
    return appData.empty() ? appData : appData / L"Vantrel";
}

// The access rights of a folder are the file system's to judge: a file is made and removed.
bool IsWritableFolder(const std::filesystem::path& folder) {
    if (folder.empty())
        return false;
    const std::filesystem::path probe =
        folder / (L".vantrel-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
    const HANDLE file =
        CreateFileW(WidePath(Utf8FromPath(probe)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool IsInstalledProgramFolder(const std::filesystem::path& executableFolder) {
    std::error_code error;
    return std::filesystem::exists(executableFolder / PathFromUtf8(kUninstallerName), error);
}

} // namespace vantrel
