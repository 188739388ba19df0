// SPDX-License-Identifier: MIT
#pragma once

// The pipeline's texts in both languages, for all four rooms: the engine's errors, the picture
// search's answers, the jobs' messages and the captions and status texts the window puts before
// a file name. Each is read in the language of the moment it is used.

#include "texts/Language.h"

namespace vantrel {

namespace pipeline_texts {

using texts::TText;

// kernels: the view of a colour model the renderer does not draw.
inline constexpr TText UnsupportedGreyModel{
    "Неподдерживаемая цветовая модель для одноканального изображения.\r\n"
    "PhotometricInterpretation = %d (ожидалось 0=WhiteIsZero или 1=BlackIsZero)",
    "Unsupported colour model for a single-channel image.\r\n"
    "PhotometricInterpretation = %d (expected 0=WhiteIsZero or 1=BlackIsZero)"};
inline constexpr TText UnsupportedColourModel{
    "Неподдерживаемая цветовая модель.\r\nSamplesPerPixel = %d, PhotometricInterpretation = %d",
    "Unsupported colour model.\r\nSamplesPerPixel = %d, PhotometricInterpretation = %d"};

// crop
inline constexpr TText FrameOutsideImage{"Рамка выходит за пределы изображения",
                                         "The frame reaches beyond the image"};
inline constexpr TText FileTooSmall{"Файл слишком мал", "The file is too small"};
inline constexpr TText NoSourceData{"Нет данных исходного изображения",
                                    "No data of the source image"};

// detect: why no picture was found, or that one was.
inline constexpr TText DeclineNoImage{"кадр не найден: в изображении нечего искать",
                                      "no picture found: nothing to search in the image"};
inline constexpr TText DeclineBlank{"кадр не найден: в середине скана только подложка плёнки",
                                    "no picture found: only film base in the middle of the scan"};
inline constexpr TText DeclineNoEdges{"кадр не найден: края кадра не видны",
                                      "no picture found: its edges are not visible"};
inline constexpr TText DeclineUnsure{"кадр не найден: края кадра неясны",
                                     "no picture found: its edges are unclear"};
inline constexpr TText PictureFound{"кадр найден", "picture found"};

// jobs: the failures of a job and the advice when memory runs out.
inline constexpr TText UnknownError{"Неизвестная ошибка", "Unknown error"};
inline constexpr TText OutOfMemoryAdvice{
    "Недостаточно непрерывного блока памяти для работы с изображением.\r\n"
    "Несмотря на огромное адресное пространство 64-битного приложения, система не может "
    "выделить требуемый объём оперативной памяти или файла подкачки.\r\n\r\n"
    "Рекомендации:\r\n"
    "• Закройте другие приложения, чтобы освободить память;\r\n"
    "• Увеличьте размер файла подкачки;\r\n"
    "• Обработайте файл во внешнем редакторе и уменьшите его размер.",
    "There is no contiguous block of memory large enough to work with the image.\r\n"
    "Despite the vast address space of a 64-bit application, the system cannot provide the "
    "memory or swap space it needs.\r\n\r\n"
    "Recommendations:\r\n"
    "• Close other applications to free memory;\r\n"
    "• Enlarge the swap file;\r\n"
    "• Process the file in an external editor and make it smaller."};
inline constexpr TText LoadFailureHeading{"Ошибка при загрузке файла:\r\n",
                                          "Error loading the file:\r\n"};
inline constexpr TText TransformFailureHeading{"Ошибка при трансформации:\r\n",
                                               "Error transforming the image:\r\n"};
inline constexpr TText CropFailureHeading{"Ошибка при обрезке:\r\n", "Error cropping:\r\n"};
inline constexpr TText NotLoadedSave1{"Файл «", "The file “"};
inline constexpr TText NotLoadedSave2{"» не загружен, а в окне показано изображение из «",
                                      "” is not loaded, and the window shows the image of “"};
inline constexpr TText NotLoadedSave3{
    "».\r\nСохранение отменено. Загрузите файл снова (F12) или перейдите к другому.",
    "”.\r\nThe save was cancelled. Load the file again (F12) or go to another one."};

} // namespace pipeline_texts

/// Caption markers put before the file name: a file of the batch, a saved crop, and an
/// image changed in memory but not saved. Captions, not paths: the backslash stays.
inline constexpr texts::TText SourceFolderMarker{"[ПАПКА ИСТОЧНИКA]\\", "[SOURCE FOLDER]\\"};
inline constexpr texts::TText ResultFolderMarker{"[ПАПКА РЕЗУЛЬТАТA]\\", "[RESULT FOLDER]\\"};
inline constexpr texts::TText InWorkMarker{"В РАБОТЕ: ", "IN PROGRESS: "};

/// Status line texts, each followed by a full path.
inline constexpr texts::TText StatusLoadingBatch{"Загрузка файла: ", "Loading file: "};
inline constexpr texts::TText StatusLoadingAt{"загрузка файла: ", "loading file: "};
inline constexpr texts::TText StatusCropping{"Обрезка: ", "Cropping: "};
inline constexpr texts::TText StatusReadingCrop{"Считывание обрезанного файла: ",
                                                "Reading the cropped file: "};

namespace pipeline_texts {

// Every text above, for the checks of the catalogue.
inline constexpr const TText* All[] = {
    &UnsupportedGreyModel, &UnsupportedColourModel,
    &FrameOutsideImage,    &FileTooSmall,
    &NoSourceData,         &DeclineNoImage,
    &DeclineBlank,         &DeclineNoEdges,
    &DeclineUnsure,        &PictureFound,
    &UnknownError,         &OutOfMemoryAdvice,
    &LoadFailureHeading,   &TransformFailureHeading,
    &CropFailureHeading,   &NotLoadedSave1,
    &NotLoadedSave2,       &NotLoadedSave3,
    &SourceFolderMarker,   &ResultFolderMarker,
    &InWorkMarker,         &StatusLoadingBatch,
    &StatusLoadingAt,      &StatusCropping,
    &StatusReadingCrop,
};

} // namespace pipeline_texts

} // namespace vantrel
