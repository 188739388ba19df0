// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantrel {

/// The version text of the window title, "1.0.1 (сборка 176, x64)".
[[nodiscard]] std::string CaptionVersionText();

} // namespace vantrel
