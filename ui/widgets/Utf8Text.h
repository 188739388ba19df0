// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

namespace vantrel {

/// The core's UTF-8 text as a QString, at the boundary to Qt.
[[nodiscard]] inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vantrel
