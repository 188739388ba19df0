// SPDX-License-Identifier: MIT
#include "platform/Pages.h"

#include <cstdio>

#include <sys/mman.h>
#include <unistd.h>

namespace vantrel {

size_t PageSize() noexcept {
    static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

void* AllocatePages(size_t bytes) noexcept {
    void* base = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return base == MAP_FAILED ? nullptr : base;
}

void FreePages(void* block, size_t bytes) noexcept {
    if (block != nullptr)
        ::munmap(block, bytes);
}

void DropPages(void* p, size_t bytes) noexcept {
    if (bytes > 0)
        (void)::madvise(p, bytes, MADV_DONTNEED);
}

void AdviseHugePages(void* p, size_t bytes) noexcept {
#if defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHuge = uintptr_t{2} << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
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
