// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "pipeline/kernels/ViewBitmap.h"
#include "tiff/SampleWords.h"

namespace vantrel {

/// A word array of `count` words, uninitialised, allocated once at its final size.
[[nodiscard]] std::shared_ptr<TSampleWords> AllocateWords(size_t count);

/// A view bitmap of width × height with uninitialised pixels; rows are padded to 4 bytes.
/// Both are advised huge pages while untouched: a scan-sized result otherwise takes one page
/// fault per 4 KiB when the kernel first writes it, which costs more than the copy itself.
[[nodiscard]] TViewBitmap AllocateViewBitmap(int32_t width, int32_t height);

} // namespace vantrel
