// SPDX-License-Identifier: MIT
#include "tiff/CodePage1251.h"

#include <cstdint>
#include <optional>

#include "platform/Locale.h"

namespace vantrel {

namespace {

// The characters of bytes 0x80 to 0xBF; 0x98 has none (U+FFFD).
// clang-format off
constexpr char32_t kHighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};
// clang-format on

char ToByte(char32_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) // А to я
        return static_cast<char>(0xC0 + (c - 0x0410));
    if (c == 0xFFFD) // stands for the unassigned byte in the table, not a character of it
        return '?';
    for (int i = 0; i < 64; ++i)
        if (kHighHalf[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 character at `i` and advances past it; 0xFFFFFFFF for a bad sequence,
// which then covers just its first byte.
char32_t NextChar(const std::string& s, size_t& i) {
    const auto lead = static_cast<uint8_t>(s[i]);
    size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++i;
        return 0xFFFFFFFF;
    }
    if (i + length > s.size()) {
        ++i;
        return 0xFFFFFFFF;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto b = static_cast<uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFFFFFF;
        }
        c = (c << 6) | (b & 0x3F);
    }
    constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    i += length;
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0xFFFFFFFF;
    return c;
}

} // namespace

char32_t CodePage1251Char(uint8_t byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return static_cast<char32_t>(0x0410 + (byte - 0xC0));
    return kHighHalf[byte - 0x80];
}

std::string Utf8ToCodePage1251(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
        out.push_back(ToByte(NextChar(text, i)));
    return out;
}

std::string Utf8ToSystemCodePage(const std::string& text) {
    const unsigned codePage = SystemCodePage();
    if (codePage != 1251)
        if (std::optional<std::string> bytes = Utf8ToCodePage(codePage, text))
            return std::move(*bytes);
    return Utf8ToCodePage1251(text);
}

} // namespace vantrel
