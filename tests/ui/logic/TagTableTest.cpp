// SPDX-License-Identifier: MIT
// The metadata table's rows and clipboard texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tags/TagNumbers.h"
#include "ui/logic/TagTable.h"

namespace vantrel {
namespace {

TEST(TagTable, PluralForms) {
    const struct {
        uint64_t N;
        const char* Found;
        const char* Tags;
    } cases[] = {
        {0, "Найдено", "тегов"},   {1, "Найден", "тэг"},      {2, "Найдены", "тега"},
        {4, "Найдены", "тега"},    {5, "Найдено", "тегов"},   {11, "Найдено", "тегов"},
        {12, "Найдено", "тегов"},  {14, "Найдено", "тегов"},  {21, "Найден", "тэг"},
        {22, "Найдены", "тега"},   {25, "Найдено", "тегов"},  {101, "Найден", "тэг"},
        {111, "Найдено", "тегов"}, {112, "Найдено", "тегов"}, {1002, "Найдены", "тега"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PluralForm(c.N, "Найден", "Найдены", "Найдено"), c.Found) << c.N;
        EXPECT_EQ(PluralForm(c.N, "тэг", "тега", "тегов"), c.Tags) << c.N;
    }
}

TEST(TagTable, SummaryRow) {
    EXPECT_EQ(TagTableSummary(21, false), "Найден 21 тэг, порядок байтов Little-Endian:");
    EXPECT_EQ(TagTableSummary(22, true), "Найдены 22 тега, порядок байтов Big-Endian:");
    EXPECT_EQ(TagTableSummary(12, false), "Найдено 12 тегов, порядок байтов Little-Endian:");
    EXPECT_EQ(TagTableSummary(0, false), "Найдено 0 тегов, порядок байтов Little-Endian:");
}

// A file of several pages says so under the summary, each page after the first in a row of
// its own; a single page adds no row.
TEST(TagTable, PagesAfterTheSummary) {
    const std::vector<TFurtherPage> pages = {{2, 40, 30, true}, {3, 10, 8, false}};
    const std::vector<TTagTableRow> rows = BuildTagTableRows({}, false, pages);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].Caption, "Страниц в файле: 3 (показана первая)");
    EXPECT_EQ(rows[2], (TTagTableRow{"Страница 2",
                                     {"", "", "", "40 × 30",
                                      "того же размера — сохранение отменяется: обрезка "
                                      "сохранила бы только первую страницу"}}));
    EXPECT_EQ(rows[3], (TTagTableRow{"Страница 3",
                                     {"", "", "", "10 × 8",
                                      "другого размера (миниатюра) — в сохранённый файл не "
                                      "переносится"}}));
    EXPECT_EQ(BuildTagTableRows({}, false).size(), 1u);
}

TEST(TagTable, SplitFirstLine) {
    const struct {
        const char* Text;
        const char* First;
        const char* Rest;
        bool Found;
    } cases[] = {
        {"", "", "", false},
        {"one line", "one line", "", false},
        {"a\nb", "a\nb", "", false}, // only CR LF splits
        {"[1, 2]\r\n..", "[1, 2]", "..", true},
        {"a\r\nb\r\nc", "a", "b\r\nc", true},
        {"\r\n", "", "", true},
    };
    for (const auto& c : cases) {
        const TFirstLine split = SplitFirstLine(c.Text);
        EXPECT_EQ(split.First, c.First) << c.Text;
        EXPECT_EQ(split.Rest, c.Rest) << c.Text;
        EXPECT_EQ(split.Found, c.Found) << c.Text;
    }
}

TTIFFTag MakeTag(uint16_t id, const char* name, TTIFFDataType type, uint32_t count,
                 const char* value, const char* decoded) {
    TTIFFTag tag;
    tag.TagID = id;
    tag.TagName = name;
    tag.DataType = type;
    tag.Count = count;
    tag.DisplayValue = value;
    tag.DisplayValueDecoded = decoded;
    return tag;
}

TEST(TagTable, RowsWithContinuations) {
    const std::vector<TTIFFTag> tags = {
        MakeTag(tagid::Orientation, "Ориентация (Orientation)", TTIFFDataType::dtShort, 1, "1",
                "Верхний левый угол"),
        MakeTag(tagid::MakerNote, "→ EXIF: Заметки производителя (MakerNote)",
                TTIFFDataType::dtUndefined, 5, "0x00000200", "[72, 105, 0, 255, 126]\r\nHi..~"),
        MakeTag(tagid::FileSource, "→ EXIF: Источник файла (FileSource)",
                TTIFFDataType::dtUndefined, 6, "0x00000300", "a\r\nb\r\nc"),
        MakeTag(tagid::ExifIFD, "Смещение EXIF (ExifIFD)", TTIFFDataType::dtLong, 1, "0x00001234",
                ""),
    };
    const std::vector<TTagTableRow> expected = {
        {"Найдены 4 тега, порядок байтов Big-Endian:", {}},
        {"Ориентация (Orientation)", {"274", "SHORT", "1", "1", "Верхний левый угол"}},
        {"→ EXIF: Заметки производителя (MakerNote)",
         {"37500", "Неопред.", "5", "0x00000200", "[72, 105, 0, 255, 126]"}},
        {"", {"", "", "", "ASCII →", "Hi..~"}},
        {"→ EXIF: Источник файла (FileSource)", {"41728", "Неопред.", "6", "0x00000300", "a"}},
        {"", {"", "", "", "ASCII →", "b\r\nc"}},
        {"Смещение EXIF (ExifIFD)", {"34665", "LONG", "1", "0x00001234", ""}},
    };
    EXPECT_EQ(BuildTagTableRows(tags, true), expected);
}

TEST(TagTable, CopyAllOfTwoTags) {
    const std::vector<TTIFFTag> tags = {
        MakeTag(tagid::ImageWidth, "Ширина изображения (ImageWidth)", TTIFFDataType::dtLong, 1,
                "6000", "6000"),
        MakeTag(tagid::XResolution, "Разрешение по X (XResolution)", TTIFFDataType::dtRational, 1,
                "300/1", "300"),
    };
    const std::vector<TTagTableRow> rows = BuildTagTableRows(tags, false);
    EXPECT_EQ(TagTableCopyAllText(rows),
              "Имя тега\tТег\tТип\tКол.\tЗначение\tРасшифровка\r\n"
              "Найдены 2 тега, порядок байтов Little-Endian:\r\n"
              "Ширина изображения (ImageWidth)\t256\tLONG\t1\t6000\t6000\r\n"
              "Разрешение по X (XResolution)\t282\tRATIONAL\t1\t300/1\t300\r\n");
}

TEST(TagTable, CopySelectedTakesListOrderWithoutHeader) {
    const std::vector<TTagTableRow> rows = {
        {"Найден 1 тэг, порядок байтов Little-Endian:", {}},
        {"Имя", {"1", "BYTE", "5", "0x00000010", "[1, 2, 3, 4, 5]"}},
        {"", {"", "", "", "ASCII →", "....."}},
    };
    const std::vector<size_t> selected = {2, 0, 7, 2};
    EXPECT_EQ(TagTableCopySelectedText(rows, selected),
              "Найден 1 тэг, порядок байтов Little-Endian:\r\n"
              "\t\t\t\tASCII →\t.....\r\n");
    EXPECT_EQ(TagTableCopySelectedText(rows, {}), "");
}

} // namespace
} // namespace vantrel
