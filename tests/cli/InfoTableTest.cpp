// SPDX-License-Identifier: MIT
// vantrel-tiff info on scans written by libtiff and tagged by exiftool: the five lines, an empty
// line, then the tag table exactly as "Скопировать всё" gives it, nested records included.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif
#include <vector>

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/logic/TagTable.h"

namespace vantrel {
namespace {

using test::RunShell;

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines)
        if (l == line)
            return true;
    return false;
}

// The line starting with `prefix` and the line after it.
std::pair<std::string, std::string> FindLine(const std::vector<std::string>& lines,
                                             const std::string& prefix) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(prefix, 0) == 0)
            return {lines[i], i + 1 < lines.size() ? lines[i + 1] : ""};
    ADD_FAILURE() << "no line starts with " << prefix;
    return {};
}

class TInfoTable : public testing::TestWithParam<bool> {};

TEST_P(TInfoTable, ListsEveryRecordWithItsTexts) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    const bool bigEndian = GetParam();
    test::TTempDir dir;
    const std::string path = dir.File("scan.tif");
    test::TLibTIFFImage image;
    image.Width = 4;
    image.Height = 3;
    image.Samples = 3;
    image.BigEndian = bigEndian;
    test::WriteWithLibTIFF(path, image);
    const test::TShellResult tagged =
        RunShell("exiftool -q -q -overwrite_original -n -Make='FilmScan X' -XResolution=300 "
                 "-YResolution=300 -ResolutionUnit=2 -ExposureTime=0.008 -FNumber=5.6 "
                 "-ExposureProgram=1 -ColorSpace=1 '-UserComment=Kodak Portra 400' "
                 "-GPSLatitude=55.75 -GPSLatitudeRef=N -GPSAltitude=120 -XMP-dc:Title=Плёнка '" +
                 path + "' 2>&1");
    ASSERT_EQ(tagged.Status, 0) << tagged.Output;

    const test::TShellResult info =
        RunShell(std::string("LC_ALL=C '") + VANTREL_TIFF_EXE + "' info '" + path + "'");
    ASSERT_EQ(info.Status, 0) << info.Output;
    const std::string head =
        std::string("width=4\nheight=3\nsamples=3\nphotometric=2\nbyteorder=") +
        (bigEndian ? "MM" : "II") + "\npages=1\n\n";
    ASSERT_EQ(info.Output.substr(0, head.size()), head);
    const std::string table = info.Output.substr(head.size());

    // The same table as the window would copy it from the same file.
    const TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    (void)tiff.LoadTIFFAsWords(path);
    EXPECT_EQ(table, TagTableCopyAllText(BuildTagTableRows(tiff.GetAllTags(), bigEndian)));

    const std::vector<std::string> lines = SplitCrLf(table);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Имя тега\tТег\tТип\tКол.\tЗначение\tРасшифровка");
    EXPECT_EQ(lines[1], std::string("Найдено ") + std::to_string(tiff.GetAllTags().size()) +
                            " тегов, порядок байтов " +
                            (bigEndian ? "Big-Endian:" : "Little-Endian:"));
    for (const char* line : {
             "Разрешение по X (XResolution)\t282\tRATIONAL\t1\t300/1\t300",
             "Единица разрешения (ResolutionUnit)\t296\tSHORT\t1\t2\tДюймы",
             "Фотометрическая интерпретация (PhotometricInterpretation)\t262\tSHORT\t1\t2\tRGB",
             "→ EXIF: Время выдержки (ExposureTime)\t33434\tRATIONAL\t1\t1/125\t1/125",
             "→ EXIF: Диафрагма (FNumber)\t33437\tRATIONAL\t1\t28/5\t28/5",
             "→ EXIF: Программа экспозиции (ExposureProgram)\t34850\tSHORT\t1\t1\tРучной",
             "→ EXIF: Цветовое пространство (ColorSpace)\t40961\tSHORT\t1\t1\tsRGB",
             "→ EXIF: Версия EXIF (ExifVersion)\t36864\tНеопред.\t4\t842215984\t842215984",
             "→ GPS: Тег 0\t0\tBYTE\t4\t2, 3, 0, 0\t2, 3, 0, 0",
             "→ GPS: Тег 1\t1\tASCII\t2\tN\tN",
             "→ GPS: Тег 2\t2\tRATIONAL\t3\t[55/1; 45/1; 0/1]\t[55/1; 45/1; 0/1]",
             "→ GPS: Тег 6\t6\tRATIONAL\t1\t120/1\t120",
         })
        EXPECT_TRUE(HasLine(lines, line)) << line;

    // Pointer tags show their offset and no decoded text.
    for (const char* prefix :
         {"Смещение EXIF (ExifIFD)\t34665\tLONG\t1\t0x", "Тег 34853\t34853\t"}) {
        const std::string line = FindLine(lines, prefix).first;
        EXPECT_EQ(line.back(), '\t') << line;
    }
    const auto bits = FindLine(lines, "Бит на сэмпл (BitsPerSample)\t258\tSHORT\t3\t0x");
    EXPECT_TRUE(bits.first.ends_with("\t[16, 16, 16]")) << bits.first;
    const auto make = FindLine(lines, "Производитель (Make)\t271\tASCII\t11\t0x");
    EXPECT_TRUE(make.first.ends_with("\tFilmScan X")) << make.first;

    // A byte array: its values on the row, its characters on the continuation row.
    const auto comment =
        FindLine(lines, "→ EXIF: Комментарий пользователя (UserComment)\t37510\tНеопред.\t24\t0x");
    EXPECT_TRUE(
        comment.first.ends_with("\t[65, 83, 67, 73, 73, 0, 0, 0, 75, 111, 100, 97, 107, 32, "
                                "80, 111, 114, 116, 114, 97, 32, 52, 48, 48]"))
        << comment.first;
    EXPECT_EQ(comment.second, "\t\t\t\tASCII →\tASCII...Kodak Portra 400");

    // The XMP packet is shown as text, cut at 200 characters.
    const auto xmp = FindLine(lines, "XML-метаданные (XMLPacket)\t700\t");
    EXPECT_NE(xmp.first.find("<?xpacket begin="), std::string::npos) << xmp.first;
    EXPECT_TRUE(xmp.first.ends_with(" →")) << xmp.first;
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, TInfoTable, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "MM" : "II"; });

} // namespace
} // namespace vantrel
