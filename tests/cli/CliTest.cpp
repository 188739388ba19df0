// SPDX-License-Identifier: MIT
// vantrel-tiff run as a user runs it: exit status, standard output and error, files written.
#include <gtest/gtest.h>

#include <cstdlib>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include "tests/support/LibTIFFWriter.h"
#include "tests/support/Shell.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/support/TempDir.h"
#include "tiff/ByteOrder.h"

namespace vantrel::test {
namespace {

TProgramRun RunCli(const TTempDir& dir, const std::vector<std::string>& args) {
    return RunProgram(VANTREL_TIFF_CLI, dir, args);
}

bool Shell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

std::vector<uint16_t> WordsOfFile(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::vector<uint16_t> words(bytes.size() / 2);
    for (size_t k = 0; k < words.size(); ++k)
        words[k] = ReadU16(bytes.data() + 2 * k, false);
    return words;
}

// The five lines that open info's output (the tag table follows after an empty line).
std::string InfoHead(const std::string& out) {
    return out.substr(0, out.find("\n\n") + 1);
}

std::string Info(uint32_t w, uint32_t h, int s, int photometric, bool mm) {
    return "width=" + std::to_string(w) + "\nheight=" + std::to_string(h) +
           "\nsamples=" + std::to_string(s) + "\nphotometric=" + std::to_string(photometric) +
           "\nbyteorder=" + (mm ? "MM" : "II") + "\npages=1\n";
}

TEST(Cli, InfoAndWordsOfLibTIFFFiles) {
    TTempDir dir;
    for (const bool mm : {false, true})
        for (const bool planar : {false, true}) {
            TLibTIFFImage im;
            im.Width = 9;
            im.Height = 5;
            im.Samples = 3;
            im.BigEndian = mm;
            im.Planar = planar;
            im.RowsPerStrip = 2;
            const std::string path = dir.File("in.tif");
            const std::vector<uint16_t> written = WriteWithLibTIFF(path, im);
            const TProgramRun info = RunCli(dir, {"info", path});
            EXPECT_EQ(info.Status, 0);
            EXPECT_EQ(InfoHead(info.Out), Info(9, 5, 3, 2, mm));
            EXPECT_EQ(info.Err, "");
            const TProgramRun words = RunCli(dir, {"words", path, dir.File("out.raw")});
            EXPECT_EQ(words.Status, 0);
            EXPECT_EQ(WordsOfFile(dir.File("out.raw")), written);
        }
}

// Files from another writer: ImageMagick, grey and RGB, both byte orders, both layouts.
TEST(Cli, ImageMagickFiles) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    TTempDir dir;
    struct TCase {
        const char* Options;
        int Samples, Photometric;
        bool MM;
    };
    const TCase cases[] = {
        {"gradient: -depth 16", 1, 1, false},
        {"gradient:red-blue -depth 16", 3, 2, false},
        {"gradient:red-blue -depth 16 -define tiff:endian=msb", 3, 2, true},
        {"gradient:red-blue -depth 16 -interlace plane", 3, 2, false},
        {"gradient:red-blue -depth 16 -define tiff:endian=msb -interlace plane", 3, 2, true},
        {"gradient:red-blue -depth 16 -alpha set -channel A -evaluate set 40% +channel", 4, 2,
         false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Options);
        const std::string path = dir.File("im.tif");
        ASSERT_TRUE(
            Shell("convert -size 64x48 " + std::string(c.Options) + " " + ShellQuote(path)));
        const TProgramRun info = RunCli(dir, {"info", path});
        EXPECT_EQ(info.Status, 0) << info.Err;
        EXPECT_EQ(InfoHead(info.Out), Info(64, 48, c.Samples, c.Photometric, c.MM));
        EXPECT_EQ(RunCli(dir, {"words", path, dir.File("im.raw")}).Status, 0);
        EXPECT_EQ(WordsOfFile(dir.File("im.raw")), ReadWithLibTIFF(path).Words);
    }
}

TEST(Cli, RefusalsGoToStandardErrorWithTheClassName) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS();
    TTempDir dir;
    const std::string good = dir.File("good.tif");
    ASSERT_TRUE(Shell("convert -size 64x48 gradient:red-blue -depth 16 " + ShellQuote(good)));
    struct TCase {
        const char* Name;
        std::string Make; // shell command writing $F
        std::string Err;
    };
    const std::string e = "ETIFFError: ";
    const TCase cases[] = {
        {"8-bit", "convert -size 64x48 gradient: -depth 8 \"$F\"",
         e + "Поддерживается только 16-битный TIFF. Получено 8 бит на сэмпл"},
        {"LZW", "convert -size 64x48 gradient: -depth 16 -compress lzw \"$F\"",
         e + "Поддерживается только сжатие = 1 (без сжатия), получено 5 (LZW)"},
        {"tiled", "convert -size 64x48 gradient: -depth 16 -define tiff:tile-geometry=16x16 \"$F\"",
         e + "Тег StripOffsets (273) не найден"},
        {"truncated", "head -c 9000 " + ShellQuote(good) + " > \"$F\"",
         e + "Смещение IFD за пределами файла"},
        {"not TIFF", "echo 'hello, world' > \"$F\"",
         e + "Неверная сигнатура TIFF-файла: ожидалось \"II\" или \"MM\""},
        {"empty", ": > \"$F\"", "EOSError: System Error.  Code: 22.\r\nInvalid argument"},
    };
    const std::string path = dir.File("bad.tif");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(Shell("F=" + ShellQuote(path) + "; " + c.Make));
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"info", path},
              std::vector<std::string>{"words", path, dir.File("x.raw")}}) {
            const TProgramRun r = RunCli(dir, args);
            EXPECT_EQ(r.Status, 1);
            EXPECT_EQ(r.Out, "");
            EXPECT_EQ(r.Err, c.Err + "\n");
        }
    }
    // Strips cut off behind a directory that is still whole.
    TTIFFBuilder b = MakeImage(4, 4, 1, PatternWords(16));
    std::vector<uint8_t> cut = b.Build();
    cut.resize(cut.size() - 2);
    const TProgramRun r = RunCli(dir, {"info", dir.Write("cut.tif", cut)});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, e + "StripByteCount выходит за пределы файла\n");
    const TProgramRun missing = RunCli(dir, {"info", dir.File("nothing.tif")});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, e + "Файл не найден: " + dir.File("nothing.tif") + "\n");
    const TProgramRun folder = RunCli(dir, {"words", good, dir.Path()});
    EXPECT_EQ(folder.Status, 1);
    EXPECT_EQ(folder.Err.rfind("EOSError: System Error.  Code: 21.", 0), 0u) << folder.Err;
}

