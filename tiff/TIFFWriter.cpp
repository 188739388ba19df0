// SPDX-License-Identifier: MIT
// Writes sample words as one uncompressed strip with nested EXIF, GPS and Interop directories.
// The whole layout is computed before the file is created, so every refusal comes before any
// byte reaches the disk and the file is written front to back in three parts: header and IFD0,
// the pixel data, then IFD0's values and the nested directories.
#include <algorithm>
#include <bit>
#include <memory>

#include "platform/SafeFile.h"
#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Format.h"
#include "tiff/Messages.h"
#include "tiff/WordCopy.h"
#include "tiff/WritableTypes.h"

namespace vantrel {

static_assert(std::endian::native == std::endian::little,
              "the inline values and words are held in little-endian host order");

namespace {

constexpr uint64_t kMaxOffset = 0xFFFFFFFFull;
constexpr size_t kMaxEntries = 65535;

// Names and value texts play no part in the check of a written file.
class TNoTexts final : public ITagDescriber {
public:
    std::string TagName(uint16_t) const override { return {}; }
    void DescribeValue(TTIFFTag&, TByteView, bool) const noexcept override {}
    std::string CompressionName(uint32_t) const override { return {}; }
};

uint64_t Even(uint64_t offset) {
    return offset + (offset & 1);
}

uint64_t ReservedSize(const TTIFFTag& tag) {
    return static_cast<uint64_t>(tag.Count) *
           static_cast<uint64_t>(TCropTIFF::GetDataTypeSize(tag.DataType));
}

void Put16(std::vector<uint8_t>& out, uint16_t v, bool bigEndian) {
    AppendNumber(out, v, bigEndian);
}

void Put32(std::vector<uint8_t>& out, uint32_t v, bool bigEndian) {
    AppendNumber(out, v, bigEndian);
}

// The value's bytes, cut or padded with zeros to its reserved room so that a damaged
// RawData can never shift the values behind it.
void PutValue(std::vector<uint8_t>& out, const TTIFFTag& tag) {
    const uint64_t room = ReservedSize(tag);
    const size_t copied = static_cast<size_t>(std::min<uint64_t>(room, tag.RawData.size()));
    out.insert(out.end(), tag.RawData.begin(),
               tag.RawData.begin() + static_cast<std::ptrdiff_t>(copied));
    out.resize(out.size() + static_cast<size_t>(room - copied), 0);
}

void PadToEven(std::vector<uint8_t>& out, uint64_t base) {
    if ((base + out.size()) & 1)
        out.push_back(0);
}

// An out-of-line value whose bytes the reader could not get has nothing to point to.
bool HasLostValue(const TTIFFTag& tag) {
    return !tag.IsInline && tag.RawData.empty();
}

// A pointer inside a nested directory would point into nothing in the new file, so it is left
// out, as is a value whose bytes were lost.
std::vector<TTIFFTag> WritableNestedTags(const std::vector<TTIFFTag>& tags) {
    std::vector<TTIFFTag> kept;
    kept.reserve(tags.size());
    for (const TTIFFTag& tag : tags)
        if (!IsPointerTag(tag.TagID) && !HasLostValue(tag))
            kept.push_back(tag);
    return kept;
}

uint64_t NestedIFDSize(const std::vector<TTIFFTag>& tags, uint64_t position) {
    uint64_t end = position + 2 + 12 * static_cast<uint64_t>(tags.size()) + 4;
    for (const TTIFFTag& tag : tags)
        if (!tag.IsInline)
            end = Even(end) + ReservedSize(tag);
    return end - position;
}

// One entry of IFD0: a tag of the list or the pointer to a nested directory.
struct TEntry {
    const TTIFFTag* Tag = nullptr;
    uint16_t TagID = 0;
    int Nested = -1;
    uint64_t ValueOffset = 0;
};

constexpr size_t kSwapChunkWords = 1 << 20; // 2 MiB of swapped words per write

// Host-order rows go to the file as they are, or swapped when `swap` is set.
void WritePixels(TSafeFile& file, const TCropTIFF::TWordRows& rows, bool swap) {
    const size_t rowBytes = rows.RowWords * 2;
    if (!swap) {
        if (rows.Stride == rows.RowWords || rows.Rows == 1) {
            file.Write(rows.First, rowBytes * static_cast<size_t>(rows.Rows));
            return;
        }
        std::vector<TWritePart> parts(static_cast<size_t>(rows.Rows));
        for (size_t r = 0; r < parts.size(); ++r)
            parts[r] = {rows.First + r * rows.Stride, rowBytes};
        file.WriteParts(parts.data(), parts.size());
        return;
    }
    // Big-endian: swap into a buffer of bounded size, so a big image needs no second copy.
    const size_t capacity = std::max(kSwapChunkWords, rows.RowWords);
    std::unique_ptr<uint16_t[]> buffer(new uint16_t[capacity]);
    size_t filled = 0;
    for (int32_t r = 0; r < rows.Rows; ++r) {
        const uint16_t* source = rows.First + static_cast<size_t>(r) * rows.Stride;
        size_t done = 0;
        while (done < rows.RowWords) {
            const size_t n = std::min(rows.RowWords - done, capacity - filled);
            CopyWords(buffer.get() + filled, reinterpret_cast<const uint8_t*>(source + done), n,
                      true);
            filled += n;
            done += n;
            if (filled == capacity) {
                file.Write(buffer.get(), filled * 2);
                filled = 0;
            }
        }
    }
    if (filled > 0)
        file.Write(buffer.get(), filled * 2);
}

} // namespace

void TCropTIFF::WriteTagEntry(std::vector<uint8_t>& Out, uint16_t TagID, uint16_t FieldType,
                              uint32_t Count, uint32_t ValueField, bool IsBigEndian,
                              bool IsInlineValue) {
    Put16(Out, TagID, IsBigEndian);
    Put16(Out, FieldType, IsBigEndian);
    Put32(Out, Count, IsBigEndian);
    if (!IsBigEndian || !IsInlineValue) {
        Put32(Out, ValueField, IsBigEndian);
        return;
    }
    // A big-endian inline value: 16-bit values are swapped one by one, 32-bit numbers as one;
    // every other field (bytes, a type we do not know, an empty RATIONAL or DOUBLE) was kept
    // by the reader as it stood and goes back so.
    TTIFFTagValue value{ValueField};
    switch (static_cast<TTIFFDataType>(FieldType & 0xFF)) {
    case TTIFFDataType::dtLong:
    case TTIFFDataType::dtSLong:
    case TTIFFDataType::dtFloat:
    case TTIFFDataType::dtIFD:
        Put32(Out, ValueField, true);
        break;
    case TTIFFDataType::dtShort:
    case TTIFFDataType::dtSShort:
        // Count 0: the reader kept the field's bytes as they stood (there is no value to
        // turn into host order), so they go back as they came; swapping them would change
        // what a reader that looks at the field (a Compression of Count 0) finds there.
        if (Count == 0) {
            Out.insert(Out.end(), value.AsBytes, value.AsBytes + 4);
            break;
        }
        Put16(Out, value.AsWords[0], true);
        Put16(Out, value.AsWords[1], true);
        break;
    default:
        Out.insert(Out.end(), value.AsBytes, value.AsBytes + 4);
    }
}

uint64_t TCropTIFF::WriteNestedIFD(std::vector<uint8_t>& Out, uint64_t Position,
                                   const std::vector<TTIFFTag>& Tags, bool IsBigEndian) {
    const uint64_t base = Position - Out.size(); // file offset of Out's first byte
    Put16(Out, static_cast<uint16_t>(Tags.size()), IsBigEndian);
    uint64_t running = Position + 2 + 12 * static_cast<uint64_t>(Tags.size()) + 4;
    for (const TTIFFTag& tag : Tags) {
        uint32_t field = tag.Value.AsDWORD;
        if (!tag.IsInline) {
            running = Even(running);
            field = static_cast<uint32_t>(running);
            running += ReservedSize(tag);
        }
        WriteTagEntry(Out, tag.TagID, static_cast<uint16_t>(tag.DataType), tag.Count, field,
                      IsBigEndian, tag.IsInline);
    }
    Put32(Out, 0, IsBigEndian);
    for (const TTIFFTag& tag : Tags)
        if (!tag.IsInline) {
            PadToEven(Out, base);
            PutValue(Out, tag);
        }
    return Position;
}

void TCropTIFF::SaveWordsAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                int32_t SamplesPerPixel, std::span<const uint16_t> PixelData,
                                bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                const std::vector<TNestedIFD>& NestedIFDs, TReadBack ReadBack) {
    const size_t rowWords =
        static_cast<size_t>(std::max(Width, 0)) * static_cast<size_t>(std::max(SamplesPerPixel, 0));
    const TWordRows rows{PixelData.data(), rowWords, rowWords, Height};
    SaveWordRows(FileName, Width, Height, SamplesPerPixel, PixelData.size(), rowWords, IsBigEndian,
                 ExtraTags, NestedIFDs, ReadBack,
                 [&](TSafeFile& file) { WritePixels(file, rows, IsBigEndian); });
}

