// SPDX-License-Identifier: MIT
#include "tiff/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/Locale.h"
#include "texts/Language.h"

namespace vantrel {

namespace {

constexpr int kSignificantDigits = 15;

} // namespace

std::string FormatFloatGeneral(double value, std::string_view decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // Round once to 15 significant digits: "d.dddddddddddddde±x".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());

    std::string out = value < 0 ? "-" : "";
    const int digitCount = static_cast<int>(digits.size());
    if (exponent >= -5 && exponent < kSignificantDigits) {
        if (exponent >= 0) {
            const int intDigits = exponent + 1;
            if (digitCount <= intDigits) {
                out += digits;
                out.append(static_cast<size_t>(intDigits - digitCount), '0');
            } else {
                out += digits.substr(0, static_cast<size_t>(intDigits));
                out += decimalSeparator;
                out += digits.substr(static_cast<size_t>(intDigits));
            }
        } else {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        }
        return out;
    }
    out += digits[0];
    if (digitCount > 1) {
        out += decimalSeparator;
        out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

std::string FormatFloatGeneral(double value) {
    return FormatFloatGeneral(value, LocaleDecimalSeparator());
}

std::string LocaleDecimalSeparator() {
    return texts::DecimalSeparator(LocaleDecimalSeparatorText());
}

} // namespace vantrel
