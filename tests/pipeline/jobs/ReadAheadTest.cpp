// SPDX-License-Identifier: MIT
// The next scan read ahead: a load from the scan held gives what a load from the file gives,
// and words that are no longer the file's are never used.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "pipeline/jobs/ReadAhead.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/support/TempDir.h"
#include "tiff/CatalogueTagDescriber.h"

namespace vantrel::test {
namespace {

struct TLoad {
    std::string Error;
    std::vector<uint16_t> Words;
    std::vector<std::string> Tags;
};

// The window's loads and the read-ahead tell tags with the catalogue's describer.
TLoad LoadThrough(TReadAhead* readAhead, const std::string& path) {
    TLoad r;
    try {
        std::optional<TScanAhead> scan = readAhead ? readAhead->Take(path) : std::nullopt;
        if (!scan) {
            TCatalogueTagDescriber describer;
            TCropTIFF tiff(describer);
            scan.emplace();
            scan->Image = tiff.LoadTIFFAsWords(path);
            scan->Tags = tiff.GetAllTags();
        }
        r.Words.assign(scan->Image.PixelData.begin(), scan->Image.PixelData.end());
        for (const TTIFFTag& tag : scan->Tags)
            r.Tags.push_back(tag.TagName + "=" + tag.DisplayValue);
    } catch (const Exception& e) {
        r.Error = std::string(e.ClassName()) + ": " + e.Message();
    }
    return r;
}

bool operator==(const TLoad& a, const TLoad& b) {
    return a.Error == b.Error && a.Words == b.Words && a.Tags == b.Tags;
}

std::vector<uint8_t> Scan(uint16_t seed, bool mm = false, bool planar = false) {
    return MakeImage(9, 7, 3, PatternWords(9 * 7 * 3, seed), mm, planar, 2).Build();
}

// The bytes of the words of a Scan.
constexpr uint64_t kScanWordBytes = 9 * 7 * 3 * sizeof(uint16_t);

uint64_t Plenty() {
    return uint64_t{1} << 40;
}
// The reads run at the tests' priority: at idle priority they wait for a busy machine.

TEST(ReadAhead, TakenWordsLoadAsTheFile) {
    TTempDir dir;
    TReadAhead ahead(Plenty, false);
    for (const auto& [mm, planar] : {std::pair{false, false}, {true, false}, {false, true}}) {
        const std::string path = dir.Write("a.tif", Scan(3, mm, planar));
        ahead.Request(path);
        ahead.WaitUntilIdle();
        ASSERT_EQ(ahead.HeldBytes(), kScanWordBytes);
        EXPECT_EQ(LoadThrough(&ahead, path), LoadThrough(nullptr, path));
        EXPECT_EQ(ahead.HeldBytes(), 0u); // handed over
    }
}

// A file that is not the one read is loaded or refused from disk, as without the read-ahead.
TEST(ReadAhead, WordsThatAreNoLongerTheFilesAreNotUsed) {
    struct TCase {
        const char* Name;
        std::function<void(const std::string& path, const TTempDir& dir)> Change;
    };
    const TCase cases[] = {
        {"rewritten in place",
         [](const std::string& p, const TTempDir&) {
             std::vector<uint8_t> other = Scan(9);
             FILE* f = std::fopen(p.c_str(), "r+b");
             std::fwrite(other.data(), 1, other.size(), f);
             std::fclose(f);
        // The same size: only the modification time tells, so it surely moves on.
#if defined(_WIN32)
             std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) +
                                                     std::chrono::hours(24 * 365));
#else
             const timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
             ::utimensat(AT_FDCWD, p.c_str(), later, 0);
#endif
         }},
        {"replaced by another file",
         [](const std::string& p, const TTempDir& dir) {
             const std::string other = dir.Write("other.tif", Scan(9));
#if defined(_WIN32) // the C library's rename does not replace there
             std::filesystem::rename(other, p);
#else
             std::rename(other.c_str(), p.c_str());
#endif
         }},
        {"grown",
         [](const std::string& p, const TTempDir&) {
             TTempDir::WriteTo(p, MakeImage(9, 8, 3, PatternWords(216, 9)).Build());
         }},
        {"removed", [](const std::string& p, const TTempDir&) { std::remove(p.c_str()); }},
#if defined(_WIN32)
        {"damaged",
         [](const std::string& p, const TTempDir&) { std::filesystem::resize_file(p, 100); }},
#else
        {"damaged",
         [](const std::string& p, const TTempDir&) { ASSERT_EQ(::truncate(p.c_str(), 100), 0); }},
#endif
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        const std::string path = dir.Write("scan.tif", Scan(3));
        TReadAhead ahead(Plenty, false);
        ahead.Request(path);
        ahead.WaitUntilIdle();
        ASSERT_GT(ahead.HeldBytes(), 0u);
        c.Change(path, dir);
        const TLoad fromDisk = LoadThrough(nullptr, path);
        EXPECT_EQ(LoadThrough(&ahead, path), fromDisk);
        EXPECT_NE(fromDisk.Words, LoadThrough(nullptr, dir.Write("first.tif", Scan(3))).Words);
        EXPECT_EQ(ahead.HeldBytes(), 0u);
    }
}

