// SPDX-License-Identifier: MIT
// The structure reader: header, IFD0, structural tags, nested directories, the tag list.
#include <algorithm>
#include <array>
#include <optional>

#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Format.h"
#include "tiff/Messages.h"

namespace vantrel {
namespace {

constexpr uint32_t kMaxEntries = 1000;
// Pages looked at after IFD0: a scan has a few, a damaged chain must not cost more.
constexpr size_t kMaxFurtherPages = 1024;

// A nested directory to follow after the entry loop.
struct TPointer {
    uint32_t Offset = 0;
    size_t Position = 0;
};

uint16_t HostU16(uint16_t stored, bool bigEndian) {
    return bigEndian ? ByteSwap(stored) : stored;
}
uint32_t HostU32(uint32_t stored, bool bigEndian) {
    return bigEndian ? ByteSwap(stored) : stored;
}

// The entry count of the directory at `offset`, IFD0's or a nested one's.
uint16_t ReadEntryCount(TByteView file, uint32_t offset, bool bigEndian) {
    if (!file.Holds(offset))
        throw ETIFFError(messages::IfdOffsetOutside());
    return ReadU16(file.Slice(offset, 2, messages::IfdCountMissing()).Data(), bigEndian);
}

} // namespace

TCropTIFF::TRawEntry TCropTIFF::TRawEntry::At(const uint8_t* entry) noexcept {
    TRawEntry e;
    std::memcpy(&e.TagID, entry, 2);
    std::memcpy(&e.DataType, entry + 2, 2);
    std::memcpy(&e.Count, entry + 4, 4);
    std::memcpy(e.ValueField, entry + 8, 4);
    return e;
}

TTIFFTag TCropTIFF::BuildTagRecord(TByteView File, bool BigEndian, const TRawEntry& Entry) const {
    TTIFFTag tag;
    tag.TagID = HostU16(Entry.TagID, BigEndian);
    const uint16_t type = HostU16(Entry.DataType, BigEndian);
    tag.DataType = static_cast<TTIFFDataType>(type & 0xFF);
    tag.Count = HostU32(Entry.Count, BigEndian);
    tag.TagName = FDescriber.TagName(tag.TagID);
    tag.IsInline = uint64_t{tag.Count} * static_cast<uint64_t>(GetDataTypeSize(tag.DataType)) <= 4;
    tag.RawOffset = ReadU32(Entry.ValueField, false);
    if (tag.IsInline)
        tag.Value = NormalizeInlineValue(Entry.ValueField, tag.DataType, tag.Count, BigEndian);
    else
        tag.Value.AsDWORD = ReadU32(Entry.ValueField, BigEndian);
    FDescriber.DescribeValue(tag, File, BigEndian);
    tag.RawData = CaptureRawData(Entry.ValueField, tag.DataType, tag.Count, BigEndian, File);
    return tag;
}

std::vector<TTIFFTag> TCropTIFF::ReadNestedIFD(TByteView File, uint32_t Offset,
                                               bool BigEndian) const {
    const uint16_t count = ReadEntryCount(File, Offset, BigEndian);
    if (count > kMaxEntries)
        throw ETIFFError(Fmt(messages::TooManyIfdEntries(), count));
    // A nested directory must also hold its next-directory offset.
    const TByteView entries =
        File.Slice(uint64_t{Offset} + 2, 12 * uint64_t{count} + 4, messages::IfdTruncated());
    std::vector<TTIFFTag> tags;
    tags.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        tags.push_back(BuildTagRecord(File, BigEndian, TRawEntry::At(entries.Data() + 12 * i)));
    return tags;
}

void TCropTIFF::InsertNestedTags(std::vector<TTIFFTag>& List, std::vector<TTIFFTag> Nested,
                                 size_t PointerPosition, const std::string& Prefix) {
    for (auto& tag : Nested)
        tag.TagName = Prefix + tag.TagName;
    const size_t at = std::min(PointerPosition + 1, List.size());
    List.insert(List.begin() + static_cast<std::ptrdiff_t>(at),
                std::make_move_iterator(Nested.begin()), std::make_move_iterator(Nested.end()));
}

std::vector<TFurtherPage> TCropTIFF::ReadFurtherPages(TByteView File, uint64_t NextField,
                                                      bool BigEndian, uint16_t Width,
                                                      uint16_t Height) {
    std::vector<TFurtherPage> pages;
    std::vector<uint32_t> seen;
    for (uint64_t field = NextField; pages.size() < kMaxFurtherPages;) {
        const std::optional<TByteView> next = File.Slice(field, 4);
        if (!next)
            break;
        const uint32_t offset = ReadU32(next->Data(), BigEndian);
        if (offset == 0 || std::find(seen.begin(), seen.end(), offset) != seen.end())
            break;
        seen.push_back(offset);
        const std::optional<TByteView> countBytes = File.Slice(offset, 2);
        if (!countBytes)
            break;
        const uint16_t count = ReadU16(countBytes->Data(), BigEndian);
        const std::optional<TByteView> entries =
            File.Slice(uint64_t{offset} + 2, 12 * uint64_t{count});
        if (count == 0 || count > kMaxEntries || !entries)
            break;
        TFurtherPage page;
        page.Number = static_cast<uint32_t>(pages.size() + 2);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* entry = entries->Data() + 12 * i;
            const uint16_t tagID = ReadU16(entry, BigEndian);
            if (tagID != tagid::ImageWidth && tagID != tagid::ImageLength)
                continue;
            const uint16_t type = ReadU16(entry + 2, BigEndian);
            const uint32_t n = ReadU32(entry + 4, BigEndian);
            try {
                const auto value = static_cast<uint16_t>(
                    ReadScalarValue(entry + 8, type, BigEndian,
                                    uint64_t{n} * FieldTypeSize(type) <= 4, File, tagID));
                (tagID == tagid::ImageWidth ? page.Width : page.Height) = value;
            } catch (const ETIFFError&) {
            }
        }
        page.SameSize = page.Width == Width && page.Height == Height;
        pages.push_back(page);
        field = uint64_t{offset} + 2 + 12 * uint64_t{count};
    }
    return pages;
}

