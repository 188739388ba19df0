// SPDX-License-Identifier: MIT
// A small damaged file may claim an image of up to 2^30 - 1 words. Its strips are checked
// against the file before the sample array is sized, so on a machine that cannot give the
// gigabytes it is refused with its own message rather than with "out of memory".
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tags/TagNumbers.h"
#include "tests/support/TIFFBuilder.h"
#include "tests/tiff/LoadHelpers.h"

namespace {
// Allocations above this size fail while a test sets it (0: no limit), as on a small machine.
std::atomic<std::size_t> gAllocationLimit{0};
} // namespace

void* operator new(std::size_t size) {
    const std::size_t limit = gAllocationLimit.load();
    if (limit != 0 && size > limit)
        throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace vantrel::test {
namespace {

using B = TTIFFBuilder;

struct TLimit {
    TLimit() { gAllocationLimit = 64u << 20; }
    ~TLimit() { gAllocationLimit = 0; }
};

TEST(HugeClaim, DamagedStripsAreToldBeforeTheArrayIsSized) {
    TTempDir dir;
    const std::string e = "ETIFFError: ";
    struct {
        const char* Name;
        std::function<void(B&)> Damage;
        std::string Message;
    } cases[] = {
        {"offset past the end", [](B& b) { b.SetValues(tagid::StripOffsets, {0x7FFFFFF0u}); },
         e + "StripOffset за пределами файла"},
        {"count past the end", [](B& b) { b.SetValues(tagid::StripByteCounts, {0x7FFFFFF0u}); },
         e + "StripByteCount выходит за пределы файла"},
        {"too few words", [](B&) {}, e + "Недостаточно данных в стрипах"},
        {"planar strip size",
         [](B& b) { b.SetValues(tagid::PlanarConfiguration, {2}).Remove(tagid::RowsPerStrip); },
         e + "Несоответствие размера стрипа: ожидалось 1073676289 слов, получено 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        // 32767 x 32767 grey: 2 GiB of samples claimed by a file of a few hundred bytes.
        B b = MakeImage(2, 2, 1, PatternWords(4));
        b.SetValues(tagid::ImageWidth, {32767}).SetValues(tagid::ImageLength, {32767});
        c.Damage(b);
        const std::string path = dir.Write("claim.tif", b.Build());
        TLimit limit;
        EXPECT_EQ(LoadError(path), c.Message);
    }
}

TEST(HugeClaim, SmallImagesStillLoadUnderTheLimit) {
    TTempDir dir;
    const std::string path = dir.Write("small.tif", MakeImage(3, 2, 3, PatternWords(18)).Build());
    TLimit limit;
    EXPECT_EQ(Words(Load(path).Image), PatternWords(18));
}

} // namespace
} // namespace vantrel::test
