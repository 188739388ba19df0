// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "tiff/ScanMemory.h"

namespace vantrel {

/// An allocator that leaves new elements uninitialised. Sample arrays of a scan run to
/// gigabytes and are always overwritten at once: zero-filling them first would touch every
/// page twice. Scan-sized arrays take their memory from AllocateScanMemory, which keeps the
/// block of the last one freed for the next.
template <class T> struct DefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U> struct rebind { using other = DefaultInitAllocator<U>; };
    T* allocate(size_t n) {
        if (n < kScanMemoryBytes / sizeof(T))
            return std::allocator<T>::allocate(n);
        if (n > SIZE_MAX / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateScanMemory(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept {
        if (n < kScanMemoryBytes / sizeof(T))
            std::allocator<T>::deallocate(p, n);
        else
            FreeScanMemory(p, n * sizeof(T));
    }
    template <class U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

/// The sample words of an image: rows from the top, pixels from the left, the samples of one
/// pixel adjacent. New elements are not zeroed.
using TSampleWords = std::vector<uint16_t, DefaultInitAllocator<uint16_t>>;

/// Sample words shared by reference and never changed in place.
using TSharedWords = std::shared_ptr<const TSampleWords>;

} // namespace vantrel
