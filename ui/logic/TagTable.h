// SPDX-License-Identifier: MIT
#pragma once

// The metadata table's rows and its clipboard texts, without any widget: the window fills its
// list from these rows and the command-line tool prints the same text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tiff/SampleDescription.h"
#include "tiff/TIFFRecords.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

/// One column of the table: caption and starting width in pixels (0: the rest of the width).
struct TTagTableColumn {
    texts::TText Caption; ///< a text: it reads as the current language's string
    int Width;
};

/// The six columns: name (the row caption), number, type, count, value, decoded value.
inline constexpr std::array<TTagTableColumn, 6> TagTableColumns = {{
    {logic_texts::ColumnTagName, 300},
    {logic_texts::ColumnTag, 50},
    {logic_texts::ColumnType, 80},
    {logic_texts::ColumnCount, 50},
    {logic_texts::ColumnValue, 100},
    {logic_texts::ColumnDecoded, 0},
}};

/// One row: its caption and the texts of its further cells (the summary row has none).
struct TTagTableRow {
    std::string Caption;
    std::vector<std::string> Cells;

    bool operator==(const TTagTableRow&) const = default;
};

/// \brief The Russian word form for a count: `one` (1, 21, 101…), `few` (2–4, 22–24…) or
/// `many` (0, 5–20, 25–30, 111…).
[[nodiscard]] std::string_view PluralForm(uint64_t n, std::string_view one, std::string_view few,
                                          std::string_view many);

/// A text split at its first CR LF.
struct TFirstLine {
    std::string First; ///< the text before the first CR LF, or the whole text
    std::string Rest;  ///< everything after the first CR LF
    bool Found = false;
};

/// \brief Splits a text at its first CR LF.
[[nodiscard]] TFirstLine SplitFirstLine(std::string_view text);

/// \brief "Найдено 12 тегов, порядок байтов Little-Endian:" (in English "Found 12 tags, byte order
/// Little-Endian:").
[[nodiscard]] std::string TagTableSummary(size_t tagCount, bool bigEndian);

/// \brief The summary row; for a file of several pages a row with their number and one row per
/// page after the first (whether a save would lose it or leave it out); then one row per tag,
/// each two-line decoded text followed by its continuation row ("ASCII →" under "Значение", the
/// rest under "Расшифровка").
[[nodiscard]] std::vector<TTagTableRow>
BuildTagTableRows(const std::vector<TTIFFTag>& tags, bool bigEndian,
                  std::span<const TFurtherPage> furtherPages = {});

/// \brief The tags of the file `path` described again in the language now in force (names and
/// value texts are made when a file's structure is read): its structure is read once more,
/// without a sample, and taken only when it is tag for tag the one `shown`. Nothing when the
/// file cannot be read or has changed, so a table is never filled from another file.
[[nodiscard]] std::optional<std::vector<TTIFFTag>>
DescribeTagsAgain(const std::string& path, const std::vector<TTIFFTag>& shown);

/// \brief The rows that tell the pages of a file of several pages; none for a single page.
[[nodiscard]] std::vector<TTagTableRow> PageRows(std::span<const TFurtherPage> furtherPages);

/// \brief The text of "Скопировать всё": the header line of the column captions, then every
/// row; fields separated by TAB, lines ending in CR LF.
[[nodiscard]] std::string TagTableCopyAllText(std::span<const TTagTableRow> rows);

/// \brief The text of "Скопировать выделенное": the selected rows (indices into `rows`, taken in
/// list order, out-of-range ones ignored) without the header. Empty when nothing is selected,
/// in which case the clipboard is to be left alone.
[[nodiscard]] std::string TagTableCopySelectedText(std::span<const TTagTableRow> rows,
                                                   std::span<const size_t> selected);

} // namespace vantrel
