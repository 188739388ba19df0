// SPDX-License-Identifier: MIT
// A failed save leaves no partial file and never damages the file it would have replaced.
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "tests/support/Skips.h"
#include "tests/tiff/WriterTestUtil.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const std::vector<uint16_t> kWords(200 * 100 * 3, 0x1234);

void SaveImage(const fs::path& file) {
    TCropTIFF::SaveWordsAsTIFF(file.string(), 200, 100, 3, kWords, true, test::PixelTags(3, true),
                               {});
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text;
}

std::string ReadText(const fs::path& file) {
    const auto bytes = test::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

#if !defined(_WIN32)
/// Runs `body` in a child process; the child's exit status is the errno of the EOSError it
/// caught (0: no error, 255: another exception).
int InChild(const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 0;
        try {
            body();
        } catch (const EOSError& e) {
            code = e.ErrorCode();
        } catch (...) {
            code = 255;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

TEST(SafeSave, ReplacesTheTargetAndKeepsItsPermissions) {
    const auto dir = test::TestFolder();
    WriteText(dir / "scan.tif", "old scan");
#if !defined(_WIN32) // Windows' files have ACLs, not mode bits
    fs::permissions(dir / "scan.tif", fs::perms(0640));
#endif
    SaveImage(dir / "scan.tif");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"scan.tif"});
    EXPECT_EQ(fs::file_size(dir / "scan.tif"), 14 + 12 * 9 + 120000 + 6u);
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(dir / "scan.tif").permissions(), fs::perms(0640));
#endif
}

TEST(SafeSave, TargetNameAtTheFileSystemLimitIsWritten) {
    const auto dir = test::TestFolder();
    const std::string name(250, 'n');
    SaveImage(dir / name);
    EXPECT_EQ(Names(dir), std::vector<std::string>{name});
}

TEST(SafeSave, MissingFolderOrFolderThatIsAFileGivesThePlatformError) {
    const auto dir = test::TestFolder();
    WriteText(dir / "plain", "x");
#if defined(_WIN32)
    constexpr int kPathNotFound = 3; // Windows' ERROR_PATH_NOT_FOUND, for both
    const std::pair<fs::path, int> cases[] = {{dir / "nope" / "a.tif", kPathNotFound},
                                              {dir / "plain" / "a.tif", kPathNotFound}};
#else
    const std::pair<fs::path, int> cases[] = {{dir / "nope" / "a.tif", ENOENT},
                                              {dir / "plain" / "a.tif", ENOTDIR}};
#endif
    for (const auto& [target, code] : cases) {
        try {
            SaveImage(target);
            FAIL() << "no error for " << target;
        } catch (const EOSError& e) {
            EXPECT_EQ(e.ErrorCode(), code);
#if defined(_WIN32)
            EXPECT_EQ(e.Message(), EOSError::FromSystemCode(code).Message());
#else
            EXPECT_NE(e.Message().find(std::strerror(code)), std::string::npos) << e.Message();
#endif
        }
    }
    EXPECT_EQ(Names(dir), std::vector<std::string>{"plain"});
}

TEST(SafeSave, ReadOnlyFolderLeavesTheExistingFileAlone) {
#if defined(_WIN32)
    VANTREL_SKIP_WITHOUT_FORK();
#else
    const auto dir = test::TestFolder();
    const auto locked = dir / "locked";
    fs::create_directory(locked);
    WriteText(locked / "scan.tif", "old scan");
    fs::permissions(locked, fs::perms(0555));
    // Root writes anywhere: the save runs as an unprivileged user in a child process.
    const int code = InChild([&] {
        if (::getuid() == 0 && ::setuid(65534) != 0)
            ::_exit(254);
        SaveImage(locked / "scan.tif");
    });
    fs::permissions(locked, fs::perms(0755));
    EXPECT_EQ(code, EACCES);
    EXPECT_EQ(Names(locked), std::vector<std::string>{"scan.tif"});
    EXPECT_EQ(ReadText(locked / "scan.tif"), "old scan");
#endif
}

TEST(SafeSave, FullDiskRemovesTheTemporaryFileAndKeepsTheTarget) {
#if defined(_WIN32)
    VANTREL_SKIP_WITHOUT_FORK();
#else
    const auto dir = test::TestFolder();
    WriteText(dir / "scan.tif", "old scan");
    // A file size limit stands in for a full disk: writes beyond it fail with EFBIG.
    const int code = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{50000, 50000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SaveImage(dir / "scan.tif");
    });
    EXPECT_EQ(code, EFBIG);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"scan.tif"});
    EXPECT_EQ(ReadText(dir / "scan.tif"), "old scan");
#endif
}

} // namespace
} // namespace vantrel