TEST(ReadAhead, AWriterHoldingTheFileIsMetAsInALoad) {
    TTempDir dir;
    const std::string path = dir.Write("busy.tif", Scan(3));
    TReadAhead ahead(Plenty, false);
    ahead.Request(path);
    ahead.WaitUntilIdle();
#if defined(_WIN32) // a writer with the file open keeps readers out there
    std::FILE* writer = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(writer, nullptr);
#else
    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
#endif
    const TLoad load = LoadThrough(&ahead, path);
    EXPECT_EQ(load.Error.rfind("EOSError: ", 0), 0u) << load.Error;
    EXPECT_EQ(load, LoadThrough(nullptr, path));
#if defined(_WIN32)
    std::fclose(writer);
#else
    ::close(fd);
#endif
}

TEST(ReadAhead, MakesTheReducedViewAskedFor) {
    TTempDir dir;
    const std::string path = dir.Write("a.tif", Scan(5));
    TReadAhead ahead(Plenty, false);
    const TDisplayAdjustments adjustments{12, 1.0, 0.7};
    for (const auto& [toWidth, toHeight] : {std::pair{4, 3}, {0, 0}}) {
        ahead.Request(path, TReducedWish{adjustments, [&, w = toWidth, h = toHeight](
                                                          int32_t width, int32_t height) {
                                             EXPECT_EQ(width, 9);
                                             EXPECT_EQ(height, 7);
                                             return TReducedSize{w, h};
                                         }});
        ahead.WaitUntilIdle();
        std::optional<TScanAhead> scan = ahead.Take(path);
        ASSERT_TRUE(scan);
        const TLoadedTIFF& image = scan->Image;
        const TReducedView expected =
            RenderReduced(image.PixelData, 9, 7, 3, 2, 1, adjustments, toWidth, toHeight);
        EXPECT_EQ(scan->Reduced.Pixels, expected.Pixels);
        EXPECT_EQ(scan->Reduced.Pixels.size(), size_t(toWidth * toHeight));
        EXPECT_EQ(scan->Reduced.Adjustments, adjustments);
    }
}

TEST(ReadAhead, HoldsOneFileAndOnlyWithRoomForIt) {
    TTempDir dir;
    const std::string a = dir.Write("a.tif", Scan(3)), b = dir.Write("b.tif", Scan(4));
    const uint64_t size = ReadFileBytes(a).size();
    uint64_t available = 3 * size;
    TReadAhead ahead([&] { return available; }, false);
    ahead.Request(a);
    ahead.Request(b);
    ahead.WaitUntilIdle();
    EXPECT_EQ(ahead.HeldBytes(), kScanWordBytes); // b's
    EXPECT_FALSE(ahead.Take(a));
    ahead.Request(b); // held already: kept
    EXPECT_EQ(ahead.HeldBytes(), kScanWordBytes);
    EXPECT_TRUE(ahead.Take(b));

    available = 3 * size - 1;
    ahead.Request(a);
    ahead.WaitUntilIdle();
    EXPECT_EQ(ahead.HeldBytes(), 0u);
    EXPECT_EQ(LoadThrough(&ahead, a), LoadThrough(nullptr, a));
}

} // namespace
} // namespace vantrel::test
