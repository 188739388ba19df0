// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tiff/CropTIFFUnit.h"

namespace vantrel {

/// The rows of a scan on disk, a block at a time, without its image in memory: for work that
/// goes through a scan row by row (a crop written straight into a new file, a reduction of the
/// whole scan). Only the rows asked for are read, straight from the file; a block holds a few
/// megabytes whatever the size of the scan. Rows come in chunky order whatever the file's
/// planar configuration, in host byte order or left in the file's own.
///
///   TFileRows rows(path);
///   const int32_t w = rows.Layout().Width;
///   for (int32_t y = 0; y < rows.Layout().Height;) {
///       const TCropTIFF::TWordRows block = rows.Read(y, rows.Layout().Height - y, 0, w, true);
///       ... row r of the block is block.RowWords words at block.First + r * block.Stride ...
///       y += block.Rows;
///   }
class TFileRows {
public:
    /// \brief Opens the file and checks it as a load does, with the same refusals and
    /// messages, without reading a sample. Tags are named and decoded by the catalogue.
    explicit TFileRows(const std::string& FileName);
    ~TFileRows();
    TFileRows(const TFileRows&) = delete;
    TFileRows& operator=(const TFileRows&) = delete;

    /// Geometry, photometric interpretation, byte order and strips of the file.
    const TSampleLayout& Layout() const noexcept { return FLayout; }
    /// The file's tag list, as a load gives it.
    const std::vector<TTIFFTag>& Tags() const noexcept { return FTags; }
    /// The file's pages after the first, as a load finds them.
    const std::vector<TFurtherPage>& Pages() const noexcept { return FPages; }

    /// \brief How many rows of a frame W pixels wide one block holds (at least one).
    [[nodiscard]] int32_t BlockRows(int32_t W) const noexcept;

    /// \brief Rows [First, First + n) of the columns [X, X + W), with n = min(Count,
    /// BlockRows(W)). The words stay valid until the next call. Raises std::out_of_range when
    /// the range does not lie inside the image, the load's ETIFFError when the file cannot be
    /// read to the end.
    [[nodiscard]] TCropTIFF::TWordRows Read(int32_t First, int32_t Count, int32_t X, int32_t W,
                                            bool HostOrder);

    /// \brief Raises the load's ETIFFError when the file changed on disk since it was opened;
    /// nothing once it is closed.
    void CheckUnchanged() const;

    /// \brief Lets go of the file (its rows are not read again).
    void Close() noexcept;

private:
    TMappedFile FFile;
    TSampleLayout FLayout;
    std::vector<TTIFFTag> FTags;
    std::vector<TFurtherPage> FPages;
    std::unique_ptr<TSampleRows> FRows;
    TSampleWords FBlock;
};

} // namespace vantrel
