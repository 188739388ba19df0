// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// \brief A number in the general format shown to users: up to 15 significant digits, no
/// trailing zeros, fixed notation from 0.00001 up to 15 integer digits, otherwise "1E20" /
/// "1.5E-10" style; `decimalSeparator` between integer and fraction.
[[nodiscard]] std::string FormatFloatGeneral(double value, std::string_view decimalSeparator);

/// \brief The same with the decimal separator of the current numeric locale (LC_NUMERIC).
[[nodiscard]] std::string FormatFloatGeneral(double value);

/// \brief The decimal separator of the current numeric locale ("." in the C locale, "," in a
/// Russian one), or "." while the user's texts are English. Reads the locale without changing
/// any shared state, so threads may call it.
[[nodiscard]] std::string LocaleDecimalSeparator();

} // namespace vantrel
