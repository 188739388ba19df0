// SPDX-License-Identifier: MIT
#include "tiff/Exceptions.h"

#include <cstring>

namespace vantrel {

EOSError EOSError::FromErrno(int code, const std::string& extra) {
    std::string text = "System Error.  Code: " + std::to_string(code) + ".\r\n";
    text += std::strerror(code);
    text += extra;
    return EOSError(code, text);
}

} // namespace vantrel
