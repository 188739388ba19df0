// SPDX-License-Identifier: MIT
#include "ui/logic/settings/TextCodecs.h"

#include <cstdint>
#include <optional>

#include "platform/Locale.h"

#include "tiff/ByteOrder.h"
#include "tiff/CodePage1251.h"

namespace vantrel {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto b0 = static_cast<uint8_t>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        char32_t cp;
        char32_t minimum;
        if ((b0 & 0xE0) == 0xC0) {
            length = 2, cp = b0 & 0x1F, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            length = 3, cp = b0 & 0x0F, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            length = 4, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i < length)
            return false;
        for (size_t k = 1; k < length; ++k) {
            const auto b = static_cast<uint8_t>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x80)
            out += c;
        else
            AppendUtf8(out, CodePage1251Char(b));
    }
    return out;
}

std::string SystemCodePageToUtf8(std::string_view bytes) {
    const unsigned codePage = SystemCodePage();
    if (codePage != 1251)
        if (std::optional<std::string> text = CodePageToUtf8(codePage, bytes))
            return std::move(*text);
    return Cp1251ToUtf8(bytes);
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const size_t units = bytes.size() / 2;
    auto unitAt = [&](size_t k) -> char16_t {
        return char16_t(ReadNumber<uint16_t>(reinterpret_cast<const uint8_t*>(bytes.data()) + 2 * k,
                                             bigEndian));
    };
    for (size_t k = 0; k < units; ++k) {
        const char16_t u = unitAt(k);
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
            const char16_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? char32_t(0xFFFD) : char32_t(u));
    }
    if (bytes.size() % 2 != 0)
        AppendUtf8(out, 0xFFFD);
    return out;
}

} // namespace vantrel
