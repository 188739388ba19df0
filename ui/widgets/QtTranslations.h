// SPDX-License-Identifier: MIT
#pragma once

#include "texts/Language.h"

class QCoreApplication;

namespace vantrel {

/// Installs Qt's own Russian texts (file and folder dialogs, the edit fields' context menus,
/// the colour dialog), whatever the desktop's language: the window speaks Russian unless told
/// otherwise. False when the translations are not installed; Qt's English texts then stay.
bool InstallQtTranslations(QCoreApplication& app);

/// The language of every text a user reads: the Qt-free layers' (texts::SetLanguage), the
/// window's own (its English catalogue compiled in, none for Russian, whose texts are the
/// sources) and Qt's (its Russian texts for Russian when InstallQtTranslations installed them,
/// its own English otherwise). Every translator installed or removed posts a
/// QEvent::LanguageChange to the windows. Returns whether a translator changed.
bool ApplyLanguage(texts::TLanguage language);

/// The window's English catalogue is compiled into the program.
[[nodiscard]] bool HasWindowEnglish();

} // namespace vantrel
