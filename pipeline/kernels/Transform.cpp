// SPDX-License-Identifier: MIT
#include "pipeline/kernels/Transform.h"

#include "pipeline/kernels/KernelMemory.h"
#include "tiff/Exceptions.h"

namespace vantrel {

namespace {

// Word counts are compared in 128 bits: three 32-bit factors can exceed 64 bits, and an
// overflowing product must not wrap into a length that happens to match.
using TWordCount = unsigned __int128;

TWordCount WordCount(int32_t width, int32_t height, int32_t samples) {
    return TWordCount(uint32_t(width)) * uint32_t(height) * uint32_t(samples);
}

} // namespace

TTransformResult TransformWords(std::span<const uint16_t> SourceWords, int32_t Width,
                                int32_t Height, int32_t SamplesPerPixel, TTransformType Transform,
                                unsigned threads) {
    if (Width <= 0 || Height <= 0 || SamplesPerPixel <= 0)
        throw Exception("Invalid image dimensions or sample count");
    const TWordCount count = WordCount(Width, Height, SamplesPerPixel);
    if (count != SourceWords.size())
        throw Exception("SourceWords length mismatch");

    TTransformResult result;
    switch (Transform) {
    case TTransformType::tt90CW:
    case TTransformType::tt90CCW:
        result.NewWidth = Height;
        result.NewHeight = Width;
        break;
    case TTransformType::tt180:
    case TTransformType::ttFlipH:
    case TTransformType::ttInvert:
        result.NewWidth = Width;
        result.NewHeight = Height;
        break;
    default:
        throw Exception("Unsupported transform type");
    }
    if (count >= (TWordCount(1) << 62))
        throw Exception("Result too large");

    // Every word of the result is written by the kernel, so it is not zeroed first.
    auto words = AllocateWords(static_cast<size_t>(count));
    TransformWordsInto(SourceWords.data(), Width, Height, SamplesPerPixel, Transform, words->data(),
                       threads);
    result.NewWords = std::move(words);
    return result;
}

std::optional<TFramePlacement> TransformFrame(TTransformType Transform, TPixelPoint frameSize,
                                              TPixelPoint framePos, int32_t width, int32_t height) {
    const int32_t x = framePos.X, y = framePos.Y, w = frameSize.X, h = frameSize.Y;
    switch (Transform) {
    case TTransformType::tt90CW:
        return TFramePlacement{{h, w}, {height - y - h, x}};
    case TTransformType::tt90CCW:
        return TFramePlacement{{h, w}, {y, width - x - w}};
    case TTransformType::tt180:
        return TFramePlacement{{w, h}, {width - x - w, height - y - h}};
    case TTransformType::ttFlipH:
        return TFramePlacement{{w, h}, {width - x - w, y}};
    default:
        return std::nullopt;
    }
}

void UpdateTransformState(TImageTransformState& state, TTransformType Transform) {
    switch (Transform) {
    case TTransformType::tt90CW:
        state.NetRotation = (state.NetRotation + 90) % 360;
        break;
    case TTransformType::tt90CCW:
        state.NetRotation = (state.NetRotation + 270) % 360;
        break;
    case TTransformType::tt180:
        state.NetRotation = (state.NetRotation + 180) % 360;
        break;
    case TTransformType::ttFlipH:
        ++state.FlipHCount;
        break;
    default:
        break;
    }
}

bool PreserveOriginalOrientation(const TImageTransformState& state) {
    return state.NetRotation == 0 && state.FlipHCount % 2 == 0;
}

} // namespace vantrel
