// SPDX-License-Identifier: MIT
#include "pipeline/kernels/KernelMemory.h"

#include "platform/Pages.h"

namespace vantrel {

std::shared_ptr<TSampleWords> AllocateWords(size_t count) {
    auto words = std::make_shared<TSampleWords>();
    words->reserve(count);
    AdviseHugePages(words->data(), count * sizeof(uint16_t));
    words->resize(count); // default-initialised: no page is touched yet
    return words;
}

TViewBitmap AllocateViewBitmap(int32_t width, int32_t height) {
    TViewBitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.BytesPerLine = (int64_t{3} * width + 3) / 4 * 4;
    const size_t bytes = static_cast<size_t>(bitmap.BytesPerLine) * static_cast<size_t>(height);
    bitmap.Pixels.reset(new uint8_t[bytes]); // not value-initialised: the renderer fills every byte
    AdviseHugePages(bitmap.Pixels.get(), bytes);
    return bitmap;
}

} // namespace vantrel
