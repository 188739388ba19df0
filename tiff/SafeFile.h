// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/uio.h>

namespace vantrel {

/// A file written in full or not at all. The bytes go to a temporary file in the target's
/// folder; Commit() flushes it to disk and renames it over the target. Until then the target
/// (which may be the very file the data came from) is untouched, and a TSafeFile destroyed
/// without Commit() removes its temporary file. Every failure raises EOSError with the
/// platform's message.
class TSafeFile {
public:
    explicit TSafeFile(const std::string& targetPath);
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    void Write(const void* data, size_t size);
    /// Writes several buffers in order with as few system calls as the platform allows.
    void WriteVector(const struct iovec* parts, size_t count);
    void Commit();
    /// The file the bytes go to until Commit(), to be read back before it.
    const std::string& TemporaryPath() const noexcept { return FTempPath; }

private:
    std::string FTargetPath;
    std::string FTempPath;
    int FFd = -1;
    bool FCommitted = false;
    uint64_t FWritten = 0, FStarted = 0; // bytes written, and those the disk was started on

    void Written(uint64_t bytes) noexcept;
};

} // namespace vantrel
