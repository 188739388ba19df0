// SPDX-License-Identifier: MIT
// The two display texts of tag records built as the reader builds them, from files of either
// byte order.
#include <gtest/gtest.h>

#include "tests/support/Skips.h"

#include <bit>
#include <clocale>
#include <cstdint>
#include <string>
#include <vector>

using namespace std::string_literals;

#include "tags/TagNumbers.h"
#include "tiff/ByteOrder.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/TagValueDisplay.h"

namespace vantrel {
namespace {

using DT = TTIFFDataType;

constexpr uint32_t kOffset = 0x200; // where out-of-line values are placed

uint32_t TypeSize(DT type) {
    switch (type) {
    case DT::dtByte:
    case DT::dtASCII:
    case DT::dtSByte:
    case DT::dtUndefined:
        return 1;
    case DT::dtShort:
    case DT::dtSShort:
        return 2;
    case DT::dtRational:
    case DT::dtSRational:
    case DT::dtDouble:
    case DT::dtLONG8:
    case DT::dtSLONG8:
    case DT::dtIFD8:
        return 8;
    default:
        return 4;
    }
}

void PutNumber(std::vector<uint8_t>& out, uint64_t value, uint32_t size, bool bigEndian) {
    switch (size) {
    case 1:
        out.push_back(static_cast<uint8_t>(value));
        break;
    case 2:
        AppendNumber(out, static_cast<uint16_t>(value), bigEndian);
        break;
    case 4:
        AppendNumber(out, static_cast<uint32_t>(value), bigEndian);
        break;
    default:
        AppendNumber(out, value, bigEndian);
    }
}

// A file holding one directory entry's value, and the record the reader makes of the entry:
// inline values normalised to host order as the reader does it, otherwise the offset.
struct TFixture {
    std::vector<uint8_t> File;
    TTIFFTag Tag;
};

// `elements` are the stored numbers: one per value, two (numerator, denominator) per rational,
// the bit pattern for floating-point values.
TFixture MakeRecord(uint16_t tagID, DT type, uint32_t count, const std::vector<uint64_t>& elements,
                    bool bigEndian, uint32_t cutFromEnd = 0) {
    const uint32_t size = TypeSize(type);
    const bool rational = type == DT::dtRational || type == DT::dtSRational;
    const uint32_t elementSize = rational ? 4 : size;
    std::vector<uint8_t> bytes;
    for (uint64_t e : elements)
        PutNumber(bytes, e, elementSize, bigEndian);

    TFixture f;
    f.Tag.TagID = tagID;
    f.Tag.DataType = type;
    f.Tag.Count = count;
    f.Tag.IsInline = uint64_t{count} * size <= 4;
    f.File.assign(kOffset, 0xEE);
    if (f.Tag.IsInline) {
        bytes.resize(4, 0);
        std::copy(bytes.begin(), bytes.end(), f.Tag.Value.AsBytes);
        if (bigEndian) {
            TTIFFTagValue& v = f.Tag.Value;
            if (type == DT::dtShort || type == DT::dtSShort) {
                if (count == 1)
                    v.AsDWORD = ReadU16(bytes.data(), true);
                else if (count == 2)
                    for (int i = 0; i < 2; ++i)
                        v.AsWords[i] = ReadU16(bytes.data() + 2 * i, true);
            } else if (type == DT::dtLong || type == DT::dtSLong || type == DT::dtFloat ||
                       type == DT::dtIFD) {
                v.AsDWORD = ReadU32(bytes.data(), true);
            }
        }
    } else {
        f.Tag.Value.AsDWORD = kOffset;
        f.File.insert(f.File.end(), bytes.begin(), bytes.end());
        f.File.resize(f.File.size() - cutFromEnd);
    }
    return f;
}

TTIFFTag Describe(TFixture f, bool bigEndian) {
    TCatalogueTagDescriber describer;
    f.Tag.TagName = describer.TagName(f.Tag.TagID);
    describer.DescribeValue(f.Tag, TByteView(f.File), bigEndian);
    return f.Tag;
}

std::vector<uint64_t> Range(uint64_t from, uint64_t to) {
    std::vector<uint64_t> values;
    for (uint64_t v = from; v <= to; ++v)
        values.push_back(v);
    return values;
}

std::vector<uint64_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

uint64_t Neg(int64_t value, int bits) {
    return uint64_t(value) & ((uint64_t{1} << bits) - 1);
}

struct TValueCase {
    const char* What;
    uint16_t TagID;
    DT Type;
    uint32_t Count;
    std::vector<uint64_t> Elements;
    std::string DisplayValue;
    std::string Decoded;
    uint32_t CutFromEnd = 0;
};

std::string TwentyFive() {
    std::string s = "[";
    for (int i = 1; i <= 20; ++i)
        s += std::to_string(i) + ", ";
    return s + "...]";
}

std::string ThreeHundredBytes() {
    std::string s = "[";
    for (int i = 0; i < 30; ++i)
        s += std::to_string(i) + ", ";
    s += "...]\r\n";
    for (int i = 0; i < 200; ++i)
        s += (i >= 32 && i <= 126) ? char(i) : '.';
    return s + " →";
}

// clang-format off
const std::vector<TValueCase> kCases = {
    // Inline values.
    {"LONG without decoder", tagid::ImageWidth, DT::dtLong, 1, {4294967295u}, "4294967295", "4294967295"},
    {"BYTE, 3 values", tagid::FileSource, DT::dtByte, 3, {1, 2, 3}, "1, 2, 3", "1, 2, 3"},
    {"BYTE, 4 values", tagid::FileSource, DT::dtByte, 4, {1, 2, 3, 255}, "1, 2, 3, 255", "1, 2, 3, 255"},
    {"BYTE, Count 0", tagid::FileSource, DT::dtByte, 0, {}, "", ""},
    {"ASCII with NULs", tagid::Make, DT::dtASCII, 4, Bytes("AB\0\0"s), "AB", "AB"},
    {"ASCII with blanks", tagid::Make, DT::dtASCII, 4, Bytes("A \t "), "A", "A"},
    {"ASCII, Latin-1 byte", tagid::Make, DT::dtASCII, 2, {0xE9, 0}, "é", "é"},
    {"SHORT, 2 values", tagid::BitsPerSample, DT::dtShort, 2, {16, 65535}, "16, 65535", "16, 65535"},
    {"SHORT, Count 0", tagid::BitsPerSample, DT::dtShort, 0, {}, "", ""},
    {"SHORT with decoder", tagid::Orientation, DT::dtShort, 1, {6}, "6", "Правый верхний угол"},
    {"SHORT, value the decoder lacks", tagid::Orientation, DT::dtShort, 1, {9}, "9", "9"},
    {"Compression", tagid::Compression, DT::dtShort, 1, {1}, "1", "Без сжатия"},
    {"LONG with decoder", tagid::NewSubfileType, DT::dtLong, 1, {5}, "5", "Миниатюра, Маска"},
    {"SBYTE", tagid::FileSource, DT::dtSByte, 3, {Neg(-1, 8), 127, Neg(-128, 8)}, "-1, 127, -128", "-1, 127, -128"},
    {"SSHORT", tagid::BitsPerSample, DT::dtSShort, 2, {Neg(-1, 16), 32767}, "-1, 32767", "-1, 32767"},
    {"SSHORT, 1 value", tagid::BitsPerSample, DT::dtSShort, 1, {Neg(-300, 16)}, "-300", "-300"},
    {"SLONG", tagid::ImageWidth, DT::dtSLong, 1, {Neg(-2147483648LL, 32)}, "-2147483648", "-2147483648"},
    {"FLOAT", tagid::BrightnessValue, DT::dtFloat, 1, {std::bit_cast<uint32_t>(0.1f)}, "0.100000001490116", "0.100000001490116"},
    {"UNDEFINED as one number", tagid::ExifVersion, DT::dtUndefined, 4, Bytes("0210"), "808530480", "808530480"},
    {"unknown type", tagid::ImageWidth, DT(14), 1, {7}, "", ""}, // filled per byte order below
    {"RATIONAL, Count 0", tagid::XResolution, DT::dtRational, 0, {}, "0", "0"},
    {"EXIF pointer", tagid::ExifIFD, DT::dtLong, 1, {0x1234}, "0x00001234", ""},
    {"GPS pointer", tagid::GPSInfo, DT::dtLong, 1, {0xABCD}, "0x0000ABCD", ""},
    {"Interop pointer as IFD", tagid::InteroperabilityIFD, DT::dtIFD, 1, {0x10}, "0x00000010", ""},
    // Out-of-line values.
    {"SubIFDs", tagid::SubIFDs, DT::dtLong, 2, {0x300, 0x400}, "0x00000200", ""},
    {"ASCII", tagid::Software, DT::dtASCII, 10, Bytes("Scanner X\0"s), "0x00000200", "Scanner X"},
    {"ASCII ends at its first NUL", tagid::Software, DT::dtASCII, 8, Bytes("ab\0cdefg"s), "0x00000200", "ab"},
    {"RATIONAL 300/1", tagid::XResolution, DT::dtRational, 1, {300, 1}, "300/1", "300"},
    {"RATIONAL 600/4", tagid::XResolution, DT::dtRational, 1, {600, 4}, "600/4", "150"},
    {"RATIONAL 1/3", tagid::XResolution, DT::dtRational, 1, {1, 3}, "1/3", "1/3"},
    {"RATIONAL 5/0", tagid::XResolution, DT::dtRational, 1, {5, 0}, "5/0", "5/0"},
    {"RATIONAL 0/7", tagid::XResolution, DT::dtRational, 1, {0, 7}, "0/7", "0"},
    {"RATIONAL beyond int32", tagid::XResolution, DT::dtRational, 1, {3000000000u, 1}, "3000000000/1", "3000000000/1"},
    {"SRATIONAL 4/-8", tagid::ExposureBiasValue, DT::dtSRational, 1, {4, Neg(-8, 32)}, "4/-8", "-1/2"},
    {"RATIONAL list", tagid::XResolution, DT::dtRational, 2, {1, 2, 3, 4}, "[1/2; 3/4]", "[1/2; 3/4]"},
    {"RATIONAL list of 10", tagid::XResolution, DT::dtRational, 10, Range(1, 20),
     "[1/2; 3/4; 5/6; 7/8; 9/10; 11/12; 13/14; 15/16; 17/18; 19/20]",
     "[1/2; 3/4; 5/6; 7/8; 9/10; 11/12; 13/14; 15/16; 17/18; 19/20]"},
    {"RATIONAL list of 11", tagid::XResolution, DT::dtRational, 11, Range(1, 22),
     "[1/2; 3/4; 5/6; 7/8; 9/10; 11/12; 13/14; 15/16; 17/18; 19/20; ...]",
     "[1/2; 3/4; 5/6; 7/8; 9/10; 11/12; 13/14; 15/16; 17/18; 19/20; ...]"},
    {"SRATIONAL list", tagid::ExposureBiasValue, DT::dtSRational, 2, {Neg(-1, 32), 2, 3, Neg(-4, 32)}, "[-1/2; 3/-4]", "[-1/2; 3/-4]"},
    {"SHORT list", tagid::BitsPerSample, DT::dtShort, 3, {8, 8, 8}, "0x00000200", "[8, 8, 8]"},
    {"SHORT list of 25", tagid::BitsPerSample, DT::dtShort, 25, Range(1, 25), "0x00000200", TwentyFive()},
    {"LONG list of 20", tagid::StripOffsets, DT::dtLong, 20, Range(1, 20), "0x00000200",
     "[1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20]"},
    {"SSHORT list", tagid::BitsPerSample, DT::dtSShort, 3, {Neg(-1, 16), 2, 3}, "0x00000200", "[-1, 2, 3]"},
    {"SLONG list", tagid::ImageWidth, DT::dtSLong, 2, {Neg(-2147483648LL, 32), 7}, "0x00000200", "[-2147483648, 7]"},
    {"SBYTE list", tagid::ImageWidth, DT::dtSByte, 5, {Neg(-1, 8), Neg(-2, 8), 3, 4, 5}, "0x00000200", "[-1, -2, 3, 4, 5]"},
    {"BYTE two lines", tagid::MakerNote, DT::dtByte, 5, {72, 105, 0, 255, 126}, "0x00000200", "[72, 105, 0, 255, 126]\r\nHi..~"},
    {"UNDEFINED of 300 bytes", tagid::MakerNote, DT::dtUndefined, 300, Range(0, 299), "0x00000200", ThreeHundredBytes()},
    {"DOUBLE", tagid::BrightnessValue, DT::dtDouble, 1, {std::bit_cast<uint64_t>(2.5)}, "0x00000200", "2.5"},
    {"DOUBLE array", tagid::BrightnessValue, DT::dtDouble, 3, {0, 0, 0}, "0x00000200", "[массив значений]"},
    {"FLOAT array", tagid::BrightnessValue, DT::dtFloat, 2, {0, 0}, "0x00000200", "[массив значений с плавающей точкой]"},
    {"IFD array", 500, DT::dtIFD, 2, {8, 16}, "0x00000200", "[неподдерживаемый тип]"},
    {"LONG8", 500, DT::dtLONG8, 1, {1}, "0x00000200", "[неподдерживаемый тип]"},
    {"Count above the limit", tagid::MakerNote, DT::dtByte, 2000000, {}, "0x00000200",
     "[2000000 элементов — слишком много для отображения]"},
    {"one byte beyond the file", tagid::BitsPerSample, DT::dtShort, 3, {8, 8, 8}, "0x00000200", "[выход за диапазон]", 1},
    {"RATIONAL beyond the file", tagid::XResolution, DT::dtRational, 1, {300, 1}, "[выход за диапазон]", "[выход за диапазон]", 1},
    {"ASCII beyond the file", tagid::Software, DT::dtASCII, 10, Bytes("Scanner X\0"s), "0x00000200", "[выход за диапазон]", 10},
};
// clang-format on

class TValueTexts : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { std::setlocale(LC_NUMERIC, "C"); }
};

TEST_P(TValueTexts, ShowTheValueAsStoredAndExplained) {
    const bool bigEndian = GetParam();
    for (TValueCase c : kCases) {
        SCOPED_TRACE(c.What);
        if (c.Type == DT(14)) // unknown type: all four bytes as one number, in host order
            c.DisplayValue = c.Decoded = bigEndian ? "117440512" : "7";
        const TTIFFTag tag = Describe(
            MakeRecord(c.TagID, c.Type, c.Count, c.Elements, bigEndian, c.CutFromEnd), bigEndian);
        EXPECT_EQ(tag.DisplayValue, c.DisplayValue);
        EXPECT_EQ(tag.DisplayValueDecoded, c.Decoded);
    }
}

TEST_P(TValueTexts, FloatUsesTheLocaleSeparator) {
    VANTREL_SKIP_ON_WINDOWS(
        "the decimal separator comes from the user's regional settings there, not from setlocale");
    const bool bigEndian = GetParam();
    const TFixture f = MakeRecord(tagid::BrightnessValue, DT::dtFloat, 1,
                                  {std::bit_cast<uint32_t>(0.1f)}, bigEndian);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"), nullptr);
    const TTIFFTag tag = Describe(f, bigEndian);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(tag.DisplayValue, "0,100000001490116");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, TValueTexts, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "MM" : "II"; });

