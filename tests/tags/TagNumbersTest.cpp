// SPDX-License-Identifier: MIT
// The named tag numbers against an independent source: libtiff's header, and the catalogue for
// the one tag libtiff does not name. A wrong number would pass every test that uses the name on
// both sides and only fail on real files.
#include <gtest/gtest.h>

#include <tiff.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

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
        {tagid::FillOrder, TIFFTAG_FILLORDER},
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

// Letters and digits only, lower case: "Leadtools JPEG2000" and "JPEG 2000" meet as "jpeg2000".
std::string Squeezed(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Every scheme libtiff's header numbers has a name that shares a Latin word with the header's
// own name or comment for that number (a refused ZSTD file is told it is ZSTD).
TEST(TagNumbers, CompressionNamesFollowLibtiffsHeader) {
    std::ifstream header(VANTREL_TEST_TIFF_H);
    ASSERT_TRUE(header) << VANTREL_TEST_TIFF_H;
    std::stringstream all;
    all << header.rdbuf();
    // "#define COMPRESSION_NAME [\\ newline] NUMBER /* comment [continued] */"
    const std::regex define(R"(#define\s+COMPRESSION_(\w+)[\s\\]+(\d+)\s*/\*([^*]*)\*/)");
    const std::string text = all.str();
    int schemes = 0;
    for (std::sregex_iterator m(text.begin(), text.end(), define), end; m != end; ++m) {
        const auto number = static_cast<uint32_t>(std::stoul((*m)[2]));
        const std::string theirs = Squeezed((*m)[1].str() + " " + (*m)[3].str());
        const std::string ours = GetCompressionName(number);
        SCOPED_TRACE(std::to_string(number) + ": " + ours + " / " + (*m)[1].str());
        ++schemes;
        if (number == COMPRESSION_NONE) { // the one scheme named in Russian alone
            EXPECT_EQ(ours, "Без сжатия");
            continue;
        }
        bool shared = false;
        std::istringstream words(ours);
        for (std::string word; words >> word;)
            if (const std::string w = Squeezed(word);
                w.size() >= 3 && theirs.find(w) != std::string::npos)
                shared = true;
        EXPECT_TRUE(shared);
    }
    EXPECT_GE(schemes, 30);
}

} // namespace
} // namespace vantrel
