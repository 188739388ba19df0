// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "pipeline/crop/CropOutput.h"
#include "pipeline/crop/PathParts.h"
#include "pipeline/jobs/JobTexts.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "tests/support/TempDir.h"

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
        // Folders that are not there compare by their text: letter case and the trailing
        // separator count.
        TNameCase{"/Scans/", "/scans/a.tif", "crop_", "_c", "/Scans/", "/Scans/a.tif"},
        TNameCase{"/scans", "/scans/a.tif", "crop_", "_c", "/scans", "/scans/a.tif"},
        // Empty prefix and postfix in the source folder: the source's own path.
        TNameCase{"/scans/", "/scans/a.tif", "", "", "/scans/", "/scans/a.tif"},
        // Only the last point of the file name starts the extension.
        TNameCase{"/scans/", "/scans/roll.3.frame.tif", "", "_c", "/scans/",
                  "/scans/roll.3.frame_c.tif"},
        TNameCase{"/sc.ans/", "/sc.ans/scan", "crop_", "", "/sc.ans/", "/sc.ans/crop_scan.tif"}));

// Another spelling of the source's own folder is that folder: the prefix and postfix apply, so
// the crop never takes the source's name and replaces the uncropped scan.
TEST(CropTargetTest, AnotherSpellingOfTheSourceFolderKeepsTheSource) {
    const test::TTempDir tmp;
    const std::string scans = tmp.File("scans");
    std::filesystem::create_directory(PathFromUtf8(scans));
    const std::string source = scans + "/a.tif";
    test::TTempDir::WriteTo(source, {'I', 'I'});
    std::vector<std::string> spellings = {scans + "/../scans/", scans + "//", scans};
    std::error_code linkError;
    std::filesystem::create_directory_symlink(PathFromUtf8(scans), PathFromUtf8(tmp.File("link")),
                                              linkError);
    if (!linkError)
        spellings.push_back(tmp.File("link") + "/");
    for (const std::string& folder : spellings) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(CropTarget(folder, source, "crop_", "_c").CroppedFile,
                  WithTrailingSeparator(folder) + "crop_a_c.tif");
        // Without prefix and postfix the source is replaced on purpose, as in its own spelling.
        EXPECT_TRUE(IsSameFile(CropTarget(folder, source, "", "").CroppedFile, source));
    }
    if (linkError)
        GTEST_SKIP() << "no symbolic link could be made here (" << linkError.message()
                     << "); the other spellings were checked";
}

// On a file system that ignores letter case, "SCANS" is the source's folder "scans". Where the
// machine has such a folder the system says so; elsewhere a check that ignores case stands in.
TEST(CropTargetTest, OtherLetterCaseOfTheSourceFolderKeepsTheSource) {
    const test::TTempDir tmp;
    const std::string scans = tmp.File("scans");
    std::filesystem::create_directory(PathFromUtf8(scans));
    const std::string upper = tmp.File("SCANS");
    const auto ignoringCase = [](const std::string& a, const std::string& b) {
        auto lower = [](std::string text) {
            std::transform(text.begin(), text.end(), text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            return WithTrailingSeparator(text);
        };
        return lower(a) == lower(b);
    };
    const bool systemIgnoresCase = IsSameFile(upper, scans);
    const TSameFolderCheck check = systemIgnoresCase ? TSameFolderCheck() : ignoringCase;
    EXPECT_EQ(CropTarget(upper + "/", scans + "/a.tif", "crop_", "", check).CroppedFile,
              upper + "/crop_a.tif");
    // The folder of another name stays another folder.
    EXPECT_EQ(CropTarget(tmp.File("out") + "/", scans + "/a.tif", "crop_", "", check).CroppedFile,
              tmp.File("out") + "/a.tif");
}

TEST(CropOutput, PictureNumberGoesBeforeTheExtensionOfTheNameOnly) {
    const struct {
        const char* File;
        int Number;
        const char* Expected;
    } cases[] = {
        {"/out/scan.tif", 2, "/out/scan-2.tif"},
        {"/out/roll.7/scan", 1, "/out/roll.7/scan-1"},
        {"scan.v2.tiff", 12, "scan.v2-12.tiff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithPictureNumber(c.File, c.Number), c.Expected) << c.File;
}

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
