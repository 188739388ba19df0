// SPDX-License-Identifier: MIT
// The picture is found band by band: in each band of rows, walking out from the middle, the
// left and right edges are where the first gap of film base begins; likewise the top and
// bottom edges in bands of columns. A real edge is the camera's gate: a straight line through
// nearly every band. Scene edges, shadows as clear as the base, dust and light leaks move the
// edge of some bands only, and the straight line through the others leaves them out.
#include "pipeline/detect/PictureDetector.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vantrel {
namespace {

// Straight-line fit of the bands' edges: how far a band may lie off the line, the steepest
// line looked for (about 1.1°) and the steps between the slopes tried.
constexpr double kFitTolerance = 1.25;
constexpr double kMaxSlope = 0.02;
constexpr double kSlopeStep = 0.0005;
// The four edges turn together with the strip.
constexpr double kSlopeAgreement = 0.012;
// An edge is found when this share of its bands agree; a scan leads a roll at kSureShare.
constexpr double kMinEdgeShare = 0.6;
constexpr double kSureShare = 0.75;
// An edge of another colour inside a rectangle that reaches the border counts at this share.
constexpr double kRivalEdgeShare = 0.4;
// An edge runs to the image's border when the picture reaches it in this share of the bands.
constexpr double kTouchShare = 0.6;
// How far from the border the strip is looked for beside such an edge, as a share of the side.
constexpr double kBorderDepth = 0.15;
// A line inside a picture is of another flat colour when at most this share of its pixels
// differ from that colour in at least kLineBands of the bands across.
constexpr double kLineShare = 0.2;
constexpr double kLineBands = 0.9;
// The picture is a large part of the scan, not too narrow, and not film base inside.
constexpr double kMinSideShare = 0.25;
constexpr double kMaxAspect = 3.5;
// How closely a picture seen in few bands must have a film format's ratio.
constexpr double kFormatTolerance = 0.02;
constexpr double kSingleFrameRatio = 1.6;
constexpr double kMinContent = 0.15;
constexpr double kSureContent = 0.25;
constexpr double kBlankCentre = 0.03;
// The smallest reduced copy that can hold a frame with film around it.
constexpr int32_t kMinReducedSide = 24;
constexpr int kMaxRounds = 5;

struct TSpan {
    double Low = 0, High = 0;
    [[nodiscard]] double Middle() const { return (Low + High) / 2; }
    [[nodiscard]] double Length() const { return High - Low; }
};

struct TEdge {
    double Position = 0; // reduced pixels, at the middle of the span along the edge
    double Slope = 0;    // change of Position per reduced pixel along the edge
    int32_t Bands = 0, Inliers = 0, Touching = 0;
    int32_t Beyond = 0; // bands whose edge lies further out than the line
    bool AtBorder = false;
    double Share = 0;              // agreeing (or touching) bands out of all
    std::vector<double> InlierAts; // where along the edge the agreeing bands lie
};

struct TBandEdge {
    double At;       // the band's middle, along the edge
    double Position; // where the band's edge lies
};

std::vector<int32_t> BandsInside(const TBandProfiles& p, TSpan span) {
    const double margin = 0.02 * span.Length();
    std::vector<int32_t> bands;
    for (int32_t k = 0; k < p.Bands; ++k)
        if (p.BandBegin(k) >= span.Low + margin && p.BandEnd(k) <= span.High - margin)
            bands.push_back(k);
    return bands;
}

// The edge of one band, walking from `centre` in direction `dir` (-1 or +1): the boundary
// before the first run of minGap gap positions, refined to where the distance from the base
// falls halfway from the picture's level to the gap's. Nothing when the walk reaches the
// border.
bool BandEdge(const TBandProfiles& p, int32_t band, int32_t centre, int32_t dir, int32_t minGap,
              double& position) {
    int32_t run = 0, x = centre;
    for (; x >= 0 && x < p.Length; x += dir) {
        run = p.NonBaseAt(band, x) <= kGapShare ? run + 1 : 0;
        if (run >= minGap)
            break;
    }
    if (run < minGap)
        return false;
    const int32_t gap = x - dir * (minGap - 1); // the gap's innermost position
    position = dir < 0 ? gap + 1.0 : gap;
    double outside = 0;
    for (int32_t k = 0; k < minGap; ++k)
        outside += p.DistanceAt(band, gap + dir * k);
    outside /= minGap;
    double inside = outside;
    for (int32_t k = 1; k <= 3; ++k) {
        const int32_t at = gap - dir * k;
        if (at >= 0 && at < p.Length)
            inside = std::max(inside, static_cast<double>(p.DistanceAt(band, at)));
    }
    if (inside - outside < 0.3)
        return true;
    const double half = (inside + outside) / 2;
    // The crossing nearest to the gap, between an inner position a and its outer neighbour.
    for (int32_t k = 3; k >= -2; --k) {
        const int32_t a = gap - dir * k, b = a + dir;
        if (a < 0 || b < 0 || a >= p.Length || b >= p.Length)
            continue;
        const double da = p.DistanceAt(band, a), db = p.DistanceAt(band, b);
        if (da >= half && db < half) {
            position = a + 0.5 + dir * (da - half) / (da - db);
            return true;
        }
    }
    return true;
}

// The straight line through most band edges: slopes are tried in small steps, each band's
// residual in turn as the offset; the line with the most bands within kFitTolerance wins and
// is refined by least squares over them.
void FitLine(const std::vector<TBandEdge>& points, double middle, TSpan slopes, TEdge& edge) {
    int32_t best = 0;
    double bestSpread = 0, bestSlope = 0, bestOffset = 0;
    for (double slope = slopes.Low; slope <= slopes.High + 1e-9; slope += kSlopeStep)
        for (const TBandEdge& anchor : points) {
            const double offset = anchor.Position - slope * (anchor.At - middle);
            int32_t inliers = 0;
            double spread = 0;
            for (const TBandEdge& q : points) {
                const double r = std::abs(q.Position - slope * (q.At - middle) - offset);
                if (r <= kFitTolerance) {
                    ++inliers;
                    spread += r;
                }
            }
            if (inliers > best || (inliers == best && spread < bestSpread)) {
                best = inliers;
                bestSpread = spread;
                bestSlope = slope;
                bestOffset = offset;
            }
        }
    edge.Inliers = best;
    edge.Slope = bestSlope;
    edge.Position = bestOffset;
    if (best < 2)
        return;
    double st = 0, sp = 0, stt = 0, stp = 0, n = 0;
    for (const TBandEdge& q : points)
        if (std::abs(q.Position - bestSlope * (q.At - middle) - bestOffset) <= kFitTolerance) {
            const double t = q.At - middle;
            st += t;
            sp += q.Position;
            stt += t * t;
            stp += t * q.Position;
            n += 1;
        }
    const double det = n * stt - st * st;
    if (det > 1e-9) {
        const double slope = (n * stp - st * sp) / det;
        if (slope >= slopes.Low && slope <= slopes.High) {
            edge.Slope = slope;
            edge.Position = (sp - slope * st) / n;
            return;
        }
    }
    edge.Position = sp / n - edge.Slope * st / n;
}

TEdge FindEdge(const TBandProfiles& p, const std::vector<int32_t>& bands, double centre,
               int32_t dir, int32_t minGap, double middle, TSpan slopes) {
    TEdge edge;
    edge.Bands = static_cast<int32_t>(bands.size());
    std::vector<TBandEdge> points;
    const auto start = std::clamp(static_cast<int32_t>(centre), 0, p.Length - 1);
    for (const int32_t band : bands) {
        double position = 0;
        if (BandEdge(p, band, start, dir, minGap, position))
            points.push_back({(p.BandBegin(band) + p.BandEnd(band)) / 2.0, position});
        else
            ++edge.Touching;
    }
    FitLine(points, middle, slopes, edge);
    // A band whose walk went well past the line saw picture where the line says gap: only
    // bands stopping short of it (at a shadow as clear as the base) or a little beyond it (a
    // speck of dust in the gap) are harmless.
    edge.Beyond = edge.Touching;
    for (const TBandEdge& q : points) {
        const double off = dir * (q.Position - edge.Slope * (q.At - middle) - edge.Position);
        if (off > 2.0 * minGap)
            ++edge.Beyond;
        if (std::abs(off) <= kFitTolerance)
            edge.InlierAts.push_back(q.At);
    }
    // The picture runs to the border when most bands reach it and the others do not line up:
    // a straight edge in a few bands is the real one, hidden elsewhere (by a leak, say).
    if (edge.Bands > 0 && edge.Touching >= kTouchShare * edge.Bands && edge.Inliers < kMinBands) {
        edge.AtBorder = true;
        edge.Position = dir < 0 ? 0.0 : p.Length;
        edge.Share = static_cast<double>(edge.Touching) / edge.Bands;
        return edge;
    }
    edge.Share = edge.Bands > 0 ? static_cast<double>(edge.Inliers) / edge.Bands : 0.0;
    return edge;
}

struct TFit {
    TEdge Left, Right, Top, Bottom;
    bool Valid = false;
    bool Sure = false;
    TPictureDecline Reason = TPictureDecline::NoEdges;
    double Content = 0;
    double Confidence = 0;
    double Tilt = 0; // radians

