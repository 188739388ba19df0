// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "platform/FileHandle.h"

namespace vantrel {

/// \brief A whole open file mapped read-only. Another process may truncate a file behind a
/// POSIX mapping: touching a page past the new end would raise SIGBUS, so the pages of every
/// live mapping are guarded. A fault inside a guarded mapping replaces the rest of the mapping
/// with zero pages and marks it faulted; the reader asks Faulted() and refuses what it read.
/// Windows refuses to cut a file short while a view of it exists.
class TFileMapping {
public:
    TFileMapping() noexcept = default;
    /// Maps the first `size` bytes of `file` (all of it); throws EOSError (also for size 0).
    TFileMapping(const TFileHandle& file, uint64_t size);
    ~TFileMapping();
    TFileMapping(TFileMapping&& other) noexcept;
    TFileMapping& operator=(TFileMapping&& other) noexcept;
    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;

    const uint8_t* Data() const noexcept { return FData; }
    uint64_t Size() const noexcept { return FSize; }

    /// True when a page fault past the file's end was caught.
    [[nodiscard]] bool Faulted() const noexcept;

    /// Lets the system drop the mapped pages that lie wholly inside [offset, offset + length):
    /// once copied they need not stay resident beside the copy.
    void Release(uint64_t offset, uint64_t length) const noexcept;

    void Close() noexcept;

private:
    const uint8_t* FData = nullptr;
    uint64_t FSize = 0;
    intptr_t FExtra = -1; // the guard slot (POSIX) or the mapping object (Windows)
};

} // namespace vantrel