TEST(Cli, WrongArgumentsShowTheUsage) {
    TTempDir dir;
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"info"},
                                                 {"info", "a", "b"},
                                                 {"words", "a"},
                                                 {"info", "--bogus"},
                                                 {"frobnicate"}}) {
        const TProgramRun r = RunCli(dir, args);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Out, "");
        EXPECT_NE(r.Err.find("Usage: vantrel-tiff"), std::string::npos);
    }
    const TProgramRun help = RunCli(dir, {"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("words FILE OUT"), std::string::npos);
}

// --lang en: the engine's messages and the tag table in English, info's key=value lines as in
// Russian; an unknown language is a usage error.
TEST(Cli, LanguageOfTheTexts) {
    TTempDir dir;
    TLibTIFFImage im;
    im.Width = 4;
    im.Height = 3;
    im.Samples = 3;
    const std::string path = dir.File("in.tif");
    WriteWithLibTIFF(path, im);
    const TProgramRun ru = RunCli(dir, {"info", path});
    const TProgramRun en = RunCli(dir, {"--lang", "en", "info", path});
    ASSERT_EQ(ru.Status, 0) << ru.Err;
    ASSERT_EQ(en.Status, 0) << en.Err;
    EXPECT_EQ(InfoHead(en.Out), InfoHead(ru.Out));
    EXPECT_NE(ru.Out.find("Ширина изображения (ImageWidth)"), std::string::npos) << ru.Out;
    EXPECT_NE(en.Out.find("Image width (ImageWidth)"), std::string::npos) << en.Out;
    EXPECT_EQ(en.Out.find("\xD0"), std::string::npos) << en.Out; // no Cyrillic letter

    const std::string bad = dir.Write("bad.tif", {'I', 'I'});
    for (const auto& [args, message] : {
             std::pair{std::vector<std::string>{"info", bad},
                       "ETIFFError: Файл слишком мал для TIFF\n"},
             {{"--lang", "en", "info", bad}, "ETIFFError: The file is too small for a TIFF\n"},
             {{"--lang=en", "info", bad}, "ETIFFError: The file is too small for a TIFF\n"},
             {{"--lang", "ru", "info", bad}, "ETIFFError: Файл слишком мал для TIFF\n"},
         }) {
        const TProgramRun r = RunCli(dir, args);
        EXPECT_EQ(r.Status, 1) << args.front();
        EXPECT_EQ(r.Err, message) << args.front();
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--lang", "de", "info", path}, {"--lang"}, {"--lang", "en"}}) {
        const TProgramRun r = RunCli(dir, args);
        EXPECT_EQ(r.Status, 2) << args.size();
        EXPECT_EQ(r.Out, "");
        EXPECT_FALSE(r.Err.empty());
    }
    EXPECT_NE(RunCli(dir, {"--lang", "de"}).Err.find("unknown language \"de\""), std::string::npos);
}

} // namespace
} // namespace vantrel::test
