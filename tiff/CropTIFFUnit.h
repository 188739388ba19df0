// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tiff/ByteView.h"
#include "tiff/Exceptions.h"
#include "tiff/MappedFile.h"
#include "tiff/SampleDescription.h"
#include "tiff/SampleRows.h"
#include "tiff/SampleWords.h"
#include "tiff/TIFFRecords.h"
#include "tiff/TagDescriber.h"

namespace vantrel {

class TSafeFile;

/// What a load yields besides the tag list.
struct TLoadedTIFF : TImageOfFile {
    /// SampleFormat in force (1 unsigned, 2 signed, 3 floating point); 1 without one.
    uint16_t SampleFormat = 1;
    TSampleWords PixelData;
};

/// The TIFF engine. An object lives for one load; operations that need no object state are
/// static.
class TCropTIFF {
public:
    explicit TCropTIFF(const ITagDescriber& describer) : FDescriber(describer) {}

    // Reading.

    /// \brief Maps the file, checks and parses it, and assembles its sample words.
    /// Raises ETIFFError or EOSError. On success GetAllTags() holds the file's tag list.
    TLoadedTIFF LoadTIFFAsWords(const std::string& FileName);

    /// \brief The same load from a file already opened with OpenForReading, or from its bytes
    /// read into memory beforehand (TMappedFile::InMemory): the same checks, messages and words.
    TLoadedTIFF LoadTIFFAsWords(TMappedFile File);

    /// \brief Maps an existing file for reading; ETIFFError "Файл не найден: " + FileName for a
    /// missing file or a folder, EOSError when it cannot be opened or mapped.
    static TMappedFile OpenForReading(const std::string& FileName);

    /// \brief Parses the file's structure and checks its strips against the file as a load
    /// does, with the same refusals, without reading a sample. On success GetAllTags() holds
    /// the tag list and the layout tells where every row lies.
    TSampleLayout ReadSampleLayout(const TMappedFile& File);

    /// \brief A copy of the tag list of the last successful parse.
    std::vector<TTIFFTag> GetAllTags() const { return FAllTags; }
    /// \brief The pages after IFD0 that the last successful parse found (they are not read).
    const std::vector<TFurtherPage>& GetFurtherPages() const { return FFurtherPages; }
    /// \brief Whether the last parse read a RowsPerStrip entry of IFD0 without error.
    bool GetOriginalHadRowsPerStrip() const { return FOriginalHadRowsPerStrip; }

    /// \brief Size in bytes of one value of a field type (4 for unknown types).
    static int GetDataTypeSize(TTIFFDataType type);

    // Value texts.

    /// \brief The type name shown in the metadata table.
    static std::string GetDataTypeName(TTIFFDataType type);

    // Writing.

    /// Whether a save reads the directory it wrote back before the file takes its name: a file
    /// that would not load to the words written is then refused and nothing is left. Only
    /// tests of the raw layout write files that do not describe their samples (Unchecked).
    enum class TReadBack { Checked, Unchecked };

    /// \brief Writes the words as a single-strip uncompressed TIFF with nested directories.
    /// The file goes to a temporary file beside the target, is flushed to disk and renamed over
    /// the target only when complete; on any failure the target is left as it was.
    /// Raises ETIFFError for bad geometry or a file too large for TIFF, EOSError for file errors.
    static void SaveWordsAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                int32_t SamplesPerPixel, std::span<const uint16_t> PixelData,
                                bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                const std::vector<TNestedIFD>& NestedIFDs,
                                TReadBack ReadBack = TReadBack::Checked);