TCropTIFF::TTIFFStructure TCropTIFF::ParseTIFFStructure(TByteView File) {
    FOriginalHadRowsPerStrip = false;
    FFurtherPages.clear();
    const uint8_t* header = File.Slice(0, 8, messages::FileTooSmallForTiff()).Data();
    TTIFFStructure s;
    if (header[0] == 'M' && header[1] == 'M')
        s.BigEndian = true;
    else if (!(header[0] == 'I' && header[1] == 'I'))
        throw ETIFFError(messages::BadSignature());
    const bool be = s.BigEndian;
    const uint32_t ifd = ReadU32(header + 4, be);
    const uint16_t count = ReadEntryCount(File, ifd, be);
    if (count == 0 || count > kMaxEntries)
        throw ETIFFError(Fmt(messages::BadIfdCount(), count));
    // IFD0 may end at the end of the file: its next-directory offset is never read.
    const TByteView entries =
        File.Slice(uint64_t{ifd} + 2, 12 * uint64_t{count}, messages::IfdEntriesTruncated());

    bool hasBitsPerSample = false, hasCompression = false, hasStripOffsets = false,
         hasSamplesPerPixel = false, hasStripByteCounts = false;
    TPointer exif, gps, interop;
    std::vector<uint32_t> subIFDs;
    size_t subIFDPosition = 0;
    std::vector<TTIFFTag> list(count);

    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entryBytes = entries.Data() + 12 * i;
        const TRawEntry raw = TRawEntry::At(entryBytes);
        list[i] = BuildTagRecord(File, be, raw);
        const uint16_t tagID = list[i].TagID;
        const uint16_t type = HostU16(raw.DataType, be);
        const uint32_t n = list[i].Count;
        const bool inl = uint64_t{n} * FieldTypeSize(type) <= 4;
        const uint8_t* field = entryBytes + 8;
        auto scalar = [&] { return ReadScalarValue(field, type, be, inl, File, tagID); };
        auto cardinals = [&] { return ReadCardinalArray(field, type, n, be, inl, File, tagID); };
        // The optional tags: an unreadable one keeps what it had.
        auto optional = [](auto&& read) {
            try {
                read();
            } catch (const ETIFFError&) {
            }
        };

        switch (tagID) {
        case tagid::ImageWidth:
            s.Width = static_cast<uint16_t>(scalar());
            break;
        case tagid::ImageLength:
            s.Height = static_cast<uint16_t>(scalar());
            break;
        case tagid::BitsPerSample: {
            const std::vector<uint16_t> bits = ReadWordArray(field, type, n, be, inl, File, tagID);
            if (bits.empty())
                throw ETIFFError(messages::EmptyBitsPerSample());
            for (const uint16_t b : bits)
                if (b != bits[0])
                    throw ETIFFError(Fmt(messages::UnevenBitsPerSample(), bits[0], b));
            if (bits[0] != 16)
                throw ETIFFError(Fmt(messages::Only16Bit(), bits[0]));
            s.BitsPerSample = bits[0];
            hasBitsPerSample = true;
            break;
        }
        case tagid::Compression: {
            const uint32_t compression = scalar();
            if (compression != 1)
                throw ETIFFError(Fmt(messages::OnlyUncompressed(), compression) +
                                 FDescriber.CompressionName(compression) + ")");
            hasCompression = true;
            break;
        }
        case tagid::StripOffsets:
            s.StripOffsets = cardinals();
            hasStripOffsets = true;
            break;
        case tagid::SamplesPerPixel:
            s.SamplesPerPixel = static_cast<uint16_t>(scalar());
            hasSamplesPerPixel = true;
            break;
        case tagid::StripByteCounts:
            s.StripByteCounts = cardinals();
            hasStripByteCounts = true;
            break;
        case tagid::PhotometricInterpretation:
            optional([&] { s.PhotometricInterpretation = static_cast<uint16_t>(scalar()); });
            break;
        case tagid::RowsPerStrip:
            optional([&] {
                s.RowsPerStrip = static_cast<uint16_t>(scalar());
                FOriginalHadRowsPerStrip = true;
            });
            break;
        case tagid::PlanarConfiguration:
            optional([&] { s.PlanarConfiguration = static_cast<uint16_t>(scalar()); });
            break;
        case tagid::SubIFDs:
            optional([&] {
                subIFDs = cardinals();
                if (!subIFDs.empty())
                    subIFDPosition = i;
            });
            break;
        case tagid::ExifIFD:
        case tagid::GPSInfo:
        case tagid::InteroperabilityIFD: {
            TPointer& p = tagID == tagid::ExifIFD ? exif : tagID == tagid::GPSInfo ? gps : interop;
            optional([&] {
                p.Offset = scalar();
                if (p.Offset != 0)
                    p.Position = i;
            });
            break;
        }
        default:
            break;
        }
    }

    // Nested directories go in after their pointer entry; every insertion moves the entries
    // behind it, so the positions still to be used are shifted along.
    std::array<size_t*, 4> positions{&exif.Position, &gps.Position, &interop.Position,
                                     &subIFDPosition};
    auto insert = [&](std::vector<TTIFFTag> nested, size_t* at, const std::string& prefix) {
        const size_t where = *at;
        const size_t added = nested.size();
        InsertNestedTags(list, std::move(nested), where, prefix);
        for (size_t* p : positions)
            if (*p > where)
                *p += added;
    };
    // Inserts the records of the directory at `offset` after the entry at `*at`. An offset
    // outside the file is passed over; false when the directory is there but unreadable.
    auto follow = [&](uint32_t offset, size_t* at, const std::string& prefix) {
        if (!File.Holds(offset))
            return true;
        try {
            insert(ReadNestedIFD(File, offset, be), at, prefix);
            return true;
        } catch (const ETIFFError&) {
            return false;
        }
    };
    for (auto [pointer, prefix] : {std::pair{&exif, "→ EXIF: "}, std::pair{&gps, "→ GPS: "},
                                   std::pair{&interop, "→ Interop: "}})
        if (pointer->Offset != 0)
            follow(pointer->Offset, &pointer->Position, prefix);
    // A damaged SubIFD ends the walk: the ones after it are left out too.
    for (size_t j = 0; j < subIFDs.size(); ++j)
        if (!follow(subIFDs[j], &subIFDPosition, Fmt("→ SubIFD #%d: ", static_cast<int>(j))))
            break;

    if (!hasBitsPerSample)
        throw ETIFFError(messages::NoBitsPerSample());
    if (!hasCompression)
        throw ETIFFError(messages::NoCompression());
    if (!hasStripOffsets)
        throw ETIFFError(messages::NoStripOffsets());
    if (!hasStripByteCounts)
        throw ETIFFError(messages::NoStripByteCounts());
    if (!hasSamplesPerPixel)
        throw ETIFFError(messages::NoSamplesPerPixel());
    if (s.Width == 0)
        throw ETIFFError(messages::NoImageWidth());
    if (s.Height == 0)
        throw ETIFFError(messages::NoImageHeight());
    if (s.StripOffsets.empty())
        throw ETIFFError(messages::EmptyStripOffsets());
    if (s.StripOffsets.size() != s.StripByteCounts.size())
        throw ETIFFError(
            Fmt(messages::StripArraysDiffer(), s.StripOffsets.size(), s.StripByteCounts.size()));
    if (s.RowsPerStrip == 0)
        s.RowsPerStrip = s.Height;
    FFurtherPages =
        ReadFurtherPages(File, uint64_t{ifd} + 2 + 12 * uint64_t{count}, be, s.Width, s.Height);
    FAllTags = std::move(list);
    return s;
}

} // namespace vantrel
