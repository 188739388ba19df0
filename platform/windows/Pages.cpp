// SPDX-License-Identifier: MIT
#include "platform/Pages.h"

#include <windows.h>

namespace vantrel {

size_t PageSize() noexcept {
    static const size_t size = [] {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        return static_cast<size_t>(info.dwPageSize);
    }();
    return size;
}

void* AllocatePages(size_t bytes) noexcept {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreePages(void* block, size_t) noexcept {
    if (block != nullptr)
        VirtualFree(block, 0, MEM_RELEASE);
}

void DropPages(void* p, size_t bytes) noexcept {
    if (bytes == 0)
        return;
    // The contents are no longer wanted, and the pages leave the working set at once
    // (unlocking pages that are not locked does that).
    (void)VirtualAlloc(p, bytes, MEM_RESET, PAGE_READWRITE);
    (void)VirtualUnlock(p, bytes);
}

// Large pages on Windows need a privilege users do not hold; the ordinary ones serve.
void AdviseHugePages(void*, size_t) noexcept {}

uint64_t SystemAvailableMemory() noexcept {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}

} // namespace vantrel
