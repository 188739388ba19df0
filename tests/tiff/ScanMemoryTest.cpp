// SPDX-License-Identifier: MIT
// Scan-sized arrays: the block of one freed serves the next, never two arrays at once.
#include <gtest/gtest.h>

#include <algorithm>

#include "tiff/SampleWords.h"
#include "tiff/ScanMemory.h"

namespace vantrel {
namespace {

TEST(ScanMemory, AFreedBlockServesTheNextArrayAlone) {
    constexpr size_t kWords = kScanMemoryBytes; // 2 × the threshold in bytes
    if (SystemAvailableMemory() / 3 < 4 * kWords)
        GTEST_SKIP() << "no room to keep a block on this machine";
    const uint16_t* first = nullptr;
    {
        TSampleWords words(kWords);
        std::fill(words.begin(), words.end(), uint16_t{1});
        first = words.data();
    }
    TSampleWords smaller(kWords / 2 + 1);
    EXPECT_EQ(smaller.data(), first);
    TSampleWords beside(kWords / 2 + 1);
    EXPECT_NE(beside.data(), first);
    std::fill(smaller.begin(), smaller.end(), uint16_t{2});
    std::fill(beside.begin(), beside.end(), uint16_t{3});
    EXPECT_TRUE(std::all_of(smaller.begin(), smaller.end(), [](uint16_t w) { return w == 2; }));

    // A small array never takes the block.
    TSampleWords small(16);
    EXPECT_NE(small.data(), first);
}

} // namespace
} // namespace vantrel