void TCropTIFF::SaveWordsAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                int32_t SamplesPerPixel, const TWordRows& PixelRows,
                                bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                const std::vector<TNestedIFD>& NestedIFDs, TReadBack ReadBack) {
    const uint64_t words = PixelRows.Rows == Height
                               ? static_cast<uint64_t>(PixelRows.RowWords) *
                                     static_cast<uint64_t>(std::max(PixelRows.Rows, 0))
                               : ~0ull;
    SaveWordRows(FileName, Width, Height, SamplesPerPixel, words, PixelRows.RowWords, IsBigEndian,
                 ExtraTags, NestedIFDs, ReadBack,
                 [&](TSafeFile& file) { WritePixels(file, PixelRows, IsBigEndian); });
}

void TCropTIFF::SaveRowBlocksAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                    int32_t SamplesPerPixel, IRowBlocks& PixelRows,
                                    bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                    const std::vector<TNestedIFD>& NestedIFDs, TReadBack ReadBack) {
    const uint64_t rowWords = static_cast<uint64_t>(std::max(Width, 0)) *
                              static_cast<uint64_t>(std::max(SamplesPerPixel, 0));
    const uint64_t words = rowWords * static_cast<uint64_t>(std::max(Height, 0));
    SaveWordRows(FileName, Width, Height, SamplesPerPixel, words, rowWords, IsBigEndian, ExtraTags,
                 NestedIFDs, ReadBack, [&](TSafeFile& file) {
                     for (int32_t row = 0; row < Height;) {
                         const TWordRows block = PixelRows.Next(row);
                         if (block.First == nullptr || block.RowWords != rowWords ||
                             block.Rows < 1 || block.Rows > Height - row)
                             throw ETIFFError(messages::PixelDataLength());
                         WritePixels(file, block, false);
                         row += block.Rows;
                     }
                     PixelRows.Finish();
                 });
}

