// SPDX-License-Identifier: MIT
// The byte-order conversions against bytes written out by hand: the tests build and read
// their files through them too, so they must hold on their own.
#include <gtest/gtest.h>

#include <vector>

#include "tiff/ByteOrder.h"

namespace vantrel {
namespace {

TEST(ByteOrder, NumbersInBothOrders) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    EXPECT_EQ(ReadU16(bytes, false), 0x0201u);
    EXPECT_EQ(ReadU16(bytes, true), 0x0102u);
    EXPECT_EQ(ReadU32(bytes + 1, false), 0x05040302u); // unaligned
    EXPECT_EQ(ReadU32(bytes + 1, true), 0x02030405u);
    EXPECT_EQ(ReadNumber<uint64_t>(bytes, false), 0x0807060504030201ull);
    EXPECT_EQ(ReadNumber<uint64_t>(bytes, true), 0x0102030405060708ull);

    for (const bool bigEndian : {false, true}) {
        std::vector<uint8_t> out;
        AppendNumber<uint16_t>(out, bigEndian ? 0x0102 : 0x0201, bigEndian);
        AppendNumber<uint32_t>(out, bigEndian ? 0x03040506 : 0x06050403, bigEndian);
        WriteNumber<uint16_t>(out.data() + 4, bigEndian ? 0x0506 : 0x0605, bigEndian);
        EXPECT_EQ(out, std::vector<uint8_t>(bytes, bytes + 6)) << bigEndian;
    }
}

} // namespace
} // namespace vantrel
