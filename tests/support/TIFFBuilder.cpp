// SPDX-License-Identifier: MIT
#include "tests/support/TIFFBuilder.h"

#include <algorithm>
#include <stdexcept>

#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

uint32_t UnitSize(uint16_t type) {
    switch (type) {
    case TTIFFBuilder::kByte:
    case TTIFFBuilder::kAscii:
    case TTIFFBuilder::kSByte:
    case TTIFFBuilder::kUndefined:
        return 1;
    case TTIFFBuilder::kShort:
    case TTIFFBuilder::kSShort:
        return 2;
    default:
        return 4; // one number of a RATIONAL/DOUBLE value is 4 bytes too
    }
}

bool PairedType(uint16_t type) {
    return type == TTIFFBuilder::kRational || type == TTIFFBuilder::kSRational ||
           type == TTIFFBuilder::kDouble;
}

class TOut {
public:
    explicit TOut(bool be) : FBE(be) {}
    std::vector<uint8_t> Bytes;
    void Put(uint32_t v, uint32_t size) {
        if (size == 1)
            Bytes.push_back(static_cast<uint8_t>(v));
        else if (size == 2)
            AppendNumber(Bytes, static_cast<uint16_t>(v), FBE);
        else
            AppendNumber(Bytes, v, FBE);
    }

private:
    bool FBE;
};

} // namespace

TTIFFBuilder::TTIFFBuilder(bool bigEndian) : FBigEndian(bigEndian) {}

int TTIFFBuilder::NewDirectory() {
    FDirs.emplace_back();
    return static_cast<int>(FDirs.size() - 1);
}

TTIFFBuilder& TTIFFBuilder::Add(int dir, uint16_t tag, uint16_t type,
                                std::vector<uint32_t> values) {
    TEntry e;
    e.Tag = tag;
    e.Type = type;
    e.Count = static_cast<uint32_t>(PairedType(type) ? values.size() / 2 : values.size());
    e.Values = std::move(values);
    FDirs.at(dir).push_back(std::move(e));
    return *this;
}

TTIFFBuilder& TTIFFBuilder::AddText(int dir, uint16_t tag, const std::string& text) {
    std::vector<uint32_t> values(text.begin(), text.end());
    for (auto& v : values)
        v &= 0xFF;
    values.push_back(0);
    return Add(dir, tag, kAscii, std::move(values));
}

TTIFFBuilder& TTIFFBuilder::AddRaw(int dir, uint16_t tag, uint16_t type, uint32_t count,
                                   uint32_t field) {
    TEntry e;
    e.Tag = tag;
    e.Type = type;
    e.Count = count;
    e.Raw = true;
    e.RawField = field;
    FDirs.at(dir).push_back(std::move(e));
    return *this;
}

TTIFFBuilder& TTIFFBuilder::Remove(uint16_t tag) {
    auto& d = FDirs[0];
    d.erase(std::remove_if(d.begin(), d.end(), [&](const TEntry& e) { return e.Tag == tag; }),
            d.end());
    return *this;
}

int TTIFFBuilder::AddBlob(std::vector<uint8_t> bytes) {
    FBlobs.push_back(std::move(bytes));
    return static_cast<int>(FBlobs.size() - 1);
}

int TTIFFBuilder::AddWords(const std::vector<uint16_t>& words) {
    TOut out(FBigEndian);
    for (const uint16_t w : words)
        out.Put(w, 2);
    return AddBlob(std::move(out.Bytes));
}

TTIFFBuilder& TTIFFBuilder::AddBlobOffsets(uint16_t tag, uint16_t type, std::vector<int> blobs) {
    Add(0, tag, type, std::vector<uint32_t>(blobs.begin(), blobs.end()));
    FDirs[0].back().Ref = TRef::kBlobOffsets;
    return *this;
}

TTIFFBuilder& TTIFFBuilder::AddBlobSizes(uint16_t tag, uint16_t type, std::vector<int> blobs) {
    Add(0, tag, type, std::vector<uint32_t>(blobs.begin(), blobs.end()));
    FDirs[0].back().Ref = TRef::kBlobSizes;
    return *this;
}