    /// \brief The same file from rows that need not be contiguous: row r of the image is the
    /// `RowWords` words at `First + r * Stride`. Lets a crop be written straight from the
    /// source image without cutting it into a new array first.
    struct TWordRows {
        const uint16_t* First = nullptr;
        size_t RowWords = 0;
        size_t Stride = 0;
        int32_t Rows = 0;
    };
    static void SaveWordsAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                int32_t SamplesPerPixel, const TWordRows& PixelRows,
                                bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                const std::vector<TNestedIFD>& NestedIFDs,
                                TReadBack ReadBack = TReadBack::Checked);

    /// Rows that a save pulls block by block, each block already in the byte order of the file
    /// written: a file can then be written from another file without either image in memory.
    class IRowBlocks {
    public:
        virtual ~IRowBlocks() = default;
        /// At least one row from row `First` on; they stay valid until the next call.
        virtual TWordRows Next(int32_t First) = 0;
        /// Called when every row has been written, before the file is committed: raising here
        /// abandons the file.
        virtual void Finish() {}
    };

    /// \brief The same file from rows pulled block by block; every refusal of the other
    /// overloads comes before a row is asked for.
    static void SaveRowBlocksAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                    int32_t SamplesPerPixel, IRowBlocks& PixelRows,
                                    bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                    const std::vector<TNestedIFD>& NestedIFDs,
                                    TReadBack ReadBack = TReadBack::Checked);

    /// \brief Tags the writer makes: Count 1, inline, the argument as value. Width, length
    /// (and RowsPerStrip) above 65535 become LONG.
    static TTIFFTag CreateImageWidthTag(int32_t Value);
    static TTIFFTag CreateImageLengthTag(int32_t Value);
    static TTIFFTag CreateStripOffsetsTag(uint32_t Offset);
    static TTIFFTag CreateStripByteCountsTag(uint32_t ByteCount);
    static TTIFFTag CreatePixelXDimensionTag(int32_t Value);
    static TTIFFTag CreatePixelYDimensionTag(int32_t Value);
    /// \brief A SHORT or a LONG tag of one inline value, named from the catalogue.
    static TTIFFTag CreateShortTag(uint16_t ID, uint16_t Value);
    static TTIFFTag CreateLongTag(uint16_t ID, uint32_t Value);

    // ---- Tag carry-over -------------------------------------------------------------------

    /// \brief The whole carry-over of one save: ExtraTags and NestedIFDs for the writer.
    /// Minimal mode keeps only the tags that describe the pixels. The tags that say how to read
    /// the samples are made anew from the saved image (`SamplesPerPixel`, `Photometric`) and the
    /// source's SampleFormat, ExtraSamples and FillOrder as the load took them; of any other
    /// repeated tag only the first entry is carried.
    struct TTagsForSaving {
        std::vector<TTIFFTag> ExtraTags;
        std::vector<TNestedIFD> NestedIFDs;
    };
    static TTagsForSaving BuildTagsForSaving(bool Minimal, const std::vector<TTIFFTag>& AllTags,
                                             int32_t FrameW, int32_t FrameH,
                                             int32_t SamplesPerPixel, bool IsBigEndian,
                                             bool PreserveOriginalOrientation,
                                             double CropRemainingPercent, uint16_t Photometric);

    /// \brief A description that states the source's shape for a reader that trusts it (the
    /// JSON `{"shape": [...]}` of a tifffile writer, an ImageJ header counting several images)
    /// gets the saved shape, or is left out when it cannot be restated; any other is kept.
    static void RenewShapeDescriptions(std::vector<TTIFFTag>& Tags, int32_t Width, int32_t Height,
                                       int32_t SamplesPerPixel);

    /// \brief A SHORT tag of the values, inline when they fit, else with its bytes in the
    /// output's byte order.
    static TTIFFTag CreateShortsTag(uint16_t TagID, const std::vector<uint16_t>& Values,
                                    bool IsBigEndian);

    /// \brief The main-directory tags that the full mode copies unchanged, in source order.
    static std::vector<TTIFFTag> GetSafeTagsFromList(const std::vector<TTIFFTag>& AllTags);

    /// \brief The ExtraTags of the full mode: safe tags, renewed RowsPerStrip,
    /// PlanarConfiguration and Orientation, and the ProcessingSoftware entry.
    static std::vector<TTIFFTag> PrepareTagsForSaving(const std::vector<TTIFFTag>& OriginalTags,
                                                      int32_t NewHeight, int32_t SamplesPerPixel,
                                                      bool IsBigEndian,
                                                      bool PreserveOriginalOrientation,
                                                      double CropRemainingPercent);

    /// \brief The nested EXIF, GPS and Interop directories of a tag list; `MainIFDTags`
    /// receives the main-directory tags.
    static std::vector<TIFDBlock> ExtractAllIFDBlocks(const std::vector<TTIFFTag>& AllTags,
                                                      std::vector<TTIFFTag>& MainIFDTags);

    /// \brief Tag 11 holding the text in the system's 8-bit code page, Windows-1251 on Linux
    /// (characters it lacks become "?").
    static TTIFFTag CreateProcessingSoftwareTag(const std::string& Value);

    /// \brief True when some tag of the list has the number.
    static bool HadTagInTags(const std::vector<TTIFFTag>& AllTags, uint16_t Value);

    static TTIFFTag CreateRowsPerStripTag(int32_t Value);
    static TTIFFTag CreatePlanarConfigurationTag(uint16_t Value);
    static TTIFFTag CreateOrientationTag(uint16_t Value);

    /// \brief The ProcessingSoftware text of a save: the new entry, then the history kept
    /// from `OldText` (empty optional: the source had no such tag).
    static std::string ProcessingSoftwareText(const std::string* OldText,
                                              double CropRemainingPercent,
                                              const std::string& VersionText,
                                              const std::string& LocalTime);

    /// \brief 100 - percent as "0.0": one decimal, half away from zero, always a point.
    static std::string FormatTrimmedPercent(double CropRemainingPercent);

    /// \brief The local time now as "yyyy-mm-dd hh:nn:ss.zzz".
    static std::string LocalTimeWithMilliseconds();

