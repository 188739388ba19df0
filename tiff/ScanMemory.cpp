// SPDX-License-Identifier: MIT
#include "tiff/ScanMemory.h"

#include <cstdio>
#include <mutex>
#include <new>
#include <unordered_map>

#include <sys/mman.h>
#include <unistd.h>

namespace vantrel {
namespace {

constexpr uint64_t kRoomFactor = 3;

struct TBlock {
    void* Base = nullptr;
    size_t Mapped = 0;
};

std::mutex gLock;
TBlock gKept;                                        // the block kept for the next array
std::unordered_map<void*, size_t>* gInUse = nullptr; // mapped size of every block in use

size_t PageSize() {
    static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

size_t RoundToPages(size_t bytes) {
    return (bytes + PageSize() - 1) / PageSize() * PageSize();
}

void AdviseHugePages(void* p, size_t bytes) noexcept {
    constexpr uintptr_t kHuge = uintptr_t{2} << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

std::unordered_map<void*, size_t>& InUse() {
    if (gInUse == nullptr) // never destroyed: blocks may be freed while statics go away
        gInUse = new std::unordered_map<void*, size_t>();
    return *gInUse;
}

} // namespace

void* AllocateScanMemory(size_t bytes) {
    const size_t wanted = RoundToPages(bytes);
    TBlock dropped;
    {
        std::lock_guard<std::mutex> lock(gLock);
        auto& inUse = InUse();
        inUse.reserve(inUse.size() + 1); // no allocation can fail once the block is taken
        if (gKept.Base != nullptr && gKept.Mapped >= wanted) {
            const TBlock block = gKept;
            gKept = {};
            // A smaller array must not hold memory it never touches.
            if (block.Mapped > wanted)
                (void)::madvise(static_cast<char*>(block.Base) + wanted, block.Mapped - wanted,
                                MADV_DONTNEED);
            inUse[block.Base] = block.Mapped;
            return block.Base;
        }
        // A kept block too small for this array is not held beside it.
        dropped = gKept;
        gKept = {};
    }
    if (dropped.Base != nullptr)
        ::munmap(dropped.Base, dropped.Mapped);
    void* base =
        ::mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        throw std::bad_alloc();
    AdviseHugePages(base, wanted);
    std::lock_guard<std::mutex> lock(gLock);
    InUse()[base] = wanted;
    return base;
}

void FreeScanMemory(void* block, size_t bytes) noexcept {
    TBlock dropped{block, RoundToPages(bytes)};
    {
        std::lock_guard<std::mutex> lock(gLock);
        auto& inUse = InUse();
        if (const auto it = inUse.find(block); it != inUse.end()) {
            dropped.Mapped = it->second;
            inUse.erase(it);
        }
        if (gKept.Base == nullptr && SystemAvailableMemory() / kRoomFactor >= dropped.Mapped) {
            gKept = dropped;
            return;
        }
    }
    ::munmap(dropped.Base, dropped.Mapped);
}

uint64_t SystemAvailableMemory() noexcept {
    FILE* info = std::fopen("/proc/meminfo", "re");
    if (info == nullptr)
        return 0;
    char line[256];
    unsigned long long kb = 0;
    while (std::fgets(line, sizeof line, info) != nullptr)
        if (std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1)
            break;
    std::fclose(info);
    return static_cast<uint64_t>(kb) * 1024;
}

} // namespace vantrel
