// SPDX-License-Identifier: MIT
#include "pipeline/crop/FileCrop.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "pipeline/crop/FileRows.h"
#include "pipeline/kernels/Transform.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

bool IsQuarterTurn(TTransformType t) {
    return t == TTransformType::tt90CW || t == TTransformType::tt90CCW;
}

TCropRect FrameIn(const TFileCropRequest& r, int32_t width, int32_t height) {
    return r.Frame
               ? ClampFrameToImage(r.Frame->X, r.Frame->Y, r.Frame->W, r.Frame->H, width, height)
               : WholeImage(width, height);
}

// The whole image in memory, transformed, then cut and saved: what quarter turns need.
TCropRect CropLoadedFile(const TFileCropRequest& r, bool bigEndian) {
    TCropRequest request;
    request.IsBigEndian = bigEndian;
    // The catalogue's describer, as in the window: the history of ProcessingSoftware is kept
    // from the source's decoded text.
    TCatalogueTagDescriber describer;
    TCropTIFF reader(describer);
    TLoadedTIFF loaded = reader.LoadTIFFAsWords(r.InputFile);
    request.SourceTags = reader.GetAllTags();
    request.SourcePages = reader.GetFurtherPages();
    request.Image = CurrentImageOf(std::move(loaded));
    TCurrentImage& image = request.Image;
    TImageTransformState state;
    for (const TTransformType transform : r.Transforms) {
        TTransformResult turned =
            TransformWords(*image.Words, image.Width, image.Height, image.Samples, transform);
        image.Words = std::move(turned.NewWords);
        image.Width = turned.NewWidth;
        image.Height = turned.NewHeight;
        UpdateTransformState(state, transform);
    }
    request.Frame = FrameIn(r, image.Width, image.Height);
    request.MinimalTags = r.MinimalTags;
    request.PreserveOriginalOrientation = PreserveOriginalOrientation(state);
    request.RemainingPercent = RemainingPercent(request.Frame, image.Width, image.Height);
    request.OutputFile = r.OutputFile;
    CropAndSave(request);
    return request.Frame;
}

// Half turns, mirrors and inversions reduce to three switches that commute: a mirror of each
// row, the rows in reverse order, the complement of the colour samples.
struct TRowTransform {
    bool MirrorRows = false;
    bool ReverseRows = false;
    bool Invert = false;
    explicit TRowTransform(const std::vector<TTransformType>& transforms) {
        for (const TTransformType t : transforms) {
            if (t == TTransformType::tt180) {
                MirrorRows = !MirrorRows;
                ReverseRows = !ReverseRows;
            } else if (t == TTransformType::ttFlipH) {
                MirrorRows = !MirrorRows;
            } else if (t == TTransformType::ttInvert) {
                Invert = !Invert;
            }
        }
    }
};

// The frame's rows, read block by block in the file's byte order (which is the output's) and
// transformed in the block. Moving and complementing whole words needs no byte swap.
class TFrameBlocks final : public TCropTIFF::IRowBlocks {
public:
    TFrameBlocks(TFileRows& rows, const TCropRect& frame, const TRowTransform& transform)
        : FRows(rows), FTransform(transform), FFrame(frame),
          FSamples(rows.Layout().SamplesPerPixel), FBlockRows(rows.BlockRows(frame.W)) {
        // The frame lies in the transformed image; these are the source pixels it covers.
        const TSampleLayout& layout = rows.Layout();
        if (transform.MirrorRows)
            FFrame.X = layout.Width - frame.X - frame.W;
        if (transform.ReverseRows)
            FFrame.Y = layout.Height - frame.Y - frame.H;
    }

