// SPDX-License-Identifier: MIT
// `sample OUT [WIDTHxHEIGHT]`: a synthetic film scan to try the program on, written by our own
// writer: a strip of film with sprocket holes on a scanner, a frame with a sunset over hills,
// wide margins of orange film base, 16-bit RGB, with EXIF and GPS directories.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Exceptions.h"

namespace vantrel::cli {
namespace {

constexpr int32_t kDefaultWidth = 4000;
constexpr int32_t kDefaultHeight = 2800;
constexpr int32_t kMinSide = 64;
constexpr int32_t kMaxSide = 65535; // the writer stores width and height as SHORT

// ---- Tags, built little-endian as the file is written ---------------------------------------

constexpr auto Short = &TCropTIFF::CreateShortTag;
constexpr auto Long = &TCropTIFF::CreateLongTag;

// Bytes of a BYTE, ASCII or UNDEFINED value: inline up to four, else out of line.
TTIFFTag Bytes(uint16_t id, TTIFFDataType type, std::vector<uint8_t> bytes) {
    TTIFFTag tag;
    tag.TagID = id;
    tag.DataType = type;
    tag.Count = static_cast<uint32_t>(bytes.size());
    tag.IsInline = bytes.size() <= 4;
    if (tag.IsInline)
        std::copy(bytes.begin(), bytes.end(), tag.Value.AsBytes);
    else
        tag.RawData = std::move(bytes);
    return tag;
}

TTIFFTag Ascii(uint16_t id, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return Bytes(id, TTIFFDataType::dtASCII, std::move(bytes));
}

TTIFFTag Shorts(uint16_t id, const std::vector<uint16_t>& values) {
    TTIFFTag tag;
    tag.TagID = id;
    tag.DataType = TTIFFDataType::dtShort;
    tag.Count = static_cast<uint32_t>(values.size());
    tag.IsInline = values.size() <= 2;
    for (size_t k = 0; k < values.size(); ++k) {
        if (tag.IsInline)
            tag.Value.AsWords[k] = values[k];
        else
            AppendNumber<uint16_t>(tag.RawData, values[k], false);
    }
    return tag;
}

TTIFFTag Rationals(uint16_t id, const std::vector<std::pair<uint32_t, uint32_t>>& values) {
    TTIFFTag tag;
    tag.TagID = id;
    tag.DataType = TTIFFDataType::dtRational;
    tag.Count = static_cast<uint32_t>(values.size());
    tag.IsInline = false;
    for (const auto& [numerator, denominator] : values) {
        AppendNumber(tag.RawData, numerator, false);
        AppendNumber(tag.RawData, denominator, false);
    }
    return tag;
}

std::vector<TTIFFTag> MainTags(int32_t height) {
    using namespace tagid;
    return {
        Shorts(BitsPerSample, {16, 16, 16}),
        Short(Compression, 1),               // none
        Short(PhotometricInterpretation, 2), // RGB
        Ascii(Make, "Vantrel"),
        Ascii(Model, "Synthetic film scan"),
        Short(Orientation, 1),
        Short(SamplesPerPixel, 3),
        Long(RowsPerStrip, static_cast<uint32_t>(height)),
        Rationals(XResolution, {{4000, 1}}), // 4000 pixels per inch, as a film scanner
        Rationals(YResolution, {{4000, 1}}),
        Short(PlanarConfiguration, 1), // interleaved
        Short(ResolutionUnit, 2),      // inch
        Ascii(Software, "vantrel-tiff sample"),
        Ascii(DateTime, "2026:12:09 10:00:00"),
    };
}

std::vector<TTIFFTag> ExifTags(int32_t width, int32_t height) {
    using namespace tagid;
    return {
        Rationals(ExposureTime, {{1, 125}}),
        Rationals(FNumber, {{8, 1}}),
        Short(ISOSpeedRatings, 200),
        Bytes(ExifVersion, TTIFFDataType::dtUndefined, {'0', '2', '3', '2'}),
        Ascii(DateTimeOriginal, "2026:06:21 21:47:12"),
        Ascii(DateTimeDigitized, "2026:12:09 10:00:00"), // the scan
        Rationals(FocalLength, {{50, 1}}),
        Long(PixelXDimension, static_cast<uint32_t>(width)),
        Long(PixelYDimension, static_cast<uint32_t>(height)),
    };
}

std::vector<TTIFFTag> GpsTags() {
    using namespace tagid;
    return {
        Bytes(GPSVersionID, TTIFFDataType::dtByte, {2, 3, 0, 0}),
        Ascii(GPSLatitudeRef, "N"),
        Rationals(GPSLatitude, {{59, 1}, {56, 1}, {2050, 100}}), // 59° 56' 20.50"
        Ascii(GPSLongitudeRef, "E"),
        Rationals(GPSLongitude, {{30, 1}, {18, 1}, {5900, 100}}), // 30° 18' 59.00"
        Bytes(GPSAltitudeRef, TTIFFDataType::dtByte, {0}),        // above sea
        Rationals(GPSAltitude, {{12, 1}}),
        Ascii(GPSDateStamp, "2026:06:21"),
    };
}

// ---- Pixels ---------------------------------------------------------------------------------

struct TRGB {
    double R, G, B; // 0..1
};

TRGB Mix(const TRGB& a, const TRGB& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

// Inside a rectangle with rounded corners (a sprocket hole).
bool InRoundedRect(double x, double y, double left, double top, double w, double h, double r) {
    if (x < left || y < top || x >= left + w || y >= top + h)
        return false;
    const double cx = std::clamp(x, left + r, left + w - r);
    const double cy = std::clamp(y, top + r, top + h - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// The scene inside the frame, u and v from 0 to 1: a warm sky with the sun low over hills.
TRGB Scene(double u, double v, double horizon) {
    const TRGB skyTop{0.55, 0.62, 0.78};
    const TRGB skyLow{0.96, 0.78, 0.55};
    const TRGB sun{1.0, 0.97, 0.86};
    const TRGB hillNear{0.10, 0.12, 0.07};
    const TRGB hillFar{0.30, 0.30, 0.20};
    if (v < horizon) {
        TRGB sky = Mix(skyTop, skyLow, v / horizon);
        const double du = (u - 0.68) * 1.5; // the frame is 3:2; keep the sun round
        const double dv = v - 0.42;
        const double d = std::sqrt(du * du + dv * dv);
        sky = Mix(sky, sun, (0.12 - d) / 0.05); // a soft edge of about a twentieth of the height
        return sky;
    }
    return Mix(hillFar, hillNear, (v - horizon) / (1.0 - horizon) * 1.6);
}

std::vector<uint16_t> FilmScan(int32_t width, int32_t height) {
    const double sx = width / static_cast<double>(kDefaultWidth);
    const double sy = height / static_cast<double>(kDefaultHeight);
    // The frame: 3375 x 2250 at the full size, the size of a built-in frame template.
    const double frameW = std::round(3375 * sx), frameH = std::round(2250 * sy);
    const double frameL = std::floor((width - frameW) / 2),
                 frameT = std::floor((height - frameH) / 2);
    const double holeW = 190 * sx, holeH = 150 * sy, holePitch = 296 * sx,
                 holeR = 22 * std::min(sx, sy);
    const double holeTop1 = 75 * sy, holeTop2 = height - 75 * sy - holeH;
    const double holder = 30 * sy;     // the scanner's holder above and below the strip
    const double neighbour = 120 * sx; // the edges of the neighbouring frames

    const TRGB base{0.52, 0.25, 0.09};  // orange film base
    const TRGB light{0.93, 0.92, 0.88}; // the scanner's light through the holes
    const TRGB holderDark{0.03, 0.03, 0.03};
    const TRGB neighbourArea{0.62, 0.48, 0.36};

    // The line of the hills for each column of the frame.
    std::vector<double> horizon(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x) {
        const double u = (x - frameL) / frameW;
        horizon[static_cast<size_t>(x)] =
            0.66 + 0.07 * std::sin(6.28318 * u * 1.3) + 0.03 * std::sin(6.28318 * u * 3.7 + 1.0);
    }

    std::vector<uint16_t> words(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    uint32_t grain = 0x2545F491u; // film grain: a small generator, the same file every time
    size_t k = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            TRGB c = base;
            if (y < holder || y >= height - holder) {
                c = holderDark;
            } else if (x >= frameL && x < frameL + frameW && y >= frameT && y < frameT + frameH) {
                c = Scene((x - frameL) / frameW, (y - frameT) / frameH,
                          horizon[static_cast<size_t>(x)]);
            } else if ((x < neighbour || x >= width - neighbour) && y >= frameT &&
                       y < frameT + frameH) {
                c = neighbourArea;
            } else {
                const double phase = std::fmod(x + holePitch * 0.4, holePitch);
                const double left = x - phase;
                if (InRoundedRect(x, y, left, holeTop1, holeW, holeH, holeR) ||
                    InRoundedRect(x, y, left, holeTop2, holeW, holeH, holeR))
                    c = light;
            }
            for (const double channel : {c.R, c.G, c.B}) {
                grain ^= grain << 13;
                grain ^= grain >> 17;
                grain ^= grain << 5;
                const double noise = static_cast<double>(grain % 1201) - 600.0;
                words[k++] =
                    static_cast<uint16_t>(std::clamp(channel * 65535.0 + noise, 0.0, 65535.0));
            }
        }
    }
    return words;
}

bool ParseSampleSize(const std::string& text, int32_t& width, int32_t& height) {
    int w = 0, h = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &rest) != 2)
        return false;
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide)
        return false;
    width = w;
    height = h;
    return true;
}

} // namespace

int CmdSample(const TArguments& arguments) {
    const std::vector<std::string>& args = arguments.Files;
    int32_t width = kDefaultWidth, height = kDefaultHeight;
    if (args.empty() || args.size() > 2 ||
        (args.size() == 2 && !ParseSampleSize(args[1], width, height)))
        return Usage(true);
    return RunReporting([&] {
        const std::vector<uint16_t> words = FilmScan(width, height);
        TCropTIFF::SaveWordsAsTIFF(
            args[0], width, height, 3, words, false, MainTags(height),
            {{tagid::ExifIFD, ExifTags(width, height)}, {tagid::GPSInfo, GpsTags()}});
    });
}

} // namespace vantrel::cli