    [[nodiscard]] double Area() const {
        return (Right.Position - Left.Position) * (Bottom.Position - Top.Position);
    }
};

// The share of the rectangle that is not base, from the bands of rows inside it.
double ContentInside(const TScanEvidence& ev, const TFit& fit) {
    const std::vector<int32_t> bands =
        BandsInside(ev.AlongX, {fit.Top.Position, fit.Bottom.Position});
    const auto x0 = std::clamp(static_cast<int32_t>(fit.Left.Position), 0, ev.Width);
    const auto x1 = std::clamp(static_cast<int32_t>(fit.Right.Position), 0, ev.Width);
    double sum = 0, n = 0;
    for (const int32_t band : bands)
        for (int32_t x = x0; x < x1; ++x) {
            sum += ev.AlongX.NonBaseAt(band, x);
            n += 1;
        }
    return n > 0 ? sum / n : 0.0;
}

// Whether width and height have the ratio of a film format: square (6x6), 6x7, 4:3 (half
// frame, 6x4.5), 3:2 (35 mm, 6x9), 6x12, 65x24 and 6x17.
bool IsFilmFormat(double width, double height) {
    static constexpr double kRatios[] = {1.0, 1.24, 1.333, 1.35, 1.5, 2.1, 2.7, 3.0};
    const double ratio = std::max(width, height) / std::max(std::min(width, height), 1.0);
    return std::any_of(std::begin(kRatios), std::end(kRatios),
                       [&](double r) { return std::abs(ratio - r) <= kFormatTolerance * r; });
}

// The shape of one frame of a common format, square to 3:2 (a little wider: a scanner's pixels
// need not be square); two frames side by side are wider.
bool IsSingleFrame(double width, double height) {
    const double ratio = std::max(width, height) / std::max(std::min(width, height), 1.0);
    return ratio <= kSingleFrameRatio * (1 + kFormatTolerance);
}

// A picture may run out of the scan at one side. The gaps along its neighbouring sides then
// run on to the border too: their lines must hold in the bands nearest to it. Otherwise the
// walk to the border went through something else, and what spans the scan from side to side
// is the strip, not a picture.
bool BorderEdgeContinues(const TFit& fit, const TScanEvidence& ev) {
    const TEdge* border = nullptr;
    for (const TEdge* e : {&fit.Left, &fit.Right, &fit.Top, &fit.Bottom})
        if (e->AtBorder) {
            if (border != nullptr)
                return false;
            border = e;
        }
    if (border == nullptr)
        return true;
    const bool vertical = border == &fit.Left || border == &fit.Right;
    const bool low = border == &fit.Left || border == &fit.Top;
    const double side = vertical ? ev.Width : ev.Height;
    const double depth = kBorderDepth * side;
    auto reaches = [&](const TEdge& e) {
        return std::any_of(e.InlierAts.begin(), e.InlierAts.end(),
                           [&](double at) { return low ? at < depth : at > side - depth; });
    };
    return vertical ? reaches(fit.Top) && reaches(fit.Bottom)
                    : reaches(fit.Left) && reaches(fit.Right);
}

// The four edges against one base: the spans of rows and columns start in the middle of the
// scan and follow the edges found until they settle.
TFit FitRectangle(const TScanEvidence& ev) {
    TFit fit;
    const int32_t minGap = MinGap(ev);
    TSpan xs{0.3 * ev.Width, 0.7 * ev.Width}, ys{0.3 * ev.Height, 0.7 * ev.Height};
    bool settled = false;
    auto findAll = [&](TSpan turns) {
        const std::vector<int32_t> rows = BandsInside(ev.AlongX, ys);
        const std::vector<int32_t> columns = BandsInside(ev.AlongY, xs);
        if (static_cast<int32_t>(rows.size()) < kMinBands ||
            static_cast<int32_t>(columns.size()) < kMinBands)
            return false;
        // Left and right edges lean against the turn, top and bottom with it.
        const TSpan against{-turns.High, -turns.Low};
        fit.Left = FindEdge(ev.AlongX, rows, xs.Middle(), -1, minGap, ys.Middle(), against);
        fit.Right = FindEdge(ev.AlongX, rows, xs.Middle(), +1, minGap, ys.Middle(), against);
        fit.Top = FindEdge(ev.AlongY, columns, ys.Middle(), -1, minGap, xs.Middle(), turns);
        fit.Bottom = FindEdge(ev.AlongY, columns, ys.Middle(), +1, minGap, xs.Middle(), turns);
        return true;
    };
    for (int round = 0; round < kMaxRounds && !settled; ++round) {
        if (!findAll({-kMaxSlope, kMaxSlope}))
            return fit;
        const TSpan nx{fit.Left.Position, fit.Right.Position};
        const TSpan ny{fit.Top.Position, fit.Bottom.Position};
        if (nx.Length() < kMinSideShare * ev.Width || ny.Length() < kMinSideShare * ev.Height)
            return fit;
        settled = std::abs(nx.Low - xs.Low) < 0.5 && std::abs(nx.High - xs.High) < 0.5 &&
                  std::abs(ny.Low - ys.Low) < 0.5 && std::abs(ny.High - ys.High) < 0.5;
        xs = nx;
        ys = ny;
    }
    if (!settled)
        return fit;
    // The clearest edges tell the strip's turn; every edge is fitted again leaning as they do,
    // so that a few bands at a shadow's rim cannot make a steep line of their own.
    std::vector<double> clear;
    for (const TEdge* e : {&fit.Left, &fit.Right})
        if (!e->AtBorder && e->Share >= kSureShare)
            clear.push_back(-e->Slope);
    for (const TEdge* e : {&fit.Top, &fit.Bottom})
        if (!e->AtBorder && e->Share >= kSureShare)
            clear.push_back(e->Slope);
    if (!clear.empty()) {
        std::sort(clear.begin(), clear.end());
        const double turn = clear[clear.size() / 2];
        if (!findAll({turn - kSlopeAgreement / 2, turn + kSlopeAgreement / 2}))
            return fit;
    }

    const TEdge* edges[] = {&fit.Left, &fit.Right, &fit.Top, &fit.Bottom};
    bool atBorder = false;
    fit.Confidence = 1;
    for (const TEdge* e : edges) {
        if (!e->AtBorder && (e->Share < kMinEdgeShare || e->Inliers < kMinBands || e->Beyond > 0))
            return fit;
        atBorder = atBorder || e->AtBorder;
        fit.Confidence = std::min(fit.Confidence, e->Share);
    }
    // An edge seen in few bands is believed only when the picture has the shape of a film
    // format: a shadow's rim rarely gives one.
    if (fit.Confidence < kSureShare &&
        (atBorder || !IsFilmFormat(fit.Right.Position - fit.Left.Position,
                                   fit.Bottom.Position - fit.Top.Position)))
        return fit;
    fit.Reason = TPictureDecline::Unsure;
    if (!BorderEdgeContinues(fit, ev))
        return fit;
    // A turned strip turns every edge alike: the left and right edges lean by the same slope,
    // the top and bottom by its opposite.
    std::vector<double> turns;
    for (const TEdge* e : {&fit.Left, &fit.Right})
        if (!e->AtBorder)
            turns.push_back(-e->Slope);
    for (const TEdge* e : {&fit.Top, &fit.Bottom})
        if (!e->AtBorder)
            turns.push_back(e->Slope);
    const auto [lowest, highest] = std::minmax_element(turns.begin(), turns.end());
    if (!turns.empty() && *highest - *lowest > kSlopeAgreement)
        return fit;
    for (const double t : turns)
        fit.Tilt += t / static_cast<double>(turns.size());
    const double width = fit.Right.Position - fit.Left.Position;
    const double height = fit.Bottom.Position - fit.Top.Position;
    if (std::max(width, height) > kMaxAspect * std::min(width, height))
        return fit;
    fit.Content = ContentInside(ev, fit);
    if (fit.Content < kMinContent)
        return fit;
    fit.Valid = true;
    fit.Reason = TPictureDecline::None;
    fit.Sure = fit.Confidence >= kSureShare && fit.Content >= kSureContent && !atBorder;
    return fit;
}

TCropRect ToImage(const TFit& fit, const TScanEvidence& ev) {
    const int32_t left = fit.Left.AtBorder ? 0 : ev.ToImage(fit.Left.Position, ev.FullWidth);
    const int32_t right =
        fit.Right.AtBorder ? ev.FullWidth : ev.ToImage(fit.Right.Position, ev.FullWidth);
    const int32_t top = fit.Top.AtBorder ? 0 : ev.ToImage(fit.Top.Position, ev.FullHeight);
    const int32_t bottom =
        fit.Bottom.AtBorder ? ev.FullHeight : ev.ToImage(fit.Bottom.Position, ev.FullHeight);
    return {left, top, right - left, bottom - top};
}

// Whether another base's edges show a smaller frame inside this one on two sides or more:
// then this rectangle may hold rebate, and the answer is not clear. A rival edge counts when
// it agrees over half as many bands as the chosen edge looked at, and only as one of a pair
// that frames a picture-sized span. A rectangle that runs to the image's border may be the
// strip itself: then any edge found inside it counts.
bool RivalInside(const TFit& chosen, const TFit& other, const TScanEvidence& ev) {
    const bool chosenAtBorder = chosen.Left.AtBorder || chosen.Right.AtBorder ||
                                chosen.Top.AtBorder || chosen.Bottom.AtBorder;
    auto strong = [&](const TEdge& rival, const TEdge& own) {
        if (rival.AtBorder || rival.Inliers < kMinBands)
            return false;
        return rival.Inliers >= (own.Bands + 1) / 2 ||
               (chosenAtBorder && rival.Share >= kRivalEdgeShare);
    };
    const double margin = 2 * kFitTolerance;
    int32_t inside = 0;
    if (other.Right.Position - other.Left.Position >= kMinSideShare * ev.Width) {
        inside +=
            strong(other.Left, chosen.Left) && other.Left.Position > chosen.Left.Position + margin;
        inside += strong(other.Right, chosen.Right) &&
                  other.Right.Position < chosen.Right.Position - margin;
    }
    if (other.Bottom.Position - other.Top.Position >= kMinSideShare * ev.Height) {
        inside +=
            strong(other.Top, chosen.Top) && other.Top.Position > chosen.Top.Position + margin;
        inside += strong(other.Bottom, chosen.Bottom) &&
                  other.Bottom.Position < chosen.Bottom.Position - margin;
    }
    return inside >= 2;
}

// Whether a band ends at the image's low (or high) border in minGap positions of another
// flat colour.
bool FlatAtBorder(const TBandProfiles& p, int32_t band, bool low, int32_t minGap) {
    const int32_t from = low ? 0 : std::max(p.Length - minGap, 0);
    const int32_t to = low ? std::min(minGap, p.Length) : p.Length;
    for (int32_t at = from; at < to; ++at)
        if (p.NonBaseAt(band, at) > kGapShare)
            return false;
    return true;
}

// Whether, inside the rectangle and away from its edges, a line of positions along
// `profiles` runs through nearly all bands across it in mostly another flat colour, for
// minGap positions side by side: a line between frames or a rebate inside a "picture" that
// is really a piece of the strip.
bool LineInside(const TBandProfiles& p, TSpan along, TSpan across, int32_t minGap) {
    const std::vector<int32_t> bands = BandsInside(p, across);
    if (bands.empty())
        return false;
    const auto from = static_cast<int32_t>(along.Low) + 2 * minGap;
    const auto to = static_cast<int32_t>(along.High) - 2 * minGap;
    int32_t run = 0;
    for (int32_t at = std::max(from, 0); at < std::min(to, p.Length); ++at) {
        int32_t flat = 0;
        for (const int32_t band : bands)
            flat += p.NonBaseAt(band, at) <= kLineShare;
        run = flat >= kLineBands * static_cast<double>(bands.size()) ? run + 1 : 0;
        if (run >= minGap)
            return true;
    }
    return false;
}

bool StripInside(const TFit& fit, const std::vector<TScanEvidence>& all, size_t chosen) {
    // A picture of a single frame's shape, clear on all four sides, is no piece of the strip:
    // a line of flat colour inside it is its sky or a wall.
    const bool atBorder =
        fit.Left.AtBorder || fit.Right.AtBorder || fit.Top.AtBorder || fit.Bottom.AtBorder;
    if (fit.Sure && !atBorder &&
        IsSingleFrame(fit.Right.Position - fit.Left.Position,
                      fit.Bottom.Position - fit.Top.Position))
        return false;
    const TSpan xs{fit.Left.Position, fit.Right.Position};
    const TSpan ys{fit.Top.Position, fit.Bottom.Position};
    const int32_t minGap = MinGap(all[chosen]);
    for (size_t k = 0; k < all.size(); ++k)
        if (k != chosen && (LineInside(all[k].AlongX, xs, ys, minGap) ||
                            LineInside(all[k].AlongY, ys, xs, minGap)))
            return true;
    return false;
}

// A picture that runs to the image's border leaves nothing of the strip beside it. When
// another flat colour (the holder, the bed) ends the bands of an edge said to run there, or a
// line of it crosses them all near the border (the line to the next frame), the walk went
// through the strip instead. Flat parts of the picture itself lie anywhere but rarely across
// every band, so only the colour at the border itself and such lines count.
bool BorderEdgesHold(const TFit& fit, const std::vector<TScanEvidence>& all, size_t chosen) {
    const TScanEvidence& ev = all[chosen];
    const int32_t minGap = MinGap(ev);
    struct TSide {
        const TEdge& Edge;
        const TBandProfiles& (*Profiles)(const TScanEvidence&);
        TSpan Across;
        bool Low;
    };
    const TSpan xs{fit.Left.Position, fit.Right.Position};
    const TSpan ys{fit.Top.Position, fit.Bottom.Position};
    auto alongX = [](const TScanEvidence& e) -> const TBandProfiles& { return e.AlongX; };
    auto alongY = [](const TScanEvidence& e) -> const TBandProfiles& { return e.AlongY; };
    const TSide sides[] = {{fit.Left, alongX, ys, true},
                           {fit.Right, alongX, ys, false},
                           {fit.Top, alongY, xs, true},
                           {fit.Bottom, alongY, xs, false}};
    for (const TSide& side : sides) {
        if (!side.Edge.AtBorder)
            continue;
        const TBandProfiles& own = side.Profiles(ev);
        const std::vector<int32_t> bands = BandsInside(own, side.Across);
        int32_t crossed = 0;
        for (const int32_t band : bands) {
            bool flat = false;
            for (size_t k = 0; k < all.size() && !flat; ++k)
                flat = k != chosen && FlatAtBorder(side.Profiles(all[k]), band, side.Low, minGap);
            crossed += flat;
        }
        if (crossed > (1 - kTouchShare) * static_cast<double>(bands.size()))
            return false;
        // A line between frames near the border: the walk crossed into the next frame.
        const double depth = kBorderDepth * own.Length;
        const TSpan zone = side.Low
                               ? TSpan{-2.0 * minGap, depth + 2 * minGap}
                               : TSpan{own.Length - depth - 2 * minGap, own.Length + 2.0 * minGap};
        for (size_t k = 0; k < all.size(); ++k)
            if (k != chosen && LineInside(side.Profiles(all[k]), zone, side.Across, minGap))
                return false;
    }
    return true;
}

} // namespace

