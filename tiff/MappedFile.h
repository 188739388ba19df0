// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileHandle.h"
#include "platform/FileMapping.h"

namespace vantrel {

/// A whole file mapped read-only for one load. Holds a shared lock (TFileHandle::OpenShared)
/// while it lives, so cooperating writers wait. Another process may still truncate the file
/// behind our back; the mapping is guarded against that (TFileMapping) and the loader asks
/// Changed() and refuses the result instead of dying.
///
/// The same object can instead hold a file's bytes already read into memory (InMemory): they
/// are read through the same calls, cannot change, and pages let go with Release() are freed.
class TMappedFile {
public:
    TMappedFile() = default;
    /// Opens and maps `path`. Throws EOSError when the file cannot be opened, locked or mapped
    /// (an empty file cannot be mapped) and ETIFFError when its size cannot be determined.
    explicit TMappedFile(const std::string& path);
    /// Room for `size` bytes of a file, to be filled through WritableData() before any read.
    /// Throws std::bad_alloc when the memory cannot be had; `size` must not be 0.
    [[nodiscard]] static TMappedFile InMemory(uint64_t size);
    ~TMappedFile();
    TMappedFile(TMappedFile&& other) noexcept;
    TMappedFile& operator=(TMappedFile&& other) noexcept;
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    const uint8_t* Data() const noexcept { return FData; }
    uint64_t Size() const noexcept { return FSize; }
    bool IsOpen() const noexcept { return FData != nullptr; }
    /// True for bytes held in memory (InMemory), false for a mapped file.
    bool IsInMemory() const noexcept { return FInMemory; }
    /// The bytes of an InMemory object; null for a mapped file.
    uint8_t* WritableData() noexcept { return FInMemory ? const_cast<uint8_t*>(FData) : nullptr; }

    /// Copies [offset, offset + length) of the file to `destination`: from the file itself with
    /// positioned reads (no page of the file is mapped for it), or from memory. False when the file
    /// ends before (it shrank meanwhile) or cannot be read; the range must lie inside Size().
    [[nodiscard]] bool ReadAt(uint64_t offset, void* destination, uint64_t length) const noexcept;

    /// True when the file shrank or was replaced on disk while mapped, or a page fault past
    /// its end was caught: what was read from the mapping cannot be trusted.
    bool Changed() const noexcept;

    /// Lets the kernel drop the mapped pages that lie wholly inside [offset, offset + length):
    /// once copied they need not stay resident beside the copy. Memory of an InMemory object
    /// is freed: its bytes there must not be read again.
    void Release(uint64_t offset, uint64_t length) const noexcept;

    /// Unmaps, unlocks and closes; safe to call twice.
    void Close() noexcept;

private:
    TFileHandle FFile;
    TFileMapping FMapping;
    const uint8_t* FData = nullptr; // the mapping's bytes, or the memory of InMemory
    uint64_t FSize = 0;
    bool FInMemory = false;
};

} // namespace vantrel
