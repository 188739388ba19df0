// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

/// Caption markers put before the file name: a file of the batch, a saved crop, and an
/// image changed in memory but not saved. Captions, not paths: the backslash stays.
inline constexpr std::string_view SourceFolderMarker = "[ПАПКА ИСТОЧНИКA]\\";
inline constexpr std::string_view ResultFolderMarker = "[ПАПКА РЕЗУЛЬТАТA]\\";
inline constexpr std::string_view InWorkMarker = "В РАБОТЕ: ";

/// Status line texts, each followed by a full path.
inline constexpr std::string_view StatusLoadingBatch = "Загрузка файла: ";
inline constexpr std::string_view StatusLoadingAt = "загрузка файла: ";
inline constexpr std::string_view StatusCropping = "Обрезка: ";
inline constexpr std::string_view StatusReadingCrop = "Считывание обрезанного файла: ";

/// The advice shown when a job runs out of memory (the same for every job).
[[nodiscard]] std::string OutOfMemoryAdviceText();

/// "Ошибка при загрузке файла:" with the error's class name and message.
[[nodiscard]] std::string LoadFailureText(std::string_view className, std::string_view message);
/// "Ошибка при трансформации:" with the error's message.
[[nodiscard]] std::string TransformFailureText(std::string_view message);
/// "Ошибка при обрезке:" with the error's message.
[[nodiscard]] std::string CropFailureText(std::string_view message);
/// Why a save is refused after the current file failed to load while the view still shows
/// the file before it: saving would write that image under the failed file's name.
[[nodiscard]] std::string NotLoadedSaveText(std::string_view failedName,
                                            std::string_view shownName);

} // namespace vantrel
