// SPDX-License-Identifier: MIT
// Decoders that explain single tag values in words.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tags/TIFFTagUtils.h"

namespace vantrel {

namespace {

struct TValueText {
    int32_t Value;
    std::string_view Text;
};

// Values arrive as 32-bit numbers and are compared as signed ones.
std::string Lookup(std::span<const TValueText> table, uint32_t value) {
    const auto key = static_cast<int32_t>(value);
    for (const TValueText& entry : table)
        if (entry.Value == key)
            return std::string(entry.Text);
    return {};
}

// clang-format off
// The schemes as libtiff's tiff.h numbers them, and two camera makers' numbers that it does not
// name (as exiftool names them).
constexpr TValueText kCompression[] = {
    {1, "Без сжатия"},            {2, "CCITT Group 3 1D"},     {3, "CCITT Group 3 2D"},
    {4, "CCITT Group 4"},         {5, "LZW"},                  {6, "JPEG (устаревший)"},
    {7, "JPEG"},                  {8, "Deflate (ZIP)"},        {9, "JBIG (чёрно-белый)"},
    {10, "JBIG (цветной)"},       {32766, "NeXT 2-bit RLE"},   {32771, "CCITT RLEW"},
    {32773, "PackBits (RLE)"},    {32809, "ThunderScan RLE"},  {32895, "IT8 CT Pad"},
    {32896, "IT8 Linework RLE"},  {32897, "IT8 Monochrome"},   {32898, "IT8 Binary Line Art"},
    {32908, "Pixar Film"},        {32909, "PixarLog"},         {32946, "Deflate (ZLIB)"},
    {32947, "Kodak DCS"},         {34661, "ISO JBIG"},         {34676, "SGILog"},
    {34677, "SGILog24"},          {34712, "JPEG 2000"},        {34887, "ESRI Lerc"},
    {34925, "LZMA2"},             {50000, "ZSTD"},             {50001, "WebP"},
    {50002, "JPEG XL"},           {65000, "Kodak DCR"},        {65535, "Pentax PE (lossy)"},
};

constexpr TValueText kPhotometric[] = {
    {0, "0 — белый"}, {1, "0 — чёрный"}, {2, "RGB"}, {3, "Палитра"}, {4, "Прозрачность (Mask)"},
    {5, "CMYK"}, {6, "YCbCr"}, {8, "CIELab"}, {32803, "CFA (Bayer)"}, {32844, "Linear Raw"},
};

constexpr TValueText kOrientation[] = {
    {1, "Верхний левый угол"}, {2, "Верхний правый угол"}, {3, "Нижний правый угол"},
    {4, "Нижний левый угол"},  {5, "Левый верхний угол"},  {6, "Правый верхний угол"},
    {7, "Правый нижний угол"}, {8, "Левый нижний угол"},
};

constexpr TValueText kResolutionUnit[] = {{1, "Нет единиц"}, {2, "Дюймы"}, {3, "Сантиметры"}};

constexpr TValueText kPlanarConfiguration[] = {
    {1, "Перемежающийся (RGBRGB…)"}, {2, "Поканальный (RR…GG…BB…)"},
};

constexpr TValueText kSampleFormat[] = {
    {1, "Беззнаковый целый"}, {2, "Знаковый целый"}, {3, "IEEE 754 float"},
};

constexpr TValueText kFillOrder[] = {{1, "Старший бит первым"}, {2, "Младший бит первым"}};

constexpr TValueText kThreshholding[] = {
    {1, "Нет порога (градации серого)"}, {2, "Упорядоченный дизеринг"},
    {3, "Рандомизированный дизеринг"},
};

constexpr TValueText kPredictor[] = {{1, "Нет предиктора"}, {2, "Горизонтальное дифференцирование"}};

constexpr TValueText kExposureProgram[] = {
    {0, "Не определено"},        {1, "Ручной"},             {2, "Нормальная программа"},
    {3, "Апертура приоритет"},   {4, "Выдержка приоритет"}, {5, "Креативная программа"},
    {6, "Экшн-программа"},       {7, "Портрет"},            {8, "Пейзаж"},
};

constexpr TValueText kMeteringMode[] = {
    {0, "Неизвестно"},   {1, "Средневзвешенное"}, {2, "Центрально-взвешенное"},
    {3, "Точечное"},     {4, "Многосегментное"},  {5, "Матричное"},
    {6, "Частичное"},    {255, "Другое"},
};

constexpr TValueText kLightSource[] = {
    {0, "Неизвестно"},          {1, "Дневной свет"},        {2, "Флуоресцентный"},
    {3, "Вольфрамовая лампа"},  {4, "Вспышка"},             {9, "Хорошая погода"},
    {10, "Облачно"},            {17, "Стандартный свет A"}, {18, "Стандартный свет B"},
    {19, "Стандартный свет C"}, {20, "D55"},                {21, "D65"},
    {22, "D75"},                {255, "Другой"},
};

constexpr TValueText kSensingMethod[] = {
    {1, "Не определено"},                   {2, "Одночиповый цветной сенсор"},
    {3, "Двухчиповый цветной сенсор"},      {4, "Трёхчиповый цветной сенсор"},
    {5, "Цветной последовательный сенсор"}, {7, "Трёхлинейный сенсор"},
    {8, "Цветной последовательный линейный сенсор"},
};

constexpr TValueText kSceneCaptureType[] = {
    {0, "Стандартный"}, {1, "Пейзаж"}, {2, "Портрет"}, {3, "Ночная сцена"},
};

constexpr TValueText kWhiteBalance[] = {{0, "Авто"}, {1, "Ручной"}};

constexpr TValueText kColorSpace[] = {
    {1, "sRGB"}, {2, "Adobe RGB"}, {65535, "Не откалибровано"}, {0, "Не указано"},
};

// Bit flags of NewSubfileType in the order they are listed.
constexpr TValueText kSubfileFlags[] = {
    {1, "Миниатюра"}, {2, "Факс"}, {4, "Маска"}, {8, "Альтернативное"},
    {16, "Стандартная страница"}, {32, "Аннотации"},
};
// clang-format on

} // namespace

std::string GetCompressionName(uint32_t value) {
    std::string name = Lookup(kCompression, value);
    return name.empty() ? "Неизвестный" : name;
}

std::string DecodePhotometricInterpretation(uint32_t value) {
    return Lookup(kPhotometric, value);
}
std::string DecodeOrientation(uint32_t value) {
    return Lookup(kOrientation, value);
}
std::string DecodeResolutionUnit(uint32_t value) {
    return Lookup(kResolutionUnit, value);
}
std::string DecodePlanarConfiguration(uint32_t value) {
    return Lookup(kPlanarConfiguration, value);
}
std::string DecodeSampleFormat(uint32_t value) {
    return Lookup(kSampleFormat, value);
}
std::string DecodeFillOrder(uint32_t value) {
    return Lookup(kFillOrder, value);
}
std::string DecodeThreshholding(uint32_t value) {
    return Lookup(kThreshholding, value);
}
std::string DecodePredictor(uint32_t value) {
    return Lookup(kPredictor, value);
}
std::string DecodeExposureProgram(uint32_t value) {
    return Lookup(kExposureProgram, value);
}
std::string DecodeMeteringMode(uint32_t value) {
    return Lookup(kMeteringMode, value);
}
std::string DecodeLightSource(uint32_t value) {
    return Lookup(kLightSource, value);
}
std::string DecodeSensingMethod(uint32_t value) {
    return Lookup(kSensingMethod, value);
}
std::string DecodeSceneCaptureType(uint32_t value) {
    return Lookup(kSceneCaptureType, value);
}
std::string DecodeWhiteBalance(uint32_t value) {
    return Lookup(kWhiteBalance, value);
}

std::string DecodeColorSpace(uint32_t value) {
    std::string name = Lookup(kColorSpace, value);
    if (name.empty())
        name = "Неизвестно (код " + std::to_string(static_cast<int32_t>(value)) + ")";
    return name;
}

std::string DecodeFlash(uint32_t value) {
    if (value == 0)
        return "Вспышка не срабатывала";
    return (value & 1) != 0 ? "Вспышка сработала" : "Вспышка не сработала";
}

std::string DecodeNewSubfileType(uint32_t value) {
    if (value == 0)
        return "Основное изображение";
    std::string text;
    for (const TValueText& flag : kSubfileFlags) {
        if ((value & static_cast<uint32_t>(flag.Value)) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += flag.Text;
    }
    if (text.empty())
        text = "Неизвестный тип (" + std::to_string(static_cast<int32_t>(value)) + ")";
    return text;
}

} // namespace vantrel