    TCropTIFF::TWordRows Next(int32_t First) override {
        const int32_t rows = std::min(FBlockRows, FFrame.H - First);
        const int32_t top =
            FTransform.ReverseRows ? FFrame.Y + FFrame.H - First - rows : FFrame.Y + First;
        TCropTIFF::TWordRows block = FRows.Read(top, rows, FFrame.X, FFrame.W, false);
        const uint16_t* words = block.First;
        if (FTransform.ReverseRows && FTransform.MirrorRows) {
            words = Apply(words, rows, TTransformType::tt180);
        } else if (FTransform.ReverseRows) {
            uint16_t* to = Spare(words, block.RowWords * static_cast<size_t>(rows));
            for (int32_t r = 0; r < rows; ++r)
                std::memcpy(to + static_cast<size_t>(r) * block.RowWords,
                            words + static_cast<size_t>(rows - 1 - r) * block.RowWords,
                            block.RowWords * 2);
            words = to;
        } else if (FTransform.MirrorRows) {
            words = Apply(words, rows, TTransformType::ttFlipH);
        }
        if (FTransform.Invert)
            words = Apply(words, rows, TTransformType::ttInvert);
        block.First = words;
        return block;
    }

    // Every row is read: the source is let go before the save is put in place, which on
    // Windows may be the source's own place (a file held open cannot be replaced there).
    void Finish() override {
        FRows.CheckUnchanged();
        FRows.Close();
    }

private:
    TFileRows& FRows;
    TRowTransform FTransform;
    TCropRect FFrame; // in the source image
    int32_t FSamples;
    int32_t FBlockRows;
    TSampleWords FOne, FTwo; // a transform goes from one to the other, never in place

    uint16_t* Spare(const uint16_t* inUse, size_t words) {
        TSampleWords& spare = inUse == FOne.data() ? FTwo : FOne;
        if (spare.size() < words)
            spare.resize(words);
        return spare.data();
    }

    const uint16_t* Apply(const uint16_t* words, int32_t rows, TTransformType transform) {
        uint16_t* to = Spare(words, static_cast<size_t>(FFrame.W) * static_cast<size_t>(FSamples) *
                                        static_cast<size_t>(rows));
        TransformWordsInto(words, FFrame.W, rows, FSamples, transform, to, 1);
        return to;
    }
};

} // namespace

TCropRect CropFileToFile(const TFileCropRequest& Request) {
    // The byte order is read from the file itself, as the window does before a crop.
    const bool bigEndian = IsBigEndianFile(Request.InputFile);
    if (std::any_of(Request.Transforms.begin(), Request.Transforms.end(), IsQuarterTurn))
        return CropLoadedFile(Request, bigEndian);
    TFileRows rows(Request.InputFile);
    const TSampleLayout& layout = rows.Layout();
    // An image without samples has nothing to stream; the whole path tells why it is refused.
    if (layout.SamplesPerPixel < 1)
        return CropLoadedFile(Request, bigEndian);

    TImageTransformState state;
    for (const TTransformType transform : Request.Transforms)
        UpdateTransformState(state, transform);
    const TCropRect frame = FrameIn(Request, layout.Width, layout.Height);
    // A frame of no size at the image's edge is pulled outside it, and refused.
    CheckFrameInImage(frame, layout.Width, layout.Height);
    RefuseToLosePages(rows.Pages());
    const TCropTIFF::TTagsForSaving tags = TCropTIFF::BuildTagsForSaving(
        Request.MinimalTags, rows.Tags(), frame.W, frame.H, layout.SamplesPerPixel, bigEndian,
        PreserveOriginalOrientation(state), RemainingPercent(frame, layout.Width, layout.Height),
        layout.PhotometricInterpretation);
    TFrameBlocks blocks(rows, frame, TRowTransform(Request.Transforms));
    try {
        TCropTIFF::SaveRowBlocksAsTIFF(Request.OutputFile, frame.W, frame.H, layout.SamplesPerPixel,
                                       blocks, bigEndian, tags.ExtraTags, tags.NestedIFDs);
    } catch (const Exception&) {
        // A file cut short while its rows were read is told as a load tells it.
        rows.CheckUnchanged();
        throw;
    }
    return frame;
}

} // namespace vantrel
