// SPDX-License-Identifier: MIT
// The language of the texts a user reads. The program speaks Russian unless told otherwise; the
// window sets the language from its settings, vantrel-tiff from --lang. Every layer asks here,
// so an engine message, a tag name and a window caption never disagree about the language.
#pragma once

#include <optional>
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
};

}  // namespace vantrel::texts
