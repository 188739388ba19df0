// SPDX-License-Identifier: MIT
#pragma once

// Stores that bypass the caches, for kernels whose results are far larger than any cache: a
// plain store first reads the destination line it overwrites, which costs a third more memory
// traffic than the copy itself. Falls back to ordinary stores where SSE2 is missing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel::kernels {

inline bool IsAligned(const void* p, size_t alignment) {
    return (reinterpret_cast<uintptr_t>(p) & (alignment - 1)) == 0;
}

/// Copies n bytes from a buffer in the cache to their final place in memory.
inline void StreamBytes(void* dst, const void* src, size_t n) {
#if defined(__SSE2__)
    auto* d = static_cast<uint8_t*>(dst);
    const auto* s = static_cast<const uint8_t*>(src);
    const size_t head = std::min(n, (16 - (reinterpret_cast<uintptr_t>(d) & 15)) & 15);
    std::memcpy(d, s, head);
    d += head, s += head, n -= head;
    for (; n >= 16; n -= 16, d += 16, s += 16)
        _mm_stream_si128(reinterpret_cast<__m128i*>(d),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
    std::memcpy(d, s, n);
#else
    std::memcpy(dst, src, n);
#endif
}

/// Makes the streamed stores of this thread visible before it reports its band done.
inline void StreamFence() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

} // namespace vantrel::kernels
