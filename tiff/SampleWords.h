// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vantrel {

/// An allocator that leaves new elements uninitialised. Sample arrays of a scan run to
/// gigabytes and are always overwritten at once: zero-filling them first would touch every
/// page twice.
template <class T> struct DefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U> struct rebind { using other = DefaultInitAllocator<U>; };
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
