// SPDX-License-Identifier: MIT
// A scan that is unsure alone is searched for a picture of the roll's size: along each
// direction, the two opposite edges at the roll's distance are scored together by how much
// the distance from the film base rises from the gap into the picture, averaged over the
// bands of the scan that lie inside the picture. Faint pictures (night scenes, thin frames)
// show their edges this way, where no single band does; a blank frame shows none.
#include "pipeline/detect/RollPlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

// Scans of one roll have the same size within this share of each side.
constexpr double kSameScanShare = 0.02;
// Pictures agree in size within the larger of these, on each side.
constexpr double kSizePixels = 6.0;
constexpr double kSizeShare = 0.004;
// The search reaches twice as far from the roll's place as the sure pictures lie from it,
// between these shares of the image's side; with fewer sure pictures than kAnchorsForSpread
// their places mean little, and it reaches kSearchShare: the pictures of a roll lie within a
// few per cent of each other, and a reach wider than that finds the holder's or the next
// frame's edges as readily as the picture's (a night scene as dark as its rebate).
constexpr double kSearchShare = 0.05;
constexpr double kMinSearchShare = 0.03;
constexpr double kMaxSearchShare = 0.08;
constexpr double kSpreads = 2.0;
constexpr size_t kAnchorsForSpread = 5;
// A position is taken when the two edges rise by at least kMinRise thresholds together, by
// kMinSignificance times the noise of such a rise, and no other position further away scores
// more than kRivalShare of it.
constexpr double kMinRise = 0.15;
constexpr double kMinSignificance = 20.0;
constexpr double kRivalShare = 0.7;
// The profiles are stored in steps of 1/63: noise below one hundredth is not measured.
constexpr double kMinNoise = 0.01;
// The stretch of picture an edge is scored on, as a share of the picture's side, and the
// mean distance from the base above which a stretch is no gap.
constexpr double kInnerShare = 0.05;
constexpr double kGapDistance = 1.0;
// The places found in the two halves of the bands lie within this many reduced pixels.
constexpr double kHalvesAgree = 2.0;
// A colour of the scan is the roll's film base when it lies within this many of its
// thresholds of the roll's base in every channel.
constexpr double kSameBase = 2.0;

