// SPDX-License-Identifier: MIT
// The platform room's texts and folders: the system's error texts, the 8-bit code page, the
// installed program's folder, the user's settings folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/FileHandle.h"
#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "tests/support/TempDir.h"

namespace vantrel {
namespace {

// The system's own text after the code, without a line end of its own.
TEST(PlatformSystem, ErrorsCarryTheSystemsText) {
    const test::TTempDir tmp;
    ASSERT_FALSE(TFileHandle::TryOpenShared(tmp.File("none")).IsOpen());
    const int code = LastSystemError();
    ASSERT_TRUE(IsNotFoundError(code));
    const std::string text = EOSError::FromSystemCode(code, "|extra").Message();
    const std::string head = "System Error.  Code: " + std::to_string(code) + ".\r\n";
    ASSERT_EQ(text.rfind(head, 0), 0u) << text;
    EXPECT_GT(text.size(), head.size() + 6) << text;
    EXPECT_FALSE(text.ends_with("\n|extra")) << text; // the system's line end is cut
#if !defined(_WIN32)
    EXPECT_EQ(text, EOSError::FromErrno(code, "|extra").Message());
#endif
}

// Russian text through the system's code page: 1251 as the program's texts were made for, or
// Windows' own ANSI code page and tables.
TEST(PlatformSystem, SystemCodePage) {
    const std::string text = "Плёнка №1";
#if defined(_WIN32)
    const unsigned codePage = SystemCodePage();
    const std::optional<std::string> bytes = Utf8ToCodePage(1251, text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, "\xCF\xEB\xB8\xED\xEA\xE0 \xB9"
                      "1");
    EXPECT_EQ(CodePageToUtf8(1251, *bytes), text);
    EXPECT_EQ(Utf8ToCodePage(1252, "Плёнка"), "??????");
    EXPECT_NE(codePage, 0u);
#else
    EXPECT_EQ(SystemCodePage(), 1251u);
    EXPECT_FALSE(Utf8ToCodePage(1251, text).has_value());
    EXPECT_FALSE(CodePageToUtf8(1251, "\xCF").has_value());
#endif
}

// An installed copy keeps its settings per user, whatever it may write.
TEST(PlatformSystem, InstalledProgramFolder) {
    const test::TTempDir tmp;
    const std::filesystem::path folder = PathFromUtf8(tmp.Path());
    EXPECT_TRUE(IsWritableFolder(folder));
    EXPECT_FALSE(IsWritableFolder(folder / "missing"));
    EXPECT_FALSE(IsInstalledProgramFolder(folder));
#if defined(_WIN32)
    test::TTempDir::WriteTo(tmp.File(kUninstallerName), {'M', 'Z'});
    EXPECT_TRUE(IsInstalledProgramFolder(folder));
    // %APPDATA%\Vantrel.
    const char* appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(UserSettingsFolder(), PathFromUtf8(appData) / "Vantrel");
#else
    CreateFolders(tmp.File("bin"));
    CreateFolders(tmp.File("share/applications"));
    test::TTempDir::WriteTo(tmp.File("share/applications/invalid.vantrel.vantrel.desktop"), {});
    EXPECT_TRUE(IsInstalledProgramFolder(folder / "bin"));
#endif
}

} // namespace
} // namespace vantrel
