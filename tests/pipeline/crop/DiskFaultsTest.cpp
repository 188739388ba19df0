// SPDX-License-Identifier: MIT
// Faults on disk met by a crop and save: the target folder missing, read-only or a file, a
// full file system, and a source that changes on disk between its load and its save. Each
// ends in its message, leaves no temporary or partial file and changes no existing file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#if !defined(_WIN32)
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "pipeline/crop/CropCore.h"
#include "tags/TIFFTagUtils.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FolderSnapshot.h"
#include "tests/support/LibTIFFWriter.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

/// A scan as the crop job holds it: loaded from a libtiff-written file with EXIF and GPS.
struct TLoadedScan {
    TCurrentImage Image;
    std::vector<TTIFFTag> Tags;
    bool BigEndian = false;
};

TLoadedScan LoadScan(const std::string& path) {
    TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    TLoadedTIFF loaded = tiff.LoadTIFFAsWords(path);
    TLoadedScan scan;
    scan.BigEndian = loaded.isBigEndian;
    scan.Image = CurrentImageOf(std::move(loaded));
    scan.Tags = tiff.GetAllTags();
    return scan;
}

std::string WriteScan(const std::string& path, bool bigEndian, uint32_t width = 64,
                      uint32_t height = 48) {
    TLibTIFFImage image;
    image.Width = width;
    image.Height = height;
    image.Samples = 3;
    image.BigEndian = bigEndian;
    image.Exif = true;
    image.Gps = true;
    WriteWithLibTIFF(path, image);
    return path;
}

/// The crop job's work from its start on the UI thread (the byte order read again from the
/// source) to the written file; the text of the error it ends in, or "" on success.
std::string SaveCrop(const TLoadedScan& scan, const std::string& source, const std::string& target,
                     bool wholeImage = false) {
    try {
        TCropRequest request;
        request.IsBigEndian = IsBigEndianFile(source);
        request.Image = scan.Image;
        request.Frame = wholeImage
                            ? WholeImage(scan.Image.Width, scan.Image.Height)
                            : ClampFrameToImage(8, 4, 40, 30, scan.Image.Width, scan.Image.Height);
        request.SourceTags = scan.Tags;
        request.RemainingPercent =
            RemainingPercent(request.Frame, scan.Image.Width, scan.Image.Height);
        request.OutputFile = target;
        CropAndSave(request);
        return "";
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    } catch (const std::exception& e) {
        return std::string("unexpected: ") + e.what();
    }
}

/// The message a failed system call with this code of the system gives.
std::string OSMessage(int code) {
    return std::string("EOSError: ") + EOSError::FromSystemCode(code).Message();
}

#if defined(_WIN32)
// Windows' codes: ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND (also for a file in the path) and
// ERROR_ACCESS_DENIED for a folder in the target's place.
constexpr int kNotFound = 2, kNoFolder = 3, kNotAFolder = 3, kIsAFolder = 5;
#else
constexpr int kNotFound = ENOENT, kNoFolder = ENOENT, kNotAFolder = ENOTDIR, kIsAFolder = EISDIR;
#endif

/// What a save into a prepared folder gave, checked inside the process that ran it.
std::string SaveAndCompare(const TLoadedScan& scan, const std::string& source,
                           const std::string& folder, const std::string& target,
                           bool wholeImage = false) {
    const TFolderSnapshot before(folder);
    const std::string error = SaveCrop(scan, source, target, wholeImage);
    const std::string changes = before.DifferencesTo(TFolderSnapshot(folder));
    return error + (changes.empty() ? "" : "\n" + changes);
}

class DiskFaults : public ::testing::Test {
protected:
    void SetUp() override {
        FSource = WriteScan(FDir.File("scan.tif"), false);
        FScan = LoadScan(FSource);
    }

    TTempDir FDir;
    std::string FSource;
    TLoadedScan FScan;
};

// The target folder.

TEST_F(DiskFaults, TargetFolderMissingIsAFileOrNamesAFolder) {
    fs::create_directory(FDir.File("taken.tif"));
    struct {
        const char* Target;
        int Errno;
    } cases[] = {
        {"absent/out.tif", kNoFolder},     // the folder does not exist
        {"scan.tif/out.tif", kNotAFolder}, // the "folder" is a file
        {"taken.tif", kIsAFolder},         // the target's name is taken by a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Target);
        EXPECT_EQ(SaveAndCompare(FScan, FSource, FDir.Path(), FDir.File(c.Target)),
                  OSMessage(c.Errno));
    }
}

