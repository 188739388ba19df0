// SPDX-License-Identifier: MIT
#include "platform/SystemError.h"

#include <cerrno>

namespace vantrel {

EOSError EOSError::FromSystemCode(int code, const std::string& extra) {
    return FromErrno(code, extra); // the system's errors are errno values
}

int LastSystemError() noexcept {
    return errno;
}

bool IsNotFoundError(int code) noexcept {
    return code == ENOENT;
}

} // namespace vantrel
