// SPDX-License-Identifier: MIT
// Writes the seed corpus of the fuzz harnesses: small valid files of every layout written by
// libtiff and by our own writer, and damaged or unusual files built byte by byte. Every file
// goes to <out>/fuzz_reader/; those that load go to <out>/fuzz_roundtrip/ too.
// Usage: fuzz_make_corpus OUT_DIR   (the committed corpus is fuzz/corpus)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tiffio.h>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "tags/TagNumbers.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

using namespace vantrel;
using namespace vantrel::test;
namespace fs = std::filesystem;

namespace {

using TBuilder = TTIFFBuilder;

fs::path gOut;
int gReader = 0, gRoundTrip = 0;

bool Loads(const std::string& path) {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    try {
        (void)tiff.LoadTIFFAsWords(path);
        return true;
    } catch (...) {
        return false;
    }
}

void Emit(const std::string& name, const std::vector<uint8_t>& bytes) {
    if (bytes.size() > 60000) {
        std::fprintf(stderr, "%s: %zu bytes, too large for the corpus\n", name.c_str(),
                     bytes.size());
        std::exit(1);
    }
    const fs::path reader = gOut / "fuzz_reader" / (name + ".tif");
    TTempDir::WriteTo(reader.string(), bytes);
    ++gReader;
    if (Loads(reader.string())) {
        TTempDir::WriteTo((gOut / "fuzz_roundtrip" / (name + ".tif")).string(), bytes);
        ++gRoundTrip;
    }
}

void EmitLibTIFF(const std::string& name, const TLibTIFFImage& image) {
    TTempDir dir;
    const std::string path = dir.File("x.tif");
    WriteWithLibTIFF(path, image);
    Emit(name, ReadFileBytes(path));
}

TLibTIFFImage Image(uint32_t w, uint32_t h, uint16_t s) {
    TLibTIFFImage image;
    image.Width = w;
    image.Height = h;
    image.Samples = s;
    return image;
}

void LibTIFFFiles() {
    for (const bool mm : {false, true}) {
        const std::string bo = mm ? "mm" : "ii";
        for (uint16_t s = 1; s <= 4; ++s) {
            TLibTIFFImage chunky = Image(7, 5, s);
            chunky.BigEndian = mm;
            chunky.RowsPerStrip = 2; // three strips, the last one partial
            EmitLibTIFF("libtiff-" + bo + "-chunky-s" + std::to_string(s), chunky);
            TLibTIFFImage planar = chunky;
            planar.Planar = true;
            EmitLibTIFF("libtiff-" + bo + "-planar-s" + std::to_string(s), planar);
        }
        TLibTIFFImage nested = Image(6, 4, 3);
        nested.BigEndian = mm;
        nested.Exif = true;
        nested.Gps = true;
        nested.SubIFDs = 2;
        EmitLibTIFF("libtiff-" + bo + "-exif-gps-subifds", nested);

        TLibTIFFImage tagged = Image(5, 3, 1);
        tagged.BigEndian = mm;
        tagged.ExtraTags = [](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_ORIENTATION, 6);
            TIFFSetField(tif, TIFFTAG_SOFTWARE, "Scanner \xC3\xA9 v1");
            TIFFSetField(tif, TIFFTAG_MAKE, "Maker");
            TIFFSetField(tif, TIFFTAG_XRESOLUTION, 2400.0f);
            TIFFSetField(tif, TIFFTAG_YRESOLUTION, 2400.0f);
            TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, 2);
            TIFFSetField(tif, TIFFTAG_DATETIME, "2024:01:02 03:04:05");
            static const char xmp[] = "<x:xmpmeta>\xD0\xBF\xD1\x80\xD0\xB8</x:xmpmeta>";
            TIFFSetField(tif, TIFFTAG_XMLPACKET, uint32_t(sizeof xmp - 1), xmp);
            static const uint8_t icc[40] = {0, 0, 0, 40, 'l', 'c', 'm', 's'};
            TIFFSetField(tif, TIFFTAG_ICCPROFILE, uint32_t(sizeof icc), icc);
        };
        EmitLibTIFF("libtiff-" + bo + "-tags", tagged);
    }
    TLibTIFFImage eight = Image(4, 4, 1);
    eight.BitsPerSample = 8;
    EmitLibTIFF("libtiff-8bit", eight);
    TLibTIFFImage lzw = Image(8, 8, 3);
    lzw.Compression = COMPRESSION_LZW;
    EmitLibTIFF("libtiff-lzw", lzw);
    TLibTIFFImage tiled = Image(16, 16, 1);
    tiled.TileSize = 16;
    EmitLibTIFF("libtiff-tiled", tiled);
}

