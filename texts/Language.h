// SPDX-License-Identifier: MIT
// The language of the texts a user reads. The program speaks Russian unless told otherwise; the
// window sets the language from its settings, vantrel-tiff from --lang. Every layer asks here,
// so an engine message, a tag name and a window caption never disagree about the language.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::texts {

enum class TLanguage { Russian, English };

// The process-wide choice; read from any thread, set before texts are made (at start-up, or by
// the window's thread when the user switches).
void SetLanguage(TLanguage language);
[[nodiscard]] TLanguage CurrentLanguage();

// The codes of the settings file and of --lang: "ru", "en".
[[nodiscard]] std::string_view LanguageCode(TLanguage language);
[[nodiscard]] std::optional<TLanguage> LanguageFromCode(std::string_view code);

// One text in both languages, chosen when it is read. Both are required at compile time, so a
// text without its English form does not build.
struct TText {
    consteval TText(const char* ru, const char* en) : Ru(ru), En(en) {}

    const char* Ru;
    const char* En;

    [[nodiscard]] const char* In(TLanguage language) const {
        return language == TLanguage::English ? En : Ru;
    }
    [[nodiscard]] const char* operator()() const { return In(CurrentLanguage()); }

    // A text stands where a string is taken, in the language of that moment.
    operator std::string_view() const { return (*this)(); }
    operator std::string() const { return (*this)(); }
};

// The form of a word for a count: Russian has three (1, 21…; 2–4, 22–24…; 0, 5–20, 11–14…),
// English two (1; any other count).
[[nodiscard]] std::string_view RussianPluralForm(uint64_t n, std::string_view one,
                                                 std::string_view few, std::string_view many);

struct TPluralText {
    consteval TPluralText(const char* ruOne, const char* ruFew, const char* ruMany,
                          const char* enOne, const char* enOther)
        : RuOne(ruOne), RuFew(ruFew), RuMany(ruMany), EnOne(enOne), EnOther(enOther) {}

    const char* RuOne;
    const char* RuFew;
    const char* RuMany;
    const char* EnOne;
    const char* EnOther;

    [[nodiscard]] std::string_view For(uint64_t n, TLanguage language) const {
        if (language == TLanguage::English)
            return n == 1 ? EnOne : EnOther;
        return RussianPluralForm(n, RuOne, RuFew, RuMany);
    }
    [[nodiscard]] std::string_view For(uint64_t n) const { return For(n, CurrentLanguage()); }
};

// The decimal separator of numbers shown to users: the locale's in Russian (as the program
// always did), a point in English.
[[nodiscard]] std::string DecimalSeparator(std::string_view localeSeparator);

} // namespace vantrel::texts