struct TXmpCase {
    const char* What;
    std::string Packet;
    std::string Decoded;
};

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// clang-format off
const std::vector<TXmpCase> kXmp = {
    {"short packet", "<x:xmpmeta>Плёнка</x:xmpmeta>", "<x:xmpmeta>Плёнка</x:xmpmeta>"},
    {"5000 ASCII bytes", Repeat("abcde", 1000), Repeat("abcde", 40) + " →"},
    {"exactly 200 characters", Repeat("x", 200), Repeat("x", 200)},
    {"250 two-byte characters", Repeat("ж", 250), Repeat("ж", 200) + " →"},
    {"character of two UTF-16 units at the limit", Repeat("x", 199) + "\xF0\x9F\x8E\x9E" + "y",
     Repeat("x", 199) + " →"},
    {"two-byte character cut at byte 1000", Repeat("x", 999) + "ж" + Repeat("x", 100), "[некорректный UTF-8]"},
    {"two-byte character ending at byte 1000", Repeat("x", 998) + "ж" + Repeat("x", 100), Repeat("x", 200) + " →"},
    {"cut at the end of the packet", "abcd\xE2\x82", "[некорректный UTF-8]"},
    {"overlong two-byte form", "abcd\xC0\x80", "[некорректный UTF-8]"},
    {"overlong three-byte form", "abcd\xE0\x80\x80", "[некорректный UTF-8]"},
    {"overlong four-byte form", "abcd\xF0\x80\x80\x80", "[некорректный UTF-8]"},
    {"surrogate", "abcd\xED\xA0\x80", "[некорректный UTF-8]"},
    {"above U+10FFFF", "abcd\xF4\x90\x80\x80", "[некорректный UTF-8]"},
    {"lone continuation byte", "abcd\x80" "b", "[некорректный UTF-8]"},
    {"byte FF", "abcd\xFF", "[некорректный UTF-8]"},
    {"largest code point", "abcd\xF4\x8F\xBF\xBF", "abcd\xF4\x8F\xBF\xBF"},
};
// clang-format on

