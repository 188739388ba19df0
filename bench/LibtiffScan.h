// SPDX-License-Identifier: MIT
#pragma once

// An RGB 16-bit scan written by libtiff, the way other programs write the files users bring:
// the benchmarks' files of each byte order, sample layout and strip size.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <tiffio.h>

namespace vantrel::bench {

/// Writes `path` (through a temporary file, so that a run cut short leaves no file behind) row
/// by row; `word(plane, x, y)` gives the word at index x of row y of the plane (one plane of
/// interleaved samples unless `planar`).
inline void WriteLibtiffScan(const std::string& path, uint32_t width, uint32_t height,
                             uint16_t samples, bool bigEndian, bool planar, uint32_t rowsPerStrip,
                             const std::function<uint16_t(uint16_t, uint32_t, uint32_t)>& word) {
    const std::string temp = path + ".part";
    TIFF* tif = TIFFOpen(temp.c_str(), bigEndian ? "wb" : "wl");
    if (tif == nullptr)
        throw std::runtime_error("cannot write " + temp);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    std::vector<uint16_t> row(planar ? width : size_t{width} * samples);
    for (uint16_t p = 0; p < (planar ? samples : 1); ++p)
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < row.size(); ++x)
                row[x] = word(p, x, y);
            TIFFWriteScanline(tif, row.data(), y, p);
        }
    TIFFClose(tif);
    std::filesystem::rename(temp, path);
}

} // namespace vantrel::bench