struct TRollShape {
    double Width = 0, Height = 0;    // image pixels
    double CentreX = 0, CentreY = 0; // image pixels
    double SpreadX = 0, SpreadY = 0; // the furthest centre from the roll's
    std::array<float, 3> Base{};     // the film base's density
    size_t Anchors = 0;              // sure pictures of the roll's size
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Tolerance(double side) {
    return std::max(kSizePixels, kSizeShare * side);
}

bool SameScanSize(const TScanAnalysis& a, const TScanAnalysis& b) {
    return std::abs(a.FullWidth - b.FullWidth) <= kSameScanShare * a.FullWidth &&
           std::abs(a.FullHeight - b.FullHeight) <= kSameScanShare * a.FullHeight;
}

// What the sure pictures of scans like `scan` share, or nothing when there are none. Sure
// pictures whose size is off the roll's (a scan of another film, say) do not count.
std::optional<TRollShape> ShapeFor(const std::map<std::string, TScanAnalysis>& scans,
                                   const std::string& key, const TScanAnalysis& scan) {
    std::vector<const TScanAnalysis*> sure;
    for (const auto& [other, analysis] : scans)
        if (other != key && analysis.Sure && analysis.Chosen >= 0 && SameScanSize(analysis, scan))
            sure.push_back(&analysis);
    if (sure.empty())
        return std::nullopt;
    std::vector<const TCropRect*> pictures;
    for (const TScanAnalysis* a : sure)
        pictures.push_back(&a->Alone.Picture);
    std::vector<double> widths, heights;
    for (const TCropRect* p : pictures) {
        widths.push_back(p->W);
        heights.push_back(p->H);
    }
    const double width = Median(widths), height = Median(heights);
    std::vector<double> xs, ys;
    for (const TCropRect* p : pictures)
        if (std::abs(p->W - width) <= Tolerance(width) &&
            std::abs(p->H - height) <= Tolerance(height)) {
            xs.push_back(p->X + p->W / 2.0);
            ys.push_back(p->Y + p->H / 2.0);
        }
    TRollShape shape;
    shape.Width = width;
    shape.Height = height;
    shape.CentreX = Median(xs);
    shape.CentreY = Median(ys);
    std::vector<double> dx, dy;
    for (size_t k = 0; k < xs.size(); ++k) {
        dx.push_back(std::abs(xs[k] - shape.CentreX));
        dy.push_back(std::abs(ys[k] - shape.CentreY));
    }
    shape.Anchors = xs.size();
    shape.SpreadX = *std::max_element(dx.begin(), dx.end());
    shape.SpreadY = *std::max_element(dy.begin(), dy.end());
    // The film is the roll's: its base is the median of the sure scans' bases.
    for (int c = 0; c < 3; ++c) {
        std::vector<double> densities;
        for (const TScanAnalysis* a : sure)
            densities.push_back(a->Bases[a->Chosen].Base.Density[c]);
        shape.Base[c] = static_cast<float>(Median(densities));
    }
    return shape;
}

struct TAxisFind {
    double Low = 0; // the picture's first position, reduced pixels
    double Significance = 0;
    bool Clear = false;
};

double MeanOver(const std::vector<double>& profile, int32_t from, int32_t to) {
    double sum = 0;
    for (int32_t k = from; k < to; ++k)
        sum += profile[k];
    return sum / (to - from);
}

// The best place along one direction for a picture `size` long whose first position is
// expected at `expected`, looked for within `reach`. The bands used are those inside
// `inside` across.
TAxisFind FindWithBands(const TBandDistances& p, const std::vector<int32_t>& bands, double expected,
                        double size, double reach, int32_t gap) {
    TAxisFind find;
    if (bands.empty() || p.Length < 2)
        return find;
    std::vector<double> profile(static_cast<size_t>(p.Length), 0.0);
    for (const int32_t band : bands)
        for (int32_t x = 0; x < p.Length; ++x)
            profile[x] += p.DistanceAt(band, x) / static_cast<double>(bands.size());
    const auto length = static_cast<int32_t>(std::lround(size));
    // Each edge scores how much a stretch of the picture inside it stands off the base more
    // than the gap outside it does. The gap must look like film base: the rebate's edge
    // print and holes do not start a picture. An edge with no room for both inside the scan
    // adds nothing: the image's border is no evidence.
    const auto inner = std::max(gap, static_cast<int32_t>(std::lround(kInnerShare * size)));
    auto edge = [&](int32_t at, int32_t inward) {
        const int32_t gapFrom = inward > 0 ? at - gap : at;
        const int32_t innerFrom = inward > 0 ? at : at - inner;
        if (std::min(gapFrom, innerFrom) < 0 ||
            std::max(gapFrom + gap, innerFrom + inner) > p.Length)
            return 0.0;
        const double outside = MeanOver(profile, gapFrom, gapFrom + gap);
        if (outside > kGapDistance)
            return 0.0;
        return MeanOver(profile, innerFrom, innerFrom + inner) - outside;
    };
    auto rise = [&](int32_t low) { return edge(low, +1) + edge(low + length, -1); };
    const auto first = static_cast<int32_t>(std::floor(expected - reach));
    const auto last = static_cast<int32_t>(std::ceil(expected + reach));
    std::vector<double> scores;
    int32_t best = first;
    for (int32_t low = first; low <= last; ++low) {
        scores.push_back(rise(low));
        if (scores.back() > scores[best - first])
            best = low;
    }
    const double top = scores[best - first];
    // The noise of a score: four means of `gap` positions of the profile, whose own noise
    // shows in the differences between neighbours.
    std::vector<double> differences;
    for (size_t k = 1; k < profile.size(); ++k)
        differences.push_back(std::abs(profile[k] - profile[k - 1]));
    const double noise = std::max(1.4826 * Median(differences) / std::sqrt(2.0), kMinNoise);
    const double scoreNoise = 2 * noise / std::sqrt(static_cast<double>(gap));
    double rival = 0;
    for (int32_t low = first; low <= last; ++low)
        if (std::abs(low - best) > 2 * gap)
            rival = std::max(rival, scores[low - first]);
    find.Significance = top / scoreNoise;
    // A best place at the end of the reach may be the slope of one beyond it.
    find.Clear = top >= kMinRise && find.Significance >= kMinSignificance &&
                 rival < kRivalShare * top && best > first && best < last;
    // Between positions: the top of a parabola through the best score and its neighbours.
    find.Low = best;
    if (best > first && best < last) {
        const double a = scores[best - first - 1], c = scores[best - first + 1];
        const double curve = a - 2 * top + c;
        if (curve < 0)
            find.Low = best + 0.5 * (a - c) / curve;
    }
    return find;
}

// The best place along one direction for a picture `size` long whose first position is
// expected at `expected`, looked for within `reach`, from the bands inside `insideLow` to
// `insideHigh` across. The two halves of those bands must each agree with the place: a light
// leak or a shadow along part of an edge moves one half only.
TAxisFind FindAlong(const TBandDistances& p, double insideLow, double insideHigh, double expected,
                    double size, double reach, int32_t gap) {
    std::vector<int32_t> bands;
    for (int32_t k = 0; k < p.Bands; ++k)
        if (p.BandBegin(k) >= insideLow && p.BandEnd(k) <= insideHigh)
            bands.push_back(k);
    if (static_cast<int32_t>(bands.size()) < 2 * kMinBands)
        return {};
    TAxisFind all = FindWithBands(p, bands, expected, size, reach, gap);
    const auto half = static_cast<std::ptrdiff_t>(bands.size() / 2);
    const std::vector<int32_t> firstHalf(bands.begin(), bands.begin() + half);
    const std::vector<int32_t> secondHalf(bands.begin() + half, bands.end());
    for (const auto* part : {&firstHalf, &secondHalf}) {
        const TAxisFind one = FindWithBands(p, *part, expected, size, reach, gap);
        if (std::abs(one.Low - all.Low) > kHalvesAgree)
            all.Clear = false;
    }
    return all;
}

// The scan's colour nearest to the roll's base, when it is near enough to be the same film.
const TBaseDistances* RollBase(const TScanAnalysis& scan, const TRollShape& shape) {
    const TBaseDistances* nearest = nullptr;
    double best = kSameBase;
    for (const TBaseDistances& candidate : scan.Bases) {
        double off = 0;
        for (int c = 0; c < 3; ++c)
            off = std::max(off, std::abs(candidate.Base.Density[c] - shape.Base[c]) /
                                    static_cast<double>(candidate.Base.Threshold[c] > 0
                                                            ? candidate.Base.Threshold[c]
                                                            : 1.0f));
        if (off <= best) {
            best = off;
            nearest = &candidate;
        }
    }
    return nearest;
}

// Looks on the scan for a picture of the roll's size near the roll's place.
TPictureDetection SearchWithRoll(const TScanAnalysis& ev, const TRollShape& shape) {
    TPictureDetection found;
    found.Reason = TPictureDecline::NoEdges;
    const TBaseDistances* base = RollBase(ev, shape);
    if (base == nullptr) {
        return found;
    }
    const double step = ev.Step;
    const double w = shape.Width / step, h = shape.Height / step;
    const double left = (shape.CentreX - shape.Width / 2) / step;
    const double top = (shape.CentreY - shape.Height / 2) / step;
    // How far a frame may sit from the roll's place: twice as far as the sure ones do, but
    // never beyond a few per cent of the scan.
    auto reach = [&](double spread, double pictureSide, double scanSide) {
        if (shape.Anchors < kAnchorsForSpread)
            return kSearchShare * scanSide;
        return std::clamp((kSpreads * spread + Tolerance(pictureSide)) / step,
                          kMinSearchShare * scanSide, kMaxSearchShare * scanSide);
    };
    const double reachX = reach(shape.SpreadX, shape.Width, ev.Width);
    const double reachY = reach(shape.SpreadY, shape.Height, ev.Height);
    const int32_t gap = MinGap(ev);
    // The bands used across lie inside the picture wherever in the reach it is.
    const TAxisFind x =
        FindAlong(base->AlongX, top + reachY, top + h - reachY, left, w, reachX, gap);
    const TAxisFind y =
        FindAlong(base->AlongY, left + reachX, left + w - reachX, top, h, reachY, gap);
    if (!x.Clear || !y.Clear)
        return found;
    const int32_t x0 = ev.ToImage(x.Low, ev.FullWidth), y0 = ev.ToImage(y.Low, ev.FullHeight);
    const int32_t x1 =
        std::clamp(static_cast<int32_t>(std::lround(x.Low * step + shape.Width)), 0, ev.FullWidth);
    const int32_t y1 = std::clamp(static_cast<int32_t>(std::lround(y.Low * step + shape.Height)), 0,
                                  ev.FullHeight);
    if (x1 <= x0 || y1 <= y0)
        return found;
    found.Found = true;
    found.Reason = TPictureDecline::None;
    found.Picture = {x0, y0, x1 - x0, y1 - y0};
    found.Confidence =
        std::min(1.0, std::min(x.Significance, y.Significance) / (2 * kMinSignificance));
    found.FromRoll = true;
    return found;
}

} // namespace

