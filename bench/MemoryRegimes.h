// SPDX-License-Identifier: MIT
#pragma once

// The two states of memory a benchmark run starts from. Fresh memory costs far more to touch
// when the machine has been idle for a few seconds: the memory a process hands back is taken
// back by a virtual machine's host (free page reporting) or left fragmented, and its first
// touch then pays for that again. Every speed goal is measured in both states.
#include <chrono>
#include <cstring>
#include <thread>

#include <sys/mman.h>

namespace vantrel::bench {

enum class TRegime { Warm, Cold };

inline const char* RegimeName(TRegime regime) {
    return regime == TRegime::Warm ? "warm" : "cold";
}

/// Warm: another large buffer (1 GiB, huge pages advised) touched and freed just before, so
/// that fresh memory comes back at once. Cold: three idle seconds.
inline void EnterRegime(TRegime regime) {
    if (regime == TRegime::Cold) {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return;
    }
    constexpr size_t kBytes = size_t{1} << 30;
    void* p = ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return;
    (void)::madvise(p, kBytes, MADV_HUGEPAGE);
    std::memset(p, 1, kBytes);
    ::munmap(p, kBytes);
}

} // namespace vantrel::bench
