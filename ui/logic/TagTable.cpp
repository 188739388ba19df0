// SPDX-License-Identifier: MIT
#include "ui/logic/TagTable.h"

#include <cstdio>

#include <algorithm>

#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kContinuationValue = "ASCII →";

void AppendRow(std::string& out, const TTagTableRow& row) {
    out += row.Caption;
    for (const std::string& cell : row.Cells) {
        out += '\t';
        out += cell;
    }
    out += kLineEnd;
}

bool SameTag(const TTIFFTag& a, const TTIFFTag& b) {
    return a.TagID == b.TagID && a.DataType == b.DataType && a.Count == b.Count &&
           a.Value.AsDWORD == b.Value.AsDWORD && a.RawData == b.RawData;
}

} // namespace

std::optional<std::vector<TTIFFTag>> DescribeTagsAgain(const std::string& path,
                                                       const std::vector<TTIFFTag>& shown) {
    try {
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        const TMappedFile file = TCropTIFF::OpenForReading(path);
        (void)tiff.ReadSampleLayout(file);
        std::vector<TTIFFTag> tags = tiff.GetAllTags();
        if (!std::equal(tags.begin(), tags.end(), shown.begin(), shown.end(), SameTag))
            return std::nullopt;
        return tags;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string_view PluralForm(uint64_t n, std::string_view one, std::string_view few,
                            std::string_view many) {
    return texts::RussianPluralForm(n, one, few, many);
}

TFirstLine SplitFirstLine(std::string_view text) {
    const size_t pos = text.find(kLineEnd);
    if (pos == std::string_view::npos)
        return {std::string(text), {}, false};
    return {std::string(text.substr(0, pos)), std::string(text.substr(pos + kLineEnd.size())),
            true};
}

std::string TagTableSummary(size_t tagCount, bool bigEndian) {
    namespace T = logic_texts;
    std::string text(T::SummaryFound.For(tagCount));
    text += ' ';
    text += std::to_string(tagCount);
    text += ' ';
    text += T::SummaryTags.For(tagCount);
    text += T::SummaryByteOrder();
    text += bigEndian ? "Big-Endian" : "Little-Endian";
    text += ':';
    return text;
}

std::vector<TTagTableRow> PageRows(std::span<const TFurtherPage> furtherPages) {
    std::vector<TTagTableRow> rows;
    if (furtherPages.empty())
        return rows;
    auto text = [](const char* format, auto... values) {
        char line[256];
        std::snprintf(line, sizeof line, format, values...);
        return std::string(line);
    };
    rows.push_back({text(logic_texts::PagesInFile(), furtherPages.size() + 1), {}});
    // The page and its size in the caption and value columns, what a save does with it under
    // the decoded value.
    for (const TFurtherPage& page : furtherPages)
        rows.push_back(
            {text(logic_texts::PageNumber(), page.Number),
             {"", "", "", text("%u × %u", page.Width, page.Height),
              page.SameSize ? logic_texts::PageSameSize() : logic_texts::PageOtherSize()}});
    return rows;
}

std::vector<TTagTableRow> BuildTagTableRows(const std::vector<TTIFFTag>& tags, bool bigEndian,
                                            std::span<const TFurtherPage> furtherPages) {
    std::vector<TTagTableRow> rows;
    rows.reserve(tags.size() + furtherPages.size() + 2);
    rows.push_back({TagTableSummary(tags.size(), bigEndian), {}});
    for (TTagTableRow& row : PageRows(furtherPages))
        rows.push_back(std::move(row));
    for (const TTIFFTag& tag : tags) {
        TFirstLine decoded = SplitFirstLine(tag.DisplayValueDecoded);
        rows.push_back({tag.TagName,
                        {std::to_string(tag.TagID), TCropTIFF::GetDataTypeName(tag.DataType),
                         std::to_string(tag.Count), tag.DisplayValue, std::move(decoded.First)}});
        if (decoded.Found)
            rows.push_back(
                {"", {"", "", "", std::string(kContinuationValue), std::move(decoded.Rest)}});
    }
    return rows;
}

std::string TagTableCopyAllText(std::span<const TTagTableRow> rows) {
    std::string out;
    for (size_t i = 0; i < TagTableColumns.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += TagTableColumns[i].Caption;
    }
    out += kLineEnd;
    for (const TTagTableRow& row : rows)
        AppendRow(out, row);
    return out;
}

std::string TagTableCopySelectedText(std::span<const TTagTableRow> rows,
                                     std::span<const size_t> selected) {
    std::vector<size_t> order(selected.begin(), selected.end());
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    std::string out;
    for (size_t index : order)
        if (index < rows.size())
            AppendRow(out, rows[index]);
    return out;
}

} // namespace vantrel
