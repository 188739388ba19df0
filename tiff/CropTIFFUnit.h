#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tiff/Exceptions.h"
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

    // ---- Value text internals -------------------------------------------------------------
};

} // namespace vantrel
