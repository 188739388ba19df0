// SPDX-License-Identifier: MIT
// Slices of a file's bytes: a range that does not lie wholly inside is refused, also where
// offset + length would overflow.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tiff/ByteView.h"

namespace vantrel {
namespace {

TEST(ByteView, SlicesOnlyWhatLiesInside) {
    const std::vector<uint8_t> bytes(10, 7);
    const TByteView file(bytes);
    const struct {
        uint64_t Offset, Length;
        bool Inside;
    } cases[] = {
        {0, 10, true},  {10, 0, true},          {4, 6, true},           {4, 7, false},
        {11, 0, false}, {UINT64_MAX, 2, false}, {2, UINT64_MAX, false}, {UINT64_MAX - 4, 10, false},
    };
    for (const auto& c : cases) {
        const auto slice = file.Slice(c.Offset, c.Length);
        EXPECT_EQ(slice.has_value(), c.Inside) << c.Offset << "+" << c.Length;
        if (slice) {
            EXPECT_EQ(slice->Data(), bytes.data() + c.Offset);
            EXPECT_EQ(slice->Size(), c.Length);
        }
    }
    EXPECT_FALSE(TByteView().Slice(0, 1));
    EXPECT_TRUE(file.Holds(9));
    EXPECT_FALSE(file.Holds(10));
    try {
        (void)file.Slice(8, 4, "past the end");
        ADD_FAILURE() << "no refusal";
    } catch (const ETIFFError& e) {
        EXPECT_EQ(e.Message(), "past the end");
    }
}

} // namespace
} // namespace vantrel
