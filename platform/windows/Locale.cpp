// SPDX-License-Identifier: MIT
#include "platform/Locale.h"

#include <windows.h>

#include "platform/windows/Wide.h"

namespace vantrel {

std::tm LocalCalendarTime(std::time_t seconds) noexcept {
    std::tm local{};
    localtime_s(&local, &seconds);
    return local;
}

// The separator the user chose in the regional settings.
std::string LocaleDecimalSeparatorText() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1)
        return ".";
    return Utf8FromWide(separator);
}

unsigned SystemCodePage() noexcept {
    return GetACP();
}

std::optional<std::string> CodePageToUtf8(unsigned codePage, std::string_view bytes) {
    if (bytes.empty())
        return std::string();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return Utf8FromWide(wide);
}

std::optional<std::string> Utf8ToCodePage(unsigned codePage, std::string_view text) {
    if (codePage == CP_UTF8)
        return std::string(text);
    // Bytes that are not UTF-8 become U+FFFD here, and "?" below like every missing character.
    const std::wstring wide = WideFromUtf8(text);
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, "?", nullptr);
    if (length <= 0)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length,
                        "?", nullptr);
    return bytes;
}

} // namespace vantrel
