// SPDX-License-Identifier: MIT
#include "platform/Locale.h"

#include <langinfo.h>

namespace vantrel {

std::tm LocalCalendarTime(std::time_t seconds) noexcept {
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

std::string LocaleDecimalSeparatorText() {
    // nl_langinfo follows the thread's locale (uselocale) or else the global one, and unlike
    // localeconv() writes nothing shared.
    const char* separator = nl_langinfo(RADIXCHAR);
    if (separator == nullptr || *separator == '\0')
        return ".";
    return separator;
}

unsigned SystemCodePage() noexcept {
    return 1251;
}

std::optional<std::string> CodePageToUtf8(unsigned, std::string_view) {
    return std::nullopt;
}

std::optional<std::string> Utf8ToCodePage(unsigned, std::string_view) {
    return std::nullopt;
}

} // namespace vantrel