void TCropTIFF::SaveWordRows(const std::string& FileName, int32_t Width, int32_t Height,
                             int32_t SamplesPerPixel, uint64_t wordCount, uint64_t rowWords,
                             bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                             const std::vector<TNestedIFD>& NestedIFDs, TReadBack ReadBack,
                             const std::function<void(TSafeFile&)>& writePixels) {
    if (Width < 1)
        throw ETIFFError(messages::WidthNotPositive());
    if (Height < 1)
        throw ETIFFError(messages::HeightNotPositive());
    if (SamplesPerPixel < 1)
        throw ETIFFError(messages::SamplesNotPositive());
    const uint64_t expected = static_cast<uint64_t>(Width) * static_cast<uint64_t>(Height) *
                              static_cast<uint64_t>(SamplesPerPixel);
    if (wordCount != expected ||
        rowWords != static_cast<uint64_t>(Width) * static_cast<uint64_t>(SamplesPerPixel))
        throw ETIFFError(messages::PixelDataLength());
    const uint64_t byteCount = 2 * expected;

    // IFD0: the writer's four tags, the caller's tags and the pointers, by tag number. A value
    // whose type we cannot write or whose bytes were lost is left out rather than pointing to
    // wrong or missing data.
    std::vector<TTIFFTag> own = {CreateImageWidthTag(Width), CreateImageLengthTag(Height),
                                 CreateStripOffsetsTag(0),
                                 CreateStripByteCountsTag(static_cast<uint32_t>(byteCount))};
    std::vector<TEntry> entries;
    entries.reserve(own.size() + ExtraTags.size() + NestedIFDs.size());
    for (const TTIFFTag& tag : own)
        entries.push_back({&tag, tag.TagID});
    for (const TTIFFTag& tag : ExtraTags)
        if (tag.IsInline || (IsWritableOutOfLine(tag.DataType) && !HasLostValue(tag)))
            entries.push_back({&tag, tag.TagID});
    for (size_t i = 0; i < NestedIFDs.size(); ++i)
        entries.push_back({nullptr, NestedIFDs[i].PointerTagID, static_cast<int>(i)});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry& a, const TEntry& b) { return a.TagID < b.TagID; });

    const uint64_t count = entries.size();
    if (count > kMaxEntries)
        throw ETIFFError(messages::TooLargeForTiff());
    const uint64_t pixelOffset = 14 + 12 * count;
    if (pixelOffset + byteCount > kMaxOffset)
        throw ETIFFError(messages::TooLargeForTiff());
    own[2].Value.AsDWORD = static_cast<uint32_t>(pixelOffset);

    uint64_t running = pixelOffset + byteCount;
    for (TEntry& entry : entries)
        if (entry.Tag && !entry.Tag->IsInline) {
            running = Even(running);
            entry.ValueOffset = running;
            running += ReservedSize(*entry.Tag);
        }
    std::vector<std::vector<TTIFFTag>> nestedTags;
    std::vector<uint64_t> nestedOffsets;
    for (const TNestedIFD& nested : NestedIFDs) {
        nestedTags.push_back(WritableNestedTags(nested.Tags));
        if (nestedTags.back().size() > kMaxEntries)
            throw ETIFFError(messages::TooLargeForTiff());
        running = Even(running);
        nestedOffsets.push_back(running);
        running += NestedIFDSize(nestedTags.back(), running);
    }
    // Every offset in the file is 32 bits wide.
    if (running > kMaxOffset)
        throw ETIFFError(messages::TooLargeForTiff());

    std::vector<uint8_t> head;
    head.reserve(static_cast<size_t>(pixelOffset));
    head.push_back(IsBigEndian ? 'M' : 'I');
    head.push_back(IsBigEndian ? 'M' : 'I');
    Put16(head, 42, IsBigEndian);
    Put32(head, 8, IsBigEndian);
    Put16(head, static_cast<uint16_t>(count), IsBigEndian);
    for (const TEntry& entry : entries) {
        if (entry.Nested >= 0) {
            WriteTagEntry(head, entry.TagID, static_cast<uint16_t>(TTIFFDataType::dtLong), 1,
                          static_cast<uint32_t>(nestedOffsets[static_cast<size_t>(entry.Nested)]),
                          IsBigEndian, false);
            continue;
        }
        const TTIFFTag& tag = *entry.Tag;
        WriteTagEntry(head, tag.TagID, static_cast<uint16_t>(tag.DataType), tag.Count,
                      tag.IsInline ? tag.Value.AsDWORD : static_cast<uint32_t>(entry.ValueOffset),
                      IsBigEndian, tag.IsInline);
    }
    Put32(head, 0, IsBigEndian);

    const uint64_t tailBase = pixelOffset + byteCount;
    std::vector<uint8_t> tail;
    tail.reserve(static_cast<size_t>(running - tailBase));
    for (const TEntry& entry : entries)
        if (entry.Tag && !entry.Tag->IsInline) {
            PadToEven(tail, tailBase);
            PutValue(tail, *entry.Tag);
        }
    for (size_t i = 0; i < nestedTags.size(); ++i) {
        PadToEven(tail, tailBase);
        WriteNestedIFD(tail, tailBase + tail.size(), nestedTags[i], IsBigEndian);
    }

    TSafeFile file(FileName);
    file.Write(head.data(), head.size());
    writePixels(file);
    if (!tail.empty())
        file.Write(tail.data(), tail.size());
    if (ReadBack == TReadBack::Checked)
        CheckWrittenFile(file.TemporaryPathToReadBack(), Width, Height, SamplesPerPixel,
                         IsBigEndian, pixelOffset, byteCount);
    file.Commit();
}

