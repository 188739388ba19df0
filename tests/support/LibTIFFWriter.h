// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

typedef struct tiff TIFF;

namespace vantrel::test {

/// What WriteWithLibTIFF writes: an independent writer's file for our reader to read.
struct TLibTIFFImage {
    uint32_t Width = 1;
    uint32_t Height = 1;
    uint16_t Samples = 1;
    /// Chunky order: word (y * Width + x) * Samples + c. PatternWords() when left empty.
    std::vector<uint16_t> Words;
    bool Planar = false;
    /// 0: the whole image in one strip (per plane).
    uint32_t RowsPerStrip = 0;
    bool BigEndian = false;
    /// 0: 1 (grey) for 1-2 samples, 2 (RGB) for 3-4; extra samples are unassociated alpha.
    uint16_t Photometric = 0;
    uint16_t BitsPerSample = 16;
    /// libtiff's COMPRESSION_* number (1: none).
    uint16_t Compression = 1;
    /// Write tiles of this size instead of strips (0: strips).
    uint32_t TileSize = 0;
    /// Nested directories: an EXIF directory (ExposureTime, DateTimeOriginal), a GPS
    /// directory (GPSVersionID, GPSLatitudeRef), and this many SubIFDs (small grey images).
    bool Exif = false;
    bool Gps = false;
    int SubIFDs = 0;
    /// Called on IFD0 before the image data is written, to set more tags.
    std::function<void(TIFF*)> ExtraTags;
};

/// Writes `image` to `path` with libtiff; throws std::runtime_error on failure.
/// Returns the words written (chunky order), to compare with what a reader yields.
std::vector<uint16_t> WriteWithLibTIFF(const std::string& path, const TLibTIFFImage& image);

} // namespace vantrel::test

namespace vantrel::test {

/// What ReadWithLibTIFF found.
struct TLibTIFFRead {
    uint32_t Width = 0, Height = 0;
    uint16_t Samples = 0;
    bool BigEndian = false;
    /// Host-order 16-bit words in chunky order, planar files interleaved.
    std::vector<uint16_t> Words;
};

/// Reads the first image of a 16-bit striped file with libtiff, for comparing our reading of
/// files made by other writers; throws std::runtime_error when libtiff cannot.
TLibTIFFRead ReadWithLibTIFF(const std::string& path);

} // namespace vantrel::test
