// SPDX-License-Identifier: MIT
#include "tests/support/LibTIFFWriter.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include <tiffio.h>

#include "tests/support/TIFFBuilder.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

void Check(int ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string("libtiff failed: ") + what);
}

void SetImageTags(TIFF* tif, const TLibTIFFImage& im, uint32_t rps) {
    const uint16_t photometric = im.Photometric != 0 ? im.Photometric
                                 : im.Samples >= 3   ? PHOTOMETRIC_RGB
                                                     : PHOTOMETRIC_MINISBLACK;
    Check(TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, im.Width), "width");
    Check(TIFFSetField(tif, TIFFTAG_IMAGELENGTH, im.Height), "height");
    Check(TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, im.Samples), "samples");
    Check(TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, im.BitsPerSample), "bits");
    Check(TIFFSetField(tif, TIFFTAG_COMPRESSION, im.Compression), "compression");
    Check(TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric), "photometric");
    Check(TIFFSetField(tif, TIFFTAG_PLANARCONFIG,
                       im.Planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG),
          "planar");
    const uint16_t colour = photometric == PHOTOMETRIC_RGB ? 3 : 1;
    if (im.Samples > colour) {
        std::vector<uint16_t> extra(im.Samples - colour, EXTRASAMPLE_UNASSALPHA);
        Check(TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, static_cast<uint16_t>(extra.size()),
                           extra.data()),
              "extra samples");
    }
    if (im.TileSize != 0) {
        Check(TIFFSetField(tif, TIFFTAG_TILEWIDTH, im.TileSize), "tile width");
        Check(TIFFSetField(tif, TIFFTAG_TILELENGTH, im.TileSize), "tile length");
    } else {
        Check(TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rps), "rows per strip");
    }
}

// The image's samples narrowed or kept as 16 bits, for one plane or all samples of a row.
std::vector<uint8_t> RowBytes(const TLibTIFFImage& im, const std::vector<uint16_t>& words,
                              uint32_t y, int plane) {
    std::vector<uint8_t> out;
    const size_t rowWords = size_t{im.Width} * im.Samples;
    for (uint32_t x = 0; x < im.Width; ++x) {
        for (uint16_t c = 0; c < im.Samples; ++c) {
            if (plane >= 0 && c != plane)
                continue;
            const uint16_t w = words[y * rowWords + size_t{x} * im.Samples + c];
            if (im.BitsPerSample == 8) {
                out.push_back(static_cast<uint8_t>(w >> 8));
            } else {
                AppendNumber(out, w, false);
            }
        }
    }
    return out;
}

void WriteStrips(TIFF* tif, const TLibTIFFImage& im, const std::vector<uint16_t>& words,
                 uint32_t rps) {
    const int planes = im.Planar ? im.Samples : 1;
    for (int p = 0; p < planes; ++p) {
        for (uint32_t r = 0, strip = 0; r < im.Height; r += rps, ++strip) {
            std::vector<uint8_t> bytes;
            for (uint32_t y = r; y < std::min(r + rps, im.Height); ++y) {
                const auto row = RowBytes(im, words, y, im.Planar ? p : -1);
                bytes.insert(bytes.end(), row.begin(), row.end());
            }
            const uint32_t index = TIFFComputeStrip(tif, r, static_cast<uint16_t>(p));
            Check(TIFFWriteEncodedStrip(tif, index, bytes.data(),
                                        static_cast<tmsize_t>(bytes.size())) >= 0,
                  "strip");
        }
    }
}

void WriteTiles(TIFF* tif, const TLibTIFFImage& im, const std::vector<uint16_t>& words) {
    const uint32_t t = im.TileSize;
    const int planes = im.Planar ? im.Samples : 1;
    const size_t sampleBytes = im.BitsPerSample / 8;
    const size_t perPixel = im.Planar ? 1 : im.Samples;
    for (int p = 0; p < planes; ++p)
        for (uint32_t ty = 0; ty < im.Height; ty += t)
            for (uint32_t tx = 0; tx < im.Width; tx += t) {
                std::vector<uint8_t> tile(size_t{t} * t * perPixel * sampleBytes, 0);
                for (uint32_t y = ty; y < std::min(ty + t, im.Height); ++y) {
                    const auto row = RowBytes(im, words, y, im.Planar ? p : -1);
                    const size_t from = size_t{tx} * perPixel * sampleBytes;
                    const size_t n = std::min<size_t>(t, im.Width - tx) * perPixel * sampleBytes;
                    std::copy(row.begin() + from, row.begin() + from + n,
                              tile.begin() + (y - ty) * size_t{t} * perPixel * sampleBytes);
                }
                Check(TIFFWriteTile(tif, tile.data(), tx, ty, 0, static_cast<uint16_t>(p)) >= 0,
                      "tile");
            }
}

} // namespace

