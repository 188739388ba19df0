// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

/// What tells one state of a file on disk from another: the file itself (device and inode,
/// or volume serial and file index on Windows), its size and its modification and change
/// times. A file replaced, written to or touched gets another state.
struct TFileState {
    uint64_t Device = 0;
    uint64_t File = 0;
    uint64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;
    bool IsRegular = false; ///< an ordinary file (not a folder, device or pipe)

    bool operator==(const TFileState&) const noexcept = default;
};

/// An open file, read-only, closed when the object goes.
class TFileHandle {
public:
    TFileHandle() noexcept = default;
    ~TFileHandle();
    TFileHandle(TFileHandle&& other) noexcept;
    TFileHandle& operator=(TFileHandle&& other) noexcept;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    /// \brief Opens `path` for reading under a shared lock, as every reader of a scan does:
    /// a cooperating writer that locks the file waits, and a file locked by one is refused.
    /// The file may still be renamed over or deleted while it is open (on Windows: read and
    /// delete sharing, no write sharing). Throws EOSError.
    [[nodiscard]] static TFileHandle OpenShared(const std::string& path);
    /// OpenShared without the exception: a closed handle on failure, LastSystemError() why.
    [[nodiscard]] static TFileHandle TryOpenShared(const std::string& path) noexcept;
    /// \brief Opens `path` for reading without a lock (small files read whole). A closed
    /// handle on failure, LastSystemError() why.
    [[nodiscard]] static TFileHandle TryOpen(const std::string& path) noexcept;

    bool IsOpen() const noexcept { return FNative != kClosed; }

    /// The file's state now; nothing when the system cannot tell.
    [[nodiscard]] std::optional<TFileState> State() const noexcept;
    /// The file's size now; nothing when the system cannot tell.
    [[nodiscard]] std::optional<uint64_t> Size() const noexcept;

    /// Reads up to `length` bytes from the current position: the bytes read, 0 at the end of
    /// the file, nothing on an error (LastSystemError() tells which).
    [[nodiscard]] std::optional<size_t> Read(void* destination, size_t length) const noexcept;
    /// Reads [offset, offset + length) in full, leaving the current position alone on POSIX.
    /// False when the file ends before or cannot be read.
    [[nodiscard]] bool ReadAt(uint64_t offset, void* destination, uint64_t length) const noexcept;

    /// Tells the system that the file will be read from start to end.
    void AdviseSequential() const noexcept;

    void Close() noexcept;

    /// The descriptor (POSIX) or HANDLE (Windows) for the platform room's own use.
    intptr_t Native() const noexcept { return FNative; }

private:
    static constexpr intptr_t kClosed = -1;
    explicit TFileHandle(intptr_t native) noexcept : FNative(native) {}
    intptr_t FNative = kClosed;
};

/// \brief True when `path` exists and is not a folder.
[[nodiscard]] bool IsExistingFile(const std::string& path) noexcept;

/// \brief The bytes of the file `path`, read whole; nothing when it does not exist. Any other
/// failure (no permission, a folder in its place, a read error) raises EOSError.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::string& path);

/// \brief True when `a` and `b` name the same existing file or folder, whatever their
/// spelling: links, letter case on a file system that ignores it, "..", doubled separators.
/// False when either cannot be examined.
[[nodiscard]] bool IsSameFile(const std::string& a, const std::string& b) noexcept;

} // namespace vantrel
