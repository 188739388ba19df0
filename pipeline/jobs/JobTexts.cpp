// SPDX-License-Identifier: MIT
#include "pipeline/jobs/JobTexts.h"

namespace vantrel {

std::string OutOfMemoryAdviceText() {
    std::string text =
        "Недостаточно непрерывного блока памяти для работы с изображением.\r\n"
        "Несмотря на огромное адресное пространство 64-битного приложения, система не может "
        "выделить требуемый объём оперативной памяти или файла подкачки.";
    text += "\r\n\r\n";
    text += "Рекомендации:\r\n";
    text += "• Закройте другие приложения, чтобы освободить память;\r\n";
    text += "• Увеличьте размер файла подкачки;\r\n";
    text += "• Обработайте файл во внешнем редакторе и уменьшите его размер.";
    return text;
}

std::string LoadFailureText(std::string_view className, std::string_view message) {
    std::string text = "Ошибка при загрузке файла:\r\n";
    text += className;
    text += ": ";
    text += message;
    return text;
}

std::string TransformFailureText(std::string_view message) {
    return "Ошибка при трансформации:\r\n" + std::string(message);
}

std::string CropFailureText(std::string_view message) {
    return "Ошибка при обрезке:\r\n" + std::string(message);
}

std::string NotLoadedSaveText(std::string_view failedName, std::string_view shownName) {
    std::string text = "Файл «";
    text += failedName;
    text += "» не загружен, а в окне показано изображение из «";
    text += shownName;
    text += "».\r\nСохранение отменено. Загрузите файл снова (F12) или перейдите к другому.";
    return text;
}

} // namespace vantrel
