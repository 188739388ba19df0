// SPDX-License-Identifier: MIT
// Pixel loading: map the file, parse it, gather the strips into chunky host-order words.
#include <algorithm>

#include <sys/mman.h>
#include <sys/stat.h>

#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Format.h"
#include "tiff/WordCopy.h"

namespace vantrel {
namespace {

constexpr uint64_t kMaxWords = 1073741823; // 2^30 - 1
// Copies run in pieces of this size so that each piece's mapped pages can be dropped at once:
// the mapping must not double the resident memory of a load.
constexpr uint64_t kPieceBytes = 4u << 20;

const char* const kChangedMessage = "Файл изменён другой программой во время чтения";

bool IsExistingFile(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Fresh result pages are the dearest part of a load; huge pages make faulting them in cheap.
// Nothing has touched the array yet (it is not zero-filled), so the advice still applies.
void AdviseHugePages(TSampleWords& words) {
    const uintptr_t huge = 2u << 20;
    auto begin = reinterpret_cast<uintptr_t>(words.data());
    const uintptr_t end = begin + words.size() * sizeof(uint16_t);
    begin = (begin + huge - 1) & ~(huge - 1);
    if (end > begin + huge)
        ::madvise(reinterpret_cast<void*>(begin), (end - begin) & ~(huge - 1), MADV_HUGEPAGE);
}

} // namespace

TMappedFile TCropTIFF::MapFileForReading(const std::string& FileName) {
    return TMappedFile(FileName);
}

void TCropTIFF::UnmapFile(TMappedFile& Mapped) {
    Mapped.Close();
}

void TCropTIFF::CopyChunkyStrips(const TTIFFStructure& S, const TMappedFile& Mapped,
                                 uint64_t Total, TSampleWords& PixelData) {
    const uint64_t fileSize = Mapped.Size();
    const uint64_t total = Total;
    uint64_t p = 0;
    // Every strip is checked before a word is copied: the copy below cannot read outside.
    for (size_t i = 0; i < S.StripOffsets.size(); ++i) {
        const uint64_t offset = S.StripOffsets[i];
        if (offset >= fileSize)
            throw ETIFFError("StripOffset за пределами файла");
        if (S.StripByteCounts[i] > fileSize - offset)
            throw ETIFFError("StripByteCount выходит за пределы файла");
        const uint64_t n = S.StripByteCounts[i] / 2;
        if (p + n > total)
            throw ETIFFError("Слишком много данных в стрипах");
        p += n;
    }
    if (p != total)
        throw ETIFFError("Недостаточно данных в стрипах");

    PixelData.resize(total);
    AdviseHugePages(PixelData);
    uint16_t* out = PixelData.data();
    for (size_t i = 0; i < S.StripOffsets.size(); ++i) {
        uint64_t offset = S.StripOffsets[i];
        uint64_t left = S.StripByteCounts[i] / 2;
        while (left > 0) {
            const uint64_t n = std::min(left, kPieceBytes / 2);
            Mapped.Prefetch(offset, n * 2);
            CopyWords(out, Mapped.Data() + offset, n, S.BigEndian);
            Mapped.Release(offset, n * 2);
            out += n;
            offset += n * 2;
            left -= n;
        }
    }
}

void TCropTIFF::CopyPlanarStrips(const TTIFFStructure& S, const TMappedFile& Mapped,
                                 uint64_t Total, TSampleWords& PixelData) {
    const uint64_t fileSize = Mapped.Size();
    const uint64_t width = S.Width, height = S.Height, rps = S.RowsPerStrip;
    const int samples = S.SamplesPerPixel;
    const uint64_t stripsPerPlane = (height + rps - 1) / rps;
    const size_t strips = S.StripOffsets.size();
    if (stripsPerPlane * samples != strips)
        throw ETIFFError(Fmt("Несоответствие количества стрипов: ожидалось %llu, получено %zu",
                             static_cast<unsigned long long>(stripsPerPlane * samples), strips));
    // Check every strip in plane order first, so the interleave can read the mapping freely.
    for (int s = 0; s < samples; ++s) {
        for (uint64_t r = 0; r < height;) {
            const uint64_t i = s * stripsPerPlane + r / rps;
            if (i >= strips)
                throw ETIFFError("Выход за пределы массива стрипов");
            const uint64_t r0 = r / rps * rps;
            const uint64_t r1 = std::min(r0 + rps, height);
            const uint64_t e = (r1 - r0) * width;
            const uint64_t offset = S.StripOffsets[i];
            if (offset >= fileSize)
                throw ETIFFError("StripOffset за пределами файла");
            if (S.StripByteCounts[i] > fileSize - offset)
                throw ETIFFError("StripByteCount выходит за пределы файла");
            if (S.StripByteCounts[i] / 2 != e)
                throw ETIFFError(
                    Fmt("Несоответствие размера стрипа: ожидалось %llu слов, получено %u",
                        static_cast<unsigned long long>(e), S.StripByteCounts[i] / 2));
            r = r1;
        }
    }

    PixelData.resize(Total);
    AdviseHugePages(PixelData);
    // Interleave straight from the mapping, a block of rows at a time, and let go of the
    // mapped pages of each block once it is done.
    const uint64_t rowBytes = width * 2;
    const uint64_t blockRows = std::max<uint64_t>(1, kPieceBytes / (rowBytes * samples));
    std::vector<const uint8_t*> planes(samples);
    uint16_t* out = PixelData.data();
    for (uint64_t r = 0; r < height;) {
        const uint64_t stripRow = r / rps;
        const uint64_t r1 = std::min({r + blockRows, (stripRow + 1) * rps, height});
        const uint64_t inStrip = (r - stripRow * rps) * rowBytes;
        for (int s = 0; s < samples; ++s) {
            const uint64_t from = S.StripOffsets[s * stripsPerPlane + stripRow] + inStrip;
            planes[s] = Mapped.Data() + from;
            Mapped.Prefetch(from, (r1 - r) * rowBytes);
        }
        for (uint64_t y = r; y < r1; ++y) {
            InterleaveRow(out, planes.data(), width, samples, S.BigEndian);
            out += width * samples;
            for (auto& plane : planes)
                plane += rowBytes;
        }
        for (int s = 0; s < samples; ++s)
            Mapped.Release(S.StripOffsets[s * stripsPerPlane + stripRow] + inStrip,
                           (r1 - r) * rowBytes);
        r = r1;
    }
}

TLoadedTIFF TCropTIFF::LoadTIFFAsWords(const std::string& FileName) {
    TLoadedTIFF result;
    if (!IsExistingFile(FileName))
        throw ETIFFError("Файл не найден: " + FileName);
    FAllTags.clear();
    TMappedFile mapped = MapFileForReading(FileName);
    // A file cut short by another process reads as zeros past its new end; whatever the
    // parse or the copy made of that is replaced by one clear message.
    auto refuseIfChanged = [&] {
        if (mapped.Changed()) {
            FAllTags.clear();
            throw ETIFFError(kChangedMessage);
        }
    };
    TTIFFStructure s;
    try {
        s = ParseTIFFStructure(TByteView(mapped.Data(), mapped.Size()));
    } catch (const ETIFFError&) {
        refuseIfChanged();
        throw;
    }
    result.Width = s.Width;
    result.Height = s.Height;
    result.SamplesPerPixel = s.SamplesPerPixel;
    result.PhotometricInterpretation = s.PhotometricInterpretation;
    result.isBigEndian = s.BigEndian;

    const uint64_t total = uint64_t{s.Width} * s.Height * s.SamplesPerPixel;
    if (total > kMaxWords)
        throw ETIFFError("Изображение слишком большое");
    // Checked before the array is sized: refusing costs no allocation. The strips too are
    // checked against the file before the array is sized, so a small damaged file that
    // claims a huge image is refused with its message, not with a failed allocation.
    if (s.PlanarConfiguration != 1 && s.PlanarConfiguration != 2)
        throw ETIFFError("Неподдерживаемая PlanarConfiguration");
    try {
        if (s.PlanarConfiguration == 1)
            CopyChunkyStrips(s, mapped, total, result.PixelData);
        else
            CopyPlanarStrips(s, mapped, total, result.PixelData);
    } catch (const ETIFFError&) {
        refuseIfChanged();
        throw;
    }
    refuseIfChanged();
    UnmapFile(mapped);
    return result;
}

} // namespace vantrel