private:
    const ITagDescriber& FDescriber;
    std::vector<TTIFFTag> FAllTags;
    std::vector<TFurtherPage> FFurtherPages;
    bool FOriginalHadRowsPerStrip = false;

    // Reading internals.

    /// What the structure reader hands to the pixel loader.
    struct TTIFFStructure {
        bool BigEndian = false;
        uint16_t Width = 0;
        uint16_t Height = 0;
        uint16_t BitsPerSample = 0;
        uint16_t SamplesPerPixel = 1;
        uint16_t PhotometricInterpretation = 1;
        uint16_t PlanarConfiguration = 1;
        uint16_t RowsPerStrip = 0;
        std::vector<uint32_t> StripOffsets;
        std::vector<uint32_t> StripByteCounts;
    };

    /// One 12-byte directory entry with its fields as stored in the file.
    struct TRawEntry {
        uint16_t TagID = 0;
        uint16_t DataType = 0;
        uint32_t Count = 0;
        uint8_t ValueField[4] = {};
        static TRawEntry At(const uint8_t* entry) noexcept;
    };

    TTIFFStructure ParseTIFFStructure(TByteView File);
    TTIFFTag BuildTagRecord(TByteView File, bool BigEndian, const TRawEntry& Entry) const;
    std::vector<TTIFFTag> ReadNestedIFD(TByteView File, uint32_t Offset, bool BigEndian) const;
    /// The pages chained after IFD0 (whose entries end at `NextField`), sized as IFD0's are;
    /// a damaged chain ends the walk without a word.
    static std::vector<TFurtherPage> ReadFurtherPages(TByteView File, uint64_t NextField,
                                                      bool BigEndian, uint16_t Width,
                                                      uint16_t Height);
    static void InsertNestedTags(std::vector<TTIFFTag>& List, std::vector<TTIFFTag> Nested,
                                 size_t PointerPosition, const std::string& Prefix);
    /// Size of one value of a 16-bit field type as stored: 4 for every unknown type.
    static uint64_t FieldTypeSize(uint16_t Type);
    // The structural readers. `Field` is the entry's four value bytes as stored.
    static uint32_t ReadScalarValue(const uint8_t* Field, uint16_t Type, bool BigEndian,
                                    bool IsInline, TByteView File, uint16_t TagID);
    static std::vector<uint16_t> ReadWordArray(const uint8_t* Field, uint16_t Type, uint32_t Count,
                                               bool BigEndian, bool IsInline, TByteView File,
                                               uint16_t TagID);
    static std::vector<uint32_t> ReadCardinalArray(const uint8_t* Field, uint16_t Type,
                                                   uint32_t Count, bool BigEndian, bool IsInline,
                                                   TByteView File, uint16_t TagID);
    static TTIFFTagValue NormalizeInlineValue(const uint8_t* Field, TTIFFDataType Type,
                                              uint32_t Count, bool BigEndian);
    static std::vector<uint8_t> CaptureRawData(const uint8_t* Field, TTIFFDataType Type,
                                               uint32_t Count, bool BigEndian, TByteView File);
    static TMappedFile MapFileForReading(const std::string& FileName);
    static void UnmapFile(TMappedFile& Mapped);
    // Every strip against a file of FileSize bytes and the image of Total words.
    static void CheckChunkyStrips(const TTIFFStructure& S, uint64_t FileSize, uint64_t Total);
    static void CheckPlanarStrips(const TTIFFStructure& S, uint64_t FileSize);

    // Writing internals.

    /// Appends one 12-byte entry to `Out`; `IsInlineValue` says whether `ValueField` is a value
    /// (converted to the output's order by its type) or an offset.
    static void WriteTagEntry(std::vector<uint8_t>& Out, uint16_t TagID, uint16_t FieldType,
                              uint32_t Count, uint32_t ValueField, bool IsBigEndian,
                              bool IsInlineValue);
    /// Appends one nested directory that starts at file offset `Position` (= where `Out` ends)
    /// and returns that offset.
    static uint64_t WriteNestedIFD(std::vector<uint8_t>& Out, uint64_t Position,
                                   const std::vector<TTIFFTag>& Tags, bool IsBigEndian);
    /// Every save ends here: `WordCount` and `RowWords` are the numbers of words given in all
    /// and per row; `WritePixels` writes the image's bytes between the directory and the values.
    /// Raises ETIFFError unless the file at `Path` reads as the words written: this geometry and
    /// byte order, interleaved in one strip of `ByteCount` bytes at `PixelOffset`.
    static void CheckWrittenFile(const std::string& Path, int32_t Width, int32_t Height,
                                 int32_t SamplesPerPixel, bool IsBigEndian, uint64_t PixelOffset,
                                 uint64_t ByteCount);
    static void SaveWordRows(const std::string& FileName, int32_t Width, int32_t Height,
                             int32_t SamplesPerPixel, uint64_t WordCount, uint64_t RowWords,
                             bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                             const std::vector<TNestedIFD>& NestedIFDs, TReadBack ReadBack,
                             const std::function<void(TSafeFile&)>& WritePixels);
};

} // namespace vantrel
