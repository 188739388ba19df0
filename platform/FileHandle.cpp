// SPDX-License-Identifier: MIT
#include "platform/FileHandle.h"

#include "platform/SystemError.h"

namespace vantrel {

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