TEST_P(TValueTexts, XmpPacketIsStrictUtf8) {
    const bool bigEndian = GetParam();
    for (const TXmpCase& c : kXmp) {
        SCOPED_TRACE(c.What);
        for (DT type : {DT::dtByte, DT::dtUndefined}) {
            const TTIFFTag tag =
                Describe(MakeRecord(tagid::XMLPacket, type, static_cast<uint32_t>(c.Packet.size()),
                                    Bytes(c.Packet), bigEndian),
                         bigEndian);
            EXPECT_EQ(tag.DisplayValue, "0x00000200");
            EXPECT_EQ(tag.DisplayValueDecoded, c.Decoded);
        }
    }
}

TEST(ValueTextParts, SimplifyRational) {
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {
        {"300/1", "300"},
        {"600/4", "150"},
        {"1/3", "1/3"},
        {"5/0", "5/0"},
        {"-5/0", "-5/0"},
        {"0/7", "0"},
        {"0/0", "0/0"},
        {"4/-8", "-1/2"},
        {"-4/-8", "1/2"},
        {"6/-3", "-2"},
        {"3000000000/1", "3000000000/1"},
        {"-2147483648/-1", "2147483648"}, // sign change beyond 32 bits
        {"[1/2; 3/4]", "[1/2; 3/4]"},
        {"1/2/3", "1/2/3"},
        {"12", "12"},
        {"a/b", "a/b"},
        {"/", "/"},
        {"[выход за диапазон]", "[выход за диапазон]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SimplifyRational(c.In), c.Out) << c.In;
}

TEST(ValueTextParts, PrintablePreviewAndHex) {
    const std::vector<uint8_t> bytes = {0, 31, 32, 65, 126, 127, 200, 255};
    EXPECT_EQ(MakePrintablePreview(bytes), ".. A~...");
    EXPECT_EQ(MakePrintablePreview({}), "");
    EXPECT_EQ(FormatHex32(0xABCD), "0x0000ABCD");
    EXPECT_EQ(FormatHex32(0xFFFFFFFF), "0xFFFFFFFF");
}

TEST(ValueTextParts, ArrayOutsideTheFileIsNotRead) {
    const std::vector<uint8_t> file(16, 0);
    // An offset near 4 GiB must not wrap around when the end is computed.
    EXPECT_EQ(
        FormatArrayValue(TByteView(file), false, tagid::BitsPerSample, DT::dtShort, 3, 0xFFFFFFFF),
        "[выход за диапазон]");
    EXPECT_EQ(FormatArrayValue(TByteView(file), false, tagid::BitsPerSample, DT::dtShort, 8, 0),
              "[0, 0, 0, 0, 0, 0, 0, 0]");
    EXPECT_EQ(FormatArrayValue(TByteView(file), false, tagid::BitsPerSample, DT::dtShort, 9, 0),
              "[выход за диапазон]");
    EXPECT_EQ(FormatArrayValue(TByteView(), false, tagid::BitsPerSample, DT::dtShort, 3, 0),
              "[выход за диапазон]");
    EXPECT_EQ(FormatArrayValue(TByteView(file), false, tagid::BitsPerSample, DT::dtShort, 0, 0),
              "");
}

TEST(ValueTextParts, DataTypeNames) {
    const char* expected[] = {"?",      "BYTE",     "ASCII",  "SHORT", "LONG",      "RATIONAL",
                              "SBYTE",  "Неопред.", "SSHORT", "SLONG", "SRATIONAL", "FLOAT",
                              "DOUBLE", "IFD",      "dt_14",  "dt_15", "dtLONG8",   "dtSLONG8",
                              "dtIFD8", "dt_19",    "dt_20",  "?"};
    for (int i = 0; i <= 21; ++i)
        EXPECT_EQ(TCropTIFF::GetDataTypeName(DT(i)), expected[i]) << i;
    EXPECT_EQ(TCropTIFF::GetDataTypeName(DT(255)), "?");
}

TEST(ValueTextParts, DescriberNamesTagsAndCompressions) {
    TCatalogueTagDescriber describer;
    EXPECT_EQ(describer.TagName(tagid::Orientation), "Ориентация (Orientation)");
    EXPECT_EQ(describer.TagName(300), "Тег 300");
    EXPECT_EQ(describer.CompressionName(5), "LZW");
    EXPECT_EQ(describer.CompressionName(0), "Неизвестный");
}

} // namespace
} // namespace vantrel
