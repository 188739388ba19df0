// SPDX-License-Identifier: MIT
// A strip is cut into pieces at the lines of film base that cross it between its pictures:
// across the middle of the strip, where every picture lies, such a line is base in nearly every
// band of rows. Each piece with a line at both ends is examined as a scan of one frame, with
// its lines and a little of its neighbours around it, as the one-frame detector expects. A
// piece that is unsure alone takes its edges along the strip from its lines and those across
// from the strip's sure pictures, when its length is theirs: one strip exposes one gate. A
// piece twice that long holds two pictures with no film between them.
#include "pipeline/detect/StripDetector.h"

#include "pipeline/crop/FileRows.h"
#include "pipeline/detect/RollPlacement.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace vantrel {
namespace {

// The middle part across the strip that every picture covers.
constexpr double kMiddleLow = 0.35, kMiddleHigh = 0.65;
// A column lies on a line between pictures when this share of the middle's bands are base
// there: a gap (kGapShare) ...
constexpr double kLineBands = 0.8;
// ... or, in a band, pixels within this many of the base's thresholds on average: the light of a
// scanner falls off along a long strip, and a line far from the rebate the base was measured
// on is a little off it.
constexpr double kLineDistance = 1.0;
// A piece is a picture's length when it is at least this share of the strip's width across:
// the narrowest picture (a half frame) is 0.7 of the film's width.
constexpr double kMinPieceShare = 0.3;
// The pictures of one strip share their length and their place across within these shares.
constexpr double kSameLength = 0.06;
constexpr double kSameAcross = 0.03;
// A scan of one frame is at most this much longer than wide.
constexpr double kOneFrameAspect = 1.6;
// Of a neighbour beyond a line, this many reduced pixels go with a piece: the one-frame
// detector sees the line end where film goes on.
constexpr int32_t kNeighbourPixels = 2;

struct TPiece {
    int32_t From = 0, To = 0;      // the picture's columns between its lines
    int32_t Before = 0, After = 0; // the lines' outer ends
    bool Whole = false;            // a line at both ends
};

TReducedScan Transposed(const TReducedScan& s) {
    TReducedScan t;
    t.Width = s.Height;
    t.Height = s.Width;
    t.Channels = s.Channels;
    t.Step = s.Step;
    t.FullWidth = s.FullHeight;
    t.FullHeight = s.FullWidth;
    t.Density.resize(s.Density.size());
    for (int32_t y = 0; y < s.Height; ++y)
        for (int32_t x = 0; x < s.Width; ++x)
            for (int32_t c = 0; c < s.Channels; ++c)
                t.Density[static_cast<size_t>((x * t.Width + y) * s.Channels + c)] = s.At(x, y, c);
    return t;
}

// Columns from..to of a reduced scan, as a scan of their own.
TReducedScan Columns(const TReducedScan& s, int32_t from, int32_t to) {
    TReducedScan piece;
    piece.Width = to - from;
    piece.Height = s.Height;
    piece.Channels = s.Channels;
    piece.Step = s.Step;
    piece.FullWidth = std::min(piece.Width * s.Step, s.FullWidth - from * s.Step);
    piece.FullHeight = s.FullHeight;
    piece.Density.reserve(static_cast<size_t>(piece.Width) * s.Height * s.Channels);
    for (int32_t y = 0; y < s.Height; ++y) {
        const auto row =
            s.Density.begin() +
            static_cast<std::ptrdiff_t>((static_cast<size_t>(y) * s.Width + from) * s.Channels);
        piece.Density.insert(piece.Density.end(), row,
                             row + static_cast<std::ptrdiff_t>(piece.Width * s.Channels));
    }
    return piece;
}

// The pieces between the lines of base that cross the middle of the strip.
std::vector<TPiece> PiecesOf(const TScanEvidence& ev) {
    const TBandProfiles& p = ev.AlongX;
    std::vector<int32_t> bands;
    for (int32_t k = 0; k < p.Bands; ++k)
        if (p.BandBegin(k) >= kMiddleLow * p.Across && p.BandEnd(k) <= kMiddleHigh * p.Across)
            bands.push_back(k);
    std::vector<TPiece> pieces;
    if (bands.empty())
        return pieces;
    // The narrowest line between frames is that of a scan of one frame as wide as this one.
    TReducedGeometry frame = ev;
    frame.Width = std::min(ev.Width, static_cast<int32_t>(kOneFrameAspect * ev.Height));
    const int32_t minGap = MinGap(frame);
    std::vector<bool> line(static_cast<size_t>(p.Length));
    for (int32_t x = 0; x < p.Length; ++x) {
        int32_t base = 0;
        for (const int32_t band : bands)
            base += p.NonBaseAt(band, x) <= kGapShare || p.DistanceAt(band, x) <= kLineDistance;
        line[x] = base >= kLineBands * static_cast<double>(bands.size());
    }
    // Runs of line columns as wide as the narrowest gap; the pieces lie between them.
    std::vector<std::pair<int32_t, int32_t>> lines;
    for (int32_t x = 0; x < p.Length;) {
        if (!line[x]) {
            ++x;
            continue;
        }
        int32_t end = x;
        while (end < p.Length && line[end])
            ++end;
        if (end - x >= minGap || x == 0 || end == p.Length)
            lines.emplace_back(x, end);
        x = end;
    }
    const double minLength = kMinPieceShare * ev.Height;
    int32_t start = 0, startOuter = 0;
    bool lineBefore = false;
    for (size_t k = 0; k <= lines.size(); ++k) {
        const int32_t end = k < lines.size() ? lines[k].first : p.Length;
        const bool lineAfter = k < lines.size() && lines[k].second < p.Length;
        if (end - start >= minLength)
            pieces.push_back({start, end, startOuter, k < lines.size() ? lines[k].second : end,
                              lineBefore && lineAfter});
        if (k < lines.size()) {
            startOuter = lines[k].first;
            start = lines[k].second;
            lineBefore = lines[k].first > 0;
        }
    }
    return pieces;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The pictures of a horizontal strip against one base: each whole piece examined alone, then
// the unsure ones given what the sure ones share.
std::vector<TCropRect> PicturesAgainst(const TReducedScan& scan, const TScanEvidence& ev) {
    struct TFound {
        TPiece Piece;
        TPictureDetection Picture;
    };
    std::vector<TFound> found;
    for (const TPiece& piece : PiecesOf(ev)) {
        if (!piece.Whole)
            continue;
        const int32_t from = std::max(piece.Before - kNeighbourPixels, 0);
        const int32_t to = std::min(piece.After + kNeighbourPixels, scan.Width);
        TPictureDetection picture = AnalyseScan(Columns(scan, from, to)).Alone;
        if (picture.Found)
            picture.Picture.X += from * scan.Step;
        found.push_back({piece, picture});
    }
    std::vector<double> lengths, tops, bottoms;
    for (const TFound& f : found)
        if (f.Picture.Found) {
            lengths.push_back(f.Picture.Picture.W);
            tops.push_back(f.Picture.Picture.Y);
            bottoms.push_back(f.Picture.Picture.Y + f.Picture.Picture.H);
        }
    std::vector<TCropRect> pictures;
    if (lengths.empty())
        return pictures;
    const double length = Median(lengths), top = Median(tops), bottom = Median(bottoms);
    const double across = kSameAcross * scan.FullHeight;
    auto toImage = [&](double x0, double x1) {
        return TCropRect{static_cast<int32_t>(std::lround(x0)),
                         static_cast<int32_t>(std::lround(top)),
                         static_cast<int32_t>(std::lround(x1 - x0)),
                         static_cast<int32_t>(std::lround(bottom - top))};
    };
    for (const TFound& f : found) {
        const TCropRect& own = f.Picture.Picture;
        const double x0 = static_cast<double>(f.Piece.From) * scan.Step;
        const double x1 = std::min(static_cast<double>(f.Piece.To) * scan.Step,
                                   static_cast<double>(scan.FullWidth));
        // Two pictures exposed with no film between them: each keeps the edge at its line and
        // the strip's length, and neither reaches over the middle into the other.
        if (std::abs((x1 - x0) - 2 * length) <= kSameLength * length) {
            const double middle = std::round((x0 + x1) / 2);
            pictures.push_back(toImage(x0, std::min(x0 + length, middle)));
            pictures.push_back(toImage(std::max(x1 - length, middle), x1));
            continue;
        }
        if (f.Picture.Found) {
            // A sure picture of another size or place is some other thing the strip holds.
            if (std::abs(own.W - length) <= kSameLength * length &&
                std::abs(own.Y - top) <= across && std::abs(own.Y + own.H - bottom) <= across)
                pictures.push_back(own);
            continue;
        }
        if (std::abs((x1 - x0) - length) <= kSameLength * length)
            pictures.push_back(toImage(x0, x1));
    }
    return pictures;
}

TStripPictures HorizontalStrip(const TReducedScan& scan) {
    TStripPictures strip;
    // The base whose lines part the most pictures: the film's own, not the holder's.
    for (const TBaseColour& base : BaseCandidates(scan)) {
        std::vector<TCropRect> pictures = PicturesAgainst(scan, MeasureAgainstBase(scan, base));
        if (pictures.size() > strip.Pictures.size())
            strip.Pictures = std::move(pictures);
    }
    return strip;
}

} // namespace

TStripPictures FindStripPictures(const TReducedScan& scan) {
    const TScanAnalysis alone = AnalyseScan(scan);
    TStripPictures strip;
    strip.Vertical = scan.Height > scan.Width;
    if (alone.Alone.Reason != TPictureDecline::NoImage) {
        if (strip.Vertical) {
            strip.Pictures = HorizontalStrip(Transposed(scan)).Pictures;
            for (TCropRect& p : strip.Pictures)
                p = {p.Y, p.X, p.H, p.W};
        } else {
            strip.Pictures = HorizontalStrip(scan).Pictures;
        }
    }
    // A scan of one frame is the one-frame detector's: the same picture as it finds alone.
    if (strip.Pictures.size() <= 1) {
        strip.Pictures.clear();
        if (alone.Alone.Found)
            strip.Pictures.push_back(alone.Alone.Picture);
        else
            strip.Reason = alone.Alone.Reason;
    }
    return strip;
}

TReducedScan ReduceStripScan(const TCurrentImage& image) {
    return ReduceScan(image, StripReducedLongSide(image.Width, image.Height));
}

TReducedScan ReduceStripScanFile(TFileRows& rows) {
    return ReduceScanFile(rows, StripReducedLongSide(rows.Layout().Width, rows.Layout().Height));
}

TStripPictures FindStripPictures(const TCurrentImage& image) {
    return FindStripPictures(ReduceStripScan(image));
}

std::vector<TStripPictures> FindStripPicturesOfRoll(const std::vector<TReducedScan>& scans) {
    std::vector<TStripPictures> strips;
    strips.reserve(scans.size());
    TRoll roll;
    for (size_t k = 0; k < scans.size(); ++k) {
        strips.push_back(FindStripPictures(scans[k]));
        if (strips.back().Pictures.size() <= 1)
            roll.Add(std::to_string(k), AnalyseScan(scans[k]));
    }
    // Scans of one frame each are placed as a roll, as the one-frame detector places them.
    for (size_t k = 0; k < scans.size(); ++k) {
        if (strips[k].Pictures.size() > 1)
            continue;
        const TPictureDetection placed = roll.Place(std::to_string(k));
        strips[k].Pictures.clear();
        strips[k].Reason = placed.Reason;
        if (placed.Found)
            strips[k].Pictures.push_back(placed.Picture);
    }
    return strips;
}

} // namespace vantrel
