// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstring>

namespace vantrel {

// The one place where file numbers are turned into host numbers. Reads are unaligned-safe.

inline uint16_t Swap16(uint16_t v) noexcept {
    return __builtin_bswap16(v);
}
inline uint32_t Swap32(uint32_t v) noexcept {
    return __builtin_bswap32(v);
}

inline uint16_t ReadU16(const uint8_t* p, bool bigEndian) noexcept {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return bigEndian ? Swap16(v) : v;
}

inline uint32_t ReadU32(const uint8_t* p, bool bigEndian) noexcept {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return bigEndian ? Swap32(v) : v;
}

/// True when [offset, offset + length) lies inside a file of `size` bytes; cannot overflow.
inline bool InFile(uint64_t offset, uint64_t length, uint64_t size) noexcept {
    return offset <= size && length <= size - offset;
}

} // namespace vantrel
