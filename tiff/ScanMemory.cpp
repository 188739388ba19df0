// SPDX-License-Identifier: MIT
#include "tiff/ScanMemory.h"

#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/Pages.h"

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

size_t RoundToPages(size_t bytes) {
    return (bytes + PageSize() - 1) / PageSize() * PageSize();
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
                DropPages(static_cast<char*>(block.Base) + wanted, block.Mapped - wanted);
            inUse[block.Base] = block.Mapped;
            return block.Base;
        }
        // A kept block too small for this array is not held beside it.
        dropped = gKept;
        gKept = {};
    }
    FreePages(dropped.Base, dropped.Mapped);
    void* base = AllocatePages(wanted);
    if (base == nullptr)
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
    FreePages(dropped.Base, dropped.Mapped);
}

} // namespace vantrel
