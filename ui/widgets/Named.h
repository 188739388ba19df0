// SPDX-License-Identifier: MIT
#pragma once

#include <QLatin1String>
#include <utility>

namespace vantrel {

/// A new control with its object name: the name it has in the window's design, by which the
/// key routing and the tests find it.
template <class T, class... Args> [[nodiscard]] T* Named(const char* name, Args&&... args) {
    auto* control = new T(std::forward<Args>(args)...);
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace vantrel
