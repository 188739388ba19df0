// SPDX-License-Identifier: MIT
#include "pipeline/crop/CropCore.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "pipeline/PipelineTexts.h"
#include "platform/FileHandle.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/Exceptions.h"

namespace vantrel {

int32_t ClampToImage(int64_t position, int32_t frameSize, int32_t imageSize) {
    const int64_t limit = int64_t(imageSize) - frameSize;
    return static_cast<int32_t>(std::max<int64_t>(std::min(position, limit), 0));
}

int32_t KeepCentre(int32_t oldSize, int32_t position, int32_t newSize, int32_t imageSize) {
    return ClampToImage(int64_t(oldSize / 2) + position - newSize / 2, newSize, imageSize);
}

TCropRect ClampFrameToImage(int32_t X, int32_t Y, int32_t w, int32_t h, int32_t W, int32_t H) {
    TCropRect r;
    r.X = ClampToImage(X, w, W);
    r.Y = ClampToImage(Y, h, H);
    r.W = std::max(std::min(w, W - r.X), 1);
    r.H = std::max(std::min(h, H - r.Y), 1);
    return r;
}

double RemainingPercent(const TCropRect& Frame, int32_t W, int32_t H) {
    const int64_t whole = static_cast<int64_t>(W) * H;
    if (whole <= 0)
        return 100.0;
    const int64_t kept = static_cast<int64_t>(Frame.W) * Frame.H * 100;
    return static_cast<double>(kept) / static_cast<double>(whole);
}

void CheckFrameInImage(const TCropRect& f, int32_t W, int32_t H) {
    if (f.X < 0 || f.Y < 0 || f.W < 1 || f.H < 1 || static_cast<int64_t>(f.X) + f.W > W ||
        static_cast<int64_t>(f.Y) + f.H > H)
        throw ETIFFError(pipeline_texts::FrameOutsideImage());
}

bool IsBigEndianFile(const std::string& FileName) {
    const TFileHandle file = TFileHandle::TryOpen(FileName);
    if (!file.IsOpen())
        throw EOSError::LastError();
    unsigned char mark[2];
    size_t got = 0;
    while (got < 2) {
        const std::optional<size_t> n = file.Read(mark + got, 2 - got);
        if (!n)
            throw EOSError::LastError();
        if (*n == 0)
            break;
        got += *n;
    }
    if (got < 2)
        throw ETIFFError(pipeline_texts::FileTooSmall());
    return mark[0] == 0x4D && mark[1] == 0x4D;
}

namespace {

void CheckRequest(const TCurrentImage& image, const TCropRect& f) {
    if (!image.Words || image.Words->empty())
        throw ETIFFError(pipeline_texts::NoSourceData());
    CheckFrameInImage(f, image.Width, image.Height);
    // The image's own geometry must match its words before rows are taken from it.
    const uint64_t words = static_cast<uint64_t>(image.Width) *
                           static_cast<uint64_t>(image.Height) *
                           static_cast<uint64_t>(std::max(image.Samples, 0));
    if (image.Samples < 1 || words != image.Words->size())
        throw ETIFFError(pipeline_texts::NoSourceData());
}

TCropTIFF::TWordRows FrameRows(const TCurrentImage& image, const TCropRect& f) {
    const auto s = static_cast<size_t>(image.Samples);
    TCropTIFF::TWordRows rows;
    rows.Stride = static_cast<size_t>(image.Width) * s;
    rows.First =
        image.Words->data() + static_cast<size_t>(f.Y) * rows.Stride + static_cast<size_t>(f.X) * s;
    rows.RowWords = static_cast<size_t>(f.W) * s;
    rows.Rows = f.H;
    return rows;
}

} // namespace

TSampleWords CutFrame(const TCurrentImage& Image, const TCropRect& Frame) {
    CheckRequest(Image, Frame);
    const TCropTIFF::TWordRows rows = FrameRows(Image, Frame);
    TSampleWords cut(rows.RowWords * static_cast<size_t>(rows.Rows));
    for (int32_t i = 0; i < rows.Rows; ++i)
        std::memcpy(cut.data() + static_cast<size_t>(i) * rows.RowWords,
                    rows.First + static_cast<size_t>(i) * rows.Stride, rows.RowWords * 2);
    return cut;
}

void CropAndSave(const TCropRequest& Request) {
    CheckRequest(Request.Image, Request.Frame);
    RefuseToLosePages(Request.SourcePages);
    const TCropTIFF::TTagsForSaving tags = TCropTIFF::BuildTagsForSaving(
        Request.MinimalTags, Request.SourceTags, Request.Frame.W, Request.Frame.H,
        Request.Image.Samples, Request.IsBigEndian, Request.PreserveOriginalOrientation,
        Request.RemainingPercent, Request.Image.Photometric);
    // The frame's rows go to the file straight from the image: the same bytes as a cut
    // array would give, without its memory.
    TCropTIFF::SaveWordsAsTIFF(Request.OutputFile, Request.Frame.W, Request.Frame.H,
                               Request.Image.Samples, FrameRows(Request.Image, Request.Frame),
                               Request.IsBigEndian, tags.ExtraTags, tags.NestedIFDs);
}

} // namespace vantrel
