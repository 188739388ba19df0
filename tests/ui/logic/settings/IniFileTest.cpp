// SPDX-License-Identifier: MIT
#include "ui/logic/settings/IniFile.h"
#include "tests/support/Skips.h"
#include "tests/support/TempDir.h"
#include "tiff/CodePage1251.h"
#include "tiff/Exceptions.h"
#include "ui/logic/settings/FileText.h"
#include "ui/logic/settings/TextCodecs.h"

#include <gtest/gtest.h>

#include <csignal>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace vantrel {
namespace {

TEST(IniFileTest, ReadsValuesByTheIniRules) {
    const TIniFile ini("; a comment line\n"
                       "[window]\n"
                       "  WIDTH  =  1200  \n"
                       "Path=C:\\scans\\new\\tab\n"
                       "Quoted=\"  two blanks  \"\n"
                       "Half=\"open only\n"
                       "List=a, b, c\n"
                       "Hex1=0x1F\n"
                       "Hex2=$FFFFFFFF\n"
                       "Word=twelve\n"
                       "Empty=\n"
                       "[Other]\n"
                       "Width=7\n");
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 1200);
    EXPECT_EQ(ini.ReadInteger("WINDOW", "width", 0), 1200);
    EXPECT_EQ(ini.ReadInteger("other", "width", 0), 7);
    EXPECT_EQ(ini.ReadString("Window", "Path", ""), "C:\\scans\\new\\tab");
    EXPECT_EQ(ini.ReadString("Window", "Quoted", ""), "  two blanks  ");
    EXPECT_EQ(ini.ReadString("Window", "Half", ""), "\"open only");
    EXPECT_EQ(ini.ReadString("Window", "List", ""), "a, b, c");
    EXPECT_EQ(ini.ReadInteger("Window", "Hex1", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Window", "Hex2", 0), -1);
    EXPECT_EQ(ini.ReadInteger("Window", "Word", 42), 42);
    EXPECT_EQ(ini.ReadString("Window", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadInteger("Window", "Empty", 5), 5);
    EXPECT_EQ(ini.ReadString("Window", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Nowhere", "Width", "default"), "default");
    EXPECT_FALSE(ini.ReadValue("Window", "; a comment line"));
}

TEST(IniFileTest, ParsesIntegers) {
    struct Case {
        const char* Text;
        std::optional<int> Value;
    };
    const Case cases[] = {
        {"0", 0},           {"-17", -17},          {"+5", 5},   {"$10", 16},
        {"0X1f", 31},       {"$000080FF", 0x80FF}, {"", {}},    {"$", {}},
        {"0x", {}},         {"12abc", {}},         {"1.5", {}}, {"99999999999", {}},
        {"$1FFFFFFFF", {}}, {"-0x10", {}},         {" 8 ", 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TIniFile::ParseInteger(c.Text), c.Value) << '"' << c.Text << '"';
}

TEST(IniFileTest, BooleansAreIntegers) {
    const TIniFile ini("[H]\nA=1\nB=0\nC=-3\nD=true\n");
    EXPECT_TRUE(ini.ReadBool("H", "A", false));
    EXPECT_FALSE(ini.ReadBool("H", "B", true));
    EXPECT_TRUE(ini.ReadBool("H", "C", false));
    EXPECT_FALSE(ini.ReadBool("H", "D", false)); // not a number: the default
    EXPECT_TRUE(ini.ReadBool("H", "D", true));
}

TEST(IniFileTest, WritesInPlaceInsertsAfterLastKeyAndAppendsSections) {
    TIniFile ini("; kept comment\n"
                 "[Window]\n"
                 "width = 900\n"
                 "Unknown=kept\n"
                 "\n"
                 "[UI]\n"
                 "Tags=0\n");
    ini.WriteInteger("WINDOW", "Width", 1280);
    ini.WriteInteger("Window", "Height", 700);
    ini.WriteString("Output", "Prefix", "\"[] \"");
    ini.WriteBool("ui", "tags", true);
    EXPECT_EQ(ini.Text(), "; kept comment\n"
                          "[Window]\n"
                          "width = 1280\n"
                          "Unknown=kept\n"
                          "Height=700\n"
                          "\n"
                          "[UI]\n"
                          "Tags=1\n"
                          "\n"
                          "[Output]\n"
                          "Prefix=\"[] \"\n");
    EXPECT_EQ(TIniFile(ini.Text()).ReadString("Output", "Prefix", ""), "[] ");
}

TEST(IniFileTest, LineBreaksCannotForgeLines) {
    TIniFile ini("[Folders]\nOpenDir=/old\n");
    ini.WriteString("Folders", "OpenDir", "/x\n[Window]\nWidth=1");
    ini.WriteString("Folders", "SaveDir", "/y\rz");
    EXPECT_EQ(ini.Text(), "[Folders]\nOpenDir=\nSaveDir=\n");
}

TEST(IniFileTest, KeepsCrLfAndTakesWindows1251) {
    TIniFile crlf("[A]\r\nK=1\r\n");
    crlf.WriteInteger("A", "L", 2);
    EXPECT_EQ(crlf.Text(), "[A]\r\nK=1\r\nL=2\r\n");

    // An older file in the Russian code page: "Сканы" in Windows-1251.
    const TIniFile cp1251("[Folders]\nOpenDir=/home/u/\xD1\xEA\xE0\xED\xFB\n");
    EXPECT_EQ(cp1251.ReadString("Folders", "OpenDir", ""), "/home/u/Сканы");

    const TIniFile bom("\xEF\xBB\xBF[Folders]\nOpenDir=/дом\n");
    EXPECT_EQ(bom.ReadString("Folders", "OpenDir", ""), "/дом");
}

// Reading old files and writing the ProcessingSoftware tag share one code page table: every
// byte read back as UTF-8 is written as the same byte, and the one unassigned byte reads as
// U+FFFD, which the writer gives as "?".
TEST(IniFileTest, CodePage1251ReadsAndWritesTheSameBytes) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string text = Cp1251ToUtf8(byte);
        EXPECT_EQ(Utf8ToCodePage1251(text), b == 0x98 ? "?" : byte) << b;
    }
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(IniFileTest, SavesAndLoadsAFile) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    const auto path = folder / "a.ini";
    EXPECT_EQ(TIniFile::LoadFromFile(path).Text(), ""); // missing file: empty
    TIniFile ini;
    ini.WriteString("Folders", "OpenDir", "/home/u/Плёнка 1");
    ini.SaveToFile(path);
    EXPECT_EQ(TIniFile::LoadFromFile(path).ReadString("folders", "opendir", ""),
              "/home/u/Плёнка 1");
}

TEST(IniFileTest, FailedWriteLeavesTheOldFileWhole) {
#if defined(_WIN32)
    VANTREL_SKIP_ON_WINDOWS("a file size limit (setrlimit) stands in for a full disk here");
#else
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    const auto path = folder / "a.ini";
    WriteFileAtomically(path, "[A]\nK=old\n");
    TIniFile ini = TIniFile::LoadFromFile(path);
    ini.WriteString("A", "K", std::string(100000, 'x'));

    // A disk that fills up in the middle of the write: a file size limit makes write() fail
    // after the first bytes, as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = old;
    tight.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    EXPECT_THROW(ini.SaveToFile(path), EOSError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(*ReadWholeFile(path), "[A]\nK=old\n");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
#endif
}

TEST(IniFileTest, SavingThroughALinkKeepsTheLink) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    std::filesystem::create_directory(folder / "real");
    const auto real = folder / "real" / "a.ini";
    const auto link = folder / "a.ini";
    WriteFileAtomically(real, "[A]\nK=1\n");
#if defined(_WIN32)
    std::error_code linkError;
    std::filesystem::create_symlink("real/a.ini", link, linkError);
    if (linkError)
        GTEST_SKIP() << "no symbolic link could be made here: " << linkError.message();
#else
    std::filesystem::create_symlink("real/a.ini", link);
#endif
    TIniFile ini = TIniFile::LoadFromFile(link);
    ini.WriteInteger("A", "K", 2);
    ini.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(*ReadWholeFile(real), "[A]\nK=2\n");
}

TEST(IniFileTest, UnreadableFileRaises) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = tmp.Path();
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directory(folder / "a.ini");
    EXPECT_THROW((void)TIniFile::LoadFromFile(folder / "a.ini"), EOSError);
}

} // namespace
} // namespace vantrel
