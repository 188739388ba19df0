// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::test {

/// Builds small TIFF files in memory, byte by byte, for fixtures that no real writer would
/// produce (hostile offsets, odd types, duplicate tags, nested directories, broken strips).
///
/// Layout of Build(): the 8-byte header, then each directory (IFD0 first) followed by its
/// out-of-line values, then the blobs in the order they were added. Entries are written in the
/// order they were added (no sorting), so a test controls the file order.
///
///   TTIFFBuilder b(/*bigEndian=*/false);
///   b.Add(tagid::ImageWidth, kShort, {2});                  // inline
///   int strip = b.AddWords({1, 2, 3, 4});                   // in the file's byte order
///   b.AddBlobOffsets(tagid::StripOffsets, kLong, {strip});  // -> that blob
///   b.AddBlobSizes(tagid::StripByteCounts, kLong, {strip}); // its size
///   int exif = b.NewDirectory();
///   b.Add(exif, tagid::ExposureTime, kRational, {1, 125});  // two numbers per value
///   b.AddPointer(tagid::ExifIFD, {exif});                   // -> that directory
///   std::vector<uint8_t> file = b.Build();
class TTIFFBuilder {
public:
    static constexpr uint16_t kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5,
                              kSByte = 6, kUndefined = 7, kSShort = 8, kSLong = 9, kSRational = 10,
                              kFloat = 11, kDouble = 12, kIFD = 13;

    explicit TTIFFBuilder(bool bigEndian = false);

    bool BigEndian() const { return FBigEndian; }

    /// A new, empty nested directory; IFD0 is directory 0.
    int NewDirectory();

    /// Appends an entry. `values` are numbers of the field type (two numbers per RATIONAL,
    /// SRATIONAL, DOUBLE value; one per value otherwise) written in the file's byte order;
    /// they go into the value field when they fit in 4 bytes, out of line otherwise.
    /// Count is the number of values. The dir-less overloads act on IFD0.
    TTIFFBuilder& Add(int dir, uint16_t tag, uint16_t type, std::vector<uint32_t> values);
    TTIFFBuilder& Add(uint16_t tag, uint16_t type, std::vector<uint32_t> values) {
        return Add(0, tag, type, std::move(values));
    }
    /// An ASCII entry with its terminating zero.
    TTIFFBuilder& AddText(int dir, uint16_t tag, const std::string& text);

    /// Appends an entry whose Count and value field are given as they are (the field as a
    /// number written in the file's byte order): for offsets and counts that lie.
    TTIFFBuilder& AddRaw(int dir, uint16_t tag, uint16_t type, uint32_t count, uint32_t field);
    TTIFFBuilder& AddRaw(uint16_t tag, uint16_t type, uint32_t count, uint32_t field) {
        return AddRaw(0, tag, type, count, field);
    }

    /// Removes every IFD0 entry of `tag`.
    TTIFFBuilder& Remove(uint16_t tag);

    /// Raw bytes placed after the directories; the result is the blob's id.
    int AddBlob(std::vector<uint8_t> bytes);
    /// 16-bit words placed as a blob in the file's byte order.
    int AddWords(const std::vector<uint16_t>& words);

    /// An IFD0 entry holding the file offsets (or the byte sizes) of blobs.
    TTIFFBuilder& AddBlobOffsets(uint16_t tag, uint16_t type, std::vector<int> blobs);
    TTIFFBuilder& AddBlobSizes(uint16_t tag, uint16_t type, std::vector<int> blobs);

    /// An entry in `dir` (IFD0 by default) pointing at nested directories (LONG, or `type`).
    TTIFFBuilder& AddPointer(uint16_t tag, std::vector<int> dirs, uint16_t type = kLong,
                             int dir = 0);

    /// Overrides the IFD0 offset written in the header.
    TTIFFBuilder& SetIFD0Offset(uint32_t offset);

    /// Replaces the values of the first IFD0 entry of `tag`, e.g. with offsets learned from
    /// DirectoryOffset/BlobOffset. The same number of values keeps the layout unchanged.
    TTIFFBuilder& SetValues(uint16_t tag, std::vector<uint32_t> values);

    /// Where Build() puts a directory or a blob, as the layout stands now.
    uint32_t DirectoryOffset(int dir) const { return Layout().Dirs.at(dir); }
    uint32_t BlobOffset(int blob) const { return Layout().Blobs.at(blob); }

    /// The file's bytes.
    std::vector<uint8_t> Build() const;

private:
    struct TLayout {
        std::vector<uint32_t> Dirs, Blobs;
        uint32_t Size = 0;
    };
    TLayout Layout() const;

    enum class TRef { kNone, kBlobOffsets, kBlobSizes, kDirs };
    struct TEntry {
        uint16_t Tag = 0, Type = 0;
        uint32_t Count = 0;
        std::vector<uint32_t> Values; // numbers, or blob/directory ids when Ref says so
        bool Raw = false;
        uint32_t RawField = 0;
        TRef Ref = TRef::kNone;
    };
    bool FBigEndian;
    std::vector<std::vector<TEntry>> FDirs{1};
    std::vector<std::vector<uint8_t>> FBlobs;
    bool FHasIFD0Offset = false;
    uint32_t FIFD0Offset = 0;
};

/// A valid uncompressed 16-bit image: the structural tags in ascending order and the words
/// (chunky order) split into strips of `rowsPerStrip` rows (0: one strip; planar: per plane).
/// Tests change or remove tags of the result to make it hostile.
TTIFFBuilder MakeImage(uint16_t width, uint16_t height, uint16_t samples,
                       const std::vector<uint16_t>& words, bool bigEndian = false,
                       bool planar = false, uint16_t rowsPerStrip = 0);

/// Words 0, 1, 2 ... with every word distinct in both bytes' order, for `count` words.
std::vector<uint16_t> PatternWords(size_t count, uint16_t seed = 1);

} // namespace vantrel::test
