// SPDX-License-Identifier: MIT
#include "tags/TIFFTagUtils.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "texts/Language.h"

namespace vantrel {

namespace {

struct TCatalogueEntry {
    uint16_t TagID;
    texts::TText DisplayName;
    TTagValueDecoder Decoder;
};

// The known tags, sorted by number so that one binary search finds any of them.
// clang-format off
constexpr TCatalogueEntry kCatalogue[] = {
    {   11, {"Программа постобработки (ProcessingSoftware)", "Processing software (ProcessingSoftware)"}, nullptr},
    {  254, {"Тип подфайла (NewSubfileType)", "Subfile type (NewSubfileType)"}, DecodeNewSubfileType},
    {  255, {"Тип подфайла устаревший (SubfileType)", "Subfile type, obsolete (SubfileType)"}, nullptr},
    {  256, {"Ширина изображения (ImageWidth)", "Image width (ImageWidth)"}, nullptr},
    {  257, {"Высота изображения (ImageLength)", "Image height (ImageLength)"}, nullptr},
    {  258, {"Бит на сэмпл (BitsPerSample)", "Bits per sample (BitsPerSample)"}, nullptr},
    {  259, {"Сжатие (Compression)", "Compression"}, GetCompressionName},
    {  262, {"Фотометрическая интерпретация (PhotometricInterpretation)", "Photometric interpretation (PhotometricInterpretation)"}, DecodePhotometricInterpretation},
    {  263, {"Пороговая обработка (Threshholding)", "Thresholding (Threshholding)"}, DecodeThreshholding},
    {  264, {"Ширина ячейки (CellWidth)", "Cell width (CellWidth)"}, nullptr},
    {  265, {"Высота ячейки (CellLength)", "Cell height (CellLength)"}, nullptr},
    {  266, {"Порядок заполнения (FillOrder)", "Fill order (FillOrder)"}, DecodeFillOrder},
    {  269, {"Имя документа (DocumentName)", "Document name (DocumentName)"}, nullptr},
    {  270, {"Описание изображения (ImageDescription)", "Image description (ImageDescription)"}, nullptr},
    {  271, {"Производитель (Make)", "Manufacturer (Make)"}, nullptr},
    {  272, {"Модель устройства (Model)", "Device model (Model)"}, nullptr},
    {  273, {"Смещения стрипов (StripOffsets)", "Strip offsets (StripOffsets)"}, nullptr},
    {  274, {"Ориентация (Orientation)", "Orientation"}, DecodeOrientation},
    {  277, {"Семплов на пиксель (SamplesPerPixel)", "Samples per pixel (SamplesPerPixel)"}, nullptr},
    {  278, {"Строк на стрип (RowsPerStrip)", "Rows per strip (RowsPerStrip)"}, nullptr},
    {  279, {"Размер стрипов в байтах (StripByteCounts)", "Strip sizes in bytes (StripByteCounts)"}, nullptr},
    {  280, {"Мин. возможное значение сэмпла (MinSampleValue)", "Min. possible sample value (MinSampleValue)"}, nullptr},
    {  281, {"Макс. возможное значение сэмпла (MaxSampleValue)", "Max. possible sample value (MaxSampleValue)"}, nullptr},
    {  282, {"Разрешение по X (XResolution)", "X resolution (XResolution)"}, nullptr},
    {  283, {"Разрешение по Y (YResolution)", "Y resolution (YResolution)"}, nullptr},
    {  284, {"Порядок семплов (PlanarConfiguration)", "Sample arrangement (PlanarConfiguration)"}, DecodePlanarConfiguration},
    {  285, {"Имя страницы (PageName)", "Page name (PageName)"}, nullptr},
    {  286, {"Позиция по X (XPosition)", "X position (XPosition)"}, nullptr},
    {  287, {"Позиция по Y (YPosition)", "Y position (YPosition)"}, nullptr},
    {  296, {"Единица разрешения (ResolutionUnit)", "Resolution unit (ResolutionUnit)"}, DecodeResolutionUnit},
    {  297, {"Номер страницы (PageNumber)", "Page number (PageNumber)"}, nullptr},
    {  305, {"Программное обеспечение (Software)", "Software"}, nullptr},
    {  306, {"Дата и время (DateTime)", "Date and time (DateTime)"}, nullptr},
    {  315, {"Автор (Artist)", "Artist"}, nullptr},
    {  316, {"Хост-компьютер (HostComputer)", "Host computer (HostComputer)"}, nullptr},
    {  317, {"Предиктор (Predictor)", "Predictor"}, DecodePredictor},
    {  322, {"Ширина тайла (TileWidth)", "Tile width (TileWidth)"}, nullptr},
    {  323, {"Высота тайла (TileLength)", "Tile height (TileLength)"}, nullptr},
    {  324, {"Смещения тайлов (TileOffsets)", "Tile offsets (TileOffsets)"}, nullptr},
    {  325, {"Размеры тайлов (TileByteCounts)", "Tile sizes (TileByteCounts)"}, nullptr},
    {  338, {"Доп. каналы (ExtraSamples)", "Extra channels (ExtraSamples)"}, nullptr},
    {  339, {"Формат сэмплов (SampleFormat)", "Sample format (SampleFormat)"}, DecodeSampleFormat},
    {  340, {"Мин. значение сэмпла со знаком (SMinSampleValue)", "Min. signed sample value (SMinSampleValue)"}, nullptr},
    {  341, {"Макс. значение сэмпла со знаком (SMaxSampleValue)", "Max. signed sample value (SMaxSampleValue)"}, nullptr},
    {  700, {"XML-метаданные (XMLPacket)", "XML metadata (XMLPacket)"}, nullptr},
    {33434, {"Время выдержки (ExposureTime)", "Exposure time (ExposureTime)"}, nullptr},
    {33437, {"Диафрагма (FNumber)", "Aperture (FNumber)"}, nullptr},
    {33723, {"Метаданные IPTC (RichTiffIPTC)", "IPTC metadata (RichTiffIPTC)"}, nullptr},
    {34377, {"Данные Photoshop", "Photoshop data"}, nullptr},
    {34665, {"Смещение EXIF (ExifIFD)", "EXIF offset (ExifIFD)"}, nullptr},
    {34675, {"ICC-профиль (ICCProfile)", "ICC profile (ICCProfile)"}, nullptr},
    {34850, {"Программа экспозиции (ExposureProgram)", "Exposure program (ExposureProgram)"}, DecodeExposureProgram},
    {34852, {"Спектральная чувствительность (SpectralSensitivity)", "Spectral sensitivity (SpectralSensitivity)"}, nullptr},
    {34855, {"Чувствительность ISO (ISOSpeedRatings)", "ISO speed (ISOSpeedRatings)"}, nullptr},
    {34856, {"OECF (Опто-электронная характеристика)", "OECF (opto-electronic conversion function)"}, nullptr},
    {35244, {"Профиль фотоплёнки (FilmProfile)", "Film profile (FilmProfile)"}, nullptr},
    {36864, {"Версия EXIF (ExifVersion)", "EXIF version (ExifVersion)"}, nullptr},
    {36867, {"Дата и время съёмки (DateTimeOriginal)", "Date and time taken (DateTimeOriginal)"}, nullptr},
    {36868, {"Дата оцифровки (DateTimeDigitized)", "Date digitized (DateTimeDigitized)"}, nullptr},
    {37121, {"Конфигурация компонентов (ComponentsConfiguration)", "Components configuration (ComponentsConfiguration)"}, nullptr},
    {37122, {"Сжатие на пиксель (CompressedBitsPerPixel)", "Compressed bits per pixel (CompressedBitsPerPixel)"}, nullptr},
    {37377, {"Значение выдержки (ShutterSpeedValue)", "Shutter speed value (ShutterSpeedValue)"}, nullptr},
    {37378, {"Значение диафрагмы (ApertureValue)", "Aperture value (ApertureValue)"}, nullptr},
    {37379, {"Яркость (BrightnessValue)", "Brightness (BrightnessValue)"}, nullptr},
    {37380, {"Коррекция экспозиции (ExposureBiasValue)", "Exposure compensation (ExposureBiasValue)"}, nullptr},
    {37381, {"Макс. диафрагма (MaxApertureValue)", "Max. aperture (MaxApertureValue)"}, nullptr},
    {37382, {"Дистанция до объекта (SubjectDistance)", "Subject distance (SubjectDistance)"}, nullptr},
    {37383, {"Режим замера (MeteringMode)", "Metering mode (MeteringMode)"}, DecodeMeteringMode},
    {37384, {"Источник света (LightSource)", "Light source (LightSource)"}, DecodeLightSource},
    {37385, {"Вспышка (Flash)", "Flash"}, DecodeFlash},
    {37386, {"Фокусное расстояние (FocalLength)", "Focal length (FocalLength)"}, nullptr},
    {37396, {"Область объекта (SubjectArea)", "Subject area (SubjectArea)"}, nullptr},
    {37500, {"Заметки производителя (MakerNote)", "Maker notes (MakerNote)"}, nullptr},
    {37510, {"Комментарий пользователя (UserComment)", "User comment (UserComment)"}, nullptr},
    {40960, {"Версия Flashpix (FlashpixVersion)", "Flashpix version (FlashpixVersion)"}, nullptr},
    {40961, {"Цветовое пространство (ColorSpace)", "Colour space (ColorSpace)"}, DecodeColorSpace},
    {40962, {"Ширина изображения в пикселях (PixelXDimension)", "Image width in pixels (PixelXDimension)"}, nullptr},
    {40963, {"Высота изображения в пикселях (PixelYDimension)", "Image height in pixels (PixelYDimension)"}, nullptr},
    {40964, {"Связанный звуковой файл (RelatedSoundFile)", "Related sound file (RelatedSoundFile)"}, nullptr},
    {41483, {"Энергия вспышки (FlashEnergy)", "Flash energy (FlashEnergy)"}, nullptr},
    {41484, {"Пространственная частотная характеристика (SpatialFrequencyResponse)", "Spatial frequency response (SpatialFrequencyResponse)"}, nullptr},
    {41486, {"Разрешение фокальной плоскости по X (FocalPlaneXResolution)", "Focal plane X resolution (FocalPlaneXResolution)"}, nullptr},
    {41487, {"Разрешение фокальной плоскости по Y (FocalPlaneYResolution)", "Focal plane Y resolution (FocalPlaneYResolution)"}, nullptr},
    {41488, {"Единица разрешения фокальной плоскости (FocalPlaneResolutionUnit)", "Focal plane resolution unit (FocalPlaneResolutionUnit)"}, nullptr},
    {41492, {"Положение объекта (SubjectLocation)", "Subject location (SubjectLocation)"}, nullptr},
    {41493, {"Индекс экспозиции (ExposureIndex)", "Exposure index (ExposureIndex)"}, nullptr},
    {41495, {"Метод сенсора (SensingMethod)", "Sensing method (SensingMethod)"}, DecodeSensingMethod},
    {41728, {"Источник файла (FileSource)", "File source (FileSource)"}, nullptr},
    {41729, {"Тип сцены (SceneType)", "Scene type (SceneType)"}, nullptr},
    {41730, {"Шаблон CFA (CFAPattern)", "CFA pattern (CFAPattern)"}, nullptr},
    {41985, {"Пользовательская обработка (CustomRendered)", "Custom rendering (CustomRendered)"}, nullptr},
    {41986, {"Режим экспозиции (ExposureMode)", "Exposure mode (ExposureMode)"}, nullptr},
    {41987, {"Баланс белого (WhiteBalance)", "White balance (WhiteBalance)"}, DecodeWhiteBalance},
    {41988, {"Цифровой зум (DigitalZoomRatio)", "Digital zoom (DigitalZoomRatio)"}, nullptr},
    {41989, {"Фокусное расстояние для 35 мм (FocalLengthIn35mmFilm)", "Focal length in 35 mm film (FocalLengthIn35mmFilm)"}, nullptr},
    {41990, {"Тип съёмки (SceneCaptureType)", "Scene capture type (SceneCaptureType)"}, DecodeSceneCaptureType},
    {41991, {"Управление усилением (GainControl)", "Gain control (GainControl)"}, nullptr},
    {41992, {"Контраст (Contrast)", "Contrast"}, nullptr},
    {41993, {"Насыщенность (Saturation)", "Saturation"}, nullptr},
    {41994, {"Резкость (Sharpness)", "Sharpness"}, nullptr},
    {41995, {"Описание настроек устройства (DeviceSettingDescription)", "Device settings description (DeviceSettingDescription)"}, nullptr},
    {41996, {"Дальность объекта (SubjectDistanceRange)", "Subject distance range (SubjectDistanceRange)"}, nullptr},
    {42016, {"Уникальный ID изображения (ImageUniqueID)", "Unique image ID (ImageUniqueID)"}, nullptr},
    {42032, {"Имя владельца камеры (CameraOwnerName)", "Camera owner name (CameraOwnerName)"}, nullptr},
    {42033, {"Серийный номер корпуса (BodySerialNumber)", "Body serial number (BodySerialNumber)"}, nullptr},
    {42034, {"Характеристики объектива (LensSpecification)", "Lens specification (LensSpecification)"}, nullptr},
    {42035, {"Производитель объектива (LensMake)", "Lens make (LensMake)"}, nullptr},
    {42036, {"Модель объектива (LensModel)", "Lens model (LensModel)"}, nullptr},
    {42037, {"Серийный номер объектива (LensSerialNumber)", "Lens serial number (LensSerialNumber)"}, nullptr},
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
        return entry->DisplayName();
    static constexpr texts::TText kUnknown{"Тег ", "Tag "};
    return kUnknown() + std::to_string(tagID);
}

TTiffTagInfo GetTagInfo(uint16_t tagID) {
    if (const TCatalogueEntry* entry = FindEntry(tagID))
        return {entry->DisplayName(), entry->Decoder};
    return {GetTagName(tagID), nullptr};
}

} // namespace vantrel
