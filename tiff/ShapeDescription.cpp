// SPDX-License-Identifier: MIT
// Descriptions that state the image's shape: readers that trust them refuse a crop whose
// description still gives the source's shape, so the shape is restated or the text left out.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "tags/TagNumbers.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

// The ASCII text of a description, up to its first NUL.
std::string DescriptionText(const TTIFFTag& tag) {
    std::string text = tag.IsInline ? std::string(reinterpret_cast<const char*>(tag.Value.AsBytes),
                                                  std::min<size_t>(tag.Count, 4))
                                    : std::string(tag.RawData.begin(), tag.RawData.end());
    return text.substr(0, text.find('\0'));
}

void SetDescriptionText(TTIFFTag& tag, const std::string& text) {
    tag.RawData.assign(text.begin(), text.end());
    tag.RawData.push_back(0);
    tag.Count = static_cast<uint32_t>(tag.RawData.size());
    tag.IsInline = tag.Count <= 4;
    tag.Value.AsDWORD = 0;
    if (tag.IsInline)
        std::copy(tag.RawData.begin(), tag.RawData.end(), tag.Value.AsBytes);
    tag.DisplayValue = tag.DisplayValueDecoded = text;
}

std::string Trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

// The numbers of a JSON array's text ("300, 400, 3"); none when it holds anything else.
std::optional<std::vector<long long>> Numbers(const std::string& list) {
    std::vector<long long> numbers;
    size_t at = 0;
    while (at <= list.size()) {
        const size_t comma = std::min(list.find(',', at), list.size());
        const std::string item = Trimmed(list.substr(at, comma - at));
        if (item.empty() || item.size() > 18 ||
            !std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        numbers.push_back(std::stoll(item));
        at = comma + 1;
    }
    return numbers;
}

// The shape of the saved image in a tifffile writer's terms: rows, columns and, with several
// samples, the samples last (the saved file's samples are interleaved). Leading ones (a single
// page) stay; any other source shape cannot be restated.
std::optional<std::vector<long long>> SavedShape(std::vector<long long> shape, long long w,
                                                 long long h, long long s) {
    size_t lead = 0;
    while (lead < shape.size() && shape[lead] == 1 && shape.size() - lead > 2)
        ++lead;
    const size_t rest = shape.size() - lead;
    std::vector<long long> saved(shape.begin(), shape.begin() + static_cast<std::ptrdiff_t>(lead));
    if (s == 1 && rest == 2) {
        saved.insert(saved.end(), {h, w});
    } else if (rest == 3 && (shape.back() == s || (s > 1 && shape[lead] == s))) {
        saved.insert(saved.end(), {h, w, s}); // a planar source's (s, h, w) is saved interleaved
    } else {
        return std::nullopt;
    }
    return saved;
}

// A tifffile writer's JSON with the shape restated; none when it cannot be.
std::optional<std::string> RestatedJson(const std::string& text, int32_t w, int32_t h, int32_t s) {
    const size_t key = text.find("\"shape\"");
    if (key == std::string::npos)
        return text;
    const size_t open = text.find('[', key);
    const size_t close = open == std::string::npos ? open : text.find(']', open);
    if (close == std::string::npos || Trimmed(text.substr(key + 7, open - key - 7)) != ":")
        return std::nullopt;
    const std::optional<std::vector<long long>> shape =
        Numbers(text.substr(open + 1, close - open - 1));
    if (!shape)
        return std::nullopt;
    const std::optional<std::vector<long long>> saved = SavedShape(*shape, w, h, s);
    if (!saved)
        return std::nullopt;
    std::string list;
    for (const long long n : *saved)
        list += (list.empty() ? "" : ", ") + std::to_string(n);
    return text.substr(0, open + 1) + list + text.substr(close);
}

// An ImageJ header counting more than one image, channel, slice or frame describes a stack
// that a saved page does not hold.
bool CountsSeveralImages(const std::string& text) {
    for (const char* key : {"\nimages=", "\nchannels=", "\nslices=", "\nframes="}) {
        const size_t at = text.find(key);
        if (at == std::string::npos)
            continue;
        const size_t digits = at + std::char_traits<char>::length(key);
        size_t end = digits;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        if (end > digits && std::stoll(text.substr(digits, std::min<size_t>(end - digits, 18))) > 1)
            return true;
    }
    return false;
}

} // namespace

void TCropTIFF::RenewShapeDescriptions(std::vector<TTIFFTag>& Tags, int32_t Width, int32_t Height,
                                       int32_t SamplesPerPixel) {
    std::vector<TTIFFTag> kept;
    kept.reserve(Tags.size());
    for (TTIFFTag& tag : Tags) {
        if (tag.TagID == tagid::ImageDescription && tag.DataType == TTIFFDataType::dtASCII) {
            const std::string text = DescriptionText(tag);
            const std::string start = Trimmed(text);
            if (start.starts_with("{")) {
                const std::optional<std::string> json =
                    RestatedJson(text, Width, Height, SamplesPerPixel);
                if (!json)
                    continue;
                if (*json != text)
                    SetDescriptionText(tag, *json);
            } else if (start.starts_with("ImageJ=") && CountsSeveralImages(text)) {
                continue;
            }
        }
        kept.push_back(std::move(tag));
    }
    Tags = std::move(kept);
}

} // namespace vantrel
