// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>

#include "pipeline/crop/CropOutput.h"
#include "pipeline/jobs/JobTexts.h"

namespace vantrel {
namespace {

struct TNameCase {
    const char* OutputFolder;
    const char* InputFile;
    const char* Prefix;
    const char* Postfix;
    const char* ExpectedFolder;
    const char* ExpectedFile;
};

void PrintTo(const TNameCase& c, std::ostream* os) {
    *os << c.InputFile << " to " << (*c.OutputFolder ? c.OutputFolder : "none") << " with "
        << c.Prefix << "+" << c.Postfix;
}

class CropTargetTest : public ::testing::TestWithParam<TNameCase> {};

TEST_P(CropTargetTest, NamesTheSavedFile) {
    const TNameCase& c = GetParam();
    const TCropTarget target = CropTarget(c.OutputFolder, c.InputFile, c.Prefix, c.Postfix);
    EXPECT_EQ(target.OutputFolder, c.ExpectedFolder);
    EXPECT_EQ(target.CroppedFile, c.ExpectedFile);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CropTargetTest,
    ::testing::Values(
        // In the source folder a prefix and postfix keep the source, and the extension becomes
        // .tif.
        TNameCase{"/scans/", "/scans/scan 12.tif", "crop_", "_c", "/scans/",
                  "/scans/crop_scan 12_c.tif"},
        TNameCase{"/scans/", "/scans/scan 12.tiff", "crop_", "_c", "/scans/",
                  "/scans/crop_scan 12_c.tif"},
        // No output folder yet: the source's folder is taken, and kept for the next save.
        TNameCase{"", "/scans/scan 12.tiff", "crop_", "_c", "/scans/", "/scans/crop_scan 12_c.tif"},
        // Another folder keeps the source's name whole.
        TNameCase{"/out/", "/scans/scan 12.tiff", "crop_", "_c", "/out/", "/out/scan 12.tiff"},
        TNameCase{"/out", "/scans/scan 12.tiff", "crop_", "_c", "/out", "/out/scan 12.tiff"},
        // Letter case and the trailing separator count: these name other folders.
        TNameCase{"/Scans/", "/scans/a.tif", "crop_", "_c", "/Scans/", "/Scans/a.tif"},
        TNameCase{"/scans", "/scans/a.tif", "crop_", "_c", "/scans", "/scans/a.tif"},
        // Empty prefix and postfix in the source folder: the source's own path.
        TNameCase{"/scans/", "/scans/a.tif", "", "", "/scans/", "/scans/a.tif"},
        // Only the last point of the file name starts the extension.
        TNameCase{"/scans/", "/scans/roll.3.frame.tif", "", "_c", "/scans/",
                  "/scans/roll.3.frame_c.tif"},
        TNameCase{"/sc.ans/", "/sc.ans/scan", "crop_", "", "/sc.ans/", "/sc.ans/crop_scan.tif"}));

TEST(JobTexts, FailureMessagesCarryTheirHeadingLine) {
    EXPECT_EQ(LoadFailureText("ETIFFError", "Файл не найден"),
              "Ошибка при загрузке файла:\r\nETIFFError: Файл не найден");
    EXPECT_EQ(TransformFailureText("Нет данных"), "Ошибка при трансформации:\r\nНет данных");
    EXPECT_EQ(CropFailureText("Рамка выходит за пределы изображения"),
              "Ошибка при обрезке:\r\nРамка выходит за пределы изображения");
}

TEST(JobTexts, OutOfMemoryAdviceIsOneMessageWithItsRecommendations) {
    const std::string text = OutOfMemoryAdviceText();
    EXPECT_EQ(text.rfind("Недостаточно непрерывного блока памяти", 0), 0u);
    const auto advice = text.find("файла подкачки.\r\n\r\nРекомендации:\r\n• Закройте");
    EXPECT_NE(advice, std::string::npos);
    EXPECT_TRUE(
        text.ends_with("\r\n• Обработайте файл во внешнем редакторе и уменьшите его размер."));
}

} // namespace
} // namespace vantrel