// Root may write anywhere: the save runs as an unprivileged user in a child process.
#if defined(_WIN32)
TEST_F(DiskFaults, ReadOnlyFolderKeepsTheSourceThatWouldBeReplaced) {
    VANTREL_SKIP_WITHOUT_FORK();
}
TEST_F(DiskFaults, ReadOnlyFileSystemKeepsTheSource) {
    VANTREL_SKIP_ON_WINDOWS("a read-only file system needs a private mount");
}
TEST_F(DiskFaults, FullFileSystemKeepsTheSourceItWouldReplace) {
    VANTREL_SKIP_ON_WINDOWS("a full file system needs a private mount (platform test says more)");
}
TEST_F(DiskFaults, FileSizeLimitActsAsAFullDisk) {
    VANTREL_SKIP_WITHOUT_FORK();
}
#else
TEST_F(DiskFaults, ReadOnlyFolderKeepsTheSourceThatWouldBeReplaced) {
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr)
        GTEST_SKIP() << "no user nobody";
    fs::permissions(FDir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    const TChildResult result = RunInChild([&] {
        if (getuid() == 0 && (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
            return std::string("setuid failed");
        if (access(FSource.c_str(), R_OK) != 0)
            return std::string("SKIP: the test folder is not readable by nobody");
        return SaveAndCompare(FScan, FSource, FDir.Path(), FSource);
    });
    ASSERT_TRUE(result.Completed) << result.Output;
    if (result.Output.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << result.Output;
    EXPECT_EQ(result.Output, OSMessage(EACCES));
}

/// Runs `body` in a child with a private mount namespace and a fresh tmpfs of `size` at
/// `mountPoint`; the mount goes with the child. Empty optional when mounting is not allowed.
TChildResult WithTmpfs(const std::string& mountPoint, const char* options,
                       const std::function<std::string()>& body) {
    return RunInChild([&]() -> std::string {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, options) != 0)
            return "SKIP: " + std::string(std::strerror(errno));
        return body();
    });
}

// A read-only file system (a write-protected card, a read-only mount): nothing can be
// created, the source that the save would replace stays as it was.
TEST_F(DiskFaults, ReadOnlyFileSystemKeepsTheSource) {
    const std::string mountPoint = FDir.File("ro");
    fs::create_directory(mountPoint);
    const TChildResult result = WithTmpfs(mountPoint, "size=1m", [&]() -> std::string {
        const std::string source = mountPoint + "/scan.tif";
        fs::copy_file(FSource, source);
        if (mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=1m") != 0)
            return "SKIP: remount: " + std::string(std::strerror(errno));
        return SaveAndCompare(FScan, source, mountPoint, source);
    });
    ASSERT_TRUE(result.Completed) << result.Output;
    if (result.Output.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << result.Output;
    EXPECT_EQ(result.Output, OSMessage(EROFS));
}

// A full file system.

// A real full disk: a tmpfs smaller than the file, holding the source that the save replaces
// (empty prefix and postfix) and another file.
TEST_F(DiskFaults, FullFileSystemKeepsTheSourceItWouldReplace) {
    const std::string mountPoint = FDir.File("small");
    fs::create_directory(mountPoint);
    const std::string big = WriteScan(FDir.File("big.tif"), true, 400, 300); // 720 kB
    const TLoadedScan scan = LoadScan(big);
    const TChildResult result = WithTmpfs(mountPoint, "size=1m", [&]() -> std::string {
        const std::string source = mountPoint + "/big.tif";
        fs::copy_file(big, source);
        TTempDir::WriteTo(mountPoint + "/other.tif", std::vector<uint8_t>(100, 7));
        return SaveAndCompare(scan, source, mountPoint, source, true);
    });
    ASSERT_TRUE(result.Completed) << result.Output;
    if (result.Output.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << result.Output;
    EXPECT_EQ(result.Output, OSMessage(ENOSPC));
}

// Where no file system can be mounted, a file size limit stands in: writes past it fail.
TEST_F(DiskFaults, FileSizeLimitActsAsAFullDisk) {
    const TChildResult result = RunInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("setrlimit failed");
        return SaveAndCompare(FScan, FSource, FDir.Path(), FSource);
    });
    ASSERT_TRUE(result.Completed) << result.Output;
    EXPECT_EQ(result.Output, OSMessage(EFBIG));
}

#endif

// The source changes on disk between its load and its save.

TEST_F(DiskFaults, DeletedSourceStopsTheSaveBeforeAnythingIsWritten) {
    fs::remove(FSource);
    const TFolderSnapshot before(FDir.Path());
    EXPECT_EQ(SaveCrop(FScan, FSource, FDir.File("out.tif")), OSMessage(kNotFound));
    EXPECT_EQ(before.DifferencesTo(TFolderSnapshot(FDir.Path())), "");
}

TEST_F(DiskFaults, SourceCutBelowItsByteOrderMarkIsTooSmall) {
    fs::resize_file(FSource, 1);
    const TFolderSnapshot before(FDir.Path());
    EXPECT_EQ(SaveCrop(FScan, FSource, FDir.File("out.tif")), "ETIFFError: Файл слишком мал");
    EXPECT_EQ(before.DifferencesTo(TFolderSnapshot(FDir.Path())), "");
}

// The words in memory are what the user sees: a source cut short on disk after its load is
// saved whole from memory, and saving over it (empty prefix and postfix) restores it.
TEST_F(DiskFaults, SourceTruncatedAfterTheLoadIsSavedWholeFromMemory) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "MM" : "II");
        const std::string source = WriteScan(FDir.File("cut.tif"), bigEndian);
        const TLoadedScan scan = LoadScan(source);
        fs::resize_file(source, fs::file_size(source) / 2);
        ASSERT_EQ(SaveCrop(scan, source, source, true), "");
        const TLoadedScan again = LoadScan(source);
        EXPECT_EQ(again.BigEndian, bigEndian);
        EXPECT_EQ(*again.Image.Words, *scan.Image.Words);
    }
}

} // namespace
} // namespace vantrel::test
