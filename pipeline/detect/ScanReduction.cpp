// SPDX-License-Identifier: MIT
#include "pipeline/detect/ScanReduction.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "pipeline/crop/FileRows.h"

namespace vantrel {
namespace {

// A scan this much longer than wide holds more than one frame: one frame of any format,
// neighbours' slivers included, is nearer square.
constexpr double kStripAspect = 1.8;
// The longest reduced copy of a strip: ten frames' worth.
constexpr int32_t kMaxStripLongSide = 10 * kReducedLongSide;
// Columns read per block of a wide step: the row's words are in the cache anyway, the sum is
// what would cost.
constexpr int32_t kColumnsPerBlock = 4;
// Light below this share of the full scale is noise: the logarithm stops there.
constexpr double kDarkFloor = 1.0 / 1024;

const std::vector<float>& DensityTable() {
    static const std::vector<float> table = [] {
        std::vector<float> t(65536);
        for (size_t v = 0; v < t.size(); ++v)
            t[v] = static_cast<float>(std::log2(static_cast<double>(v) / 65535.0 + kDarkFloor));
        return t;
    }();
    return table;
}

} // namespace

int32_t StripReducedLongSide(int32_t width, int32_t height) {
    const double longer = std::max(width, height), shorter = std::max(std::min(width, height), 1);
    if (longer < kStripAspect * shorter)
        return kReducedLongSide;
    return static_cast<int32_t>(
        std::min<double>(kMaxStripLongSide, std::ceil(kReducedLongSide * longer / shorter)));
}

TScanReducer::TScanReducer(int32_t width, int32_t height, int32_t samples, uint16_t photometric,
                           int32_t longSide) {
    if (width < 1 || height < 1 || samples < 1 || samples > 4 || photometric > 2 || longSide < 1)
        return;
    const int32_t side = std::max(width, height);
    const int32_t step = (side + longSide - 1) / longSide;
    FScan.Step = std::max(step, 1);
    FScan.FullWidth = width;
    FScan.FullHeight = height;
    FScan.Width = (width + FScan.Step - 1) / FScan.Step;
    FScan.Height = (height + FScan.Step - 1) / FScan.Step;
    FScan.Channels = samples >= 3 ? 3 : 1;
    FScan.Density.assign(static_cast<size_t>(FScan.Width) * FScan.Height * FScan.Channels, 0.0f);
    FSamples = samples;
    FWhiteIsZero = photometric == 0;
    // The first column of each block, and after the last the image's width.
    FColumnStarts.reserve(static_cast<size_t>(FScan.Width) + 1);
    for (int32_t j = 0; j <= FScan.Width; ++j)
        FColumnStarts.push_back(std::min(j * FScan.Step, width));
}

int32_t TScanReducer::NextRow() const {
    if (FScan.Channels == 0 || FNextIndex >= FScan.Height)
        return -1;
    return std::min(FNextIndex * FScan.Step + FScan.Step / 2, FScan.FullHeight - 1);
}

void TScanReducer::AddRow(std::span<const uint16_t> row) {
    if (NextRow() < 0 || row.size() != static_cast<size_t>(FScan.FullWidth) * FSamples)
        throw std::invalid_argument("a row the reduced copy did not ask for");
    const std::vector<float>& density = DensityTable();
    float* out = &FScan.Density[static_cast<size_t>(FNextIndex) * FScan.Width * FScan.Channels];
    for (int32_t j = 0; j < FScan.Width; ++j) {
        const int32_t first = FColumnStarts[j], end = FColumnStarts[j + 1];
        const int32_t count = end - first;
        const int32_t stride = count > kColumnsPerBlock ? count / kColumnsPerBlock : 1;
        const int32_t start = first + (count > kColumnsPerBlock ? stride / 2 : 0);
        for (int32_t c = 0; c < FScan.Channels; ++c) {
            uint32_t sum = 0, n = 0;
            for (int32_t x = start; x < end && n < kColumnsPerBlock; x += stride, ++n)
                sum += row[static_cast<size_t>(x) * FSamples + c];
            uint32_t mean = (sum + n / 2) / n;
            if (FWhiteIsZero)
                mean = 65535 - mean;
            *out++ = density[mean];
        }
    }
    ++FNextIndex;
}

TReducedScan TScanReducer::Take() {
    TReducedScan scan = std::move(FScan);
    FScan = TReducedScan{};
    return scan;
}

TReducedScan ReduceScan(const TCurrentImage& image, int32_t longSide) {
    if (!image.Words || image.Width < 1 || image.Height < 1 || image.Samples < 1 ||
        image.Words->size() !=
            static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height) * image.Samples)
        return {};
    TScanReducer reducer(image.Width, image.Height, image.Samples, image.Photometric, longSide);
    const size_t rowWords = static_cast<size_t>(image.Width) * image.Samples;
    for (int32_t y = reducer.NextRow(); y >= 0; y = reducer.NextRow())
        reducer.AddRow({image.Words->data() + static_cast<size_t>(y) * rowWords, rowWords});
    return reducer.Take();
}

TReducedScan ReduceScanFile(TFileRows& rows, int32_t longSide) {
    const TSampleLayout& layout = rows.Layout();
    TScanReducer reducer(layout.Width, layout.Height, layout.SamplesPerPixel,
                         layout.PhotometricInterpretation, longSide);
    for (int32_t y = reducer.NextRow(); y >= 0; y = reducer.NextRow()) {
        const TCropTIFF::TWordRows row = rows.Read(y, 1, 0, layout.Width, true);
        reducer.AddRow({row.First, row.RowWords});
    }
    return reducer.Take();
}

} // namespace vantrel
