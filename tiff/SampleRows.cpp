// SPDX-License-Identifier: MIT
// Rows of a file's samples read with pread(): in pieces that stay in the cache when their
// bytes must be swapped or interleaved, in one go otherwise.
#include "tiff/SampleRows.h"

#include <algorithm>
#include <stdexcept>

#include "tiff/ByteOrder.h"
#include "tiff/Exceptions.h"
#include "tiff/Messages.h"
#include "tiff/WordCopy.h"

namespace vantrel {
namespace {

// Words swapped right after they arrive, while they are still in the cache.
constexpr uint64_t kSwapPieceWords = 128u << 10;
// Bytes copied as they are, in pieces whose memory can be let go one by one.
constexpr uint64_t kPlainPieceBytes = 8u << 20;
// One block of plane rows, interleaved while it is in the cache.
constexpr uint64_t kPlaneBlockBytes = 1u << 20;
// Bytes read ahead are let go in long runs: each call that frees memory costs milliseconds
// (on a virtual machine, several times the copy of 8 MiB), whatever its length.
constexpr uint64_t kReleaseRunBytes = 64u << 20;
// Runs followed at once: one per plane of a planar file.
constexpr size_t kMaxRuns = 8;

void SwapInPlace(uint16_t* words, uint64_t count) noexcept {
    for (uint64_t i = 0; i < count; ++i)
        words[i] = ByteSwap(words[i]);
}

// FillOrder 2 stores each byte's bits lowest first; turning every byte round gives the bytes
// every reader sees, in either byte order (the two operations commute).
struct TReversedBytes {
    uint16_t Word[65536];
    TReversedBytes() {
        for (uint32_t w = 0; w < 65536; ++w) {
            uint32_t r = 0;
            for (int bit = 0; bit < 16; ++bit)
                if (w & (1u << bit))
                    r |= 1u << ((bit & ~7) + 7 - (bit & 7));
            Word[w] = static_cast<uint16_t>(r);
        }
    }
};

void ReverseBitsInPlace(uint16_t* words, uint64_t count) {
    static const TReversedBytes table;
    for (uint64_t i = 0; i < count; ++i)
        words[i] = table.Word[words[i]];
}

} // namespace

void CheckUnchanged(const TMappedFile& File) {
    if (File.Changed())
        throw ETIFFError(messages::FileChangedWhileRead());
}

TSampleRows::TSampleRows(const TMappedFile& File, const TSampleLayout& Layout, bool ReleaseRead)
    : FFile(File), FLayout(Layout), FReleaseRead(ReleaseRead) {
    if (ReleaseRead)
        FUnreleased.reserve(kMaxRuns);
    if (Layout.Planar)
        return;
    FStripStart.reserve(Layout.StripByteCounts.size() + 1);
    uint64_t start = 0;
    for (const uint32_t bytes : Layout.StripByteCounts) {
        FStripStart.push_back(start);
        start += bytes / 2; // a trailing odd byte holds no word
    }
    FStripStart.push_back(start);
}

TSampleRows::~TSampleRows() {
    ReleaseRuns();
}

void TSampleRows::ReadBytes(uint64_t Offset, uint64_t Length, void* Destination) {
    if (!FFile.ReadAt(Offset, Destination, Length))
        throw ETIFFError(messages::FileChangedWhileRead());
    if (FReleaseRead)
        NoteRead(Offset, Length);
}

void TSampleRows::NoteRead(uint64_t Offset, uint64_t Length) {
    for (TByteRun& run : FUnreleased) {
        if (run.End != Offset)
            continue;
        run.End += Length;
        if (run.End - run.Start >= kReleaseRunBytes) {
            FFile.Release(run.Start, run.End - run.Start);
            run.Start = run.End;
        }
        return;
    }
    if (FUnreleased.size() == kMaxRuns) {
        ReleaseRuns();
        FUnreleased.clear();
    }
    FUnreleased.push_back({Offset, Offset + Length});
}

void TSampleRows::ReleaseRuns() noexcept {
    for (const TByteRun& run : FUnreleased)
        if (run.End > run.Start)
            FFile.Release(run.Start, run.End - run.Start);
}

void TSampleRows::ReadWords(uint64_t First, uint64_t Count, bool Swap, uint16_t* Destination) {
    // The last strip that starts at or before First holds it; empty strips are passed over.
    size_t strip = static_cast<size_t>(
        std::upper_bound(FStripStart.begin(), FStripStart.end(), First) - FStripStart.begin() - 1);
    const uint64_t piece = Swap ? kSwapPieceWords : kPlainPieceBytes / 2;
    while (Count > 0) {
        const uint64_t inStrip = std::min(Count, FStripStart[strip + 1] - First);
        uint64_t offset = FLayout.StripOffsets[strip] + 2 * (First - FStripStart[strip]);
        for (uint64_t done = 0; done < inStrip;) {
            const uint64_t n = std::min(piece, inStrip - done);
            ReadBytes(offset, 2 * n, Destination);
            if (Swap)
                SwapInPlace(Destination, n);
            Destination += n;
            offset += 2 * n;
            done += n;
        }
        First += inStrip;
        Count -= inStrip;
        ++strip;
    }
}

void TSampleRows::ReadPlanarRows(int32_t First, int32_t Count, int32_t X, int32_t W, bool Swap,
                                 uint16_t* Destination) {
    const uint64_t width = static_cast<uint64_t>(FLayout.Width);
    const uint64_t rowBytes = width * 2;
    const int samples = FLayout.SamplesPerPixel;
    const uint64_t rps = FLayout.RowsPerStrip;
    const uint64_t stripsPerPlane = (static_cast<uint64_t>(FLayout.Height) + rps - 1) / rps;
    const uint64_t wordsPerRow = static_cast<uint64_t>(W);
    const uint64_t blockRows = std::max<uint64_t>(
        1, kPlaneBlockBytes / (wordsPerRow * 2 * static_cast<uint64_t>(samples)));
    FPlaneRows.resize(blockRows * wordsPerRow * static_cast<uint64_t>(samples));
    std::vector<const uint8_t*> planes(static_cast<size_t>(samples));
    for (uint64_t y = static_cast<uint64_t>(First), end = y + static_cast<uint64_t>(Count);
         y < end;) {
        // A block never crosses a strip, so the rows of each plane lie one after another.
        const uint64_t rows = std::min({blockRows, end - y, rps - y % rps});
        const uint64_t inStrip = (y % rps) * rowBytes + static_cast<uint64_t>(X) * 2;
        for (int s = 0; s < samples; ++s) {
            uint16_t* to = FPlaneRows.data() + static_cast<uint64_t>(s) * rows * wordsPerRow;
            const uint64_t from =
                uint64_t{
                    FLayout.StripOffsets[static_cast<uint64_t>(s) * stripsPerPlane + y / rps]} +
                inStrip;
            if (wordsPerRow == width) {
                ReadBytes(from, rows * rowBytes, to);
            } else {
                for (uint64_t r = 0; r < rows; ++r)
                    ReadBytes(from + r * rowBytes, wordsPerRow * 2, to + r * wordsPerRow);
            }
            planes[static_cast<size_t>(s)] = reinterpret_cast<const uint8_t*>(to);
        }
        for (uint64_t r = 0; r < rows; ++r) {
            InterleaveRow(Destination, planes.data(), wordsPerRow, samples, Swap);
            Destination += wordsPerRow * static_cast<uint64_t>(samples);
            for (auto& plane : planes)
                plane += wordsPerRow * 2;
        }
        y += rows;
    }
}

void TSampleRows::CheckRange(int32_t First, int32_t Count, int32_t X, int32_t W) const {
    if (First < 0 || Count < 0 || X < 0 || W < 1 || Count > FLayout.Height - First ||
        W > FLayout.Width - X)
        throw std::out_of_range("rows outside the image");
}

void TSampleRows::Read(int32_t First, int32_t Count, int32_t X, int32_t W, bool HostOrder,
                       uint16_t* Destination) {
    CheckRange(First, Count, X, W);
    const bool swap = HostOrder && FLayout.isBigEndian;
    ReadRows(First, Count, X, W, swap, Destination);
    if (FLayout.Description.BitsReversed)
        ReverseBitsInPlace(Destination, static_cast<uint64_t>(Count) * static_cast<uint64_t>(W) *
                                            static_cast<uint64_t>(FLayout.SamplesPerPixel));
}

void TSampleRows::ReadRows(int32_t First, int32_t Count, int32_t X, int32_t W, bool swap,
                           uint16_t* Destination) {
    if (FLayout.Planar)
        return ReadPlanarRows(First, Count, X, W, swap, Destination);
    const uint64_t samples = static_cast<uint64_t>(FLayout.SamplesPerPixel);
    const uint64_t rowWords = static_cast<uint64_t>(FLayout.Width) * samples;
    const uint64_t frameWords = static_cast<uint64_t>(W) * samples;
    const uint64_t first =
        static_cast<uint64_t>(First) * rowWords + static_cast<uint64_t>(X) * samples;
    if (frameWords == rowWords)
        return ReadWords(first, frameWords * static_cast<uint64_t>(Count), swap, Destination);
    for (int32_t r = 0; r < Count; ++r)
        ReadWords(first + static_cast<uint64_t>(r) * rowWords, frameWords, swap,
                  Destination + static_cast<uint64_t>(r) * frameWords);
}

} // namespace vantrel
