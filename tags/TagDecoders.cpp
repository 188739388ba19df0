// SPDX-License-Identifier: MIT
// Decoders that explain single tag values in words.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "tags/TIFFTagUtils.h"
#include "texts/Language.h"

namespace vantrel {

namespace {

struct TValueText {
    int32_t Value;
    texts::TText Text;
};

// Values arrive as 32-bit numbers and are compared as signed ones.
std::string Lookup(std::span<const TValueText> table, uint32_t value) {
    const auto key = static_cast<int32_t>(value);
    for (const TValueText& entry : table)
        if (entry.Value == key)
            return entry.Text();
    return {};
}

// clang-format off
// The schemes as libtiff's tiff.h numbers them, and two camera makers' numbers that it does not
// name (as exiftool names them).
constexpr TValueText kCompression[] = {
    {1, {"Без сжатия", "Uncompressed"}},
    {2, {"CCITT Group 3 1D", "CCITT Group 3 1D"}},
    {3, {"CCITT Group 3 2D", "CCITT Group 3 2D"}},
    {4, {"CCITT Group 4", "CCITT Group 4"}},
    {5, {"LZW", "LZW"}},
    {6, {"JPEG (устаревший)", "JPEG (old-style)"}},
    {7, {"JPEG", "JPEG"}},
    {8, {"Deflate (ZIP)", "Deflate (ZIP)"}},
    {9, {"JBIG (чёрно-белый)", "JBIG (black and white)"}},
    {10, {"JBIG (цветной)", "JBIG (colour)"}},
    {32766, {"NeXT 2-bit RLE", "NeXT 2-bit RLE"}},
    {32771, {"CCITT RLEW", "CCITT RLEW"}},
    {32773, {"PackBits (RLE)", "PackBits (RLE)"}},
    {32809, {"ThunderScan RLE", "ThunderScan RLE"}},
    {32895, {"IT8 CT Pad", "IT8 CT Pad"}},
    {32896, {"IT8 Linework RLE", "IT8 Linework RLE"}},
    {32897, {"IT8 Monochrome", "IT8 Monochrome"}},
    {32898, {"IT8 Binary Line Art", "IT8 Binary Line Art"}},
    {32908, {"Pixar Film", "Pixar Film"}},
    {32909, {"PixarLog", "PixarLog"}},
    {32946, {"Deflate (ZLIB)", "Deflate (ZLIB)"}},
    {32947, {"Kodak DCS", "Kodak DCS"}},
    {34661, {"ISO JBIG", "ISO JBIG"}},
    {34676, {"SGILog", "SGILog"}},
    {34677, {"SGILog24", "SGILog24"}},
    {34712, {"JPEG 2000", "JPEG 2000"}},
    {34887, {"ESRI Lerc", "ESRI Lerc"}},
    {34925, {"LZMA2", "LZMA2"}},
    {50000, {"ZSTD", "ZSTD"}},
    {50001, {"WebP", "WebP"}},
    {50002, {"JPEG XL", "JPEG XL"}},
    {65000, {"Kodak DCR", "Kodak DCR"}},
    {65535, {"Pentax PE (lossy)", "Pentax PE (lossy)"}},
};

constexpr TValueText kPhotometric[] = {
    {0, {"0 — белый", "0 is white"}},
    {1, {"0 — чёрный", "0 is black"}},
    {2, {"RGB", "RGB"}},
    {3, {"Палитра", "Palette"}},
    {4, {"Прозрачность (Mask)", "Transparency (Mask)"}},
    {5, {"CMYK", "CMYK"}},
    {6, {"YCbCr", "YCbCr"}},
    {8, {"CIELab", "CIELab"}},
    {32803, {"CFA (Bayer)", "CFA (Bayer)"}},
    {32844, {"Linear Raw", "Linear Raw"}},
};

constexpr TValueText kOrientation[] = {
    {1, {"Верхний левый угол", "Top left"}},
    {2, {"Верхний правый угол", "Top right"}},
    {3, {"Нижний правый угол", "Bottom right"}},
    {4, {"Нижний левый угол", "Bottom left"}},
    {5, {"Левый верхний угол", "Left top"}},
    {6, {"Правый верхний угол", "Right top"}},
    {7, {"Правый нижний угол", "Right bottom"}},
    {8, {"Левый нижний угол", "Left bottom"}},
};

constexpr TValueText kResolutionUnit[] = {
    {1, {"Нет единиц", "No unit"}},
    {2, {"Дюймы", "Inches"}},
    {3, {"Сантиметры", "Centimetres"}},
};

constexpr TValueText kPlanarConfiguration[] = {
    {1, {"Перемежающийся (RGBRGB…)", "Interleaved (RGBRGB…)"}},
    {2, {"Поканальный (RR…GG…BB…)", "Planar (RR…GG…BB…)"}},
};

constexpr TValueText kSampleFormat[] = {
    {1, {"Беззнаковый целый", "Unsigned integer"}},
    {2, {"Знаковый целый", "Signed integer"}},
    {3, {"IEEE 754 float", "IEEE 754 float"}},
};

constexpr TValueText kFillOrder[] = {
    {1, {"Старший бит первым", "Most significant bit first"}},
    {2, {"Младший бит первым", "Least significant bit first"}},
};

constexpr TValueText kThreshholding[] = {
    {1, {"Нет порога (градации серого)", "No thresholding (grey levels)"}},
    {2, {"Упорядоченный дизеринг", "Ordered dithering"}},
    {3, {"Рандомизированный дизеринг", "Randomized dithering"}},
};

constexpr TValueText kPredictor[] = {
    {1, {"Нет предиктора", "No predictor"}},
    {2, {"Горизонтальное дифференцирование", "Horizontal differencing"}},
};

constexpr TValueText kExposureProgram[] = {
    {0, {"Не определено", "Not defined"}},
    {1, {"Ручной", "Manual"}},
    {2, {"Нормальная программа", "Normal program"}},
    {3, {"Апертура приоритет", "Aperture priority"}},
    {4, {"Выдержка приоритет", "Shutter priority"}},
    {5, {"Креативная программа", "Creative program"}},
    {6, {"Экшн-программа", "Action program"}},
    {7, {"Портрет", "Portrait"}},
    {8, {"Пейзаж", "Landscape"}},
};

constexpr TValueText kMeteringMode[] = {
    {0, {"Неизвестно", "Unknown"}},
    {1, {"Средневзвешенное", "Average"}},
    {2, {"Центрально-взвешенное", "Centre-weighted average"}},
    {3, {"Точечное", "Spot"}},
    {4, {"Многосегментное", "Multi-spot"}},
    {5, {"Матричное", "Pattern"}},
    {6, {"Частичное", "Partial"}},
    {255, {"Другое", "Other"}},
};

constexpr TValueText kLightSource[] = {
    {0, {"Неизвестно", "Unknown"}},
    {1, {"Дневной свет", "Daylight"}},
    {2, {"Флуоресцентный", "Fluorescent"}},
    {3, {"Вольфрамовая лампа", "Tungsten"}},
    {4, {"Вспышка", "Flash"}},
    {9, {"Хорошая погода", "Fine weather"}},
    {10, {"Облачно", "Cloudy"}},
    {17, {"Стандартный свет A", "Standard light A"}},
    {18, {"Стандартный свет B", "Standard light B"}},
    {19, {"Стандартный свет C", "Standard light C"}},
    {20, {"D55", "D55"}},
    {21, {"D65", "D65"}},
    {22, {"D75", "D75"}},
    {255, {"Другой", "Other"}},
};

constexpr TValueText kSensingMethod[] = {
    {1, {"Не определено", "Not defined"}},
    {2, {"Одночиповый цветной сенсор", "One-chip colour area sensor"}},
    {3, {"Двухчиповый цветной сенсор", "Two-chip colour area sensor"}},
    {4, {"Трёхчиповый цветной сенсор", "Three-chip colour area sensor"}},
    {5, {"Цветной последовательный сенсор", "Colour sequential area sensor"}},
    {7, {"Трёхлинейный сенсор", "Trilinear sensor"}},
    {8, {"Цветной последовательный линейный сенсор", "Colour sequential linear sensor"}},
};

constexpr TValueText kSceneCaptureType[] = {
    {0, {"Стандартный", "Standard"}},
    {1, {"Пейзаж", "Landscape"}},
    {2, {"Портрет", "Portrait"}},
    {3, {"Ночная сцена", "Night scene"}},
};

constexpr TValueText kWhiteBalance[] = {
    {0, {"Авто", "Auto"}},
    {1, {"Ручной", "Manual"}},
};

constexpr TValueText kColorSpace[] = {
    {1, {"sRGB", "sRGB"}},
    {2, {"Adobe RGB", "Adobe RGB"}},
    {65535, {"Не откалибровано", "Uncalibrated"}},
    {0, {"Не указано", "Not specified"}},
};

// Bit flags of NewSubfileType in the order they are listed.
constexpr TValueText kSubfileFlags[] = {
    {1, {"Миниатюра", "Reduced image"}},
    {2, {"Факс", "Fax"}},
    {4, {"Маска", "Mask"}},
    {8, {"Альтернативное", "Alternative"}},
    {16, {"Стандартная страница", "Page of a multi-page image"}},
    {32, {"Аннотации", "Annotations"}},
};
// clang-format on

// Texts of the decoders made of more than a table's value.
constexpr texts::TText kUnknownCompression{"Неизвестный", "Unknown"};
constexpr texts::TText kUnknownColorSpace{"Неизвестно (код ", "Unknown (code "};
constexpr texts::TText kFlashNone{"Вспышка не срабатывала", "No flash"};
constexpr texts::TText kFlashFired{"Вспышка сработала", "Flash fired"};
constexpr texts::TText kFlashNotFired{"Вспышка не сработала", "Flash did not fire"};
constexpr texts::TText kMainImage{"Основное изображение", "Main image"};
constexpr texts::TText kUnknownSubfile{"Неизвестный тип (", "Unknown type ("};

} // namespace

std::string GetCompressionName(uint32_t value) {
    std::string name = Lookup(kCompression, value);
    return name.empty() ? std::string(kUnknownCompression()) : name;
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
        name = kUnknownColorSpace() + std::to_string(static_cast<int32_t>(value)) + ")";
    return name;
}

std::string DecodeFlash(uint32_t value) {
    if (value == 0)
        return kFlashNone();
    return (value & 1) != 0 ? kFlashFired() : kFlashNotFired();
}

std::string DecodeNewSubfileType(uint32_t value) {
    if (value == 0)
        return kMainImage();
    std::string text;
    for (const TValueText& flag : kSubfileFlags) {
        if ((value & static_cast<uint32_t>(flag.Value)) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += flag.Text();
    }
    if (text.empty())
        text = kUnknownSubfile() + std::to_string(static_cast<int32_t>(value)) + ")";
    return text;
}

} // namespace vantrel
