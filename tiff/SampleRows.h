// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "tiff/MappedFile.h"
#include "tiff/SampleDescription.h"
#include "tiff/SampleWords.h"

namespace vantrel {

/// The image of a parsed file: its size, samples per pixel, colour model and byte order.
struct TImageOfFile {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t SamplesPerPixel = 0;
    uint16_t PhotometricInterpretation = 1;
    bool isBigEndian = false;
};

/// Where the sample words of a parsed file lie in it. Every strip has been checked against the
/// file, so any rows of the image can be read without another check.
struct TSampleLayout : TImageOfFile {
    /// False: the strips laid end to end hold the chunky words. True: one plane per sample,
    /// each in strips of RowsPerStrip rows.
    bool Planar = false;
    uint32_t RowsPerStrip = 0;
    /// SampleFormat, ExtraSamples and FillOrder; with BitsReversed every byte read is turned
    /// round, so the words are the samples whatever the file's fill order.
    TSampleDescription Description;
    std::vector<uint32_t> StripOffsets;
    std::vector<uint32_t> StripByteCounts;
};

/// \brief Raises the load's ETIFFError when the file changed on disk while it was read.
void CheckUnchanged(const TMappedFile& File);

/// Reads rows of a file's samples straight into memory, in chunky order whatever the file's
/// planar configuration, in host order or left in the file's. The reads go through
/// TMappedFile::ReadAt: no page of the samples is mapped, and the only buffer of its own is a
/// block of plane rows for the interleave of a planar file.
class TSampleRows {
public:
    /// Both must outlive the object. `ReleaseRead`: let go of the file's bytes once read, for a
    /// caller that reads each row once (frees the memory of bytes read ahead).
    TSampleRows(const TMappedFile& File, const TSampleLayout& Layout, bool ReleaseRead = false);
    /// Lets go of the bytes read and not yet let go of (ReleaseRead).
    ~TSampleRows();
    TSampleRows(const TSampleRows&) = delete;
    TSampleRows& operator=(const TSampleRows&) = delete;

    /// \brief Copies rows [First, First + Count) of the columns [X, X + W) to `Destination`,
    /// row after row, W × SamplesPerPixel words each. Raises std::out_of_range when the range
    /// does not lie inside the image, the load's ETIFFError when the file cannot be read to the
    /// end (it changed).
    void Read(int32_t First, int32_t Count, int32_t X, int32_t W, bool HostOrder,
              uint16_t* Destination);

    /// \brief Raises std::out_of_range unless the rows lie inside the image, as Read does.
    void CheckRange(int32_t First, int32_t Count, int32_t X, int32_t W) const;

private:
    const TMappedFile& FFile;
    const TSampleLayout& FLayout;
    bool FReleaseRead;
    // ReleaseRead: runs of bytes read one after another and not yet let go (one per plane).
    struct TByteRun {
        uint64_t Start = 0, End = 0;
    };
    std::vector<TByteRun> FUnreleased;
    std::vector<uint64_t> FStripStart; // chunky: the first image word of each strip, then the end
    TSampleWords FPlaneRows;           // planar: a block of rows of every plane

    void NoteRead(uint64_t Offset, uint64_t Length);
    void ReleaseRuns() noexcept;
    void ReadRows(int32_t First, int32_t Count, int32_t X, int32_t W, bool Swap,
                  uint16_t* Destination);
    void ReadWords(uint64_t First, uint64_t Count, bool Swap, uint16_t* Destination);
    void ReadPlanarRows(int32_t First, int32_t Count, int32_t X, int32_t W, bool Swap,
                        uint16_t* Destination);
    void ReadBytes(uint64_t Offset, uint64_t Length, void* Destination);
};

} // namespace vantrel
