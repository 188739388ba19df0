// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

/// A whole file mapped read-only for one load. Holds a shared advisory lock (flock LOCK_SH)
/// while it lives, so cooperating writers wait. Another process may still truncate the file
/// behind our back: touching a mapped page past the new end would raise SIGBUS, so the pages
/// of every live mapping are guarded. A fault inside a guarded mapping replaces the rest of
/// the mapping with zero pages and marks it changed; the loader asks Changed() and refuses the
/// result instead of dying.
class TMappedFile {
public:
    TMappedFile() = default;
    /// Opens and maps `path`. Throws EOSError when the file cannot be opened, locked or mapped
    /// (an empty file cannot be mapped) and ETIFFError when its size cannot be determined.
    explicit TMappedFile(const std::string& path);
    ~TMappedFile();
    TMappedFile(TMappedFile&& other) noexcept;
    TMappedFile& operator=(TMappedFile&& other) noexcept;
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    const uint8_t* Data() const noexcept { return FData; }
    uint64_t Size() const noexcept { return FSize; }

    /// True when the file shrank or was replaced on disk while mapped, or a page fault past
    /// its end was caught: what was read from the mapping cannot be trusted.
    bool Changed() const noexcept;

    /// Maps the pages of [offset, offset + length) in one go before they are read: far cheaper
    /// than a page fault per page. Only advice; failures are ignored.
    void Prefetch(uint64_t offset, uint64_t length) const noexcept;

    /// Lets the kernel drop the mapped pages that lie wholly inside [offset, offset + length):
    /// once copied they need not stay resident beside the copy.
    void Release(uint64_t offset, uint64_t length) const noexcept;

    /// Unmaps, unlocks and closes; safe to call twice.
    void Close() noexcept;

private:
    int FFd = -1;
    const uint8_t* FData = nullptr;
    uint64_t FSize = 0;
    int FSlot = -1;
};

} // namespace vantrel
