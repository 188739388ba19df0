// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pipeline/crop/CropCore.h"
#include "pipeline/kernels/CurrentImage.h"

namespace vantrel {

/// A crop of a scan on disk into a new file, as the window would save it after loading the
/// scan, applying the transforms and cutting the frame.
struct TFileCropRequest {
    std::string InputFile;
    std::string OutputFile;
    std::vector<TTransformType> Transforms; // applied in this order before the cut
    /// In the pixels of the transformed image, pulled inside it; none: the whole image.
    std::optional<TCropRect> Frame;
    bool MinimalTags = false;
};

/// \brief Writes the frame of the input file (transformed as asked) to the output file in the
/// input's byte order, with its tags carried over, through the safe save: the same file, tags
/// and errors as a load followed by the transforms and a crop and save. Without a quarter turn
/// only the frame's rows are read, straight from the input into the output, in blocks of a
/// few megabytes; a quarter turn needs the whole image and loads it. Returns the frame written.
/// Raises ETIFFError, EOSError, Exception (a transform's refusal) or std::bad_alloc.
TCropRect CropFileToFile(const TFileCropRequest& Request);

} // namespace vantrel
