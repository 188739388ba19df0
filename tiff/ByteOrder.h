// SPDX-License-Identifier: MIT
#pragma once

#include <concepts>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vantrel {

// The one place where numbers change between a file's byte order and the host's (little-endian)
// order. Reads and writes are unaligned-safe.

/// \brief The number with its bytes in reverse order.
template <std::unsigned_integral T> constexpr T ByteSwap(T v) noexcept {
    static_assert(sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
    if constexpr (sizeof(T) == 2)
        return __builtin_bswap16(v);
    else if constexpr (sizeof(T) == 4)
        return __builtin_bswap32(v);
    else
        return __builtin_bswap64(v);
}

/// \brief The number stored at `p` in a file of the given byte order, in host order.
template <std::unsigned_integral T> T ReadNumber(const uint8_t* p, bool bigEndian) noexcept {
    T v;
    std::memcpy(&v, p, sizeof v);
    return bigEndian ? ByteSwap(v) : v;
}

/// \brief Stores a host-order number at `p` in the given byte order.
template <std::unsigned_integral T> void WriteNumber(uint8_t* p, T v, bool bigEndian) noexcept {
    if (bigEndian)
        v = ByteSwap(v);
    std::memcpy(p, &v, sizeof v);
}

/// \brief Appends a host-order number to `out` in the given byte order.
template <std::unsigned_integral T>
void AppendNumber(std::vector<uint8_t>& out, T v, bool bigEndian) {
    const size_t at = out.size();
    out.resize(at + sizeof v);
    WriteNumber(out.data() + at, v, bigEndian);
}

inline uint16_t ReadU16(const uint8_t* p, bool bigEndian) noexcept {
    return ReadNumber<uint16_t>(p, bigEndian);
}

inline uint32_t ReadU32(const uint8_t* p, bool bigEndian) noexcept {
    return ReadNumber<uint32_t>(p, bigEndian);
}

} // namespace vantrel
