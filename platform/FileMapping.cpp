// SPDX-License-Identifier: MIT
#include "platform/FileMapping.h"

#include <utility>

namespace vantrel {

// What does not depend on the system; posix/ and windows/ map and unmap.

TFileMapping::~TFileMapping() {
    Close();
}

TFileMapping::TFileMapping(TFileMapping&& other) noexcept
    : FData(std::exchange(other.FData, nullptr)), FSize(std::exchange(other.FSize, 0)),
      FExtra(std::exchange(other.FExtra, -1)) {}

TFileMapping& TFileMapping::operator=(TFileMapping&& other) noexcept {
    if (this != &other) {
        Close();
        FData = std::exchange(other.FData, nullptr);
        FSize = std::exchange(other.FSize, 0);
        FExtra = std::exchange(other.FExtra, -1);
    }
    return *this;
}

} // namespace vantrel
