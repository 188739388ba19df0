// SPDX-License-Identifier: MIT
#include "ui/logic/settings/TemplatesFile.h"
#include "tests/support/TempDir.h"
#include "tiff/ByteOrder.h"
#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/Settings.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

// UTF-16 bytes of a UTF-8 text made of characters of the basic plane.
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        uint8_t unit[2];
        WriteNumber<uint16_t>(unit, u, bigEndian);
        bytes.append(reinterpret_cast<const char*>(unit), 2);
    }
    return bytes;
}

TEST(TemplatesFileTest, DecodesEveryEncodingAndLineEnd) {
    struct Case {
        const char* What;
        std::string Bytes;
        Lines Expected;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "9000x6000 кадр\r\n",
         {"9000x6000 кадр"}},
        {"UTF-8 without mark", "1x2 ш\n3x4\n", {"1x2 ш", "3x4"}},
        {"UTF-16 LE",
         Utf16(u"6000x4000 плёнка\r\n100 200", false),
         {"6000x4000 плёнка", "100 200"}},
        {"UTF-16 BE", Utf16(u"6000x4000 плёнка\r\n", true), {"6000x4000 плёнка"}},
        {"Windows-1251", "10x20 \xEA\xE0\xE4\xF0\r\n", {"10x20 кадр"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"inner empty lines stay", "a\r\n\r\nb\n\nc", {"a", "", "b", "", "c"}},
        {"one final line end adds nothing", "a\n", {"a"}},
        {"a lone line end is one empty entry", "\r\n", {""}},
        {"odd UTF-16 tail",
         std::string("\xFF\xFE"
                     "a\0b",
                     5),
         {"a\xEF\xBF\xBD"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeTemplates(c.Bytes), c.Expected) << c.What;
}

TEST(TemplatesFileTest, WritesUtf8WithMarkAndCrLf) {
    EXPECT_EQ(EncodeTemplates({"1x1 кадр", "", "2x2"}), "\xEF\xBB\xBF"
                                                        "1x1 кадр\r\n\r\n2x2\r\n");
    EXPECT_EQ(DecodeTemplates(EncodeTemplates(BuiltInTemplates())), BuiltInTemplates());
}

TEST(TemplatesFileTest, BuiltInTemplates) {
    const Lines& t = BuiltInTemplates();
    ASSERT_EQ(t.size(), 18u);
    EXPECT_EQ(t.front(), "1650x1100 (crop)");
    EXPECT_EQ(t[BuiltInTemplateIndex], "9000x6000 (crop)");
    EXPECT_EQ(t.back(), "18142x12094 (12800 ppi)");
}

// A file in another encoding is read and, at the end of the run, written back as UTF-8 with
// its mark, with nothing lost.
TEST(TemplatesFileTest, OtherEncodingsAreSavedBackAsUtf8) {
    const std::pair<const char*, std::string> files[] = {
        {"UTF-16 LE", Utf16(u"4500x3000 лист\r\n6000x4000\r\n", false)},
        {"Windows-1251", "4500x3000 \xEB\xE8\xF1\xF2\r\n6000x4000\r\n"},
    };
    for (const auto& [what, bytes] : files) {
        const test::TTempDir tmp;
        const std::filesystem::path folder = tmp.Path();
        const auto path = folder / TemplatesFileName;
        WriteFileAtomically(path, bytes);
        const TSettings loaded = LoadSettings(folder);
        EXPECT_EQ(loaded.Templates, (Lines{"4500x3000 лист", "6000x4000"})) << what;
        SaveSettings(loaded, folder);
        EXPECT_EQ(*ReadWholeFile(path), "\xEF\xBB\xBF"
                                        "4500x3000 лист\r\n6000x4000\r\n")
            << what;
    }
}

} // namespace
} // namespace vantrel
