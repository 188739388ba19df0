// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/TIFFRecords.h"

namespace vantrel::test {

/// A path of a test's file, handed to the engine's functions that take the path as text: POSIX
/// paths turn into their text by themselves, Windows' wide ones are told to here.
struct TTestPath : std::filesystem::path {
    using std::filesystem::path::path;
    TTestPath(const std::filesystem::path& p) : std::filesystem::path(p) {}
    template <typename T> TTestPath operator/(const T& name) const {
        return TTestPath(static_cast<const std::filesystem::path&>(*this) / name);
    }
#if defined(_WIN32)
    operator std::string() const {
        return string();
    }
#endif
};

/// A fresh folder for one test under the build's test folder.
inline TTestPath TestFolder() {
    const char* root = std::getenv("VANTREL_TEST_TMP");
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    const std::filesystem::path folder =
        std::filesystem::path(root ? root : "/tmp/vantrel-tests") / "writer" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Reads numbers of a written file in its byte order, on its own walk of the directories.
struct TBytes {
    std::vector<uint8_t> Data;
    bool BigEndian() const { return Data.at(0) == 'M'; }
    uint32_t U16(size_t at) const { return ReadU16(Within(at, 2), BigEndian()); }
    uint32_t U32(size_t at) const { return ReadU32(Within(at, 4), BigEndian()); }
    /// The `n` bytes at `at`; a read past the end fails the test instead of reading outside.
    const uint8_t* Within(size_t at, size_t n) const {
        if (at > Data.size() || n > Data.size() - at)
            throw std::out_of_range("read past the end of the written file");
        return Data.data() + at;
    }
    /// Entry i of the directory at `dir`: tag, type, count, value field.
    uint32_t Tag(size_t dir, size_t i) const { return U16(dir + 2 + 12 * i); }
    uint32_t Type(size_t dir, size_t i) const { return U16(dir + 4 + 12 * i); }
    uint32_t Count(size_t dir, size_t i) const { return U32(dir + 6 + 12 * i); }
    uint32_t Field(size_t dir, size_t i) const { return U32(dir + 10 + 12 * i); }
    /// The value field of the first entry with the tag number in the directory at `dir`.
    int Find(size_t dir, uint32_t tag) const {
        for (uint32_t i = 0; i < U16(dir); ++i)
            if (Tag(dir, i) == tag)
                return static_cast<int>(i);
        return -1;
    }
};

inline TTIFFTag InlineTag(uint16_t id, TTIFFDataType type, uint32_t value, uint32_t count = 1) {
    TTIFFTag t;
    t.TagID = id;
    t.DataType = type;
    t.Count = count;
    t.Value.AsDWORD = value;
    t.IsInline = true;
    return t;
}

inline TTIFFTag Short(uint16_t id, uint16_t value) {
    return InlineTag(id, TTIFFDataType::dtShort, value);
}

/// An out-of-line tag with its bytes already in the output's order.
inline TTIFFTag OutOfLine(uint16_t id, TTIFFDataType type, uint32_t count,
                          std::vector<uint8_t> raw) {
    TTIFFTag t;
    t.TagID = id;
    t.DataType = type;
    t.Count = count;
    t.IsInline = false;
    t.RawData = std::move(raw);
    return t;
}

inline TTIFFTag Ascii(uint16_t id, const std::string& text) {
    std::vector<uint8_t> raw(text.begin(), text.end());
    raw.push_back(0);
    if (raw.size() <= 4) {
        TTIFFTag t = InlineTag(id, TTIFFDataType::dtASCII, 0, static_cast<uint32_t>(raw.size()));
        std::copy(raw.begin(), raw.end(), t.Value.AsBytes);
        return t;
    }
    return OutOfLine(id, TTIFFDataType::dtASCII, static_cast<uint32_t>(raw.size()), raw);
}

/// The tags that make written words a valid 16-bit image.
inline std::vector<TTIFFTag> PixelTags(int samples, bool bigEndian) {
    TTIFFTag bits =
        InlineTag(tagid::BitsPerSample, TTIFFDataType::dtShort, 16, static_cast<uint32_t>(samples));
    std::vector<TTIFFTag> tags = {Short(tagid::Compression, 1),
                                  Short(tagid::PhotometricInterpretation, samples >= 3 ? 2 : 1),
                                  Short(tagid::SamplesPerPixel, static_cast<uint16_t>(samples)),
                                  Short(tagid::PlanarConfiguration, 1)};
    if (samples <= 2) {
        bits.Value.AsWords[1] = samples == 2 ? 16 : 0;
        tags.push_back(bits);
    } else {
        std::vector<uint8_t> raw;
        for (int i = 0; i < samples; ++i)
            raw.insert(raw.end(), {uint8_t(bigEndian ? 0 : 16), uint8_t(bigEndian ? 16 : 0)});
        tags.push_back(OutOfLine(tagid::BitsPerSample, TTIFFDataType::dtShort,
                                 static_cast<uint32_t>(samples), raw));
    }
    if (samples == 2 || samples == 4)
        tags.push_back(Short(tagid::ExtraSamples, 2)); // the extra sample is unassociated alpha
    return tags;
}

} // namespace vantrel::test