TScanAnalysis AnalyseScan(const TReducedScan& scan) {
    TScanAnalysis analysis;
    analysis.Alone.Reason = TPictureDecline::NoImage;
    analysis.Width = scan.Width;
    analysis.Height = scan.Height;
    analysis.Step = scan.Step;
    analysis.FullWidth = scan.FullWidth;
    analysis.FullHeight = scan.FullHeight;
    if (scan.Channels == 0 || scan.Width < kMinReducedSide || scan.Height < kMinReducedSide)
        return analysis;
    const std::vector<TBaseColour> candidates = BaseCandidates(scan);
    if (candidates.empty())
        return analysis;

    std::vector<TScanEvidence> evidence;
    std::vector<TFit> fits;
    bool blank = false;
    for (const TBaseColour& base : candidates) {
        evidence.push_back(MeasureAgainstBase(scan, base));
        fits.push_back(FitRectangle(evidence.back()));
        blank = blank || evidence.back().CentreNonBase < kBlankCentre;
        analysis.Bases.push_back(
            {base, TBandDistances(evidence.back().AlongX), TBandDistances(evidence.back().AlongY)});
    }
    // The smallest frame that holds together: a larger one around it has the rebate inside.
    int32_t chosen = -1;
    for (size_t k = 0; k < fits.size(); ++k)
        if (fits[k].Valid && (chosen < 0 || fits[k].Area() < fits[chosen].Area()))
            chosen = static_cast<int32_t>(k);
    TPictureDetection& alone = analysis.Alone;
    if (blank) {
        alone.Reason = TPictureDecline::Blank;
        return analysis;
    }
    if (chosen < 0) {
        alone.Reason = fits.front().Reason;
        for (const TFit& fit : fits)
            if (fit.Reason == TPictureDecline::Unsure)
                alone.Reason = TPictureDecline::Unsure;
        return analysis;
    }
    const TFit& fit = fits[chosen];
    for (size_t k = 0; k < fits.size(); ++k)
        if (static_cast<int32_t>(k) != chosen && RivalInside(fit, fits[k], evidence[chosen])) {
            alone.Reason = TPictureDecline::Unsure;
            return analysis;
        }
    if (!BorderEdgesHold(fit, evidence, static_cast<size_t>(chosen)) ||
        StripInside(fit, evidence, static_cast<size_t>(chosen))) {
        alone.Reason = TPictureDecline::Unsure;
        return analysis;
    }
    alone.Found = true;
    alone.Reason = TPictureDecline::None;
    alone.Picture = ToImage(fit, evidence[chosen]);
    alone.Confidence = fit.Confidence;
    alone.TiltDegrees = fit.Tilt * 180 / std::numbers::pi;
    analysis.Sure = fit.Sure;
    analysis.Chosen = chosen;
    return analysis;
}

TPictureDetection DetectPicture(const TCurrentImage& image) {
    return AnalyseScan(ReduceScan(image)).Alone;
}

} // namespace vantrel
