// SPDX-License-Identifier: MIT
// How the loader meets the file system: missing files, folders, empty and locked files, and a
// file cut short by another process while it is mapped.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "tests/support/Skips.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"
#include "tiff/MappedFile.h"

namespace vantrel::test {
namespace {

#if defined(_WIN32)
// Windows' codes of an empty file that cannot be mapped and of a file another holds open.
constexpr int kEmptyFileCode = 1006; // ERROR_FILE_INVALID
constexpr int kHeldFileCode = 32;    // ERROR_SHARING_VIOLATION
#endif

TEST(FileAccess, MissingFileAndFolderAreNotFound) {
    TTempDir dir;
    TMinimalTagDescriber describer;
    TCropTIFF tiff(describer);
    tiff.LoadTIFFAsWords(dir.Write("good.tif", MakeImage(1, 1, 1, {9}).Build()));
    const size_t tags = tiff.GetAllTags().size();
    for (const std::string& path : {dir.File("missing.tif"), dir.Path()}) {
        try {
            tiff.LoadTIFFAsWords(path);
            ADD_FAILURE() << path;
        } catch (const ETIFFError& e) {
            EXPECT_EQ(e.Message(), "Файл не найден: " + path);
        }
        EXPECT_EQ(tiff.GetAllTags().size(), tags); // told before the list is touched
    }
}

TEST(FileAccess, EmptyFileFailsToMap) {
    TTempDir dir;
#if defined(_WIN32)
    const EOSError expected = EOSError::FromSystemCode(kEmptyFileCode);
#else
    const EOSError expected = EOSError::FromErrno(EINVAL);
#endif
    EXPECT_EQ(LoadError(dir.Write("empty.tif", {})),
              std::string("EOSError: ") + expected.Message());
}

TEST(FileAccess, UnreadableFileIsAnOSError) {
#if defined(_WIN32)
    VANTREL_SKIP_ON_WINDOWS("access to files is an ACL of the system's, not chmod's mode bits");
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TTempDir dir;
    const std::string path = dir.Write("secret.tif", MakeImage(1, 1, 1, {9}).Build());
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(LoadError(path), std::string("EOSError: ") + EOSError::FromErrno(EACCES).Message());
#endif
}

TEST(FileAccess, FileLockedForWritingIsAnOSError) {
    TTempDir dir;
    const std::string path = dir.Write("busy.tif", MakeImage(1, 1, 1, {9}).Build());
#if defined(_WIN32)
    // A writer that has the file open keeps readers out, as the lock does on POSIX.
    std::FILE* writer = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(LoadError(path),
              std::string("EOSError: ") + EOSError::FromSystemCode(kHeldFileCode).Message());
    std::fclose(writer);
#else
    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(LoadError(path),
              std::string("EOSError: ") + EOSError::FromErrno(EWOULDBLOCK).Message());
    ::close(fd);
#endif
    EXPECT_EQ(LoadError(path), "");
}

// A describer that does something to the file while the parse runs, once.
class TMeddlingDescriber : public ITagDescriber {
public:
    explicit TMeddlingDescriber(std::function<void()> act) : FAct(std::move(act)) {}
    std::string TagName(uint16_t tagID) const override { return FInner.TagName(tagID); }
    void DescribeValue(TTIFFTag& tag, TByteView file, bool be) const noexcept override {
        if (FAct) {
            FAct();
            FAct = nullptr;
        }
        FInner.DescribeValue(tag, file, be);
    }
    std::string CompressionName(uint32_t c) const override { return FInner.CompressionName(c); }

private:
    mutable std::function<void()> FAct;
    TMinimalTagDescriber FInner;
};

TEST(FileAccess, SharedLockIsHeldDuringTheLoad) {
    TTempDir dir;
    const std::string path = dir.Write("held.tif", MakeImage(1, 1, 1, {9}).Build());
#if defined(_WIN32)
    // No writer gets in while the load reads.
    bool writerGotIn = true;
    TMeddlingDescriber describer([&] {
        std::FILE* writer = std::fopen(path.c_str(), "r+b");
        writerGotIn = writer != nullptr;
        if (writer)
            std::fclose(writer);
    });
    TCropTIFF tiff(describer);
    tiff.LoadTIFFAsWords(path);
    EXPECT_FALSE(writerGotIn);
#else
    int lockResult = 0, lockError = 0;
    TMeddlingDescriber describer([&] {
        const int fd = ::open(path.c_str(), O_RDWR);
        lockResult = ::flock(fd, LOCK_EX | LOCK_NB);
        lockError = errno;
        ::close(fd);
    });
    TCropTIFF tiff(describer);
    tiff.LoadTIFFAsWords(path);
    EXPECT_EQ(lockResult, -1);
    EXPECT_EQ(lockError, EWOULDBLOCK);
#endif
}

// Another process cuts the file while it is mapped: the load ends in a message, not SIGBUS.
TEST(FileAccess, FileTruncatedWhileMappedIsRefused) {
#if defined(_WIN32)
    VANTREL_SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped "
                            "(Wine does not, and then faults as Linux would without its guard)");
#else
    const std::vector<uint16_t> words = PatternWords(200 * 100 * 3);
    for (const off_t keep : {off_t{0}, off_t{100}, off_t{4096}, off_t{20000}}) {
        for (const bool planar : {false, true}) {
            TTempDir dir;
            const std::string path =
                dir.Write("cut.tif", MakeImage(200, 100, 3, words, false, planar, 7).Build());
            TMeddlingDescriber describer([&] { ASSERT_EQ(::truncate(path.c_str(), keep), 0); });
            TCropTIFF tiff(describer);
            try {
                tiff.LoadTIFFAsWords(path);
                ADD_FAILURE() << "loaded a file cut to " << keep;
            } catch (const ETIFFError& e) {
                EXPECT_EQ(e.Message(), "Файл изменён другой программой во время чтения") << keep;
            }
            EXPECT_TRUE(tiff.GetAllTags().empty());
        }
    }
#endif
}

TEST(FileAccess, MappingReadsZerosPastATruncation) {
#if defined(_WIN32)
    VANTREL_SKIP_ON_WINDOWS("Windows refuses to cut a file short while a view of it is mapped");
#else
    TTempDir dir;
    const std::string path = dir.Write("pages.bin", std::vector<uint8_t>(3 * 65536, 0xAB));
    TMappedFile mapped(path);
    EXPECT_FALSE(mapped.Changed());
    ASSERT_EQ(::truncate(path.c_str(), 100), 0);
    const volatile uint8_t* p = mapped.Data();
    EXPECT_EQ(p[2 * 65536 + 5], 0);
    EXPECT_EQ(p[3 * 65536 - 1], 0);
    EXPECT_TRUE(mapped.Changed());
#endif
}

} // namespace
} // namespace vantrel::test
