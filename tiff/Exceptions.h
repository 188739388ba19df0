// SPDX-License-Identifier: MIT
#pragma once

// Exception and EOSError come from the platform room, which raises them too.
#include "platform/SystemError.h"

namespace vantrel {

/// \brief A file the TIFF engine refuses or cannot write.
class ETIFFError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ETIFFError"; }
};

} // namespace vantrel
