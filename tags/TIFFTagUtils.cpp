// SPDX-License-Identifier: MIT
#include "tags/TIFFTagUtils.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel {

namespace {

struct TCatalogueEntry {
    uint16_t TagID;
    std::string_view DisplayName;
    TTagValueDecoder Decoder;
};

// The known tags, sorted by number so that one binary search finds any of them.
// clang-format off
constexpr TCatalogueEntry kCatalogue[] = {
    {   11, "Программа постобработки (ProcessingSoftware)", nullptr},
    {  254, "Тип подфайла (NewSubfileType)", DecodeNewSubfileType},
    {  255, "Тип подфайла устаревший (SubfileType)", nullptr},
    {  256, "Ширина изображения (ImageWidth)", nullptr},
    {  257, "Высота изображения (ImageLength)", nullptr},
    {  258, "Бит на сэмпл (BitsPerSample)", nullptr},
    {  259, "Сжатие (Compression)", GetCompressionName},
    {  262, "Фотометрическая интерпретация (PhotometricInterpretation)", DecodePhotometricInterpretation},
    {  263, "Пороговая обработка (Threshholding)", DecodeThreshholding},
    {  264, "Ширина ячейки (CellWidth)", nullptr},
    {  265, "Высота ячейки (CellLength)", nullptr},
    {  266, "Порядок заполнения (FillOrder)", DecodeFillOrder},
    {  269, "Имя документа (DocumentName)", nullptr},
    {  270, "Описание изображения (ImageDescription)", nullptr},
    {  271, "Производитель (Make)", nullptr},
    {  272, "Модель устройства (Model)", nullptr},
    {  273, "Смещения стрипов (StripOffsets)", nullptr},
    {  274, "Ориентация (Orientation)", DecodeOrientation},
    {  277, "Семплов на пиксель (SamplesPerPixel)", nullptr},
    {  278, "Строк на стрип (RowsPerStrip)", nullptr},
    {  279, "Размер стрипов в байтах (StripByteCounts)", nullptr},
    {  280, "Мин. возможное значение сэмпла (MinSampleValue)", nullptr},
    {  281, "Макс. возможное значение сэмпла (MaxSampleValue)", nullptr},
    {  282, "Разрешение по X (XResolution)", nullptr},
    {  283, "Разрешение по Y (YResolution)", nullptr},
    {  284, "Порядок семплов (PlanarConfiguration)", DecodePlanarConfiguration},
    {  285, "Имя страницы (PageName)", nullptr},
    {  286, "Позиция по X (XPosition)", nullptr},
    {  287, "Позиция по Y (YPosition)", nullptr},
    {  296, "Единица разрешения (ResolutionUnit)", DecodeResolutionUnit},
    {  297, "Номер страницы (PageNumber)", nullptr},
    {  305, "Программное обеспечение (Software)", nullptr},
    {  306, "Дата и время (DateTime)", nullptr},
    {  315, "Автор (Artist)", nullptr},
    {  316, "Хост-компьютер (HostComputer)", nullptr},
    {  317, "Предиктор (Predictor)", DecodePredictor},
    {  322, "Ширина тайла (TileWidth)", nullptr},
    {  323, "Высота тайла (TileLength)", nullptr},
    {  324, "Смещения тайлов (TileOffsets)", nullptr},
    {  325, "Размеры тайлов (TileByteCounts)", nullptr},
    {  338, "Доп. каналы (ExtraSamples)", nullptr},
    {  339, "Формат сэмплов (SampleFormat)", DecodeSampleFormat},
    {  340, "Мин. значение сэмпла со знаком (SMinSampleValue)", nullptr},
    {  341, "Макс. значение сэмпла со знаком (SMaxSampleValue)", nullptr},
    {  700, "XML-метаданные (XMLPacket)", nullptr},
    {33434, "Время выдержки (ExposureTime)", nullptr},
    {33437, "Диафрагма (FNumber)", nullptr},
    {33723, "Метаданные IPTC (RichTiffIPTC)", nullptr},
    {34377, "Данные Photoshop", nullptr},
    {34665, "Смещение EXIF (ExifIFD)", nullptr},
    {34675, "ICC-профиль (ICCProfile)", nullptr},
    {34850, "Программа экспозиции (ExposureProgram)", DecodeExposureProgram},
    {34852, "Спектральная чувствительность (SpectralSensitivity)", nullptr},
    {34855, "Чувствительность ISO (ISOSpeedRatings)", nullptr},
    {34856, "OECF (Опто-электронная характеристика)", nullptr},
    {35244, "Профиль фотоплёнки (FilmProfile)", nullptr},
    {36864, "Версия EXIF (ExifVersion)", nullptr},
    {36867, "Дата и время съёмки (DateTimeOriginal)", nullptr},
    {36868, "Дата оцифровки (DateTimeDigitized)", nullptr},
    {37121, "Конфигурация компонентов (ComponentsConfiguration)", nullptr},
    {37122, "Сжатие на пиксель (CompressedBitsPerPixel)", nullptr},
    {37377, "Значение выдержки (ShutterSpeedValue)", nullptr},
    {37378, "Значение диафрагмы (ApertureValue)", nullptr},
    {37379, "Яркость (BrightnessValue)", nullptr},
    {37380, "Коррекция экспозиции (ExposureBiasValue)", nullptr},
    {37381, "Макс. диафрагма (MaxApertureValue)", nullptr},
    {37382, "Дистанция до объекта (SubjectDistance)", nullptr},
    {37383, "Режим замера (MeteringMode)", DecodeMeteringMode},
    {37384, "Источник света (LightSource)", DecodeLightSource},
    {37385, "Вспышка (Flash)", DecodeFlash},
    {37386, "Фокусное расстояние (FocalLength)", nullptr},
    {37396, "Область объекта (SubjectArea)", nullptr},
    {37500, "Заметки производителя (MakerNote)", nullptr},
    {37510, "Комментарий пользователя (UserComment)", nullptr},
    {40960, "Версия Flashpix (FlashpixVersion)", nullptr},
    {40961, "Цветовое пространство (ColorSpace)", DecodeColorSpace},
    {40962, "Ширина изображения в пикселях (PixelXDimension)", nullptr},
    {40963, "Высота изображения в пикселях (PixelYDimension)", nullptr},
    {40964, "Связанный звуковой файл (RelatedSoundFile)", nullptr},
    {41483, "Энергия вспышки (FlashEnergy)", nullptr},
    {41484, "Пространственная частотная характеристика (SpatialFrequencyResponse)", nullptr},
    {41486, "Разрешение фокальной плоскости по X (FocalPlaneXResolution)", nullptr},
    {41487, "Разрешение фокальной плоскости по Y (FocalPlaneYResolution)", nullptr},
    {41488, "Единица разрешения фокальной плоскости (FocalPlaneResolutionUnit)", nullptr},
    {41492, "Положение объекта (SubjectLocation)", nullptr},
    {41493, "Индекс экспозиции (ExposureIndex)", nullptr},
    {41495, "Метод сенсора (SensingMethod)", DecodeSensingMethod},
    {41728, "Источник файла (FileSource)", nullptr},
    {41729, "Тип сцены (SceneType)", nullptr},
    {41730, "Шаблон CFA (CFAPattern)", nullptr},
    {41985, "Пользовательская обработка (CustomRendered)", nullptr},
    {41986, "Режим экспозиции (ExposureMode)", nullptr},
    {41987, "Баланс белого (WhiteBalance)", DecodeWhiteBalance},
    {41988, "Цифровой зум (DigitalZoomRatio)", nullptr},
    {41989, "Фокусное расстояние для 35 мм (FocalLengthIn35mmFilm)", nullptr},
    {41990, "Тип съёмки (SceneCaptureType)", DecodeSceneCaptureType},
    {41991, "Управление усилением (GainControl)", nullptr},
    {41992, "Контраст (Contrast)", nullptr},
    {41993, "Насыщенность (Saturation)", nullptr},
    {41994, "Резкость (Sharpness)", nullptr},
    {41995, "Описание настроек устройства (DeviceSettingDescription)", nullptr},
    {41996, "Дальность объекта (SubjectDistanceRange)", nullptr},
    {42016, "Уникальный ID изображения (ImageUniqueID)", nullptr},
    {42032, "Имя владельца камеры (CameraOwnerName)", nullptr},
    {42033, "Серийный номер корпуса (BodySerialNumber)", nullptr},
    {42034, "Характеристики объектива (LensSpecification)", nullptr},
    {42035, "Производитель объектива (LensMake)", nullptr},
    {42036, "Модель объектива (LensModel)", nullptr},
    {42037, "Серийный номер объектива (LensSerialNumber)", nullptr},
};
// clang-format on

static_assert(std::size(kCatalogue) == 109);
static_assert(std::ranges::is_sorted(kCatalogue, std::ranges::less{}, &TCatalogueEntry::TagID));

const TCatalogueEntry* FindEntry(uint16_t tagID) {
    const auto* it =
        std::ranges::lower_bound(kCatalogue, tagID, std::ranges::less{}, &TCatalogueEntry::TagID);
    if (it == std::end(kCatalogue) || it->TagID != tagID)
        return nullptr;
    return it;
}

} // namespace

std::string GetTagName(uint16_t tagID) {
    if (const TCatalogueEntry* entry = FindEntry(tagID))
        return std::string(entry->DisplayName);
    return "Тег " + std::to_string(tagID);
}

TTiffTagInfo GetTagInfo(uint16_t tagID) {
    if (const TCatalogueEntry* entry = FindEntry(tagID))
        return {std::string(entry->DisplayName), entry->Decoder};
    return {GetTagName(tagID), nullptr};
}

} // namespace vantrel
