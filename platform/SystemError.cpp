// SPDX-License-Identifier: MIT
#include "platform/SystemError.h"

#include <cstring>

namespace vantrel {

EOSError EOSError::FromErrno(int code, const std::string& extra) {
    std::string text = "System Error.  Code: " + std::to_string(code) + ".\r\n";
    text += std::strerror(code);
    text += extra;
    return EOSError(code, text);
}

EOSError EOSError::LastError(const std::string& extra) {
    return FromSystemCode(LastSystemError(), extra);
}

} // namespace vantrel
