// SPDX-License-Identifier: MIT
#include "platform/SafeFile.h"

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include "platform/SystemError.h"
#include "platform/TemporaryNames.h"

namespace vantrel {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void RaiseErrno(int code) {
    throw EOSError::FromErrno(code);
}

// The bytes that a write call took: 0 when a signal interrupted it before it wrote anything, so
// that the caller calls again. Raises the system's error, and "no space" for a call that wrote
// nothing.
size_t BytesWritten(ssize_t result) {
    if (result < 0) {
        if (errno == EINTR)
            return 0;
        RaiseErrno(errno);
    }
    if (result == 0)
        RaiseErrno(ENOSPC);
    return static_cast<size_t>(result);
}

int Fd(intptr_t native) {
    return static_cast<int>(native);
}

} // namespace

TSafeFile::TSafeFile(const std::string& targetPath) : FTargetPath(targetPath) {
    TTemporaryNames names(targetPath, targetPath.find_last_of('/'));
    for (int attempt = 0; attempt < TTemporaryNames::kAttempts; ++attempt) {
        std::string candidate = names.Next();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            FNative = fd;
            FTempPath = std::move(candidate);
            break;
        }
        if (errno != EEXIST)
            RaiseErrno(errno);
    }
    if (FNative < 0)
        RaiseErrno(EEXIST);
    // A replaced file keeps its permissions.
    struct stat existing {};
    if (::stat(targetPath.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(Fd(FNative), existing.st_mode & 07777);
}

TSafeFile::~TSafeFile() {
    if (FNative >= 0)
        ::close(Fd(FNative));
    if (!FCommitted && !FTempPath.empty())
        ::unlink(FTempPath.c_str());
}

void TSafeFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const size_t written = BytesWritten(::write(Fd(FNative), bytes, size));
        bytes += written;
        size -= written;
        Written(written);
    }
}

void TSafeFile::Written(uint64_t bytes) noexcept {
    // The disk starts on what is written while the rest is still being made, so that the flush
    // of Commit() waits only for the tail. Only a start: errors are met by the flush.
    constexpr uint64_t kWriteBehind = 8u << 20;
    FWritten += bytes;
    if (FWritten - FStarted >= kWriteBehind) {
        (void)::sync_file_range(Fd(FNative), static_cast<off_t>(FStarted),
                                static_cast<off_t>(FWritten - FStarted), SYNC_FILE_RANGE_WRITE);
        FStarted = FWritten;
    }
}

void TSafeFile::WriteParts(const TWritePart* parts, size_t count) {
    // writev may stop anywhere, also inside a part: resume from where it stopped.
    struct iovec local[IOV_MAX];
    while (count > 0) {
        const size_t batch = count < IOV_MAX ? count : IOV_MAX;
        for (size_t i = 0; i < batch; ++i)
            local[i] = {const_cast<void*>(parts[i].Data), parts[i].Size};
        size_t first = 0;
        while (first < batch) {
            size_t left =
                BytesWritten(::writev(Fd(FNative), local + first, static_cast<int>(batch - first)));
            Written(left);
            while (first < batch && left >= local[first].iov_len) {
                left -= local[first].iov_len;
                ++first;
            }
            if (left > 0) {
                local[first].iov_base = static_cast<char*>(local[first].iov_base) + left;
                local[first].iov_len -= left;
            }
        }
        parts += batch;
        count -= batch;
    }
}

const std::string& TSafeFile::TemporaryPathToReadBack() {
    return FTempPath;
}

void TSafeFile::Commit() {
    if (::fsync(Fd(FNative)) != 0)
        RaiseErrno(errno);
    const int fd = Fd(FNative);
    FNative = -1;
    if (::close(fd) != 0)
        RaiseErrno(errno);
    if (::rename(FTempPath.c_str(), FTargetPath.c_str()) != 0)
        RaiseErrno(errno);
    FCommitted = true;
    // Make the rename itself durable; a failure here no longer endangers any data.
    const int dir = ::open(FolderOf(FTargetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

} // namespace vantrel