TTIFFBuilder& TTIFFBuilder::AddPointer(uint16_t tag, std::vector<int> dirs, uint16_t type,
                                       int dir) {
    Add(dir, tag, type, std::vector<uint32_t>(dirs.begin(), dirs.end()));
    FDirs[dir].back().Ref = TRef::kDirs;
    return *this;
}

TTIFFBuilder& TTIFFBuilder::SetIFD0Offset(uint32_t offset) {
    FHasIFD0Offset = true;
    FIFD0Offset = offset;
    return *this;
}

TTIFFBuilder& TTIFFBuilder::SetValues(uint16_t tag, std::vector<uint32_t> values) {
    for (TEntry& e : FDirs[0])
        if (e.Tag == tag) {
            e.Values = std::move(values);
            e.Ref = TRef::kNone;
            e.Count =
                static_cast<uint32_t>(PairedType(e.Type) ? e.Values.size() / 2 : e.Values.size());
            return *this;
        }
    throw std::logic_error("TTIFFBuilder::SetValues: no such tag");
}

TTIFFBuilder::TLayout TTIFFBuilder::Layout() const {
    auto valueBytes = [](const TEntry& e) {
        return e.Raw ? 0 : static_cast<uint32_t>(e.Values.size()) * UnitSize(e.Type);
    };
    std::vector<uint32_t> dirOffset(FDirs.size());
    uint32_t pos = 8;
    for (size_t d = 0; d < FDirs.size(); ++d) {
        dirOffset[d] = pos;
        pos += 2 + 12 * static_cast<uint32_t>(FDirs[d].size()) + 4;
        for (const TEntry& e : FDirs[d])
            if (valueBytes(e) > 4)
                pos += (valueBytes(e) + 1) & ~1u;
    }
    std::vector<uint32_t> blobOffset(FBlobs.size());
    for (size_t b = 0; b < FBlobs.size(); ++b) {
        blobOffset[b] = pos;
        pos += static_cast<uint32_t>(FBlobs[b].size());
        if (b + 1 < FBlobs.size())
            pos = (pos + 1) & ~1u;
    }
    return {dirOffset, blobOffset, pos};
}

std::vector<uint8_t> TTIFFBuilder::Build() const {
    const TLayout layout = Layout();
    const std::vector<uint32_t>& dirOffset = layout.Dirs;
    const std::vector<uint32_t>& blobOffset = layout.Blobs;
    const uint32_t pos = layout.Size;

    TOut out(FBigEndian);
    out.Bytes.reserve(pos);
    out.Bytes.push_back(FBigEndian ? 'M' : 'I');
    out.Bytes.push_back(FBigEndian ? 'M' : 'I');
    out.Put(42, 2);
    out.Put(FHasIFD0Offset ? FIFD0Offset : dirOffset[0], 4);
    for (size_t d = 0; d < FDirs.size(); ++d) {
        const auto& entries = FDirs[d];
        out.Put(static_cast<uint32_t>(entries.size()), 2);
        uint32_t valuePos = dirOffset[d] + 2 + 12 * static_cast<uint32_t>(entries.size()) + 4;
        std::vector<uint8_t> values;
        for (const TEntry& e : entries) {
            out.Put(e.Tag, 2);
            out.Put(e.Type, 2);
            out.Put(e.Count, 4);
            if (e.Raw) {
                out.Put(e.RawField, 4);
                continue;
            }
            TOut encoded(FBigEndian);
            for (const uint32_t v : e.Values) {
                uint32_t n = v;
                if (e.Ref == TRef::kBlobOffsets)
                    n = blobOffset.at(v);
                else if (e.Ref == TRef::kBlobSizes)
                    n = static_cast<uint32_t>(FBlobs.at(v).size());
                else if (e.Ref == TRef::kDirs)
                    n = dirOffset.at(v);
                encoded.Put(n, UnitSize(e.Type));
            }
            if (encoded.Bytes.size() <= 4) {
                encoded.Bytes.resize(4, 0);
                out.Bytes.insert(out.Bytes.end(), encoded.Bytes.begin(), encoded.Bytes.end());
            } else {
                out.Put(valuePos, 4);
                if (encoded.Bytes.size() % 2)
                    encoded.Bytes.push_back(0);
                values.insert(values.end(), encoded.Bytes.begin(), encoded.Bytes.end());
                valuePos += static_cast<uint32_t>(encoded.Bytes.size());
            }
        }
        out.Put(0, 4); // no next directory
        out.Bytes.insert(out.Bytes.end(), values.begin(), values.end());
    }
    for (size_t b = 0; b < FBlobs.size(); ++b) {
        out.Bytes.resize(blobOffset[b], 0);
        out.Bytes.insert(out.Bytes.end(), FBlobs[b].begin(), FBlobs[b].end());
    }
    if (out.Bytes.size() != pos)
        throw std::logic_error("TTIFFBuilder: layout mismatch");
    return out.Bytes;
}

