// SPDX-License-Identifier: MIT
// Which tags of a source a saved crop carries: all that stay true (full mode) or only those
// that describe the pixels (minimal mode), with a ProcessingSoftware entry that records the
// trimming and keeps the history of earlier programs.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <unordered_set>

#include "platform/Locale.h"
#include "tags/TIFFTagUtils.h"
#include "tags/TagNumbers.h"
#include "tiff/CodePage1251.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/WritableTypes.h"

namespace vantrel {

namespace {

constexpr std::string_view kNestedMark = "→ ";

// clang-format off
// Tags the new file gets anew from the writer or from PrepareTagsForSaving.
constexpr std::array<uint16_t, 10> kMadeAnew = {
    tagid::ProcessingSoftware, tagid::ImageWidth,      tagid::ImageLength,
    tagid::StripOffsets,       tagid::Orientation,     tagid::RowsPerStrip,
    tagid::StripByteCounts,    tagid::PlanarConfiguration,
    tagid::PixelXDimension,    tagid::PixelYDimension};
// Layouts the new file does not have: tiles, positions, sub-images, embedded JPEG.
constexpr std::array<uint16_t, 9> kOtherLayouts = {
    tagid::XPosition,   tagid::YPosition,
    tagid::TileWidth,   tagid::TileLength,  tagid::TileOffsets, tagid::TileByteCounts,
    tagid::SubIFDs,
    tagid::JPEGInterchangeFormat, tagid::JPEGInterchangeFormatLength};
// The tags that say how to read the samples: the new file gets them anew, with the values its
// samples were loaded with, never a source's entry that may describe other samples.
constexpr std::array<uint16_t, 7> kSampleTags = {
    tagid::BitsPerSample,   tagid::Compression,  tagid::PhotometricInterpretation,
    tagid::FillOrder,       tagid::SamplesPerPixel, tagid::ExtraSamples,
    tagid::SampleFormat};
// clang-format on

struct TPointer {
    uint16_t TagID;
    const char* Prefix;
};
constexpr std::array<TPointer, 3> kPointers = {
    {{tagid::ExifIFD, "EXIF"}, {tagid::GPSInfo, "GPS"}, {tagid::InteroperabilityIFD, "Interop"}}};

bool Contains(std::span<const uint16_t> list, uint16_t id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

bool IsPointer(uint16_t id) {
    return std::any_of(kPointers.begin(), kPointers.end(),
                       [id](const TPointer& p) { return p.TagID == id; });
}

std::vector<TTIFFTag> MainTags(const std::vector<TTIFFTag>& all) {
    std::vector<TTIFFTag> main;
    for (const TTIFFTag& tag : all)
        if (!IsNestedTag(tag))
            main.push_back(tag);
    return main;
}

// Of a repeated tag the first entry counts, as common readers take it.
const TTIFFTag* FindMain(const std::vector<TTIFFTag>& all, uint16_t id) {
    for (const TTIFFTag& tag : all)
        if (!IsNestedTag(tag) && tag.TagID == id)
            return &tag;
    return nullptr;
}

// A value the reader could not get has nothing to carry.
bool HasLostValue(const TTIFFTag& tag) {
    return !tag.IsInline && tag.RawData.empty();
}

// A damaged directory may repeat a tag, which a directory must not do: only the first entry
// that can be written goes into the new file, the one common readers take.
void KeepFirstOfRepeatedTags(std::vector<TTIFFTag>& tags) {
    std::unordered_set<uint16_t> seen;
    std::vector<TTIFFTag> kept;
    kept.reserve(tags.size());
    for (TTIFFTag& tag : tags)
        if (!HasLostValue(tag) && seen.insert(tag.TagID).second)
            kept.push_back(std::move(tag));
    tags = std::move(kept);
}

// The sample-describing tags with the values the samples were loaded with. SampleFormat and
// ExtraSamples go along when the source has them, FillOrder (always 1: the words are saved as
// they were read) only in the full mode, as PlanarConfiguration.
std::vector<TTIFFTag> SampleTags(bool full, const std::vector<TTIFFTag>& source, int32_t samples,
                                 uint16_t photometric, bool bigEndian) {
    const TSampleDescription d = DescribeSamples(source, bigEndian);
    const auto n = static_cast<size_t>(std::max(samples, 1));
    std::vector<TTIFFTag> tags = {
        TCropTIFF::CreateShortsTag(tagid::BitsPerSample, std::vector<uint16_t>(n, 16), bigEndian),
        TCropTIFF::CreateShortsTag(tagid::Compression, {1}, bigEndian),
        TCropTIFF::CreateShortsTag(tagid::PhotometricInterpretation, {photometric}, bigEndian),
        TCropTIFF::CreateShortsTag(tagid::SamplesPerPixel, {static_cast<uint16_t>(n)}, bigEndian)};
    if (d.SampleFormat)
        tags.push_back(TCropTIFF::CreateShortsTag(
            tagid::SampleFormat, std::vector<uint16_t>(n, *d.SampleFormat), bigEndian));
    if (d.ExtraSamples && !d.ExtraSamples->empty())
        tags.push_back(TCropTIFF::CreateShortsTag(tagid::ExtraSamples, *d.ExtraSamples, bigEndian));
    if (full && d.HasFillOrder)
        tags.push_back(TCropTIFF::CreateShortsTag(tagid::FillOrder, {1}, bigEndian));
    return tags;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string Trim(const std::string& s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && IsBlankOrControl(s[first]))
        ++first;
    while (last > first && IsBlankOrControl(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

} // namespace

bool TCropTIFF::HadTagInTags(const std::vector<TTIFFTag>& AllTags, uint16_t Value) {
    return std::any_of(AllTags.begin(), AllTags.end(),
                       [Value](const TTIFFTag& t) { return t.TagID == Value; });
}

std::vector<TTIFFTag> TCropTIFF::GetSafeTagsFromList(const std::vector<TTIFFTag>& AllTags) {
    std::vector<TTIFFTag> safe;
    for (const TTIFFTag& tag : AllTags) {
        if (IsNestedTag(tag) || IsPointer(tag.TagID) || Contains(kMadeAnew, tag.TagID) ||
            Contains(kOtherLayouts, tag.TagID) || Contains(kSampleTags, tag.TagID))
            continue;
        // The reader keeps no bytes of other out-of-line types (SLONG, FLOAT, DOUBLE arrays).
        if (!tag.IsInline && !IsWritableOutOfLine(tag.DataType))
            continue;
        safe.push_back(tag);
    }
    return safe;
}

std::string TCropTIFF::FormatTrimmedPercent(double CropRemainingPercent) {
    const double trimmed = 100.0 - CropRemainingPercent;
    if (!std::isfinite(trimmed))
        return "0.0";
    // llround rounds half away from zero; the digits are put together by hand so that no
    // locale can turn the point into a comma.
    const long long tenths = std::llround(trimmed * 10.0);
    const unsigned long long magnitude = tenths < 0 ? 0ull - static_cast<unsigned long long>(tenths)
                                                    : static_cast<unsigned long long>(tenths);
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
    return text;
}

std::string TCropTIFF::LocalTimeWithMilliseconds() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    const std::tm local = LocalCalendarTime(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

std::string TCropTIFF::ProcessingSoftwareText(const std::string* OldText,
                                              double CropRemainingPercent,
                                              const std::string& VersionText,
                                              const std::string& LocalTime) {
    const std::string entry = "Vantrel v" + VersionText + ", trimmed by " +
                              FormatTrimmedPercent(CropRemainingPercent) + "% at " + LocalTime;
    // An old entry without text (a describer that shows no values) adds no history.
    if (!OldText || Trim(*OldText).empty())
        return entry;
    if (OldText->starts_with("Vantrel")) {
        // Our own earlier entry is replaced; the history behind it is kept.
        const size_t bar = OldText->find('|');
        if (bar == std::string::npos)
            return entry;
        return entry + " | " + Trim(OldText->substr(bar + 1));
    }
    return entry + " | " + *OldText;
}

TTIFFTag TCropTIFF::CreateProcessingSoftwareTag(const std::string& Value) {
    TTIFFTag tag;
    tag.TagID = tagid::ProcessingSoftware;
    tag.DataType = TTIFFDataType::dtASCII;
    tag.TagName = "ProcessingSoftware";
    const std::string bytes = Utf8ToSystemCodePage(Value);
    tag.Count = static_cast<uint32_t>(bytes.size() + 1);
    tag.RawData.assign(bytes.begin(), bytes.end());
    tag.RawData.push_back(0);
    tag.IsInline = tag.Count <= 4;
    tag.Value.AsDWORD = 0;
    if (tag.IsInline)
        std::copy(tag.RawData.begin(), tag.RawData.end(), tag.Value.AsBytes);
    return tag;
}

std::vector<TTIFFTag>
TCropTIFF::PrepareTagsForSaving(const std::vector<TTIFFTag>& OriginalTags, int32_t NewHeight,
                                int32_t /*SamplesPerPixel*/, bool /*IsBigEndian*/,
                                bool PreserveOriginalOrientation, double CropRemainingPercent) {
    std::vector<TTIFFTag> result = GetSafeTagsFromList(OriginalTags);
    const std::vector<TTIFFTag> main = MainTags(OriginalTags);
    // The whole image is one strip of interleaved samples.
    if (HadTagInTags(main, tagid::RowsPerStrip))
        result.push_back(CreateRowsPerStripTag(NewHeight));
    if (HadTagInTags(main, tagid::PlanarConfiguration))
        result.push_back(CreatePlanarConfigurationTag(1));
    if (const TTIFFTag* orientation = FindMain(OriginalTags, tagid::Orientation))
        result.push_back(CreateOrientationTag(
            PreserveOriginalOrientation ? orientation->Value.AsWords[0] : uint16_t{1}));

    const TTIFFTag* old = FindMain(OriginalTags, tagid::ProcessingSoftware);
    result.push_back(CreateProcessingSoftwareTag(
        ProcessingSoftwareText(old ? &old->DisplayValueDecoded : nullptr, CropRemainingPercent,
                               GetVersionText(true), LocalTimeWithMilliseconds())));
    return result;
}

std::vector<TIFDBlock> TCropTIFF::ExtractAllIFDBlocks(const std::vector<TTIFFTag>& AllTags,
                                                      std::vector<TTIFFTag>& MainIFDTags) {
    MainIFDTags = MainTags(AllTags);
    std::vector<TIFDBlock> blocks;
    for (const TTIFFTag& tag : MainIFDTags)
        for (const TPointer& pointer : kPointers)
            if (tag.TagID == pointer.TagID)
                blocks.push_back({tag.Value.AsDWORD, {}, pointer.Prefix});
    for (TIFDBlock& block : blocks) {
        const std::string mark = std::string(kNestedMark) + block.Prefix + ": ";
        for (const TTIFFTag& tag : AllTags)
            if (tag.TagName.starts_with(mark)) {
                block.Tags.push_back(tag);
                block.Tags.back().TagName.erase(0, mark.size());
            }
    }
    return blocks;
}

TCropTIFF::TTagsForSaving
TCropTIFF::BuildTagsForSaving(bool Minimal, const std::vector<TTIFFTag>& AllTags, int32_t FrameW,
                              int32_t FrameH, int32_t SamplesPerPixel, bool IsBigEndian,
                              bool PreserveOriginalOrientation, double CropRemainingPercent,
                              uint16_t Photometric) {
    TTagsForSaving out;
    if (Minimal) {
        out.ExtraTags = SampleTags(false, AllTags, SamplesPerPixel, Photometric, IsBigEndian);
        return out;
    }
    out.ExtraTags = PrepareTagsForSaving(AllTags, FrameH, SamplesPerPixel, IsBigEndian,
                                         PreserveOriginalOrientation, CropRemainingPercent);
    RenewShapeDescriptions(out.ExtraTags, FrameW, FrameH, SamplesPerPixel);
    for (TTIFFTag& tag : SampleTags(true, AllTags, SamplesPerPixel, Photometric, IsBigEndian))
        out.ExtraTags.push_back(std::move(tag));
    KeepFirstOfRepeatedTags(out.ExtraTags);
    std::vector<TTIFFTag> main;
    for (TIFDBlock& block : ExtractAllIFDBlocks(AllTags, main)) {
        if (block.Prefix == "EXIF")
            for (TTIFFTag& tag : block.Tags) {
                if (tag.TagID != tagid::PixelXDimension && tag.TagID != tagid::PixelYDimension)
                    continue;
                const int32_t size = tag.TagID == tagid::PixelXDimension ? FrameW : FrameH;
                tag.Value.AsDWORD = static_cast<uint32_t>(size);
                // A SHORT cannot hold a size above 65535; the field allows LONG.
                if (tag.DataType == TTIFFDataType::dtShort && size > 65535)
                    tag.DataType = TTIFFDataType::dtLong;
                tag.DisplayValue = std::to_string(size);
            }
        KeepFirstOfRepeatedTags(block.Tags);
        uint16_t pointer = 0;
        for (const TPointer& p : kPointers)
            if (block.Prefix == p.Prefix)
                pointer = p.TagID;
        out.NestedIFDs.push_back({pointer, std::move(block.Tags)});
    }
    return out;
}

} // namespace vantrel
