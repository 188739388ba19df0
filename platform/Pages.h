// SPDX-License-Identifier: MIT
#pragma once

// Memory straight from the system, in whole pages, for scan-sized arrays.

#include <cstddef>
#include <cstdint>

namespace vantrel {

/// The size of a page of memory.
[[nodiscard]] size_t PageSize() noexcept;

/// `bytes` (rounded up to pages) of fresh memory, untouched, or null when the system has none.
[[nodiscard]] void* AllocatePages(size_t bytes) noexcept;
/// Gives back a block of AllocatePages of `bytes`.
void FreePages(void* block, size_t bytes) noexcept;
/// The whole pages inside [p, p + bytes) hold nothing of value any more: the system may take
/// them back at once; they stay usable, their contents undefined.
void DropPages(void* p, size_t bytes) noexcept;
/// Asks for huge pages for the whole huge pages inside [p, p + bytes), where the system has
/// them for the asking: a fresh buffer then costs fewer faults to fill.
void AdviseHugePages(void* p, size_t bytes) noexcept;

/// \brief Bytes the system can still give without swapping (MemAvailable of /proc/meminfo,
/// the available physical memory on Windows); 0 when unknown.
[[nodiscard]] uint64_t SystemAvailableMemory() noexcept;

} // namespace vantrel