// Files written by our own crop core, with the ProcessingSoftware history it adds.
void OwnFiles() {
    for (const bool mm : {false, true}) {
        TTempDir dir;
        TLibTIFFImage source = Image(9, 6, 3);
        source.BigEndian = mm;
        source.Exif = true;
        source.Gps = true;
        WriteWithLibTIFF(dir.File("src.tif"), source);
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        TLoadedTIFF loaded = tiff.LoadTIFFAsWords(dir.File("src.tif"));
        for (const bool minimal : {false, true}) {
            TCropRequest request;
            request.Image.Width = loaded.Width;
            request.Image.Height = loaded.Height;
            request.Image.Samples = loaded.SamplesPerPixel;
            request.Image.Photometric = loaded.PhotometricInterpretation;
            request.Image.Words = std::make_shared<const TSampleWords>(loaded.PixelData);
            request.Frame = ClampFrameToImage(2, 1, 5, 4, loaded.Width, loaded.Height);
            request.IsBigEndian = mm;
            request.MinimalTags = minimal;
            request.SourceTags = tiff.GetAllTags();
            request.RemainingPercent = RemainingPercent(request.Frame, loaded.Width, loaded.Height);
            request.OutputFile = dir.File("out.tif");
            CropAndSave(request);
            Emit(std::string("vantrel-") + (mm ? "mm" : "ii") + (minimal ? "-minimal" : "-full"),
                 ReadFileBytes(request.OutputFile));
        }
    }
}

std::vector<uint16_t> Words(size_t n) {
    return PatternWords(n);
}