void TRoll::Add(const std::string& key, TScanAnalysis analysis) {
    FScans[key] = std::move(analysis);
}

void TRoll::Remove(const std::string& key) {
    FScans.erase(key);
}

TPictureDetection TRoll::Place(const std::string& key) const {
    const auto it = FScans.find(key);
    if (it == FScans.end()) {
        TPictureDetection none;
        none.Reason = TPictureDecline::NoImage;
        return none;
    }
    const TScanAnalysis& scan = it->second;
    if (scan.Sure || scan.Alone.Reason == TPictureDecline::NoImage)
        return scan.Alone;
    const std::optional<TRollShape> shape = ShapeFor(FScans, key, scan);
    if (!shape)
        return scan.Alone;
    // An answer of its own that has the roll's size stands; one that does not is an outlier
    // and is looked for again.
    const TCropRect& own = scan.Alone.Picture;
    if (scan.Alone.Found && std::abs(own.W - shape->Width) <= 2 * Tolerance(shape->Width) &&
        std::abs(own.H - shape->Height) <= 2 * Tolerance(shape->Height))
        return scan.Alone;
    TPictureDetection placed = SearchWithRoll(scan, *shape);
    if (!placed.Found && !scan.Alone.Found)
        placed.Reason = scan.Alone.Reason;
    return placed;
}

} // namespace vantrel