std::vector<uint16_t> WriteWithLibTIFF(const std::string& path, const TLibTIFFImage& im) {
    std::vector<uint16_t> words = im.Words;
    if (words.empty())
        words = PatternWords(size_t{im.Width} * im.Height * im.Samples);
    const uint32_t rps = im.RowsPerStrip == 0 ? im.Height : im.RowsPerStrip;
    std::unique_ptr<TIFF, void (*)(TIFF*)> owner(
        TIFFOpen(path.c_str(), im.BigEndian ? "w+b" : "w+l"), &TIFFClose);
    TIFF* tif = owner.get();
    if (tif == nullptr)
        throw std::runtime_error("libtiff cannot create " + path);

    SetImageTags(tif, im, rps);
    if (im.SubIFDs > 0) {
        std::vector<toff_t> offsets(im.SubIFDs, 0);
        Check(TIFFSetField(tif, TIFFTAG_SUBIFD, static_cast<uint16_t>(im.SubIFDs), offsets.data()),
              "subifd");
    }
    if (im.Exif)
        Check(TIFFSetField(tif, TIFFTAG_EXIFIFD, toff_t{0}), "exif pointer");
    if (im.Gps)
        Check(TIFFSetField(tif, TIFFTAG_GPSIFD, toff_t{0}), "gps pointer");
    if (im.ExtraTags)
        im.ExtraTags(tif);
    if (im.TileSize != 0)
        WriteTiles(tif, im, words);
    else
        WriteStrips(tif, im, words, rps);
    Check(TIFFWriteDirectory(tif), "directory");

    // Directories written right after one that names SubIFDs become those SubIFDs.
    for (int k = 0; k < im.SubIFDs; ++k) {
        const uint32_t side = 2 + k;
        Check(TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE), "subfile");
        Check(TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, side), "sub width");
        Check(TIFFSetField(tif, TIFFTAG_IMAGELENGTH, side), "sub height");
        Check(TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16), "sub bits");
        Check(TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1), "sub samples");
        Check(TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK), "sub photometric");
        Check(TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, side), "sub rows");
        std::vector<uint16_t> sub(side * side, static_cast<uint16_t>(k));
        Check(TIFFWriteEncodedStrip(tif, 0, sub.data(), static_cast<tmsize_t>(sub.size() * 2)) >= 0,
              "sub strip");
        Check(TIFFWriteDirectory(tif), "sub directory");
    }

    toff_t exifOffset = 0, gpsOffset = 0;
    if (im.Exif) {
        Check(TIFFCreateEXIFDirectory(tif) == 0, "create exif");
        Check(TIFFSetField(tif, EXIFTAG_EXPOSURETIME, 1.0 / 125), "exposure");
        Check(TIFFSetField(tif, EXIFTAG_DATETIMEORIGINAL, "2024:05:01 10:20:30"), "date");
        Check(TIFFWriteCustomDirectory(tif, &exifOffset), "write exif");
        TIFFFreeDirectory(tif);
    }
    if (im.Gps) {
        Check(TIFFCreateGPSDirectory(tif) == 0, "create gps");
        const uint8_t version[4] = {2, 2, 0, 0};
        Check(TIFFSetField(tif, GPSTAG_VERSIONID, version), "gps version");
        Check(TIFFSetField(tif, GPSTAG_LATITUDEREF, "N"), "gps ref");
        Check(TIFFWriteCustomDirectory(tif, &gpsOffset), "write gps");
        TIFFFreeDirectory(tif);
    }
    if (im.Exif || im.Gps) {
        Check(TIFFSetDirectory(tif, 0), "back to IFD0");
        if (im.Exif)
            Check(TIFFSetField(tif, TIFFTAG_EXIFIFD, exifOffset), "exif pointer");
        if (im.Gps)
            Check(TIFFSetField(tif, TIFFTAG_GPSIFD, gpsOffset), "gps pointer");
        Check(TIFFRewriteDirectory(tif), "rewrite IFD0");
    }
    return words;
}

} // namespace vantrel::test

namespace vantrel::test {

TLibTIFFRead ReadWithLibTIFF(const std::string& path) {
    std::unique_ptr<TIFF, void (*)(TIFF*)> owner(TIFFOpen(path.c_str(), "r"), &TIFFClose);
    TIFF* tif = owner.get();
    if (tif == nullptr)
        throw std::runtime_error("libtiff cannot open " + path);
    TLibTIFFRead r;
    uint16_t bits = 0, planar = PLANARCONFIG_CONTIG;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &r.Width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &r.Height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &r.Samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    r.BigEndian = TIFFIsBigEndian(tif) != 0;
    if (bits != 16)
        throw std::runtime_error("not a 16-bit file: " + path);
    r.Words.resize(size_t{r.Width} * r.Height * r.Samples);
    std::vector<uint16_t> row(TIFFScanlineSize(tif) / 2 + 1);
    const int planes = planar == PLANARCONFIG_SEPARATE ? r.Samples : 1;
    for (int p = 0; p < planes; ++p)
        for (uint32_t y = 0; y < r.Height; ++y) {
            Check(TIFFReadScanline(tif, row.data(), y, static_cast<uint16_t>(p)) >= 0, "scanline");
            uint16_t* out = r.Words.data() + size_t{y} * r.Width * r.Samples;
            if (planes == 1)
                std::copy(row.begin(), row.begin() + size_t{r.Width} * r.Samples, out);
            else
                for (uint32_t x = 0; x < r.Width; ++x)
                    out[size_t{x} * r.Samples + p] = row[x];
        }
    return r;
}

} // namespace vantrel::test
