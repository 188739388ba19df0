// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

namespace vantrel {

/// Installs Qt's own Russian texts (file and folder dialogs, the edit fields' context menus,
/// the colour dialog), whatever the desktop's language: the window speaks Russian throughout.
/// False when the translations are not installed; Qt's English texts then stay.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace vantrel
