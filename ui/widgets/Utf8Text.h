// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>
#include <string>
#include <string_view>
#include <type_traits>

namespace vantrel {

/// The core's UTF-8 text as a QString, at the boundary to Qt.
[[nodiscard]] inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A text of the Qt-free layers as a QString: a string, or a text whose language is chosen when
/// it is read (texts::TText), read now.
template <class T> [[nodiscard]] QString TextOf(const T& text) {
    if constexpr (std::is_invocable_v<const T&>)
        return QString::fromUtf8(text());
    else
        return FromUtf8(std::string_view(text));
}

/// A path from Qt (files chosen, dropped or named on the command line) as the core keeps it:
/// UTF-8 in the system's own spelling, with "\\" between the folders on Windows.
[[nodiscard]] inline std::string NativePath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace vantrel
