// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "pipeline/kernels/ParallelRows.h"

namespace vantrel {
namespace {

TEST(ParallelRowsTest, EveryRowOnceWhateverTheSplit) {
    for (int64_t height : {0, 1, 63, 64, 127, 128, 129, 1000, 9001})
        for (unsigned threads : {0u, 1u, 2u, 3u, 8u})
            for (int64_t alignment : {1, 8, 64, 256}) {
                std::vector<std::atomic<int>> visits(static_cast<size_t>(height));
                std::atomic<int> bands{0};
                ParallelRows(
                    height,
                    [&](int64_t first, int64_t end) {
                        ASSERT_LT(first, end);
                        ++bands;
                        for (int64_t y = first; y < end; ++y)
                            ++visits[static_cast<size_t>(y)];
                    },
                    threads, alignment);
                for (int64_t y = 0; y < height; ++y)
                    ASSERT_EQ(visits[static_cast<size_t>(y)], 1)
                        << "row " << y << " of " << height << ", " << threads << " threads";
                EXPECT_LE(bands, static_cast<int>(std::max(threads, DefaultKernelThreads())));
            }
}

TEST(ParallelRowsTest, PassesOnAnErrorAfterEveryBandHasFinished) {
    std::atomic<int> finished{0};
    EXPECT_THROW(ParallelRows(
                     1000,
                     [&](int64_t first, int64_t) {
                         if (first == 0)
                             throw std::runtime_error("first band");
                         ++finished;
                     },
                     4),
                 std::runtime_error);
    EXPECT_EQ(finished, 3);
}

} // namespace
} // namespace vantrel
