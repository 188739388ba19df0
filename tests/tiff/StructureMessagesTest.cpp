// SPDX-License-Identifier: MIT
// Every refusal of the structure reader, each on a small file built in code.
#include <gtest/gtest.h>

#include <functional>

#include "tags/TagNumbers.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"

namespace vantrel::test {
namespace {

using B = TTIFFBuilder;
using TBytes = std::vector<uint8_t>;

// A valid 2 x 2 RGB image to break.
TTIFFBuilder Good(bool bigEndian = false) {
    return MakeImage(2, 2, 3, PatternWords(12), bigEndian);
}

// An 8-byte header pointing at offset 8, followed by `tail`.
TBytes Header(const char* mark, std::vector<uint8_t> tail = {}) {
    TBytes f(8 + tail.size(), 0);
    f[0] = uint8_t(mark[0]);
    f[1] = uint8_t(mark[1]);
    f[2] = 42;
    f[4] = 8;
    std::copy(tail.begin(), tail.end(), f.begin() + 8);
    return f;
}

// The file with a raw entry whose value field points `back` bytes before the file's end.
TBytes NearEnd(uint16_t tag, uint16_t type, uint32_t count, uint32_t back) {
    auto build = [&](uint32_t field) {
        TTIFFBuilder b = Good();
        b.Remove(tag).AddRaw(tag, type, count, field);
        return b.Build();
    };
    const auto size = static_cast<uint32_t>(build(0).size());
    return build(size - back);
}

struct TCase {
    const char* Name;
    std::function<TBytes()> File;
    std::string Message;
};

std::vector<TCase> Cases() {
    const std::string e = "ETIFFError: ";
    return {
        {"SevenBytes", [] { return TBytes(7, 'I'); }, e + "Файл слишком мал для TIFF"},
        {"BadMark", [] { return Header("IM"); },
         e + "Неверная сигнатура TIFF-файла: ожидалось \"II\" или \"MM\""},
        {"HeaderOnly", [] { return Header("II"); }, e + "Смещение IFD за пределами файла"},
        {"NoRoomForCount", [] { return Header("II", {1}); },
         e + "Недостаточно данных для чтения количества записей IFD"},
        {"ZeroEntries",
         [] {
             return Header("II", {0, 0, 0, 0, 0, 0});
         },
         e + "Недопустимое количество записей IFD (0)"},
        {"TooManyEntries",
         [] {
             std::vector<uint8_t> entries(2 + 12 * 1001 + 4, 0);
             entries[0] = 0xE9; // 1001
             entries[1] = 0x03;
             return Header("II", entries);
         },
         e + "Недопустимое количество записей IFD (1001)"},
        {"EntriesCutShort",
         [] {
             TBytes f = Good().Build();
             f.resize(8 + 2 + 12 * 9 + 11);
             return f;
         },
         e + "Недостаточно данных для чтения всех записей IFD"},
        {"WidthAsRational",
         [] {
             return Good()
                 .Remove(tagid::ImageWidth)
                 .Add(tagid::ImageWidth, B::kRational, {2, 1})
                 .Build();
         },
         e + "Тег 256: неподдерживаемый DataType 5"},
        {"HeightOffsetBeyondFile",
         [] {
             return Good()
                 .Remove(tagid::ImageLength)
                 .AddRaw(tagid::ImageLength, B::kLong, 2, 0x00FFFFFF)
                 .Build();
         },
         e + "Тег 257: смещение значения за пределами файла"},
        {"ShortValueCutShort", [] { return NearEnd(tagid::SamplesPerPixel, B::kShort, 3, 1); },
         e + "Тег 277: недостаточно данных для SHORT"},
        {"LongValueCutShort", [] { return NearEnd(tagid::ImageWidth, B::kLong, 2, 3); },
         e + "Тег 256: недостаточно данных для LONG"},
        {"CompressionAsSLong",
         [] {
             return Good()
                 .Remove(tagid::Compression)
                 .Add(tagid::Compression, B::kSLong, {1})
                 .Build();
         },
         e + "Тег 259: неподдерживаемый DataType 9"},
        {"HugeCount",
         [] {
             return Good()
                 .Remove(tagid::StripByteCounts)
                 .AddRaw(tagid::StripByteCounts, B::kLong, 1000001, 8)
                 .Build();
         },
         e + "Тег 279: подозрительно большой Count = 1000001"},
        {"ArrayOfRationals",
         [] {
             return Good()
                 .Remove(tagid::StripOffsets)
                 .Add(tagid::StripOffsets, B::kRational, {8, 1})
                 .Build();
         },
         e + "Тег 273: неподдерживаемый DataType 5"},
        {"ArrayOffsetBeyondFile",
         [] {
             return Good()
                 .Remove(tagid::StripOffsets)
                 .AddRaw(tagid::StripOffsets, B::kLong, 2, 0x00FFFFFF)
                 .Build();
         },
         e + "Тег 273: смещение массива за пределами файла"},
        {"ArrayCutShort", [] { return NearEnd(tagid::StripByteCounts, B::kLong, 2, 3); },
         e + "Тег 279: недостаточно данных для массива (требуется 8 байт, доступно 3)"},
        {"EmptyBitsPerSample",
         [] {
             return Good()
                 .Remove(tagid::BitsPerSample)
                 .Add(tagid::BitsPerSample, B::kShort, {})
                 .Build();
         },
         e + "Тег 258: пустой массив BitsPerSample"},
        {"UnevenBits",
         [] {
             return Good()
                 .Remove(tagid::BitsPerSample)
                 .Add(tagid::BitsPerSample, B::kShort, {16, 16, 8})
                 .Build();
         },
         e + "Тег 258: неравномерная битность каналов: 16 != 8"},
        {"EightBit",
         [] {
             return Good()
                 .Remove(tagid::BitsPerSample)
                 .Add(tagid::BitsPerSample, B::kShort, {8, 8, 8})
                 .Build();
         },
         e + "Поддерживается только 16-битный TIFF. Получено 8 бит на сэмпл"},
        {"Compressed",
         [] {
             return Good()
                 .Remove(tagid::Compression)
                 .Add(tagid::Compression, B::kShort, {5})
                 .Build();
         },
         e + "Поддерживается только сжатие = 1 (без сжатия), получено 5 (Неизвестный)"},
        // In ascending tag order a wrong bit depth is told before a wrong compression.
        {"EightBitAndCompressed",
         [] {
             TTIFFBuilder b = Good();
             b.Remove(tagid::BitsPerSample).Remove(tagid::Compression);
             b.Add(tagid::BitsPerSample, B::kShort, {8}).Add(tagid::Compression, B::kShort, {5});
             return b.Build();
         },
         e + "Поддерживается только 16-битный TIFF. Получено 8 бит на сэмпл"},
        {"NoBitsPerSample", [] { return Good().Remove(tagid::BitsPerSample).Build(); },
         e + "Тег BitsPerSample (258) не найден"},
        {"NoCompression", [] { return Good().Remove(tagid::Compression).Build(); },
         e + "Тег Compression (259) не найден"},
        {"NoStripOffsets", [] { return Good().Remove(tagid::StripOffsets).Build(); },
         e + "Тег StripOffsets (273) не найден"},
        {"NoStripByteCounts", [] { return Good().Remove(tagid::StripByteCounts).Build(); },
         e + "Тег StripByteCounts (279) не найден"},
        {"NoSamplesPerPixel", [] { return Good().Remove(tagid::SamplesPerPixel).Build(); },
         e + "Тег SamplesPerPixel (277) не найден"},
        {"NoWidth", [] { return Good().Remove(tagid::ImageWidth).Build(); },
         e + "Тег ImageWidth (256) не найден или равен нулю"},
        {"ZeroHeight",
         [] {
             return Good()
                 .Remove(tagid::ImageLength)
                 .Add(tagid::ImageLength, B::kShort, {0})
                 .Build();
         },
         e + "Тег ImageHeight (257) не найден или равен нулю"},
        {"NoStrips",
         [] {
             return Good()
                 .Remove(tagid::StripOffsets)
                 .Remove(tagid::StripByteCounts)
                 .Add(tagid::StripOffsets, B::kLong, {})
                 .Add(tagid::StripByteCounts, B::kLong, {})
                 .Build();
         },
         e + "Массив StripOffsets пуст"},
        {"StripArraysDiffer",
         [] {
             return Good()
                 .Remove(tagid::StripOffsets)
                 .Add(tagid::StripOffsets, B::kLong, {8, 8, 8})
                 .Build();
         },
         e + "Несовпадение длины StripOffsets (3) и StripByteCounts (1)"},
    };
}

class StructureMessages : public ::testing::TestWithParam<TCase> {};

TEST_P(StructureMessages, RefusesWithItsMessage) {
    TTempDir dir;
    EXPECT_EQ(LoadError(dir.Write("bad.tif", GetParam().File())), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(Reader, StructureMessages, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

// A failed parse leaves no tags behind.
TEST(StructureReader, FailedParseLeavesNoTags) {
    TTempDir dir;
    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    tiff.LoadTIFFAsWords(dir.Write("good.tif", Good().Build()));
    ASSERT_FALSE(tiff.GetAllTags().empty());
    EXPECT_THROW(
        tiff.LoadTIFFAsWords(dir.Write("bad.tif", Good().Remove(tagid::Compression).Build())),
        ETIFFError);
    EXPECT_TRUE(tiff.GetAllTags().empty());
}

} // namespace
} // namespace vantrel::test
