// SPDX-License-Identifier: MIT
#pragma once

// What the picture detector reads from a reduced scan: the film base (the unexposed film
// around the picture: the rebate and the lines between frames) and, band by band, how much of
// each row and column differs from it. The evidence is small, so that a roll can keep it for
// every scan it has seen.

#include <array>
#include <cstdint>
#include <vector>

#include "pipeline/detect/ScanReduction.h"

namespace vantrel {

/// A colour that may be the film base: its density per channel and how far the grain lets
/// the base stray from it.
struct TBaseColour {
    std::array<float, 3> Density{};
    std::array<float, 3> Threshold{}; // a pixel further than this in any channel is not base
};

/// Profiles of bands: the image cut into Bands strips across one direction, each strip
/// summarised at every position along the other direction.
struct TBandProfiles {
    int32_t Bands = 0;
    int32_t Length = 0;          // positions along a profile
    int32_t Across = 0;          // pixels across all bands together
    std::vector<float> NonBase;  // Bands × Length: share of the strip's pixels that are not base
    std::vector<float> Distance; // Bands × Length: their mean distance from the base, capped

    [[nodiscard]] float NonBaseAt(int32_t band, int32_t at) const {
        return NonBase[static_cast<size_t>(band * Length + at)];
    }
    [[nodiscard]] float DistanceAt(int32_t band, int32_t at) const {
        return Distance[static_cast<size_t>(band * Length + at)];
    }
    /// First position across that band `band` covers, and the one after its last.
    [[nodiscard]] int32_t BandBegin(int32_t band) const {
        return static_cast<int32_t>(int64_t(band) * Across / Bands);
    }
    [[nodiscard]] int32_t BandEnd(int32_t band) const { return BandBegin(band + 1); }
};

/// The mean distances of TBandProfiles, kept small: what a roll keeps of a scan against one
/// base colour, for as long as it lasts.
struct TBandDistances {
    static constexpr float kScale = 63.0f; // a stored step is 1/kScale of a threshold
    int32_t Bands = 0;
    int32_t Length = 0;
    int32_t Across = 0;
    std::vector<uint8_t> Distance; // Bands × Length

    explicit TBandDistances(const TBandProfiles& profiles);
    TBandDistances() = default;
    [[nodiscard]] float DistanceAt(int32_t band, int32_t at) const {
        return Distance[static_cast<size_t>(band * Length + at)] / kScale;
    }
    [[nodiscard]] int32_t BandBegin(int32_t band) const {
        return static_cast<int32_t>(int64_t(band) * Across / Bands);
    }
    [[nodiscard]] int32_t BandEnd(int32_t band) const { return BandBegin(band + 1); }
};

/// The reduced copy's size beside the image's: every place the detector finds is on the copy.
struct TReducedGeometry {
    int32_t Width = 0, Height = 0; // of the reduced copy
    int32_t Step = 1;              // image pixels per reduced pixel
    int32_t FullWidth = 0, FullHeight = 0;

    /// A place on the reduced copy as a pixel of the image, inside 0..limit.
    [[nodiscard]] int32_t ToImage(double reduced, int32_t limit) const;
};

/// A scan measured against one base colour.
struct TScanEvidence : TReducedGeometry {
    TBandProfiles AlongX;    // bands of rows, profiles over the columns: left and right edges
    TBandProfiles AlongY;    // bands of columns, profiles over the rows: top and bottom edges
    float CentreNonBase = 0; // share of the central part that is not base
};

/// A column of a band with at most this share of pixels off the base belongs to a gap of film
/// base (a rebate, a line between frames).
inline constexpr double kGapShare = 0.2;

/// The fewest bands that agree on an edge: fewer say nothing about a straight line.
inline constexpr int32_t kMinBands = 3;

/// The narrowest gap of film base that ends a picture on the scan's reduced copy: 0.6 % of its
/// long side (the thinnest frame line between pictures), never fewer than three pixels.
[[nodiscard]] int32_t MinGap(const TReducedGeometry& scan);

/// The colours that cover large flat areas of the scan, most common first: the film base is
/// among them, beside the holder or the scanner's bed and flat parts of pictures.
[[nodiscard]] std::vector<TBaseColour> BaseCandidates(const TReducedScan& scan);

/// The band profiles of the scan against `base`.
[[nodiscard]] TScanEvidence MeasureAgainstBase(const TReducedScan& scan, const TBaseColour& base);

} // namespace vantrel
