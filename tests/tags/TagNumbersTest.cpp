// SPDX-License-Identifier: MIT
// The named tag numbers against an independent source: libtiff's header, and the catalogue for
// the one tag libtiff does not name. A wrong number would pass every test that uses the name on
// both sides and only fail on real files.
#include <gtest/gtest.h>

#include <tiff.h>

#include "tags/TIFFTagUtils.h"
#include "tags/TagNumbers.h"

namespace vantrel {
namespace {

TEST(TagNumbers, AreTheStandardNumbers) {
    const struct {
        uint16_t Ours;
        unsigned Standard;
    } cases[] = {
        {tagid::NewSubfileType, TIFFTAG_SUBFILETYPE},
        {tagid::ImageWidth, TIFFTAG_IMAGEWIDTH},
        {tagid::ImageLength, TIFFTAG_IMAGELENGTH},
        {tagid::BitsPerSample, TIFFTAG_BITSPERSAMPLE},
        {tagid::Compression, TIFFTAG_COMPRESSION},
        {tagid::PhotometricInterpretation, TIFFTAG_PHOTOMETRIC},
        {tagid::ImageDescription, TIFFTAG_IMAGEDESCRIPTION},
        {tagid::Make, TIFFTAG_MAKE},
        {tagid::Model, TIFFTAG_MODEL},
        {tagid::StripOffsets, TIFFTAG_STRIPOFFSETS},
        {tagid::Orientation, TIFFTAG_ORIENTATION},
        {tagid::SamplesPerPixel, TIFFTAG_SAMPLESPERPIXEL},
        {tagid::RowsPerStrip, TIFFTAG_ROWSPERSTRIP},
        {tagid::StripByteCounts, TIFFTAG_STRIPBYTECOUNTS},
        {tagid::XResolution, TIFFTAG_XRESOLUTION},
        {tagid::YResolution, TIFFTAG_YRESOLUTION},
        {tagid::PlanarConfiguration, TIFFTAG_PLANARCONFIG},
        {tagid::XPosition, TIFFTAG_XPOSITION},
        {tagid::YPosition, TIFFTAG_YPOSITION},
        {tagid::ResolutionUnit, TIFFTAG_RESOLUTIONUNIT},
        {tagid::Software, TIFFTAG_SOFTWARE},
        {tagid::DateTime, TIFFTAG_DATETIME},
        {tagid::Artist, TIFFTAG_ARTIST},
        {tagid::TileWidth, TIFFTAG_TILEWIDTH},
        {tagid::TileLength, TIFFTAG_TILELENGTH},
        {tagid::TileOffsets, TIFFTAG_TILEOFFSETS},
        {tagid::TileByteCounts, TIFFTAG_TILEBYTECOUNTS},
        {tagid::ExtraSamples, TIFFTAG_EXTRASAMPLES},
        {tagid::SampleFormat, TIFFTAG_SAMPLEFORMAT},
        {tagid::JPEGInterchangeFormat, TIFFTAG_JPEGIFOFFSET},
        {tagid::JPEGInterchangeFormatLength, TIFFTAG_JPEGIFBYTECOUNT},
        {tagid::XMLPacket, TIFFTAG_XMLPACKET},
        {tagid::ICCProfile, TIFFTAG_ICCPROFILE},
        {tagid::SubIFDs, TIFFTAG_SUBIFD},
        {tagid::ExifIFD, TIFFTAG_EXIFIFD},
        {tagid::GPSInfo, TIFFTAG_GPSIFD},
        {tagid::InteroperabilityIFD, TIFFTAG_INTEROPERABILITYIFD},
        {tagid::ExposureTime, EXIFTAG_EXPOSURETIME},
        {tagid::FNumber, EXIFTAG_FNUMBER},
        {tagid::ISOSpeedRatings, EXIFTAG_ISOSPEEDRATINGS},
        {tagid::ExifVersion, EXIFTAG_EXIFVERSION},
        {tagid::DateTimeOriginal, EXIFTAG_DATETIMEORIGINAL},
        {tagid::DateTimeDigitized, EXIFTAG_DATETIMEDIGITIZED},
        {tagid::BrightnessValue, EXIFTAG_BRIGHTNESSVALUE},
        {tagid::ExposureBiasValue, EXIFTAG_EXPOSUREBIASVALUE},
        {tagid::FocalLength, EXIFTAG_FOCALLENGTH},
        {tagid::MakerNote, EXIFTAG_MAKERNOTE},
        {tagid::PixelXDimension, EXIFTAG_PIXELXDIMENSION},
        {tagid::PixelYDimension, EXIFTAG_PIXELYDIMENSION},
        {tagid::FileSource, EXIFTAG_FILESOURCE},
        {tagid::GPSVersionID, GPSTAG_VERSIONID},
        {tagid::GPSLatitudeRef, GPSTAG_LATITUDEREF},
        {tagid::GPSLatitude, GPSTAG_LATITUDE},
        {tagid::GPSLongitudeRef, GPSTAG_LONGITUDEREF},
        {tagid::GPSLongitude, GPSTAG_LONGITUDE},
        {tagid::GPSAltitudeRef, GPSTAG_ALTITUDEREF},
        {tagid::GPSAltitude, GPSTAG_ALTITUDE},
        {tagid::GPSDOP, GPSTAG_DOP},
        {tagid::GPSDateStamp, GPSTAG_DATESTAMP},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Ours, c.Standard);
    EXPECT_EQ(GetTagName(tagid::ProcessingSoftware),
              "Программа постобработки (ProcessingSoftware)");
}

} // namespace
} // namespace vantrel
