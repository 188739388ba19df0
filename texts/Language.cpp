// SPDX-License-Identifier: MIT
#include "texts/Language.h"

#include <atomic>

namespace vantrel::texts {
namespace {

std::atomic<TLanguage> GLanguage{TLanguage::Russian};

} // namespace

void SetLanguage(TLanguage language) {
    GLanguage.store(language, std::memory_order_relaxed);
}

TLanguage CurrentLanguage() {
    return GLanguage.load(std::memory_order_relaxed);
}

std::string_view LanguageCode(TLanguage language) {
    return language == TLanguage::English ? "en" : "ru";
}

std::optional<TLanguage> LanguageFromCode(std::string_view code) {
    if (code == "ru")
        return TLanguage::Russian;
    if (code == "en")
        return TLanguage::English;
    return std::nullopt;
}

std::string_view RussianPluralForm(uint64_t n, std::string_view one, std::string_view few,
                                   std::string_view many) {
    const uint64_t lastTwo = n % 100;
    if (n == 0 || (lastTwo >= 11 && lastTwo <= 14))
        return many;
    switch (n % 10) {
    case 1:
        return one;
    case 2:
    case 3:
    case 4:
        return few;
    default:
        return many;
    }
}

std::string DecimalSeparator(std::string_view localeSeparator) {
    return CurrentLanguage() == TLanguage::English ? "." : std::string(localeSeparator);
}

} // namespace vantrel::texts
