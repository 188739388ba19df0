#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tiff/Exceptions.h"
#include "tiff/MappedFile.h"
#include "tiff/SampleWords.h"
#include "tiff/TIFFRecords.h"
#include "tiff/TagDescriber.h"

namespace vantrel {

/// What a load yields besides the tag list.
struct TLoadedTIFF {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t SamplesPerPixel = 0;
    uint16_t PhotometricInterpretation = 1;
    bool isBigEndian = false;
    TSampleWords PixelData;
};

/// The TIFF engine. An object lives for one load; operations that need no object state are
/// static.
class TCropTIFF {
public:
    explicit TCropTIFF(const ITagDescriber& describer) : FDescriber(describer) {}

    // ---- Reading --------------------------------------------------------------------------

    /// \brief Maps the file, checks and parses it, and assembles its sample words.
    /// Raises ETIFFError or EOSError. On success GetAllTags() holds the file's tag list.
    TLoadedTIFF LoadTIFFAsWords(const std::string& FileName);

    /// \brief A copy of the tag list of the last successful parse.
    std::vector<TTIFFTag> GetAllTags() const { return FAllTags; }
    bool GetOriginalHadRowsPerStrip() const { return FOriginalHadRowsPerStrip; }

    /// \brief Size in bytes of one value of a field type (4 for unknown types).
    static int GetDataTypeSize(TTIFFDataType type);

    // ---- Value texts ----------------------------------------------------------------------

    /// \brief The type name shown in the metadata table.
    static std::string GetDataTypeName(TTIFFDataType type);

    // ---- Writing --------------------------------------------------------------------------

    /// \brief Writes the words as a single-strip uncompressed TIFF with nested directories.
    static void SaveWordsAsTIFF(const std::string& FileName, int32_t Width, int32_t Height,
                                int32_t SamplesPerPixel, std::span<const uint16_t> PixelData,
                                bool IsBigEndian, const std::vector<TTIFFTag>& ExtraTags,
                                const std::vector<TNestedIFD>& NestedIFDs);

    // ---- Tag carry-over -------------------------------------------------------------------

private:
    const ITagDescriber& FDescriber;
    std::vector<TTIFFTag> FAllTags;
    bool FOriginalHadRowsPerStrip = false;

    // ---- Reading internals ----------------------------------------------------------------

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

    TTIFFStructure ParseTIFFStructure(const uint8_t* Data, uint64_t FileSize);
    TTIFFTag BuildTagRecord(const uint8_t* Data, uint64_t FileSize, bool BigEndian,
                            const TRawEntry& Entry) const;
    std::vector<TTIFFTag> ReadNestedIFD(const uint8_t* Data, uint64_t FileSize, uint32_t Offset,
                                        bool BigEndian) const;
    static void InsertNestedTags(std::vector<TTIFFTag>& List, std::vector<TTIFFTag> Nested,
                                 size_t PointerPosition, const std::string& Prefix);
    static uint32_t ReadScalarValue(const uint8_t* Field, uint16_t Type, bool BigEndian,
                                    bool IsInline, const uint8_t* Data, uint64_t FileSize,
                                    uint16_t TagID);
    static std::vector<uint16_t> ReadWordArray(const uint8_t* Field, uint16_t Type, uint32_t Count,
                                               bool BigEndian, bool IsInline, const uint8_t* Data,
                                               uint64_t FileSize, uint16_t TagID);
    static std::vector<uint32_t> ReadCardinalArray(const uint8_t* Field, uint16_t Type,
                                                   uint32_t Count, bool BigEndian, bool IsInline,
                                                   const uint8_t* Data, uint64_t FileSize,
                                                   uint16_t TagID);
    static TTIFFTagValue NormalizeInlineValue(const uint8_t* Field, TTIFFDataType Type,
                                              uint32_t Count, bool BigEndian);
    static std::vector<uint8_t> CaptureRawData(const uint8_t* Field, TTIFFDataType Type,
                                               uint32_t Count, bool BigEndian, const uint8_t* Data,
                                               uint64_t FileSize);
    static TMappedFile MapFileForReading(const std::string& FileName);
    static void UnmapFile(TMappedFile& Mapped);
    // Both check every strip against the file before they size PixelData to Total words.
    static void CopyChunkyStrips(const TTIFFStructure& S, const TMappedFile& Mapped,
                                 uint64_t Total, TSampleWords& PixelData);
    static void CopyPlanarStrips(const TTIFFStructure& S, const TMappedFile& Mapped,
                                 uint64_t Total, TSampleWords& PixelData);

    // ---- Value text internals -------------------------------------------------------------
};

} // namespace vantrel
