// SPDX-License-Identifier: MIT
#include "platform/windows/Wide.h"

#include <windows.h>

namespace vantrel {

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring WidePath(std::string_view path) {
    std::wstring wide = WideFromUtf8(path);
    // CreateDirectoryW keeps 12 characters for a file name inside the folder.
    constexpr size_t kShortEnough = MAX_PATH - 12;
    if (wide.size() < kShortEnough || wide.starts_with(L"\\\\?\\"))
        return wide;
    // The prefix turns off the system's own clean-up of the text, so it is done first: the
    // full path with "\" only, "." and ".." resolved.
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return wide;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return wide;
    full.resize(length);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

} // namespace vantrel