void BuiltFiles() {
    using B = TBuilder;
    // Valid, small, both orders, both layouts.
    for (const bool mm : {false, true}) {
        const std::string bo = mm ? "mm" : "ii";
        Emit("built-" + bo + "-grey", MakeImage(3, 2, 1, Words(6), mm).Build());
        Emit("built-" + bo + "-rgb-strips", MakeImage(3, 5, 3, Words(45), mm, false, 2).Build());
        Emit("built-" + bo + "-planar", MakeImage(3, 5, 3, Words(45), mm, true, 2).Build());
        Emit("built-" + bo + "-grey-alpha", MakeImage(2, 2, 2, Words(8), mm).Build());
    }
    // Inline arrays of several values: two SHORTs of BitsPerSample, two strips.
    {
        B b = MakeImage(2, 2, 2, Words(8), false, false, 1);
        Emit("built-inline-arrays", b.Build());
    }
    // Damaged strips and structure.
    {
        B b = MakeImage(4, 4, 1, Words(16));
        b.SetValues(tagid::StripOffsets, {0xFFFFFFF0u});
        Emit("bad-strip-offset", b.Build());
    }
    {
        B b = MakeImage(4, 4, 1, Words(16));
        b.SetValues(tagid::StripByteCounts, {0x7FFFFFFFu});
        Emit("bad-strip-count", b.Build());
    }
    {
        B b = MakeImage(4, 4, 1, Words(16));
        b.SetValues(tagid::StripByteCounts, {30}); // one word short
        Emit("short-strip", b.Build());
    }
    {
        B b = MakeImage(3, 5, 3, Words(45), false, true, 2);
        b.SetValues(tagid::PlanarConfiguration, {3});
        Emit("planar-3", b.Build());
    }
    {
        std::vector<uint8_t> f = MakeImage(8, 8, 3, Words(192), true).Build();
        f.resize(f.size() / 2);
        Emit("truncated-mm", f);
    }
    {
        B b = MakeImage(2, 2, 1, Words(4));
        b.SetIFD0Offset(0xFFFFFFF0u);
        Emit("ifd0-outside", b.Build());
    }
    {
        B b = MakeImage(2, 2, 1, Words(4));
        b.Remove(tagid::SamplesPerPixel);
        b.Remove(tagid::RowsPerStrip);
        b.Remove(tagid::PhotometricInterpretation);
        Emit("missing-optional-tags", b.Build());
    }
    {
        B b = MakeImage(2, 2, 1, Words(4));
        b.Add(tagid::ImageWidth, B::kShort, {2}); // duplicate
        Emit("duplicate-width", b.Build());
    }
    // Every field type, inline and out of line, and odd values.
    {
        B b = MakeImage(2, 2, 1, Words(4));
        b.Add(40000, B::kByte, {1, 2, 3});
        b.Add(40001, B::kByte, {1, 2, 3, 4, 5, 6, 7, 8, 9, 200, 255});
        b.AddText(0, tagid::ImageDescription, "Описание \x01\xFF scan");
        b.Add(40002, B::kSByte, {0xFF, 0x80});
        b.Add(40003, B::kSShort, {0xFFFF, 0x8000, 1});
        b.Add(40004, B::kSLong, {0xFFFFFFFFu});
        b.Add(40005, B::kSLong, {0xFFFFFFFFu, 5});
        b.Add(tagid::XResolution, B::kRational, {300, 1});
        b.Add(40006, B::kSRational, {0xFFFFFFFFu, 3, 4, 0});
        b.Add(40007, B::kFloat, {0x3FC00000u});
        b.Add(40008, B::kDouble, {0, 0x3FF80000u});
        b.Add(40009, B::kUndefined, std::vector<uint32_t>(300, 'x'));
        b.Add(40010, 16, {1, 2});              // LONG8
        b.Add(40011, 99, {1});                 // unknown type
        b.AddRaw(40012, B::kByte, 2000000, 8); // a count far beyond the file
        b.AddRaw(40013, B::kLong, 3, 0xFFFFFFFFu);
        b.AddRaw(40014, B::kShort, 0, 0);
        std::vector<uint32_t> xmp;
        for (const char c : std::string("<x>\xD0\xBF\xD1\x80</x>\xD0"))
            xmp.push_back(static_cast<uint8_t>(c));
        b.Add(tagid::XMLPacket, B::kByte, xmp);
        Emit("all-types", b.Build());
    }
    // Nested directories: EXIF with an Interop pointer, GPS, SubIFDs, a loop back to IFD0.
    for (const bool mm : {false, true}) {
        B b = MakeImage(3, 2, 3, Words(18), mm);
        const int exif = b.NewDirectory();
        b.Add(exif, tagid::ExposureTime, B::kRational, {1, 125});
        b.AddText(exif, tagid::DateTimeOriginal, "2024:05:06 07:08:09");
        b.Add(exif, tagid::PixelXDimension, B::kLong, {3});
        b.Add(exif, tagid::PixelYDimension, B::kShort, {2});
        const int interop = b.NewDirectory();
        b.AddText(interop, tagid::InteroperabilityIndex, "R98");
        b.AddPointer(tagid::InteroperabilityIFD, {interop}, B::kLong, exif);
        const int gps = b.NewDirectory();
        b.Add(gps, tagid::GPSVersionID, B::kByte, {2, 3, 0, 0});
        b.AddText(gps, tagid::GPSLatitudeRef, "N");
        b.Add(gps, tagid::GPSLatitude, B::kRational, {55, 1, 45, 1, 0, 1});
        const int sub = b.NewDirectory();
        b.Add(sub, tagid::ImageWidth, B::kShort, {1});
        b.AddPointer(tagid::ExifIFD, {exif});
        b.AddPointer(tagid::GPSInfo, {gps});
        b.AddPointer(tagid::SubIFDs, {sub, sub}, B::kIFD);
        Emit(std::string("nested-") + (mm ? "mm" : "ii"), b.Build());
    }
    {
        B b = MakeImage(2, 2, 1, Words(4));
        b.AddRaw(tagid::ExifIFD, B::kLong, 1, 8); // EXIF pointer to IFD0 itself
        b.AddRaw(tagid::GPSInfo, B::kLong, 1, 0xFFFFFF00u);
        Emit("nested-loop", b.Build());
    }
    {
        // Our own ProcessingSoftware history with a foreign entry before it.
        B b = MakeImage(2, 2, 1, Words(4));
        b.AddText(0, tagid::ProcessingSoftware,
                  "Other 1.0 | Vantrel v1.0.0 (build 1, x64), trimmed by 50% at "
                  "2024-01-01 10:00:00.000");
        b.Add(tagid::Orientation, B::kShort, {8});
        b.Add(tagid::RowsPerStrip, B::kLong, {1});
        Emit("history", b.Build());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: fuzz_make_corpus OUT_DIR\n", stderr);
        return 2;
    }
    gOut = argv[1];
    fs::create_directories(gOut / "fuzz_reader");
    fs::create_directories(gOut / "fuzz_roundtrip");
    LibTIFFFiles();
    OwnFiles();
    BuiltFiles();
    std::printf("%d files for fuzz_reader, %d of them for fuzz_roundtrip\n", gReader, gRoundTrip);
    return 0;
}
