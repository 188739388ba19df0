// SPDX-License-Identifier: MIT
#include "platform/FileHandle.h"

#include <utility>

#include "platform/SystemError.h"

namespace vantrel {

// What does not depend on the system; posix/ and windows/ open, read and close.

TFileHandle::~TFileHandle() {
    Close();
}

TFileHandle::TFileHandle(TFileHandle&& other) noexcept
    : FNative(std::exchange(other.FNative, kClosed)) {}

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        FNative = std::exchange(other.FNative, kClosed);
    }
    return *this;
}

TFileHandle TFileHandle::OpenShared(const std::string& path) {
    TFileHandle file = TryOpenShared(path);
    if (!file.IsOpen())
        throw EOSError::LastError();
    return file;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const TFileHandle file = TFileHandle::TryOpen(path);
    if (!file.IsOpen()) {
        const int code = LastSystemError();
        if (IsNotFoundError(code))
            return std::nullopt;
        throw EOSError::FromSystemCode(code);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const std::optional<size_t> got = file.Read(buffer, sizeof buffer);
        if (!got)
            throw EOSError::LastError();
        if (*got == 0)
            return bytes;
        bytes.append(buffer, *got);
    }
}

} // namespace vantrel
