// SPDX-License-Identifier: MIT
// Pixel loading: map the file, parse it, check its strips, read them into chunky host-order
// words.
#include <algorithm>

#include "platform/FileHandle.h"
#include "platform/Pages.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Format.h"
#include "tiff/Messages.h"

namespace vantrel {
namespace {

constexpr uint64_t kMaxWords = 1073741823; // 2^30 - 1

} // namespace

TMappedFile TCropTIFF::MapFileForReading(const std::string& FileName) {
    return TMappedFile(FileName);
}

void TCropTIFF::UnmapFile(TMappedFile& Mapped) {
    Mapped.Close();
}

TMappedFile TCropTIFF::OpenForReading(const std::string& FileName) {
    if (!IsExistingFile(FileName))
        throw ETIFFError(messages::FileNotFound() + FileName);
    return MapFileForReading(FileName);
}

void TCropTIFF::CheckChunkyStrips(const TTIFFStructure& S, uint64_t FileSize, uint64_t Total) {
    uint64_t p = 0;
    for (size_t i = 0; i < S.StripOffsets.size(); ++i) {
        const uint64_t offset = S.StripOffsets[i];
        if (offset >= FileSize)
            throw ETIFFError(messages::StripOffsetOutside());
        if (S.StripByteCounts[i] > FileSize - offset)
            throw ETIFFError(messages::StripByteCountOutside());
        const uint64_t n = S.StripByteCounts[i] / 2;
        if (p + n > Total)
            throw ETIFFError(messages::TooMuchStripData());
        p += n;
    }
    if (p != Total)
        throw ETIFFError(messages::TooLittleStripData());
}

void TCropTIFF::CheckPlanarStrips(const TTIFFStructure& S, uint64_t FileSize) {
    const uint64_t width = S.Width, height = S.Height, rps = S.RowsPerStrip;
    const uint64_t samples = static_cast<uint64_t>(S.SamplesPerPixel);
    const uint64_t stripsPerPlane = (height + rps - 1) / rps;
    const size_t strips = S.StripOffsets.size();
    if (stripsPerPlane * samples != strips)
        throw ETIFFError(Fmt(messages::StripCountDiffers(),
                             static_cast<unsigned long long>(stripsPerPlane * samples), strips));
    for (uint64_t s = 0; s < samples; ++s) {
        for (uint64_t r = 0; r < height;) {
            const uint64_t i = s * stripsPerPlane + r / rps;
            if (i >= strips)
                throw ETIFFError(messages::StripIndexOutside());
            const uint64_t r0 = r / rps * rps;
            const uint64_t r1 = std::min(r0 + rps, height);
            const uint64_t e = (r1 - r0) * width;
            const uint64_t offset = S.StripOffsets[i];
            if (offset >= FileSize)
                throw ETIFFError(messages::StripOffsetOutside());
            if (S.StripByteCounts[i] > FileSize - offset)
                throw ETIFFError(messages::StripByteCountOutside());
            if (S.StripByteCounts[i] / 2 != e)
                throw ETIFFError(Fmt(messages::StripSizeDiffers(),
                                     static_cast<unsigned long long>(e), S.StripByteCounts[i] / 2));
            r = r1;
        }
    }
}

TSampleLayout TCropTIFF::ReadSampleLayout(const TMappedFile& File) {
    FAllTags.clear();
    // A file cut short by another process reads as zeros past its new end; whatever the
    // parse made of that is replaced by one clear message.
    auto refuseIfChanged = [&] {
        try {
            CheckUnchanged(File);
        } catch (const ETIFFError&) {
            FAllTags.clear();
            throw;
        }
    };
    TTIFFStructure s;
    try {
        s = ParseTIFFStructure(TByteView(File.Data(), File.Size()));
    } catch (const ETIFFError&) {
        refuseIfChanged();
        throw;
    }
    TSampleLayout layout;
    layout.Width = s.Width;
    layout.Height = s.Height;
    layout.SamplesPerPixel = s.SamplesPerPixel;
    layout.PhotometricInterpretation = s.PhotometricInterpretation;
    layout.isBigEndian = s.BigEndian;
    layout.Planar = s.PlanarConfiguration == 2;
    layout.RowsPerStrip = s.RowsPerStrip;
    layout.Description = DescribeSamples(FAllTags, s.BigEndian);

    const uint64_t total = uint64_t{s.Width} * s.Height * s.SamplesPerPixel;
    if (total > kMaxWords)
        throw ETIFFError(messages::ImageTooLarge());
    // Every strip is checked against the file before the caller sizes anything for the
    // samples: a small damaged file that claims a huge image is refused with its message, not
    // with a failed allocation, and the reads that follow cannot leave the file.
    if (s.PlanarConfiguration != 1 && s.PlanarConfiguration != 2)
        throw ETIFFError(messages::PlanarUnsupported());
    try {
        if (layout.Planar)
            CheckPlanarStrips(s, File.Size());
        else
            CheckChunkyStrips(s, File.Size(), total);
    } catch (const ETIFFError&) {
        refuseIfChanged();
        throw;
    }
    layout.StripOffsets = std::move(s.StripOffsets);
    layout.StripByteCounts = std::move(s.StripByteCounts);
    return layout;
}

TLoadedTIFF TCropTIFF::LoadTIFFAsWords(const std::string& FileName) {
    if (!IsExistingFile(FileName))
        throw ETIFFError(messages::FileNotFound() + FileName);
    FAllTags.clear();
    return LoadTIFFAsWords(MapFileForReading(FileName));
}

TLoadedTIFF TCropTIFF::LoadTIFFAsWords(TMappedFile File) {
    const TSampleLayout layout = ReadSampleLayout(File);
    TLoadedTIFF result;
    static_cast<TImageOfFile&>(result) = layout;
    result.SampleFormat = layout.Description.SampleFormat.value_or(1);
    result.PixelData.resize(uint64_t{static_cast<uint32_t>(layout.Width)} *
                            static_cast<uint32_t>(layout.Height) *
                            static_cast<uint32_t>(layout.SamplesPerPixel));
    // Fresh result pages are the dearest part of a load; huge pages make faulting them in
    // cheap, after idle time too. Nothing has touched the array yet (it is not zero-filled),
    // so the advice still applies.
    AdviseHugePages(result.PixelData.data(), result.PixelData.size() * sizeof(uint16_t));
    // Straight from the file into the result: no page of the samples is mapped, which costs
    // more than the copy on a virtual machine. Bytes held in memory go as they are copied.
    try {
        TSampleRows(File, layout, File.IsInMemory())
            .Read(0, layout.Height, 0, layout.Width, true, result.PixelData.data());
        CheckUnchanged(File);
    } catch (const ETIFFError&) {
        FAllTags.clear();
        throw;
    }
    UnmapFile(File);
    return result;
}

} // namespace vantrel
