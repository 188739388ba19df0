// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "pipeline/PipelineTexts.h"

namespace vantrel {

// The caption markers (SourceFolderMarker, ResultFolderMarker, InWorkMarker) and the status
// line texts put before a path (StatusLoadingBatch, StatusLoadingAt, StatusCropping,
// StatusReadingCrop) are texts of pipeline/PipelineTexts.h.

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
