// SPDX-License-Identifier: MIT
#pragma once

// The texts the window's plain logic makes, in both languages: the tag table's captions,
// summary and page rows, the status line, the frame put on the picture, the navigation
// captions and the reset menu. Each is read in the language of the moment it is made.

#include "texts/Language.h"

namespace vantrel::logic_texts {

using texts::TPluralText;
using texts::TText;

// The tag table.
inline constexpr TText ColumnTagName{"Имя тега", "Tag name"};
inline constexpr TText ColumnTag{"Тег", "Tag"};
inline constexpr TText ColumnType{"Тип", "Type"};
inline constexpr TText ColumnCount{"Кол.", "Count"};
inline constexpr TText ColumnValue{"Значение", "Value"};
inline constexpr TText ColumnDecoded{"Расшифровка", "Meaning"};
inline constexpr TPluralText SummaryFound{"Найден", "Найдены", "Найдено", "Found", "Found"};
inline constexpr TPluralText SummaryTags{"тэг", "тега", "тегов", "tag", "tags"};
inline constexpr TText SummaryByteOrder{", порядок байтов ", ", byte order "};
inline constexpr TText PagesInFile{"Страниц в файле: %zu (показана первая)",
                                   "Pages in the file: %zu (the first one shown)"};
inline constexpr TText PageNumber{"Страница %u", "Page %u"};
inline constexpr TText PageSameSize{
    "того же размера — сохранение отменяется: обрезка сохранила бы только первую страницу",
    "of the same size — saving is refused: a crop would keep only the first page"};
inline constexpr TText PageOtherSize{
    "другого размера (миниатюра) — в сохранённый файл не переносится",
    "of another size (a thumbnail) — not carried into the saved file"};

// The status line.
inline constexpr TText FrameMargins{
    "Обрезаемые поля (в пикселях): слева %d, сверху %d, снизу %lld, справа %lld.",
    "Margins cut off (in pixels): left %d, top %d, bottom %lld, right %lld."};
inline constexpr TText ArrowStepHint{
    "    Изменение шага смещения стрелками (вариации Ctrl-Shift-Alt): ",
    "    Step of the arrow keys (combinations of Ctrl-Shift-Alt): "};
inline constexpr TText ArrowStep{"Шаг стрелок: ", "Arrow step: "};
inline constexpr TText FileLoaded{"Загружен файл ", "Loaded file "};

// The frame put on the picture.
inline constexpr TText FrameStays{"Рамка осталась на месте — ", "The frame stays where it was — "};
inline constexpr TText FramePlacedByRoll{"Рамка поставлена на кадр по другим кадрам пачки",
                                         "Frame put on the picture by the other frames of the "
                                         "batch"};
inline constexpr TText FramePlaced{"Рамка поставлена на кадр", "Frame put on the picture"};
inline constexpr TText PlacedLeft{": слева ", ": left "};
inline constexpr TText PlacedTop{", сверху ", ", top "};
inline constexpr TText SearchFailed{"Рамка осталась на месте — кадр не найден: ",
                                    "The frame stays where it was — no picture found: "};
inline constexpr TText SearchingPicture{"Поиск кадра на скане…",
                                        "Searching the scan for the picture…"};

// The pictures of a strip scan, one after another.
inline constexpr TText PictureNumber{"Кадр ", "Picture "};
inline constexpr TText PictureOf{" из ", " of "};
inline constexpr TText LastPicture{" — последний на скане, рамка осталась на нём",
                                   " — the last on the scan, the frame stays on it"};
inline constexpr TText FirstPicture{" — первый на скане, рамка осталась на нём",
                                    " — the first on the scan, the frame stays on it"};
inline constexpr TText SearchingStrip{"Поиск кадров на скане…",
                                      "Searching the scan for its pictures…"};

// Navigation and the reset menu of the track bars.
inline constexpr TText NextFile{"Следующий", "Next"};
inline constexpr TText NoFiles{"(Нет файлов)", "(No files)"};
inline constexpr TText ResetBrightness{"Сбросить яркость", "Reset brightness"};
inline constexpr TText ResetSContrast{"Сбросить S-контраст", "Reset S-contrast"};
inline constexpr TText ResetGamma{"Сбросить гамму", "Reset gamma"};
inline constexpr TText Reset{"Сбросить", "Reset"};

// Every text above, for the checks of the catalogue (the plural forms apart).
inline constexpr const TText* All[] = {
    &ColumnTagName,  &ColumnTag,         &ColumnType,    &ColumnCount, &ColumnValue,
    &ColumnDecoded,  &SummaryByteOrder,  &PagesInFile,   &PageNumber,  &PageSameSize,
    &PageOtherSize,  &FrameMargins,      &ArrowStepHint, &ArrowStep,   &FileLoaded,
    &FrameStays,     &FramePlacedByRoll, &FramePlaced,   &PlacedLeft,  &PlacedTop,
    &SearchFailed,   &SearchingPicture,  &PictureNumber, &PictureOf,   &LastPicture,
    &FirstPicture,   &SearchingStrip,    &NextFile,      &NoFiles,     &ResetBrightness,
    &ResetSContrast, &ResetGamma,        &Reset,
};
inline constexpr const TPluralText* AllPlurals[] = {&SummaryFound, &SummaryTags};

} // namespace vantrel::logic_texts
