// SPDX-License-Identifier: MIT
#include "platform/FileHandle.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/SystemError.h"

namespace vantrel {
namespace {

int Fd(intptr_t native) {
    return static_cast<int>(native);
}

int64_t Nanoseconds(const timespec& t) {
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

TFileHandle TFileHandle::TryOpenShared(const std::string& path) noexcept {
    // O_NONBLOCK keeps a FIFO from blocking the open; it does nothing to regular files.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        errno = code;
        return {};
    }
    return TFileHandle(fd);
}

TFileHandle TFileHandle::TryOpen(const std::string& path) noexcept {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd < 0 ? TFileHandle() : TFileHandle(fd);
}

std::optional<TFileState> TFileHandle::State() const noexcept {
    struct stat st {};
    if (!IsOpen() || ::fstat(Fd(FNative), &st) != 0 || st.st_size < 0)
        return std::nullopt;
    return TFileState{static_cast<uint64_t>(st.st_dev),  static_cast<uint64_t>(st.st_ino),
                      static_cast<uint64_t>(st.st_size), Nanoseconds(st.st_mtim),
                      Nanoseconds(st.st_ctim),           S_ISREG(st.st_mode)};
}

std::optional<uint64_t> TFileHandle::Size() const noexcept {
    struct stat st {};
    if (!IsOpen() || ::fstat(Fd(FNative), &st) != 0 || st.st_size < 0)
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

std::optional<size_t> TFileHandle::Read(void* destination, size_t length) const noexcept {
    for (;;) {
        const ssize_t n = ::read(Fd(FNative), destination, length);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            return std::nullopt;
    }
}

bool TFileHandle::ReadAt(uint64_t offset, void* destination, uint64_t length) const noexcept {
    auto* to = static_cast<uint8_t*>(destination);
    while (length > 0) {
        const ssize_t n = ::pread(Fd(FNative), to, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        offset += static_cast<uint64_t>(n);
        length -= static_cast<uint64_t>(n);
    }
    return true;
}

void TFileHandle::AdviseSequential() const noexcept {
    (void)::posix_fadvise(Fd(FNative), 0, 0, POSIX_FADV_SEQUENTIAL);
}

void TFileHandle::Close() noexcept {
    if (IsOpen())
        ::close(Fd(FNative)); // closing drops the flock too
    FNative = kClosed;
}

bool IsExistingFile(const std::string& path) noexcept {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b) noexcept {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace vantrel
