// SPDX-License-Identifier: MIT
// How the loader meets the file system: missing files, folders, empty and locked files, and a
// file cut short by another process while it is mapped.
#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"
#include "tiff/MappedFile.h"

namespace vantrel::test {
namespace {

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
    EXPECT_EQ(LoadError(dir.Write("empty.tif", {})),
              std::string("EOSError: ") + EOSError::FromErrno(EINVAL).Message());
}

TEST(FileAccess, UnreadableFileIsAnOSError) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TTempDir dir;
    const std::string path = dir.Write("secret.tif", MakeImage(1, 1, 1, {9}).Build());
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(LoadError(path), std::string("EOSError: ") + EOSError::FromErrno(EACCES).Message());
}

TEST(FileAccess, FileLockedForWritingIsAnOSError) {
    TTempDir dir;
    const std::string path = dir.Write("busy.tif", MakeImage(1, 1, 1, {9}).Build());
    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(LoadError(path),
              std::string("EOSError: ") + EOSError::FromErrno(EWOULDBLOCK).Message());
    ::close(fd);
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
}

// Another process cuts the file while it is mapped: the load ends in a message, not SIGBUS.
TEST(FileAccess, FileTruncatedWhileMappedIsRefused) {
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
}

TEST(FileAccess, MappingReadsZerosPastATruncation) {
    TTempDir dir;
    const std::string path = dir.Write("pages.bin", std::vector<uint8_t>(3 * 65536, 0xAB));
    TMappedFile mapped(path);
    EXPECT_FALSE(mapped.Changed());
    ASSERT_EQ(::truncate(path.c_str(), 100), 0);
    const volatile uint8_t* p = mapped.Data();
    EXPECT_EQ(p[2 * 65536 + 5], 0);
    EXPECT_EQ(p[3 * 65536 - 1], 0);
    EXPECT_TRUE(mapped.Changed());
}

} // namespace
} // namespace vantrel::test
