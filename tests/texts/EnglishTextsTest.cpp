// SPDX-License-Identifier: MIT
// The English catalogue against the Russian one: every tag name, every value a decoder explains
// and every message of the engine and of the window's logic has an English text that is not
// empty, holds no Cyrillic letter, is not the Russian text left untranslated, and takes the same
// printf arguments.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "pipeline/PipelineTexts.h"
#include "tags/TIFFTagUtils.h"
#include "texts/Language.h"
#include "tiff/FloatText.h"
#include "tiff/Messages.h"
#include "ui/logic/LogicTexts.h"
#include "ui/logic/TagTable.h"

namespace vantrel::texts {
namespace {

// Restores the default language whatever a test does.
class TDefaultLanguageAfter : public ::testing::Test {
protected:
    void TearDown() override { SetLanguage(TLanguage::Russian); }
};
using EnglishTexts = TDefaultLanguageAfter;

bool HasCyrillic(std::string_view text) {
    // U+0400..U+04FF are encoded as 0xD0 or 0xD3 followed by a continuation byte.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xD0 && c <= 0xD3)
            return true;
    }
    return false;
}

// The printf conversions of a text in order ("%d", "%zu", "%%"...).
std::string Directives(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        size_t j = i + 1;
        while (j < text.size() &&
               std::string_view("diouxXeEfgGcspzlh%").find(text[j]) == std::string_view::npos)
            ++j;
        while (j < text.size() && std::string_view("zlh").find(text[j]) != std::string_view::npos)
            ++j;
        out += text.substr(i, j - i + 1);
        out += ' ';
        i = j;
    }
    return out;
}

// What is wrong with the English form of a text, or nothing.
std::string Fault(std::string_view ru, std::string_view en) {
    if (en.empty() && !ru.empty())
        return "no English text";
    if (HasCyrillic(en))
        return "Cyrillic in the English text";
    if (HasCyrillic(ru) && en == ru)
        return "the Russian text left untranslated";
    if (Directives(ru) != Directives(en))
        return "other printf arguments: " + Directives(ru) + "/ " + Directives(en);
    return {};
}

TEST_F(EnglishTexts, EveryMessageTable) {
    const struct {
        const char* Name;
        std::span<const TText* const> Texts;
    } tables[] = {
        {"tiff", messages::All},
        {"pipeline", pipeline_texts::All},
        {"ui/logic", logic_texts::All},
    };
    for (const auto& table : tables) {
        EXPECT_FALSE(table.Texts.empty()) << table.Name;
        for (const TText* text : table.Texts)
            EXPECT_EQ(Fault(text->Ru, text->En), "") << table.Name << ": " << text->Ru;
    }
    for (const TPluralText* plural : logic_texts::AllPlurals)
        for (const uint64_t n : {0, 1, 2, 5, 11, 21, 22, 101, 111})
            EXPECT_EQ(Fault(plural->For(n, TLanguage::Russian), plural->For(n, TLanguage::English)),
                      "")
                << plural->RuOne << " " << n;
}

// Every tag number (catalogued or not) and every value of each decoder, read in both languages:
// English where Russian has a text, and only there.
TEST_F(EnglishTexts, EveryTagNameAndDecodedValue) {
    std::map<TTagValueDecoder, uint16_t> decoders; // each decoder with a tag that has it
    for (uint32_t id = 0; id <= 0xFFFF; ++id) {
        const auto tag = static_cast<uint16_t>(id);
        SetLanguage(TLanguage::Russian);
        const TTiffTagInfo ru = GetTagInfo(tag);
        SetLanguage(TLanguage::English);
        const TTiffTagInfo en = GetTagInfo(tag);
        ASSERT_EQ(Fault(ru.DisplayName, en.DisplayName), "") << id << " " << ru.DisplayName;
        EXPECT_EQ(en.DecodeValue, ru.DecodeValue) << id;
        if (en.DecodeValue)
            decoders.emplace(en.DecodeValue, tag);
    }
    EXPECT_GE(decoders.size(), 18u);
    std::set<uint32_t> values;
    for (uint32_t v = 0; v <= 70000; ++v)
        values.insert(v);
    for (const uint32_t v : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu})
        values.insert(v);
    for (const auto& [decode, tag] : decoders)
        for (const uint32_t v : values) {
            SetLanguage(TLanguage::Russian);
            const std::string ru = decode(v);
            SetLanguage(TLanguage::English);
            const std::string en = decode(v);
            ASSERT_EQ(en.empty(), ru.empty()) << "tag " << tag << " value " << v;
            ASSERT_EQ(Fault(ru, en), "") << "tag " << tag << " value " << v << ": " << ru;
        }
}

// The texts made of words and numbers: plural forms and the decimal point of English.
TEST_F(EnglishTexts, SummaryAndNumbersInEnglish) {
    SetLanguage(TLanguage::English);
    EXPECT_EQ(TagTableSummary(1, false), "Found 1 tag, byte order Little-Endian:");
    EXPECT_EQ(TagTableSummary(21, true), "Found 21 tags, byte order Big-Endian:");
    EXPECT_EQ(TagTableSummary(0, false), "Found 0 tags, byte order Little-Endian:");
    EXPECT_EQ(LocaleDecimalSeparator(), ".");
    EXPECT_EQ(FormatFloatGeneral(0.25), "0.25");
    EXPECT_EQ(GetTagName(256), "Image width (ImageWidth)");
    EXPECT_EQ(GetTagName(60000), "Tag 60000");
    SetLanguage(TLanguage::Russian);
    EXPECT_EQ(TagTableSummary(21, true), "Найден 21 тэг, порядок байтов Big-Endian:");
    EXPECT_EQ(GetTagName(256), "Ширина изображения (ImageWidth)");
}

} // namespace
} // namespace vantrel::texts
