// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Pages.h" // SystemAvailableMemory

namespace vantrel {

/// Arrays at least this large are scan-sized and come from AllocateScanMemory.
constexpr size_t kScanMemoryBytes = size_t{32} << 20;

/// \brief Memory for a scan-sized array, untouched: straight from the system with huge pages
/// advised, or the block that the last such array left behind. Memory handed back to the system
/// costs several times a copy to touch again once the machine has been idle for a few seconds
/// (a virtual machine's host takes freed memory back), so one freed block is kept for the next
/// job. Throws std::bad_alloc.
[[nodiscard]] void* AllocateScanMemory(size_t bytes);

/// \brief Gives back a block of AllocateScanMemory. It is kept for the next array while no other
/// is kept and the machine has room (available memory at least three times its size).
void FreeScanMemory(void* block, size_t bytes) noexcept;

} // namespace vantrel