TTIFFBuilder MakeImage(uint16_t width, uint16_t height, uint16_t samples,
                       const std::vector<uint16_t>& words, bool bigEndian, bool planar,
                       uint16_t rowsPerStrip) {
    TTIFFBuilder b(bigEndian);
    const uint16_t rps = rowsPerStrip == 0 ? height : rowsPerStrip;
    std::vector<int> strips;
    const size_t plane = size_t{width} * height;
    auto addStrips = [&](auto wordAt, size_t wordsPerRow) {
        for (uint32_t r = 0; r < height; r += rps) {
            const uint32_t r1 = std::min<uint32_t>(r + rps, height);
            std::vector<uint16_t> strip;
            for (size_t k = r * wordsPerRow; k < r1 * wordsPerRow; ++k)
                strip.push_back(wordAt(k));
            strips.push_back(b.AddWords(strip));
        }
    };
    if (planar) {
        for (uint16_t s = 0; s < samples; ++s)
            addStrips([&](size_t k) { return words.at(k * samples + s); }, width);
    } else {
        addStrips([&](size_t k) { return words.at(k); }, size_t{width} * samples);
    }
    (void)plane;
    b.Add(tagid::ImageWidth, TTIFFBuilder::kShort, {width});
    b.Add(tagid::ImageLength, TTIFFBuilder::kShort, {height});
    b.Add(tagid::BitsPerSample, TTIFFBuilder::kShort, std::vector<uint32_t>(samples, 16));
    b.Add(tagid::Compression, TTIFFBuilder::kShort, {1});
    b.Add(tagid::PhotometricInterpretation, TTIFFBuilder::kShort, {samples >= 3 ? 2u : 1u});
    b.AddBlobOffsets(tagid::StripOffsets, TTIFFBuilder::kLong, strips);
    b.Add(tagid::SamplesPerPixel, TTIFFBuilder::kShort, {samples});
    b.Add(tagid::RowsPerStrip, TTIFFBuilder::kShort, {rps});
    b.AddBlobSizes(tagid::StripByteCounts, TTIFFBuilder::kLong, strips);
    b.Add(tagid::PlanarConfiguration, TTIFFBuilder::kShort, {planar ? 2u : 1u});
    return b;
}

std::vector<uint16_t> PatternWords(size_t count, uint16_t seed) {
    std::vector<uint16_t> words(count);
    uint32_t x = seed * 2654435761u + 12345;
    for (size_t k = 0; k < count; ++k) {
        // Distinct low and high bytes catch a missing or doubled byte swap.
        x = x * 1103515245u + 12345u;
        words[k] = static_cast<uint16_t>((x >> 8) ^ (k * 0x0101u) ^ 0x1200u);
        if ((words[k] >> 8) == (words[k] & 0xFF))
            words[k] ^= 0x0001;
    }
    return words;
}

} // namespace vantrel::test
