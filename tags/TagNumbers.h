// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The numbers of the tags that the program reads, makes, carries over or checks by number,
// named as the TIFF and EXIF standards name them. The catalogue (TIFFTagUtils.cpp) gives their
// display names.
namespace vantrel::tagid {

// The image and its strips.
inline constexpr uint16_t ProcessingSoftware = 11;
inline constexpr uint16_t NewSubfileType = 254;
inline constexpr uint16_t ImageWidth = 256;
inline constexpr uint16_t ImageLength = 257;
inline constexpr uint16_t BitsPerSample = 258;
inline constexpr uint16_t Compression = 259;
inline constexpr uint16_t PhotometricInterpretation = 262;
inline constexpr uint16_t FillOrder = 266;
inline constexpr uint16_t ImageDescription = 270;
inline constexpr uint16_t Make = 271;
inline constexpr uint16_t Model = 272;
inline constexpr uint16_t StripOffsets = 273;
inline constexpr uint16_t Orientation = 274;
inline constexpr uint16_t SamplesPerPixel = 277;
inline constexpr uint16_t RowsPerStrip = 278;
inline constexpr uint16_t StripByteCounts = 279;
inline constexpr uint16_t XResolution = 282;
inline constexpr uint16_t YResolution = 283;
inline constexpr uint16_t PlanarConfiguration = 284;
inline constexpr uint16_t XPosition = 286;
inline constexpr uint16_t YPosition = 287;
inline constexpr uint16_t ResolutionUnit = 296;
inline constexpr uint16_t Software = 305;
inline constexpr uint16_t DateTime = 306;
inline constexpr uint16_t Artist = 315;
inline constexpr uint16_t TileWidth = 322;
inline constexpr uint16_t TileLength = 323;
inline constexpr uint16_t TileOffsets = 324;
inline constexpr uint16_t TileByteCounts = 325;
inline constexpr uint16_t ExtraSamples = 338;
inline constexpr uint16_t SampleFormat = 339;
inline constexpr uint16_t JPEGInterchangeFormat = 513;
inline constexpr uint16_t JPEGInterchangeFormatLength = 514;
inline constexpr uint16_t XMLPacket = 700;
inline constexpr uint16_t ICCProfile = 34675;

// Pointers of IFD0: the value is the file offset of a nested directory.
inline constexpr uint16_t SubIFDs = 330;
inline constexpr uint16_t ExifIFD = 34665;
inline constexpr uint16_t GPSInfo = 34853;
inline constexpr uint16_t InteroperabilityIFD = 40965;

// Tags of the EXIF directory.
inline constexpr uint16_t ExposureTime = 33434;
inline constexpr uint16_t FNumber = 33437;
inline constexpr uint16_t ISOSpeedRatings = 34855;
inline constexpr uint16_t ExifVersion = 36864;
inline constexpr uint16_t DateTimeOriginal = 36867;
inline constexpr uint16_t DateTimeDigitized = 36868;
inline constexpr uint16_t BrightnessValue = 37379;
inline constexpr uint16_t ExposureBiasValue = 37380;
inline constexpr uint16_t FocalLength = 37386;
inline constexpr uint16_t MakerNote = 37500;
inline constexpr uint16_t PixelXDimension = 40962;
inline constexpr uint16_t PixelYDimension = 40963;
inline constexpr uint16_t FileSource = 41728;

// Tags of the Interoperability directory.
inline constexpr uint16_t InteroperabilityIndex = 1;

// Tags of the GPS directory, which numbers its tags from 0.
inline constexpr uint16_t GPSVersionID = 0;
inline constexpr uint16_t GPSLatitudeRef = 1;
inline constexpr uint16_t GPSLatitude = 2;
inline constexpr uint16_t GPSLongitudeRef = 3;
inline constexpr uint16_t GPSLongitude = 4;
inline constexpr uint16_t GPSAltitudeRef = 5;
inline constexpr uint16_t GPSAltitude = 6;
inline constexpr uint16_t GPSDOP = 11;
inline constexpr uint16_t GPSDateStamp = 29;

} // namespace vantrel::tagid

namespace vantrel {

/// \brief True for the tags whose value is the offset of a nested directory: SubIFDs, ExifIFD,
/// GPSInfo and InteroperabilityIFD. Such an offset means nothing outside the file it was read
/// from.
[[nodiscard]] constexpr bool IsPointerTag(uint16_t tagID) {
    return tagID == tagid::SubIFDs || tagID == tagid::ExifIFD || tagID == tagid::GPSInfo ||
           tagID == tagid::InteroperabilityIFD;
}

} // namespace vantrel
