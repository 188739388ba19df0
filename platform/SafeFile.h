// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

/// One piece of a gathered write.
struct TWritePart {
    const void* Data = nullptr;
    size_t Size = 0;
};

/// A file written in full or not at all. The bytes go to a temporary file in the target's
/// folder; Commit() flushes it to disk and puts it in the target's place in one step (rename,
/// or a replacing move written through on Windows), then makes that step itself durable. Until
/// then the target (which may be the very file the data came from, open for reading) is
/// untouched, and a TSafeFile destroyed without Commit() removes its temporary file. Every
/// failure raises EOSError with the system's message.
class TSafeFile {
public:
    explicit TSafeFile(const std::string& targetPath);
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    void Write(const void* data, size_t size);
    /// Writes several buffers in order with as few system calls as the platform allows.
    void WriteParts(const TWritePart* parts, size_t count);
    void Commit();
    /// The file the bytes went to, to be read back before Commit(); nothing is written after
    /// it is asked for (Windows lets no reader open a file while it is open for writing, so
    /// there it is then held for reading only).
    [[nodiscard]] const std::string& TemporaryPathToReadBack();

private:
    std::string FTargetPath;
    std::string FTempPath;
    intptr_t FNative = -1;
    bool FCommitted = false;
    bool FFlushed = false;               // on disk already, and open for reading only (Windows)
    uint64_t FWritten = 0, FStarted = 0; // bytes written, and those the disk was started on

    void Written(uint64_t bytes) noexcept;
};

} // namespace vantrel
