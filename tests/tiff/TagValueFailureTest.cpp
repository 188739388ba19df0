// SPDX-License-Identifier: MIT
// A record whose value text cannot be made (here: memory runs out) keeps its place with the
// read-error placeholder; describing never throws.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "tags/TagNumbers.h"
#include "tiff/CatalogueTagDescriber.h"

namespace {
// Armed by a test: the next allocation fails, later ones succeed again.
std::atomic<bool> gFailNextAllocation{false};
} // namespace

// These replace the global pair, so malloc and free belong together here.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    if (gFailNextAllocation.exchange(false))
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

namespace vantrel {
namespace {

TEST(ValueTextFailure, BecomesTheReadErrorPlaceholder) {
    // Out-of-line ASCII long enough that its text needs memory of its own.
    const std::string text = "A scanner of film, model number 42";
    std::vector<uint8_t> file(16, 0);
    file.insert(file.end(), text.begin(), text.end());
    file.push_back(0);

    TTIFFTag tag;
    tag.TagID = tagid::Software;
    tag.DataType = TTIFFDataType::dtASCII;
    tag.Count = static_cast<uint32_t>(text.size() + 1);
    tag.IsInline = false;
    tag.Value.AsDWORD = 16;

    const TCatalogueTagDescriber describer;
    describer.DescribeValue(tag, TByteView(file), false);
    EXPECT_EQ(tag.DisplayValueDecoded, text);

    gFailNextAllocation = true;
    describer.DescribeValue(tag, TByteView(file), false);
    gFailNextAllocation = false;
    EXPECT_EQ(tag.DisplayValue, "[ошибка при чтении]");
    EXPECT_EQ(tag.DisplayValueDecoded, "[ошибка при чтении]");
}

} // namespace
} // namespace vantrel
