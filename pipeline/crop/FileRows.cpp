// SPDX-License-Identifier: MIT
#include "pipeline/crop/FileRows.h"

#include <algorithm>

#include "tiff/CatalogueTagDescriber.h"

namespace vantrel {
namespace {

// Large enough that a block costs few system calls, small enough to stay in the cache.
constexpr uint64_t kBlockBytes = 4u << 20;

} // namespace

TFileRows::TFileRows(const std::string& FileName) {
    const TCatalogueTagDescriber describer;
    TCropTIFF tiff(describer);
    FFile = TCropTIFF::OpenForReading(FileName);
    FLayout = tiff.ReadSampleLayout(FFile);
    FTags = tiff.GetAllTags();
    FPages = tiff.GetFurtherPages();
    FRows = std::make_unique<TSampleRows>(FFile, FLayout);
}

TFileRows::~TFileRows() = default;

int32_t TFileRows::BlockRows(int32_t W) const noexcept {
    const uint64_t rowBytes = static_cast<uint64_t>(std::max(W, 1)) *
                              static_cast<uint64_t>(std::max(FLayout.SamplesPerPixel, 1)) * 2;
    return static_cast<int32_t>(std::clamp<uint64_t>(kBlockBytes / rowBytes, 1, INT32_MAX));
}

TCropTIFF::TWordRows TFileRows::Read(int32_t First, int32_t Count, int32_t X, int32_t W,
                                     bool HostOrder) {
    const int32_t rows = std::min(Count, BlockRows(W));
    FRows->CheckRange(First, rows, X, W); // before the block is sized for it
    const size_t rowWords = static_cast<size_t>(W) * static_cast<size_t>(FLayout.SamplesPerPixel);
    FBlock.resize(std::max(FBlock.size(), rowWords * static_cast<size_t>(rows)));
    FRows->Read(First, rows, X, W, HostOrder, FBlock.data());
    return {FBlock.data(), rowWords, rowWords, rows};
}

void TFileRows::CheckUnchanged() const {
    if (FFile.IsOpen())
        vantrel::CheckUnchanged(FFile);
}

void TFileRows::Close() noexcept {
    FRows.reset();
    FFile.Close();
}

} // namespace vantrel
