// SPDX-License-Identifier: MIT
#pragma once

// The engine's messages about files, in both languages: what a load, a check or a save tells
// the user when it refuses a file. A message is made in the language of the moment it is
// thrown; the printf directives of its two forms are the same.

#include "texts/Language.h"

namespace vantrel::messages {

using texts::TText;

// Opening and reading a file.
inline constexpr TText FileSizeUnknown{"Не удалось получить размер файла",
                                       "Could not get the size of the file"};
inline constexpr TText FileNotFound{"Файл не найден: ", "File not found: "};
inline constexpr TText FileChangedWhileRead{"Файл изменён другой программой во время чтения",
                                            "The file was changed by another program while it "
                                            "was read"};

// The structure: header, directory, fields.
inline constexpr TText FileTooSmallForTiff{"Файл слишком мал для TIFF",
                                           "The file is too small for a TIFF"};
inline constexpr TText BadSignature{"Неверная сигнатура TIFF-файла: ожидалось \"II\" или \"MM\"",
                                    "Not a TIFF file signature: expected \"II\" or \"MM\""};
inline constexpr TText IfdOffsetOutside{"Смещение IFD за пределами файла",
                                        "The IFD offset lies outside the file"};
inline constexpr TText IfdCountMissing{"Недостаточно данных для чтения количества записей IFD",
                                       "Too little data to read the number of IFD entries"};
inline constexpr TText TooManyIfdEntries{"Слишком много записей IFD (%d)",
                                         "Too many IFD entries (%d)"};
inline constexpr TText IfdTruncated{"Недостаточно данных для чтения IFD",
                                    "Too little data to read the IFD"};
inline constexpr TText BadIfdCount{"Недопустимое количество записей IFD (%d)",
                                   "Invalid number of IFD entries (%d)"};
inline constexpr TText IfdEntriesTruncated{"Недостаточно данных для чтения всех записей IFD",
                                           "Too little data to read all IFD entries"};
inline constexpr TText EmptyBitsPerSample{"Тег 258: пустой массив BitsPerSample",
                                          "Tag 258: empty BitsPerSample array"};
inline constexpr TText UnevenBitsPerSample{"Тег 258: неравномерная битность каналов: %d != %d",
                                           "Tag 258: channels of different bit depths: %d != %d"};
inline constexpr TText Only16Bit{"Поддерживается только 16-битный TIFF. Получено %d бит на сэмпл",
                                 "Only 16-bit TIFF is supported. Got %d bits per sample"};
inline constexpr TText OnlyUncompressed{
    "Поддерживается только сжатие = 1 (без сжатия), получено %u (",
    "Only compression = 1 (uncompressed) is supported, got %u ("};
inline constexpr TText NoBitsPerSample{"Тег BitsPerSample (258) не найден",
                                       "Tag BitsPerSample (258) not found"};
inline constexpr TText NoCompression{"Тег Compression (259) не найден",
                                     "Tag Compression (259) not found"};
inline constexpr TText NoStripOffsets{"Тег StripOffsets (273) не найден",
                                      "Tag StripOffsets (273) not found"};
inline constexpr TText NoStripByteCounts{"Тег StripByteCounts (279) не найден",
                                         "Tag StripByteCounts (279) not found"};
inline constexpr TText NoSamplesPerPixel{"Тег SamplesPerPixel (277) не найден",
                                         "Tag SamplesPerPixel (277) not found"};
inline constexpr TText NoImageWidth{"Тег ImageWidth (256) не найден или равен нулю",
                                    "Tag ImageWidth (256) not found or zero"};
inline constexpr TText NoImageHeight{"Тег ImageHeight (257) не найден или равен нулю",
                                     "Tag ImageHeight (257) not found or zero"};
inline constexpr TText EmptyStripOffsets{"Массив StripOffsets пуст",
                                         "The StripOffsets array is empty"};
inline constexpr TText StripArraysDiffer{
    "Несовпадение длины StripOffsets (%zu) и StripByteCounts (%zu)",
    "StripOffsets (%zu) and StripByteCounts (%zu) differ in length"};
inline constexpr TText FieldCountTooLarge{"Тег %d: подозрительно большой Count = %u",
                                          "Tag %d: suspiciously large Count = %u"};
inline constexpr TText FieldTypeUnsupported{"Тег %d: неподдерживаемый DataType %d",
                                            "Tag %d: unsupported DataType %d"};
inline constexpr TText FieldArrayOutside{"Тег %d: смещение массива за пределами файла",
                                         "Tag %d: the array's offset lies outside the file"};
inline constexpr TText FieldArrayTruncated{
    "Тег %d: недостаточно данных для массива (требуется %llu байт, доступно %llu)",
    "Tag %d: too little data for the array (%llu bytes needed, %llu available)"};
inline constexpr TText FieldValueOutside{"Тег %d: смещение значения за пределами файла",
                                         "Tag %d: the value's offset lies outside the file"};
inline constexpr TText FieldValueTruncated{"Тег %d: недостаточно данных для %s",
                                           "Tag %d: too little data for %s"};

// The strips and the samples.
inline constexpr TText StripOffsetOutside{"StripOffset за пределами файла",
                                          "A StripOffset lies outside the file"};
inline constexpr TText StripByteCountOutside{"StripByteCount выходит за пределы файла",
                                             "A StripByteCount reaches beyond the file"};
inline constexpr TText TooMuchStripData{"Слишком много данных в стрипах",
                                        "Too much data in the strips"};
inline constexpr TText TooLittleStripData{"Недостаточно данных в стрипах",
                                          "Too little data in the strips"};
inline constexpr TText StripCountDiffers{
    "Несоответствие количества стрипов: ожидалось %llu, получено %zu",
    "Wrong number of strips: expected %llu, got %zu"};
inline constexpr TText StripIndexOutside{"Выход за пределы массива стрипов",
                                         "Past the end of the strip array"};
inline constexpr TText StripSizeDiffers{
    "Несоответствие размера стрипа: ожидалось %llu слов, получено %u",
    "Wrong strip size: expected %llu words, got %u"};
inline constexpr TText ImageTooLarge{"Изображение слишком большое", "The image is too large"};
inline constexpr TText PlanarUnsupported{"Неподдерживаемая PlanarConfiguration",
                                         "Unsupported PlanarConfiguration"};

// Saving.
inline constexpr TText FurtherPagesLost{
    "В файле есть другие страницы того же размера (%s): сохраняется только первая страница, и "
    "они были бы потеряны. Файл не сохранён",
    "The file has further pages of the same size (%s): only the first page is saved, and they "
    "would be lost. The file was not saved"};
inline constexpr TText TooLargeForTiff{"Изображение слишком велико для формата TIFF.",
                                       "The image is too large for the TIFF format."};
inline constexpr TText NotReadBack{
    "Записанный файл не читается так, как был сохранён (%s); файл не сохранён",
    "The written file does not read back as it was saved (%s); the file was not saved"};
inline constexpr TText OtherSamples{"описание сэмплов не совпадает с записанными словами",
                                    "the description of the samples does not match the words "
                                    "written"};
inline constexpr TText PixelDataLength{"Несоответствие длины PixelData",
                                       "PixelData has the wrong length"};
inline constexpr TText WidthNotPositive{"Ширина должна быть > 0", "The width must be > 0"};
inline constexpr TText HeightNotPositive{"Высота должна быть > 0", "The height must be > 0"};
inline constexpr TText SamplesNotPositive{"SamplesPerPixel должно быть > 0",
                                          "SamplesPerPixel must be > 0"};

// The placeholders of the tag table's value texts.
inline constexpr TText ReadErrorValue{"[ошибка при чтении]", "[read error]"};
inline constexpr TText OutOfRangeValue{"[выход за диапазон]", "[out of range]"};
inline constexpr TText UnsupportedTypeValue{"[неподдерживаемый тип]", "[unsupported type]"};
inline constexpr TText FloatArrayValue{"[массив значений с плавающей точкой]",
                                       "[array of floating-point values]"};
inline constexpr TText ValueArrayValue{"[массив значений]", "[array of values]"};
inline constexpr TText InvalidUtf8Value{"[некорректный UTF-8]", "[invalid UTF-8]"};
inline constexpr TText TooManyElementsValue{" элементов — слишком много для отображения]",
                                            " elements — too many to show]"};
inline constexpr TText UndefinedTypeName{"Неопред.", "UNDEFINED"};

// Every message above, for the checks of the catalogue.
inline constexpr const TText* All[] = {
    &FileSizeUnknown,      &FileNotFound,
    &FileChangedWhileRead, &FileTooSmallForTiff,
    &BadSignature,         &IfdOffsetOutside,
    &IfdCountMissing,      &TooManyIfdEntries,
    &IfdTruncated,         &BadIfdCount,
    &IfdEntriesTruncated,  &EmptyBitsPerSample,
    &UnevenBitsPerSample,  &Only16Bit,
    &OnlyUncompressed,     &NoBitsPerSample,
    &NoCompression,        &NoStripOffsets,
    &NoStripByteCounts,    &NoSamplesPerPixel,
    &NoImageWidth,         &NoImageHeight,
    &EmptyStripOffsets,    &StripArraysDiffer,
    &FieldCountTooLarge,   &FieldTypeUnsupported,
    &FieldArrayOutside,    &FieldArrayTruncated,
    &FieldValueOutside,    &FieldValueTruncated,
    &StripOffsetOutside,   &StripByteCountOutside,
    &TooMuchStripData,     &TooLittleStripData,
    &StripCountDiffers,    &StripIndexOutside,
    &StripSizeDiffers,     &ImageTooLarge,
    &PlanarUnsupported,    &FurtherPagesLost,
    &TooLargeForTiff,      &NotReadBack,
    &OtherSamples,         &PixelDataLength,
    &WidthNotPositive,     &HeightNotPositive,
    &SamplesNotPositive,   &ReadErrorValue,
    &OutOfRangeValue,      &UnsupportedTypeValue,
    &FloatArrayValue,      &ValueArrayValue,
    &InvalidUtf8Value,     &TooManyElementsValue,
    &UndefinedTypeName,
};

} // namespace vantrel::messages