void TCropTIFF::CheckWrittenFile(const std::string& Path, int32_t Width, int32_t Height,
                                 int32_t SamplesPerPixel, bool IsBigEndian, uint64_t PixelOffset,
                                 uint64_t ByteCount) {
    // The directory as the reader takes it, checked against what was written: then a load
    // reads the very words written (the fuzzer holds the writer's data path to that). The
    // samples themselves are not read again, so a save of a large scan costs no second pass.
    const TNoTexts describer;
    TCropTIFF reader(describer);
    TSampleLayout layout;
    try {
        layout = reader.ReadSampleLayout(TMappedFile(Path));
    } catch (const Exception& e) {
        throw ETIFFError(Fmt(messages::NotReadBack(), e.Message().c_str()));
    }
    const bool chunky = !layout.Planar || layout.SamplesPerPixel == 1;
    if (layout.Width != Width || layout.Height != Height ||
        layout.SamplesPerPixel != SamplesPerPixel || layout.isBigEndian != IsBigEndian || !chunky ||
        layout.Description.BitsReversed || layout.StripOffsets.size() != 1 ||
        layout.StripOffsets[0] != PixelOffset || layout.StripByteCounts[0] != ByteCount)
        throw ETIFFError(Fmt(messages::NotReadBack(), messages::OtherSamples()));
}

} // namespace vantrel
