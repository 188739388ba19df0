// SPDX-License-Identifier: MIT
// The film scan generator. Light from the scanner passes the film (or the bare bed, or is
// stopped by the holder); the film's transmission comes from the exposure its pictures, edge
// print and light leaks gave it, through the response of a colour negative, a black-and-white
// negative or a slide. Grain, the scanner's noise and dust come on top.
#include "tests/support/FilmScan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include <tiffio.h>

#include "tests/support/LibTIFFWriter.h"

namespace vantrel::test {
namespace {

// ---- Determinism: every random choice comes from a hash of the seed -------------------------

uint64_t Hash64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

class TRandom {
public:
    explicit TRandom(uint64_t seed) : FState(Hash64(seed)) {}
    uint64_t Next() { return Hash64(FState += 0x9E3779B97F4A7C15ull); }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Range(double a, double b) { return a + (b - a) * Unit(); }
    bool Chance(double p) { return Unit() < p; }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t FState;
};

// Noise of one pixel: a cheap generator per row, roughly normal (sum of four uniforms).
class TPixelNoise {
public:
    explicit TPixelNoise(uint64_t seed) : FState(Hash64(seed) | 1) {}
    double Normal() {
        double sum = 0;
        for (int k = 0; k < 4; ++k) {
            FState ^= FState << 13;
            FState ^= FState >> 7;
            FState ^= FState << 17;
            sum += static_cast<double>(FState >> 11) * 0x1.0p-53;
        }
        return (sum - 2.0) * 1.7320508;
    }

private:
    uint64_t FState;
};

struct TRGB {
    double R = 0, G = 0, B = 0;
};
TRGB operator+(TRGB a, TRGB b) {
    return {a.R + b.R, a.G + b.G, a.B + b.B};
}
TRGB operator*(TRGB a, double k) {
    return {a.R * k, a.G * k, a.B * k};
}
TRGB Mix(TRGB a, TRGB b, double t) {
    return a * (1 - t) + b * t;
}

// Smooth value noise in [0, 1] over a hashed lattice.
double Lattice(uint64_t seed, int64_t i, int64_t j) {
    return static_cast<double>(Hash64(seed ^ Hash64(static_cast<uint64_t>(i) * 0x1F123BB5ull +
                                                    static_cast<uint64_t>(j))) >>
                               11) *
           0x1.0p-53;
}

double ValueNoise(uint64_t seed, double x, double y) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto i = static_cast<int64_t>(fx), j = static_cast<int64_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = Lattice(seed, i, j), b = Lattice(seed, i + 1, j);
    const double c = Lattice(seed, i, j + 1), d = Lattice(seed, i + 1, j + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double Fbm(uint64_t seed, double x, double y) {
    return 0.55 * ValueNoise(seed, x, y) + 0.3 * ValueNoise(seed + 1, 2.1 * x, 2.1 * y) +
           0.15 * ValueNoise(seed + 2, 4.3 * x, 4.3 * y);
}

// How much of a soft edge covers a point `d` inside it (negative: outside); `w` half width.
double Cover(double d, double w) {
    if (d >= w)
        return 1;
    if (d <= -w)
        return 0;
    const double t = (d + w) / (2 * w);
    return t * t * (3 - 2 * t);
}

// ---- The scene of a picture, as light reaching the film (1 = a white surface) ---------------

struct TShape {
    bool Ellipse = true;
    double Cx = 0, Cy = 0, Rx = 0, Ry = 0;
    TRGB Colour;
};

// A region of the picture that reaches one of its edges: 0 left, 1 top, 2 right, 3 bottom.
struct TEdgeRegion {
    int Edge = -1;
    double Depth = 0, From = 0, To = 1;
    double Level = 0;
};

struct TScene {
    TExposure Exposure = TExposure::Normal;
    uint64_t NoiseSeed = 0;
    double Horizon = 0.6, Slope = 0, Gain = 1;
    TRGB SkyTop, SkyLow, GroundA, GroundB;
    std::vector<TShape> Shapes;
    std::vector<TShape> Lights;
    TEdgeRegion Shadow, Highlight;
};

TRGB RandomColour(TRandom& r, double low, double high) {
    const double level = r.Range(low, high);
    return {level * r.Range(0.6, 1.4), level * r.Range(0.6, 1.4), level * r.Range(0.6, 1.4)};
}

TEdgeRegion RandomEdgeRegion(TRandom& r, double level) {
    TEdgeRegion region;
    region.Edge = r.Below(4);
    region.Depth = r.Range(0.06, 0.25);
    const double length = r.Range(0.35, 1.0);
    region.From = r.Range(0, 1 - length);
    region.To = region.From + length;
    region.Level = level;
    return region;
}

TScene MakeScene(uint64_t seed, TExposure exposure, bool shadow, bool highlight) {
    TRandom r(seed);
    TScene s;
    s.Exposure = exposure;
    s.NoiseSeed = r.Next();
    s.Horizon = r.Range(0.3, 0.75);
    s.Slope = r.Range(-0.15, 0.15);
    s.Gain = std::exp2(r.Range(-0.8, 0.8));
    if (exposure == TExposure::Night) {
        s.SkyTop = RandomColour(r, 0.002, 0.006);
        s.SkyLow = RandomColour(r, 0.006, 0.015);
        s.GroundA = RandomColour(r, 0.001, 0.004);
        s.GroundB = RandomColour(r, 0.002, 0.008);
        const int lights = 4 + r.Below(14);
        for (int k = 0; k < lights; ++k) {
            const double radius = r.Range(0.004, 0.02);
            s.Lights.push_back({true, r.Range(0.05, 0.95), r.Range(s.Horizon - 0.1, 0.95), radius,
                                radius * r.Range(0.8, 3.0), RandomColour(r, 0.6, 3.0)});
        }
    } else {
        s.SkyTop = RandomColour(r, 0.25, 0.7);
        s.SkyLow = RandomColour(r, 0.4, 1.1);
        s.GroundA = RandomColour(r, 0.03, 0.25);
        s.GroundB = RandomColour(r, 0.05, 0.4);
        const int shapes = 2 + r.Below(7);
        for (int k = 0; k < shapes; ++k)
            s.Shapes.push_back({r.Chance(0.5), r.Range(0, 1), r.Range(0.1, 1), r.Range(0.03, 0.2),
                                r.Range(0.03, 0.3), RandomColour(r, 0.01, 0.9)});
    }
    if (exposure == TExposure::Thin)
        s.Gain /= 10; // more than three stops under
    if (shadow)
        s.Shadow = RandomEdgeRegion(r, 0.0008);
    if (highlight)
        s.Highlight = RandomEdgeRegion(r, 6.0);
    return s;
}

bool InEdgeRegion(const TEdgeRegion& region, uint64_t seed, double px, double py) {
    if (region.Edge < 0)
        return false;
    const double along = region.Edge % 2 == 0 ? py : px;
    if (along < region.From || along > region.To)
        return false;
    const double inward = region.Edge == 0   ? px
                          : region.Edge == 1 ? py
                          : region.Edge == 2 ? 1 - px
                                             : 1 - py;
    return inward < region.Depth * (0.6 + 0.8 * ValueNoise(seed + 7, along * 9, 0.5));
}

// Light from the scene at (px, py), both 0 to 1 across the picture.
TRGB SceneAt(const TScene& s, double px, double py) {
    if (s.Exposure == TExposure::Blank)
        return {};
    TRGB c;
    const double horizon =
        s.Horizon + s.Slope * (px - 0.5) + 0.06 * (ValueNoise(s.NoiseSeed, px * 7, 0.3) - 0.5);
    if (py < horizon) {
        c = Mix(s.SkyTop, s.SkyLow, py / std::max(horizon, 0.01));
        c = c * (0.85 + 0.3 * Fbm(s.NoiseSeed + 11, px * 4, py * 6));
    } else {
        c = Mix(s.GroundA, s.GroundB, Fbm(s.NoiseSeed + 21, px * 6, py * 6));
        c = c * (0.5 + Fbm(s.NoiseSeed + 31, px * 40, py * 40));
    }
    for (const TShape& shape : s.Shapes) {
        const double dx = (px - shape.Cx) / shape.Rx, dy = (py - shape.Cy) / shape.Ry;
        const bool inside =
            shape.Ellipse ? dx * dx + dy * dy < 1 : std::abs(dx) < 1 && std::abs(dy) < 1;
        if (inside)
            c = shape.Colour * (0.8 + 0.4 * Fbm(s.NoiseSeed + 41, px * 25, py * 25));
    }
    for (const TShape& light : s.Lights) {
        const double dx = (px - light.Cx) / light.Rx, dy = (py - light.Cy) / light.Ry;
        const double d2 = dx * dx + dy * dy;
        if (d2 < 9)
            c = c + light.Colour * std::exp(-2 * d2);
    }
    const double r2 = (px - 0.5) * (px - 0.5) + (py - 0.5) * (py - 0.5);
    c = c * (s.Gain * (1 - 0.5 * r2)); // the lens's vignetting
    if (InEdgeRegion(s.Shadow, s.NoiseSeed, px, py))
        c = {s.Shadow.Level, s.Shadow.Level, s.Shadow.Level};
    if (InEdgeRegion(s.Highlight, s.NoiseSeed + 3, px, py))
        c = {s.Highlight.Level, s.Highlight.Level, s.Highlight.Level};
    return c;
}

// ---- Film ------------------------------------------------------------------------------------

// Transmission of the film for the exposure it received.
TRGB Transmission(TFilm film, TRGB e) {
    switch (film) {
    case TFilm::ColourNegative: {
        // An orange mask; density grows with the logarithm of the exposure, deep shadows stay
        // at the base.
        auto t = [](double base, double exposure, double gamma) {
            return base * std::pow(10.0, -gamma * std::log10(1 + exposure / 0.008));
        };
        return {t(0.58, e.R, 0.60), t(0.32, e.G, 0.63), t(0.15, e.B, 0.66)};
    }
    case TFilm::BlackAndWhite: {
        const double lum = 0.3 * e.R + 0.59 * e.G + 0.11 * e.B;
        const double t = 0.80 * std::pow(10.0, -0.7 * std::log10(1 + lum / 0.008));
        return {t, t * 0.99, t * 0.97};
    }
    case TFilm::Slide:
        break;
    }
    // A slide: unexposed film is nearly black, full exposure clears it.
    auto t = [](double exposure, double dmax) {
        const double d = std::clamp(dmax - 1.3 * std::log10(1 + exposure / 0.002), 0.15, dmax);
        return std::pow(10.0, -d);
    };
    return {t(e.R, 3.3), t(e.G, 3.25), t(e.B, 3.2)};
}

struct TFormatGeometry {
    double PicAlong, PicAcross, FilmWidth;
    bool Holes;
};

TFormatGeometry GeometryOf(TFormat format) {
    switch (format) {
    case TFormat::Film35:
        return {36.0, 24.0, 35.0, true};
    case TFormat::Square6x6:
        return {56.0, 56.0, 61.5, false};
    case TFormat::Medium6x45:
        return {41.5, 56.0, 61.5, false};
    case TFormat::HalfFrame:
        return {17.0, 24.0, 35.0, true};
    case TFormat::Medium6x7:
        return {69.5, 56.0, 61.5, false};
    case TFormat::Medium6x9:
        return {84.0, 56.0, 61.5, false};
    }
    return {36.0, 24.0, 35.0, true};
}

// Signed distance to a rectangle with rounded corners centred at the origin (inside negative).
double RoundedBoxDistance(double x, double y, double halfW, double halfH, double radius) {
    const double qx = std::abs(x) - halfW + radius, qy = std::abs(y) - halfH + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

struct TDust {
    bool Hair = false;
    double X0, Y0, X1, Y1, X2, Y2; // a speck at (X0, Y0) of radius X1; a hair from 0 over 1 to 2
    double Dim;                    // what it lets through
};

class TScanPainter {
public:
    explicit TScanPainter(const TScanRecipe& recipe) : FRecipe(recipe) {
        const TFormatGeometry g = GeometryOf(recipe.Format);
        FPicAlong = g.PicAlong;
        FPicAcross = g.PicAcross;
        FFilmWidth = g.FilmWidth;
        FHoles = g.Holes;
        FPitch = FPicAlong + recipe.FrameGap;
        FPictures = std::max(recipe.Pictures, 1);
        const double along =
            FPictures * FPicAlong + (FPictures - 1) * recipe.FrameGap + 2 * recipe.MarginAlong;
        const double across = FFilmWidth + 2 * recipe.MarginAcross;
        FPpm = recipe.LongSide / std::max(along, across);
        const auto alongPx = static_cast<int32_t>(std::lround(along * FPpm));
        const auto acrossPx = static_cast<int32_t>(std::lround(across * FPpm));
        FWidth = recipe.VerticalStrip ? acrossPx : alongPx;
        FHeight = recipe.VerticalStrip ? alongPx : acrossPx;
        const double tilt = recipe.TiltDegrees * std::numbers::pi / 180;
        FCos = std::cos(tilt);
        FSin = std::sin(tilt);
        FSoft = std::max(recipe.BlurPx, 0.3) / FPpm / 2;

        TRandom r(recipe.Seed * 7919ull + 17);
        FCutBefore = CentreOf(0) - (FPicAlong / 2 + r.Range(0.4, 3.0));
        FCutAfter = CentreOf(FPictures - 1) + FPicAlong / 2 + r.Range(0.4, 3.0);
        FHolePhase = r.Range(0, 4.75);
        // Two neighbours beyond each end; a single picture is frame 0 between them.
        for (int j = -2; j < FPictures + 2; ++j) {
            const int k = j - (FPictures - 1) / 2;
            const bool own = j >= 0 && j < FPictures;
            FScenes.push_back(MakeScene(Hash64(recipe.Seed * 31ull + static_cast<uint64_t>(k + 9)),
                                        own ? recipe.Exposure : TExposure::Normal,
                                        own && recipe.ShadowAtEdge, own && recipe.HighlightAtEdge));
        }
        if (recipe.LightLeak) {
            FLeakU = r.Range(-FPicAlong / 2, FPicAlong / 2);
            FLeakV = (r.Chance(0.5) ? 1 : -1) * FFilmWidth / 2;
            FLeakRadius = r.Range(4, 10);
            FLeakStrength = r.Range(0.3, 2.0);
        }
        for (int k = 0; k < recipe.Dust; ++k) {
            TDust d;
            d.Hair = r.Chance(0.3);
            d.X0 = r.Range(0, FWidth);
            d.Y0 = r.Range(0, FHeight);
            if (d.Hair) {
                const double length = r.Range(20, 120), angle = r.Range(0, 2 * std::numbers::pi);
                d.X2 = d.X0 + length * std::cos(angle);
                d.Y2 = d.Y0 + length * std::sin(angle);
                d.X1 = (d.X0 + d.X2) / 2 + r.Range(-0.3, 0.3) * length;
                d.Y1 = (d.Y0 + d.Y2) / 2 + r.Range(-0.3, 0.3) * length;
                d.Dim = 0.2;
            } else {
                d.X1 = r.Range(0.6, 3.0);
                d.Dim = 0.08;
            }
            FDust.push_back(d);
        }
    }

    TFilmScan Paint() const {
        TFilmScan scan;
        scan.Width = FWidth;
        scan.Height = FHeight;
        scan.Samples = FRecipe.Grey ? 1 : 3;
        scan.Photometric = FRecipe.Grey ? (FRecipe.WhiteIsZero ? 0 : 1) : 2;
        scan.PixelsPerMm = FPpm;
        scan.Blank = FRecipe.Exposure == TExposure::Blank;
        Truth(scan);
        std::vector<float> light(static_cast<size_t>(FWidth) * FHeight * 3);
        for (int32_t y = 0; y < FHeight; ++y) {
            TPixelNoise noise(FRecipe.Seed * 0x10001ull + static_cast<uint64_t>(y));
            for (int32_t x = 0; x < FWidth; ++x) {
                const TRGB v = PixelLight(x, y, noise);
                float* out = &light[(static_cast<size_t>(y) * FWidth + x) * 3];
                out[0] = static_cast<float>(v.R);
                out[1] = static_cast<float>(v.G);
                out[2] = static_cast<float>(v.B);
            }
        }
        for (const TDust& d : FDust)
            PaintDust(d, light);
        scan.Words.resize(static_cast<size_t>(FWidth) * FHeight * scan.Samples);
        TPixelNoise sensor(FRecipe.Seed * 0x3F1ull + 5);
        for (size_t p = 0; p < static_cast<size_t>(FWidth) * FHeight; ++p) {
            const float* v = &light[p * 3];
            auto word = [&](double value) {
                const double w = std::clamp(value * 65535.0 + 12.0 * sensor.Normal(), 0.0, 65535.0);
                return static_cast<uint16_t>(std::lround(w));
            };
            if (FRecipe.Grey) {
                const uint16_t w = word(0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2]);
                scan.Words[p] = FRecipe.WhiteIsZero ? static_cast<uint16_t>(65535 - w) : w;
            } else {
                for (int c = 0; c < 3; ++c)
                    scan.Words[p * 3 + c] = word(v[c]);
            }
        }
        return scan;
    }

private:
    // The centre of picture j along the strip, in millimetres from the row's middle.
    [[nodiscard]] double CentreOf(int j) const {
        const int touching = FRecipe.TouchingAfter;
        const double closed = touching < 0 ? 0.0 : (j > touching ? -0.5 : 0.5) * FRecipe.FrameGap;
        return (j - (FPictures - 1) / 2.0) * FPitch + closed;
    }

    void Truth(TFilmScan& scan) const {
        for (int j = 0; j < FPictures; ++j) {
            TruthOf(j, scan);
            scan.Pictures.push_back({scan.Left, scan.Top, scan.Right, scan.Bottom});
        }
        TruthOf(0, scan);
    }

    void TruthOf(int j, TFilmScan& scan) const {
        const double alongC = (FRecipe.VerticalStrip ? FHeight : FWidth) / 2.0 +
                              (FRecipe.ShiftAlong + CentreOf(j)) * FPpm;
        const double acrossC =
            (FRecipe.VerticalStrip ? FWidth : FHeight) / 2.0 + FRecipe.ShiftAcross * FPpm;
        const double halfAlong = FPicAlong / 2 * FPpm, halfAcross = FPicAcross / 2 * FPpm;
        const double cx = FRecipe.VerticalStrip ? acrossC : alongC;
        const double cy = FRecipe.VerticalStrip ? alongC : acrossC;
        const double hw = FRecipe.VerticalStrip ? halfAcross : halfAlong;
        const double hh = FRecipe.VerticalStrip ? halfAlong : halfAcross;
        scan.Left = std::clamp(cx - hw, 0.0, double(FWidth));
        scan.Right = std::clamp(cx + hw, 0.0, double(FWidth));
        scan.Top = std::clamp(cy - hh, 0.0, double(FHeight));
        scan.Bottom = std::clamp(cy + hh, 0.0, double(FHeight));
    }

    TRGB PixelLight(int32_t x, int32_t y, TPixelNoise& noise) const {
        // Image position in millimetres from the picture's centre, along and across the strip,
        // then turned with the strip.
        const double px = (x + 0.5 - FWidth / 2.0) / FPpm, py = (y + 0.5 - FHeight / 2.0) / FPpm;
        const double a = (FRecipe.VerticalStrip ? py : px) - FRecipe.ShiftAlong;
        const double c = (FRecipe.VerticalStrip ? px : py) - FRecipe.ShiftAcross;
        const double u = a * FCos + c * FSin, v = -a * FSin + c * FCos;

        TRGB exposure;
        for (int j = -2; j < FPictures + 2; ++j) {
            if ((j < 0 && FRecipe.Before == TFrameEnd::CutEnd) ||
                (j >= FPictures && FRecipe.After == TFrameEnd::CutEnd))
                continue;
            const double du = u - CentreOf(j);
            const double cover = Cover(FPicAlong / 2 - std::abs(du), FSoft) *
                                 Cover(FPicAcross / 2 - std::abs(v), FSoft);
            if (cover > 0)
                exposure = exposure + SceneAt(FScenes[static_cast<size_t>(j + 2)],
                                              du / FPicAlong + 0.5, v / FPicAcross + 0.5) *
                                          cover;
        }
        exposure = exposure + EdgePrint(u, v);
        if (FRecipe.LightLeak) {
            const double d2 = ((u - FLeakU) * (u - FLeakU) + (v - FLeakV) * (v - FLeakV)) /
                              (FLeakRadius * FLeakRadius);
            exposure = exposure + TRGB{1.0, 0.45, 0.15} * (FLeakStrength * std::exp(-d2));
        }
        TRGB t = Transmission(FRecipe.Film, exposure);
        if (FRecipe.Film == TFilm::BlackAndWhite) {
            const double g = std::exp(FRecipe.Grain * noise.Normal());
            t = t * g;
        } else {
            t.R *= std::exp(FRecipe.Grain * noise.Normal());
            t.G *= std::exp(FRecipe.Grain * noise.Normal());
            t.B *= std::exp(FRecipe.Grain * noise.Normal());
        }
        if (FHoles)
            t = Mix(t, TRGB{1, 1, 1}, HoleCover(u, v));
        double film = Cover(FFilmWidth / 2 - std::abs(v), FSoft);
        if (FRecipe.Before == TFrameEnd::CutEnd)
            film *= Cover(u - FCutBefore, FSoft);
        if (FRecipe.After == TFrameEnd::CutEnd)
            film *= Cover(FCutAfter - u, FSoft);
        const double surround = FRecipe.Surround == TSurround::BareBed ? 1.0 : 0.0015;
        t = Mix(TRGB{surround, surround, surround}, t, film);
        // The scanner's light falls off a little towards the corners.
        const double rx = px / (FWidth / FPpm), ry = py / (FHeight / FPpm);
        return t * (0.9 * (1 - 0.12 * (rx * rx + ry * ry)));
    }

    double HoleCover(double u, double v) const {
        const double outer = FFilmWidth / 2 - 2.01, inner = outer - 2.79;
        const double centreV = (outer + inner) / 2 * (v < 0 ? -1 : 1);
        const double pitch = 4.75;
        const double n = std::round((u - FHolePhase) / pitch);
        const double du = u - FHolePhase - n * pitch;
        return Cover(-RoundedBoxDistance(du, v - centreV, 0.99, 1.395, 0.5), FSoft);
    }

    // Frame numbers and the film's name exposed into the rebate's outer part.
    TRGB EdgePrint(double u, double v) const {
        const double edge = FFilmWidth / 2;
        const double inner = FHoles ? edge - 2.01 + 0.3 : FPicAcross / 2 + 0.8;
        const double outer = edge - 0.35;
        if (std::abs(v) < inner || std::abs(v) > outer)
            return {};
        const double cell = 0.7;
        const double n = std::floor(u / cell);
        const int64_t index = static_cast<int64_t>(n);
        if (((index % 13) + 13) % 13 > 6) // groups of glyphs with space between them
            return {};
        const uint64_t bits = Hash64(FRecipe.Seed + static_cast<uint64_t>(index) * 3 + (v < 0));
        const double within = u - n * cell;
        if (within > cell * 0.8 || (bits & 3) == 0)
            return {};
        return {0.25, 0.25, 0.25};
    }

    void PaintDust(const TDust& d, std::vector<float>& light) const {
        auto dim = [&](int32_t x, int32_t y, double amount) {
            if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
                return;
            float* p = &light[(static_cast<size_t>(y) * FWidth + x) * 3];
            const auto k = static_cast<float>(1 - amount * (1 - d.Dim));
            p[0] *= k;
            p[1] *= k;
            p[2] *= k;
        };
        if (!d.Hair) {
            const int32_t r = static_cast<int32_t>(std::ceil(d.X1)) + 1;
            for (int32_t y = static_cast<int32_t>(d.Y0) - r; y <= static_cast<int32_t>(d.Y0) + r;
                 ++y)
                for (int32_t x = static_cast<int32_t>(d.X0) - r;
                     x <= static_cast<int32_t>(d.X0) + r; ++x)
                    dim(x, y, Cover(d.X1 - std::hypot(x + 0.5 - d.X0, y + 0.5 - d.Y0), 0.5));
            return;
        }
        // A hair: a curve of width about one pixel, drawn as overlapping dots.
        const double length = std::hypot(d.X2 - d.X0, d.Y2 - d.Y0);
        const int steps = static_cast<int>(length) + 2;
        for (int k = 0; k <= steps; ++k) {
            const double t = double(k) / steps;
            const double x = (1 - t) * (1 - t) * d.X0 + 2 * t * (1 - t) * d.X1 + t * t * d.X2;
            const double y = (1 - t) * (1 - t) * d.Y0 + 2 * t * (1 - t) * d.Y1 + t * t * d.Y2;
            dim(static_cast<int32_t>(x), static_cast<int32_t>(y), 0.6);
        }
    }

    const TScanRecipe& FRecipe;
    double FPicAlong, FPicAcross, FFilmWidth, FPitch;
    bool FHoles;
    double FPpm;
    int32_t FWidth, FHeight;
    double FCos, FSin, FSoft;
    double FCutBefore, FCutAfter, FHolePhase;
    int FPictures = 1;
    std::vector<TScene> FScenes;
    double FLeakU = 0, FLeakV = 0, FLeakRadius = 1, FLeakStrength = 0;
    std::vector<TDust> FDust;
};

struct TRollStyle {
    TFilm Film;
    TFormat Format;
    bool Vertical;
    TSurround Surround;
    bool Grey, WhiteIsZero, BigEndian;
};

// clang-format off
constexpr TRollStyle kRollStyles[8] = {
    {TFilm::ColourNegative, TFormat::Film35,     false, TSurround::BlackHolder, false, false, false},
    {TFilm::ColourNegative, TFormat::Film35,     true,  TSurround::BareBed,     false, false, true},
    {TFilm::BlackAndWhite,  TFormat::Film35,     false, TSurround::BareBed,     true,  false, false},
    {TFilm::BlackAndWhite,  TFormat::Square6x6,  false, TSurround::BlackHolder, true,  false, true},
    {TFilm::Slide,          TFormat::Film35,     false, TSurround::BlackHolder, false, false, true},
    {TFilm::Slide,          TFormat::Medium6x45, true,  TSurround::BareBed,     false, false, false},
    {TFilm::ColourNegative, TFormat::Medium6x45, false, TSurround::BareBed,     false, false, true},
    {TFilm::BlackAndWhite,  TFormat::Film35,     true,  TSurround::BlackHolder, true,  true,  false},
};
// clang-format on

} // namespace

TFilmScan DrawFilmScan(const TScanRecipe& recipe) {
    return TScanPainter(recipe).Paint();
}

std::vector<TScanRecipe> RollRecipes(int roll, int frames, int32_t longSide, uint32_t seed) {
    const TRollStyle& style = kRollStyles[((roll % 8) + 8) % 8];
    TRandom r(Hash64(seed) ^ static_cast<uint64_t>(roll) * 0x5851F42Dull);
    const bool film35 = style.Format == TFormat::Film35;
    const double gap = film35 ? r.Range(1.0, 2.5) : r.Range(2.5, 5.0);
    const double marginAlong = gap + r.Range(1.5, 5.0);
    const double marginAcross = r.Range(-1.0, 2.5);
    const double shiftAlong = r.Range(-1.0, 1.0);
    std::vector<TScanRecipe> recipes;
    for (int k = 0; k < frames; ++k) {
        TScanRecipe s;
        s.Seed = static_cast<uint32_t>(Hash64(seed + static_cast<uint64_t>(roll) * 1000 + k));
        s.Film = style.Film;
        s.Format = style.Format;
        s.VerticalStrip = style.Vertical;
        s.Surround = style.Surround;
        s.Grey = style.Grey;
        s.WhiteIsZero = style.WhiteIsZero;
        s.BigEndian = style.BigEndian;
        s.LongSide = longSide;
        s.FrameGap = gap;
        s.MarginAlong = marginAlong;
        s.MarginAcross = marginAcross;
        // Strips of five frames: the first and the last of a strip end in a cut.
        s.Before = k % 5 == 0 ? TFrameEnd::CutEnd : TFrameEnd::Neighbour;
        s.After = k % 5 == 4 ? TFrameEnd::CutEnd : TFrameEnd::Neighbour;
        // One frame of each roll is dark or thin, every other roll has a blank frame.
        if (k == roll % frames)
            s.Exposure = roll % 2 == 0 ? TExposure::Night : TExposure::Thin;
        else if (roll % 2 == 1 && k == (roll + 3) % frames)
            s.Exposure = TExposure::Blank;
        TRandom f(s.Seed);
        s.ShiftAlong = shiftAlong + f.Range(-1.2, 1.2);
        s.ShiftAcross = f.Range(-0.3, 0.3);
        s.TiltDegrees = f.Range(-0.4, 0.4);
        s.BlurPx = f.Range(0.6, 2.5) * longSide / 1200.0;
        s.Grain = f.Range(0.015, 0.05);
        s.Dust = f.Below(12);
        // How often a frame has a light leak, a shadow as clear as the base along an edge, or
        // a blown highlight at an edge.
        s.LightLeak = f.Chance(0.1);
        s.ShadowAtEdge = f.Chance(0.15);
        s.HighlightAtEdge = f.Chance(0.2);
        recipes.push_back(s);
    }
    return recipes;
}

void WriteFilmScan(const std::string& path, const TFilmScan& scan, bool bigEndian) {
    TLibTIFFImage image;
    image.Width = static_cast<uint32_t>(scan.Width);
    image.Height = static_cast<uint32_t>(scan.Height);
    image.Samples = static_cast<uint16_t>(scan.Samples);
    image.Words = scan.Words;
    image.RowsPerStrip = 64;
    image.BigEndian = bigEndian;
    image.Photometric = scan.Photometric;
    if (scan.Photometric == 0) // the writer's 0 means "from the samples": set WhiteIsZero itself
        image.ExtraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, 0); };
    WriteWithLibTIFF(path, image);
}

const char* FilmName(TFilm film) {
    switch (film) {
    case TFilm::ColourNegative:
        return "colour negative";
    case TFilm::BlackAndWhite:
        return "b&w negative";
    case TFilm::Slide:
        return "slide";
    }
    return "";
}

const char* FormatName(TFormat format) {
    switch (format) {
    case TFormat::Film35:
        return "35 mm";
    case TFormat::Square6x6:
        return "6x6";
    case TFormat::Medium6x45:
        return "6x4.5";
    case TFormat::HalfFrame:
        return "half frame";
    case TFormat::Medium6x7:
        return "6x7";
    case TFormat::Medium6x9:
        return "6x9";
    }
    return "";
}

const char* ExposureName(TExposure exposure) {
    switch (exposure) {
    case TExposure::Normal:
        return "normal";
    case TExposure::Night:
        return "night";
    case TExposure::Thin:
        return "thin";
    case TExposure::Blank:
        return "blank";
    }
    return "";
}

} // namespace vantrel::test
