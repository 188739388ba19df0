// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "ui/logic/BatchTravel.h"

namespace vantrel {
namespace {

TEST(BatchTravelTest, TheFileAheadFollowsTheLastMove) {
    const struct {
        const char* Name;
        std::vector<std::pair<int, int>> Moves; // from, to
        int Current;
        int Count;
        std::optional<int> Ahead;
    } cases[] = {
        {"a new batch goes forward", {}, 0, 5, 1},
        {"forward", {{0, 1}}, 1, 5, 2},
        {"backward", {{3, 2}}, 2, 5, 1},
        {"a jump back", {{4, 1}}, 1, 5, 0},
        {"a reload keeps the way back", {{3, 2}, {2, 2}}, 2, 5, 1},
        {"forward again", {{3, 2}, {2, 3}}, 3, 5, 4},
        {"nothing past the end", {{3, 4}}, 4, 5, std::nullopt},
        {"nothing before the start", {{1, 0}}, 0, 5, std::nullopt},
        {"a single file", {}, 0, 1, std::nullopt},
        {"no file shown", {}, -1, 5, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TBatchTravel travel;
        for (const auto& [from, to] : c.Moves)
            travel.Moved(from, to);
        EXPECT_EQ(travel.Ahead(c.Current, c.Count), c.Ahead);
    }
}

TEST(BatchTravelTest, ANewBatchGoesForwardAgain) {
    TBatchTravel travel;
    travel.Moved(3, 2);
    travel.Restart();
    EXPECT_EQ(travel.Ahead(0, 3), 1);
}

} // namespace
} // namespace vantrel
