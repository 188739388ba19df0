// SPDX-License-Identifier: MIT
// The tag catalogue: every name, every decoder value, and what unknown numbers get.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tags/TIFFTagUtils.h"

namespace vantrel {
namespace {

struct TNameCase {
    uint16_t TagID;
    const char* Name;
    bool HasDecoder;
};

// clang-format off
constexpr TNameCase kNames[] = {
    {   11, "Программа постобработки (ProcessingSoftware)", false},
    {  254, "Тип подфайла (NewSubfileType)", true},
    {  255, "Тип подфайла устаревший (SubfileType)", false},
    {  256, "Ширина изображения (ImageWidth)", false},
    {  257, "Высота изображения (ImageLength)", false},
    {  258, "Бит на сэмпл (BitsPerSample)", false},
    {  259, "Сжатие (Compression)", true},
    {  262, "Фотометрическая интерпретация (PhotometricInterpretation)", true},
    {  263, "Пороговая обработка (Threshholding)", true},
    {  264, "Ширина ячейки (CellWidth)", false},
    {  265, "Высота ячейки (CellLength)", false},
    {  266, "Порядок заполнения (FillOrder)", true},
    {  269, "Имя документа (DocumentName)", false},
    {  270, "Описание изображения (ImageDescription)", false},
    {  271, "Производитель (Make)", false},
    {  272, "Модель устройства (Model)", false},
    {  273, "Смещения стрипов (StripOffsets)", false},
    {  274, "Ориентация (Orientation)", true},
    {  277, "Семплов на пиксель (SamplesPerPixel)", false},
    {  278, "Строк на стрип (RowsPerStrip)", false},
    {  279, "Размер стрипов в байтах (StripByteCounts)", false},
    {  280, "Мин. возможное значение сэмпла (MinSampleValue)", false},
    {  281, "Макс. возможное значение сэмпла (MaxSampleValue)", false},
    {  282, "Разрешение по X (XResolution)", false},
    {  283, "Разрешение по Y (YResolution)", false},
    {  284, "Порядок семплов (PlanarConfiguration)", true},
    {  285, "Имя страницы (PageName)", false},
    {  286, "Позиция по X (XPosition)", false},
    {  287, "Позиция по Y (YPosition)", false},
    {  296, "Единица разрешения (ResolutionUnit)", true},
    {  297, "Номер страницы (PageNumber)", false},
    {  305, "Программное обеспечение (Software)", false},
    {  306, "Дата и время (DateTime)", false},
    {  315, "Автор (Artist)", false},
    {  316, "Хост-компьютер (HostComputer)", false},
    {  317, "Предиктор (Predictor)", true},
    {  322, "Ширина тайла (TileWidth)", false},
    {  323, "Высота тайла (TileLength)", false},
    {  324, "Смещения тайлов (TileOffsets)", false},
    {  325, "Размеры тайлов (TileByteCounts)", false},
    {  338, "Доп. каналы (ExtraSamples)", false},
    {  339, "Формат сэмплов (SampleFormat)", true},
    {  340, "Мин. значение сэмпла со знаком (SMinSampleValue)", false},
    {  341, "Макс. значение сэмпла со знаком (SMaxSampleValue)", false},
    {  700, "XML-метаданные (XMLPacket)", false},
    {33434, "Время выдержки (ExposureTime)", false},
    {33437, "Диафрагма (FNumber)", false},
    {33723, "Метаданные IPTC (RichTiffIPTC)", false},
    {34377, "Данные Photoshop", false},
    {34665, "Смещение EXIF (ExifIFD)", false},
    {34675, "ICC-профиль (ICCProfile)", false},
    {34850, "Программа экспозиции (ExposureProgram)", true},
    {34852, "Спектральная чувствительность (SpectralSensitivity)", false},
    {34855, "Чувствительность ISO (ISOSpeedRatings)", false},
    {34856, "OECF (Опто-электронная характеристика)", false},
    {35244, "Профиль фотоплёнки (FilmProfile)", false},
    {36864, "Версия EXIF (ExifVersion)", false},
    {36867, "Дата и время съёмки (DateTimeOriginal)", false},
    {36868, "Дата оцифровки (DateTimeDigitized)", false},
    {37121, "Конфигурация компонентов (ComponentsConfiguration)", false},
    {37122, "Сжатие на пиксель (CompressedBitsPerPixel)", false},
    {37377, "Значение выдержки (ShutterSpeedValue)", false},
    {37378, "Значение диафрагмы (ApertureValue)", false},
    {37379, "Яркость (BrightnessValue)", false},
    {37380, "Коррекция экспозиции (ExposureBiasValue)", false},
    {37381, "Макс. диафрагма (MaxApertureValue)", false},
    {37382, "Дистанция до объекта (SubjectDistance)", false},
    {37383, "Режим замера (MeteringMode)", true},
    {37384, "Источник света (LightSource)", true},
    {37385, "Вспышка (Flash)", true},
    {37386, "Фокусное расстояние (FocalLength)", false},
    {37396, "Область объекта (SubjectArea)", false},
    {37500, "Заметки производителя (MakerNote)", false},
    {37510, "Комментарий пользователя (UserComment)", false},
    {40960, "Версия Flashpix (FlashpixVersion)", false},
    {40961, "Цветовое пространство (ColorSpace)", true},
    {40962, "Ширина изображения в пикселях (PixelXDimension)", false},
    {40963, "Высота изображения в пикселях (PixelYDimension)", false},
    {40964, "Связанный звуковой файл (RelatedSoundFile)", false},
    {41483, "Энергия вспышки (FlashEnergy)", false},
    {41484, "Пространственная частотная характеристика (SpatialFrequencyResponse)", false},
    {41486, "Разрешение фокальной плоскости по X (FocalPlaneXResolution)", false},
    {41487, "Разрешение фокальной плоскости по Y (FocalPlaneYResolution)", false},
    {41488, "Единица разрешения фокальной плоскости (FocalPlaneResolutionUnit)", false},
    {41492, "Положение объекта (SubjectLocation)", false},
    {41493, "Индекс экспозиции (ExposureIndex)", false},
    {41495, "Метод сенсора (SensingMethod)", true},
    {41728, "Источник файла (FileSource)", false},
    {41729, "Тип сцены (SceneType)", false},
    {41730, "Шаблон CFA (CFAPattern)", false},
    {41985, "Пользовательская обработка (CustomRendered)", false},
    {41986, "Режим экспозиции (ExposureMode)", false},
    {41987, "Баланс белого (WhiteBalance)", true},
    {41988, "Цифровой зум (DigitalZoomRatio)", false},
    {41989, "Фокусное расстояние для 35 мм (FocalLengthIn35mmFilm)", false},
    {41990, "Тип съёмки (SceneCaptureType)", true},
    {41991, "Управление усилением (GainControl)", false},
    {41992, "Контраст (Contrast)", false},
    {41993, "Насыщенность (Saturation)", false},
    {41994, "Резкость (Sharpness)", false},
    {41995, "Описание настроек устройства (DeviceSettingDescription)", false},
    {41996, "Дальность объекта (SubjectDistanceRange)", false},
    {42016, "Уникальный ID изображения (ImageUniqueID)", false},
    {42032, "Имя владельца камеры (CameraOwnerName)", false},
    {42033, "Серийный номер корпуса (BodySerialNumber)", false},
    {42034, "Характеристики объектива (LensSpecification)", false},
    {42035, "Производитель объектива (LensMake)", false},
    {42036, "Модель объектива (LensModel)", false},
    {42037, "Серийный номер объектива (LensSerialNumber)", false},
};
// clang-format on

TEST(TagCatalogue, EveryKnownTagHasItsNameAndDecoder) {
    for (const TNameCase& c : kNames) {
        SCOPED_TRACE(c.TagID);
        EXPECT_EQ(GetTagName(c.TagID), c.Name);
        const TTiffTagInfo info = GetTagInfo(c.TagID);
        EXPECT_EQ(info.DisplayName, c.Name);
        EXPECT_EQ(info.DecodeValue != nullptr, c.HasDecoder);
    }
}

TEST(TagCatalogue, EveryOtherNumberGetsTheGenericName) {
    // Walk all 65 536 numbers: exactly the 109 known ones have their own name.
    int known = 0;
    for (uint32_t id = 0; id <= 0xFFFF; ++id) {
        const std::string name = GetTagName(static_cast<uint16_t>(id));
        ASSERT_FALSE(name.empty());
        if (name == "Тег " + std::to_string(id)) {
            EXPECT_EQ(GetTagInfo(static_cast<uint16_t>(id)).DecodeValue, nullptr);
        } else {
            ++known;
        }
    }
    EXPECT_EQ(known, 109);
    EXPECT_EQ(GetTagName(0), "Тег 0");
    EXPECT_EQ(GetTagName(300), "Тег 300");
    EXPECT_EQ(GetTagName(336), "Тег 336");
    EXPECT_EQ(GetTagName(65535), "Тег 65535");
}

TEST(TagCatalogue, DecodersBelongToTheirTags) {
    const struct {
        uint16_t TagID;
        TTagValueDecoder Decoder;
    } cases[] = {
        {254, DecodeNewSubfileType},
        {259, GetCompressionName},
        {262, DecodePhotometricInterpretation},
        {263, DecodeThreshholding},
        {266, DecodeFillOrder},
        {274, DecodeOrientation},
        {284, DecodePlanarConfiguration},
        {296, DecodeResolutionUnit},
        {317, DecodePredictor},
        {339, DecodeSampleFormat},
        {34850, DecodeExposureProgram},
        {37383, DecodeMeteringMode},
        {37384, DecodeLightSource},
        {37385, DecodeFlash},
        {40961, DecodeColorSpace},
        {41495, DecodeSensingMethod},
        {41987, DecodeWhiteBalance},
        {41990, DecodeSceneCaptureType},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTagInfo(c.TagID).DecodeValue, c.Decoder) << c.TagID;
}

struct TDecodeCase {
    uint16_t TagID;
    int64_t Value; // taken as the 32-bit value of the tag
    const char* Text;
};

// clang-format off
const TDecodeCase kDecodes[] = {
    {262, 0, "0 — белый"}, {262, 1, "0 — чёрный"}, {262, 2, "RGB"}, {262, 3, "Палитра"},
    {262, 4, "Прозрачность (Mask)"}, {262, 5, "CMYK"}, {262, 6, "YCbCr"}, {262, 7, ""},
    {262, 8, "CIELab"}, {262, 32803, "CFA (Bayer)"}, {262, 32844, "Linear Raw"},
    {274, 0, ""}, {274, 1, "Верхний левый угол"}, {274, 2, "Верхний правый угол"},
    {274, 3, "Нижний правый угол"}, {274, 4, "Нижний левый угол"}, {274, 5, "Левый верхний угол"},
    {274, 6, "Правый верхний угол"}, {274, 7, "Правый нижний угол"}, {274, 8, "Левый нижний угол"},
    {274, 9, ""},
    {296, 1, "Нет единиц"}, {296, 2, "Дюймы"}, {296, 3, "Сантиметры"}, {296, 4, ""},
    {284, 1, "Перемежающийся (RGBRGB…)"}, {284, 2, "Поканальный (RR…GG…BB…)"}, {284, 3, ""},
    {339, 1, "Беззнаковый целый"}, {339, 2, "Знаковый целый"}, {339, 3, "IEEE 754 float"},
    {339, 4, ""},
    {266, 1, "Старший бит первым"}, {266, 2, "Младший бит первым"}, {266, 0, ""},
    {263, 1, "Нет порога (градации серого)"}, {263, 2, "Упорядоченный дизеринг"},
    {263, 3, "Рандомизированный дизеринг"}, {263, 4, ""},
    {317, 1, "Нет предиктора"}, {317, 2, "Горизонтальное дифференцирование"}, {317, 3, ""},
    {34850, 0, "Не определено"}, {34850, 1, "Ручной"}, {34850, 2, "Нормальная программа"},
    {34850, 3, "Апертура приоритет"}, {34850, 4, "Выдержка приоритет"},
    {34850, 5, "Креативная программа"}, {34850, 6, "Экшн-программа"}, {34850, 7, "Портрет"},
    {34850, 8, "Пейзаж"}, {34850, 9, ""},
    {37383, 0, "Неизвестно"}, {37383, 1, "Средневзвешенное"}, {37383, 2, "Центрально-взвешенное"},
    {37383, 3, "Точечное"}, {37383, 4, "Многосегментное"}, {37383, 5, "Матричное"},
    {37383, 6, "Частичное"}, {37383, 255, "Другое"}, {37383, 7, ""},
    {37384, 0, "Неизвестно"}, {37384, 1, "Дневной свет"}, {37384, 2, "Флуоресцентный"},
    {37384, 3, "Вольфрамовая лампа"}, {37384, 4, "Вспышка"}, {37384, 9, "Хорошая погода"},
    {37384, 10, "Облачно"}, {37384, 17, "Стандартный свет A"}, {37384, 18, "Стандартный свет B"},
    {37384, 19, "Стандартный свет C"}, {37384, 20, "D55"}, {37384, 21, "D65"}, {37384, 22, "D75"},
    {37384, 255, "Другой"}, {37384, 5, ""},
    {41495, 1, "Не определено"}, {41495, 2, "Одночиповый цветной сенсор"},
    {41495, 3, "Двухчиповый цветной сенсор"}, {41495, 4, "Трёхчиповый цветной сенсор"},
    {41495, 5, "Цветной последовательный сенсор"}, {41495, 7, "Трёхлинейный сенсор"},
    {41495, 8, "Цветной последовательный линейный сенсор"}, {41495, 6, ""},
    {41990, 0, "Стандартный"}, {41990, 1, "Пейзаж"}, {41990, 2, "Портрет"},
    {41990, 3, "Ночная сцена"}, {41990, 4, ""},
    {41987, 0, "Авто"}, {41987, 1, "Ручной"}, {41987, 2, ""},
    // Compression: never empty.
    {259, 0, "Неизвестный"}, {259, 1, "Без сжатия"}, {259, 2, "CCITT Group 3 1D"},
    {259, 3, "CCITT Group 3 2D"}, {259, 4, "CCITT Group 4"}, {259, 5, "LZW"},
    {259, 6, "JPEG (устаревший)"}, {259, 7, "JPEG"}, {259, 8, "Deflate (ZIP)"},
    {259, 9, "JBIG (чёрно-белый)"}, {259, 10, "JBIG (цветной)"}, {259, 32773, "PackBits (RLE)"},
    {259, 32809, "ThunderScan RLE"}, {259, 32946, "Deflate (ZLIB)"}, {259, 32947, "Kodak DCS"},
    {259, 34661, "ISO JBIG"}, {259, 34676, "SGILog"}, {259, 34677, "SGILog24"},
    {259, 34712, "JPEG 2000"}, {259, 34887, "ESRI Lerc"}, {259, 34925, "LZMA2"},
    {259, 50000, "ZSTD"}, {259, 50001, "WebP"}, {259, 65000, "Kodak DCR"},
    {259, 65535, "Pentax PE (lossy)"}, {259, 32948, "Неизвестный"},
    {259, 0x10001, "Неизвестный"},
    // Colour space: never empty; unknown codes are named signed.
    {40961, 0, "Не указано"}, {40961, 1, "sRGB"}, {40961, 2, "Adobe RGB"},
    {40961, 65535, "Не откалибровано"}, {40961, 3, "Неизвестно (код 3)"},
    {40961, 0xFFFFFFFF, "Неизвестно (код -1)"},
    // Flash reads only the lowest bit.
    {37385, 0, "Вспышка не срабатывала"}, {37385, 1, "Вспышка сработала"},
    {37385, 24, "Вспышка не сработала"}, {37385, 25, "Вспышка сработала"},
    // NewSubfileType: flags in their order; higher bits ignored while one of the six is set.
    {254, 0, "Основное изображение"}, {254, 1, "Миниатюра"}, {254, 2, "Факс"},
    {254, 5, "Миниатюра, Маска"}, {254, 65, "Миниатюра"},
    {254, 63, "Миниатюра, Факс, Маска, Альтернативное, Стандартная страница, Аннотации"},
    {254, 64, "Неизвестный тип (64)"}, {254, 0x80000000, "Неизвестный тип (-2147483648)"},
};
// clang-format on

TEST(TagDecoders, ExplainTheListedValuesAndNothingElse) {
    for (const TDecodeCase& c : kDecodes) {
        SCOPED_TRACE(testing::Message() << c.TagID << " = " << c.Value);
        const TTiffTagInfo info = GetTagInfo(c.TagID);
        ASSERT_NE(info.DecodeValue, nullptr);
        EXPECT_EQ(info.DecodeValue(static_cast<uint32_t>(c.Value)), c.Text);
    }
}

TEST(TagDecoders, CompareTheValueAsASigned32BitNumber) {
    // The upper 16 bits take part: a SHORT-sized value with garbage above is not "Дюймы".
    EXPECT_EQ(DecodeResolutionUnit(0x00010002), "");
    EXPECT_EQ(DecodeOrientation(0xFFFFFFFF), "");
}

TEST(VersionText, FormatsTheFourNumbersOrUnknown) {
    EXPECT_EQ(FormatVersionText(TFileVersion{2, 10, 0, 5}, true), "2.10.0 (build 5, x64)");
    EXPECT_EQ(FormatVersionText(TFileVersion{1, 0, 0, 9}, false), "1.0.0 (сборка 9, x64)");
    EXPECT_EQ(FormatVersionText(TFileVersion{65535, 0, 0, 65535}, true),
              "65535.0.0 (build 65535, x64)");
    EXPECT_EQ(FormatVersionText(std::nullopt, true), "Unknown");
    EXPECT_EQ(FormatVersionText(std::nullopt, false), "Unknown");
}

TEST(VersionText, ComesFromTheProjectVersion) {
    EXPECT_EQ(GetVersionText(true), VANTREL_TEST_EXPECTED_VERSION_EN);
    EXPECT_EQ(GetVersionText(false), VANTREL_TEST_EXPECTED_VERSION_RU);
}

} // namespace
} // namespace vantrel
