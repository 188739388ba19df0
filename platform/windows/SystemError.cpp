// SPDX-License-Identifier: MIT
#include "platform/SystemError.h"

#include <windows.h>

#include "platform/windows/Wide.h"

namespace vantrel {

// The system's own text of the error, in the language of the user's Windows.
EOSError EOSError::FromSystemCode(int code, const std::string& extra) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring_view wide(buffer != nullptr ? buffer : L"", length);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' '))
        wide.remove_suffix(1);
    std::string text = "System Error.  Code: " + std::to_string(code) + ".\r\n";
    text += Utf8FromWide(wide);
    text += extra;
    if (buffer != nullptr)
        LocalFree(buffer);
    return EOSError(code, text);
}

int LastSystemError() noexcept {
    return static_cast<int>(GetLastError());
}

bool IsNotFoundError(int code) noexcept {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

} // namespace vantrel
