// SPDX-License-Identifier: MIT
#include "texts/Language.h"

#include <atomic>

namespace vantrel::texts {
namespace {

std::atomic<TLanguage> GLanguage{TLanguage::Russian};

}  // namespace

void SetLanguage(TLanguage language) { GLanguage.store(language, std::memory_order_relaxed); }

TLanguage CurrentLanguage() { return GLanguage.load(std::memory_order_relaxed); }

std::string_view LanguageCode(TLanguage language) {
  return language == TLanguage::English ? "en" : "ru";
}

std::optional<TLanguage> LanguageFromCode(std::string_view code) {
  if (code == "ru") return TLanguage::Russian;
  if (code == "en") return TLanguage::English;
  return std::nullopt;
}

}  // namespace vantrel::texts
