// SPDX-License-Identifier: MIT
#include "pipeline/detect/PictureEvidence.h"

#include <algorithm>
#include <cmath>

namespace vantrel {
namespace {

// Luminance levels (log2 of the light) in bins, from the dark floor to full light.
constexpr float kLevelLow = -10.5f;
constexpr float kLevelBin = 0.0625f;
constexpr int kLevelBins = 176;
// Differences between neighbours, in bins, for the noise of each level.
constexpr float kSpreadBin = 0.01f;
constexpr int kSpreadBins = 128;
// A colour that covers less than this share of the flat pixels is no candidate.
constexpr double kMinPeakShare = 0.02;
constexpr int kMaxCandidates = 4;
// Peaks closer than this (in level bins) are one colour.
constexpr int kPeakSeparation = 2;
// The base strays from its colour by grain: a pixel further than this many times its spread
// is not base; never less than kMinThreshold (a clean scan has little grain, a print on the
// film still differs).
constexpr float kThresholdSpreads = 4.0f;
constexpr float kMinThreshold = 0.06f;
constexpr float kSpreadWindow = 0.6f;
// Distances are capped so that holes and dust do not outweigh a whole band.
constexpr float kDistanceCap = 4.0f;
constexpr int32_t kBands = 32;

int LevelBin(float level) {
    const int bin = static_cast<int>((level - kLevelLow) / kLevelBin);
    return std::clamp(bin, 0, kLevelBins - 1);
}

// The value below which `share` of a histogram's counts lie, at the bin's upper edge.
float Quantile(const uint32_t* counts, int bins, float binWidth, double share) {
    uint64_t total = 0;
    for (int k = 0; k < bins; ++k)
        total += counts[k];
    if (total == 0)
        return 0;
    const auto wanted = static_cast<uint64_t>(std::ceil(share * static_cast<double>(total)));
    uint64_t seen = 0;
    for (int k = 0; k < bins; ++k) {
        seen += counts[k];
        if (seen >= wanted)
            return (k + 1) * binWidth;
    }
    return bins * binWidth;
}

std::vector<float> Luminance(const TReducedScan& scan) {
    std::vector<float> lum(static_cast<size_t>(scan.Width) * scan.Height);
    for (size_t p = 0; p < lum.size(); ++p) {
        float sum = 0;
        for (int32_t c = 0; c < scan.Channels; ++c)
            sum += scan.Density[p * scan.Channels + c];
        lum[p] = sum / static_cast<float>(scan.Channels);
    }
    return lum;
}

// The largest difference to the right and the lower neighbour.
float Roughness(const std::vector<float>& lum, int32_t width, int32_t x, int32_t y) {
    const size_t p = static_cast<size_t>(y) * width + x;
    return std::max(std::abs(lum[p + 1] - lum[p]), std::abs(lum[p + width] - lum[p]));
}

// How far the grain lets the base stray from `density`: the differences between neighbours
// that both lie near it tell the grain from slow changes of the scene.
std::array<float, 3> Thresholds(const TReducedScan& scan, const std::array<float, 3>& density) {
    std::array<std::vector<uint32_t>, 3> spread;
    for (auto& s : spread)
        s.assign(kSpreadBins, 0);
    auto near = [&](const float* d) {
        for (int32_t c = 0; c < scan.Channels; ++c)
            if (std::abs(d[c] - density[c]) >= kSpreadWindow)
                return false;
        return true;
    };
    // Every other row: the median of so many neighbour pairs is as good, at half the cost.
    for (int32_t y = 0; y < scan.Height; y += 2) {
        const float* d = &scan.Density[static_cast<size_t>(y) * scan.Width * scan.Channels];
        for (int32_t x = 0; x + 1 < scan.Width; ++x, d += scan.Channels) {
            if (!near(d) || !near(d + scan.Channels))
                continue;
            for (int32_t c = 0; c < scan.Channels; ++c)
                ++spread[c][std::min(
                    static_cast<int>(std::abs(d[c + scan.Channels] - d[c]) / kSpreadBin),
                    kSpreadBins - 1)];
        }
    }
    std::array<float, 3> thresholds{};
    for (int32_t c = 0; c < scan.Channels; ++c) {
        // The median difference of two neighbours is 0.954 standard deviations of one.
        const float sigma = Quantile(spread[c].data(), kSpreadBins, kSpreadBin, 0.5) / 0.954f;
        thresholds[c] = std::max(kThresholdSpreads * sigma, kMinThreshold);
    }
    return thresholds;
}

} // namespace

TBandDistances::TBandDistances(const TBandProfiles& profiles)
    : Bands(profiles.Bands), Length(profiles.Length), Across(profiles.Across) {
    Distance.reserve(profiles.Distance.size());
    for (const float d : profiles.Distance)
        Distance.push_back(static_cast<uint8_t>(std::lround(std::min(d, kDistanceCap) * kScale)));
}

std::vector<TBaseColour> BaseCandidates(const TReducedScan& scan) {
    if (scan.Channels == 0 || scan.Width < 2 || scan.Height < 2)
        return {};
    const std::vector<float> lum = Luminance(scan);
    const int32_t w = scan.Width, h = scan.Height;

    // The noise of each level: a low quantile of the neighbour differences there, so that
    // flat areas are told from texture in dark and bright parts alike.
    std::vector<uint32_t> spread(static_cast<size_t>(kLevelBins) * kSpreadBins, 0);
    std::vector<uint32_t> allSpread(kSpreadBins, 0);
    std::vector<float> rough(lum.size(), 0.0f);
    std::vector<uint8_t> levels(lum.size(), 0);
    for (int32_t y = 0; y + 1 < h; ++y)
        for (int32_t x = 0; x + 1 < w; ++x) {
            const size_t p = static_cast<size_t>(y) * w + x;
            rough[p] = Roughness(lum, w, x, y);
            levels[p] = static_cast<uint8_t>(LevelBin(lum[p]));
            const int bin = std::min(static_cast<int>(rough[p] / kSpreadBin), kSpreadBins - 1);
            ++spread[static_cast<size_t>(levels[p]) * kSpreadBins + bin];
            ++allSpread[bin];
        }
    const float overallNoise = Quantile(allSpread.data(), kSpreadBins, kSpreadBin, 0.25);
    std::array<float, kLevelBins> flatLimit{};
    for (int level = 0; level < kLevelBins; ++level) {
        const uint32_t* counts = &spread[static_cast<size_t>(level) * kSpreadBins];
        uint64_t total = 0;
        for (int k = 0; k < kSpreadBins; ++k)
            total += counts[k];
        const float noise =
            total >= 50 ? Quantile(counts, kSpreadBins, kSpreadBin, 0.25) : overallNoise;
        flatLimit[level] = 2.5f * noise + 0.02f;
    }

    // Flat pixels, sorted by level.
    std::array<double, kLevelBins> count{};
    double flatTotal = 0;
    for (int32_t y = 0; y + 1 < h; ++y)
        for (int32_t x = 0; x + 1 < w; ++x) {
            const size_t p = static_cast<size_t>(y) * w + x;
            if (rough[p] < flatLimit[levels[p]]) {
                count[levels[p]] += 1;
                flatTotal += 1;
            }
        }
    std::array<size_t, kLevelBins + 1> levelStart{};
    for (int k = 0; k < kLevelBins; ++k)
        levelStart[k + 1] = levelStart[k] + static_cast<size_t>(count[k]);
    std::vector<uint32_t> flatByLevel(levelStart[kLevelBins]);
    std::array<size_t, kLevelBins> filled{};
    for (int32_t y = 0; y + 1 < h; ++y)
        for (int32_t x = 0; x + 1 < w; ++x) {
            const size_t p = static_cast<size_t>(y) * w + x;
            if (rough[p] < flatLimit[levels[p]])
                flatByLevel[levelStart[levels[p]] + filled[levels[p]]++] = static_cast<uint32_t>(p);
        }
    if (flatTotal == 0)
        return {};

    // Peaks of the smoothed level histogram, largest first, one per colour.
    std::array<double, kLevelBins> smooth{};
    for (int k = 0; k < kLevelBins; ++k)
        smooth[k] =
            2 * count[k] + (k > 0 ? count[k - 1] : 0) + (k + 1 < kLevelBins ? count[k + 1] : 0);
    std::vector<int> peaks;
    for (int k = 0; k < kLevelBins; ++k) {
        const bool rising = k == 0 || smooth[k] >= smooth[k - 1];
        const bool falling = k + 1 == kLevelBins || smooth[k] > smooth[k + 1];
        if (rising && falling && smooth[k] >= 4 * kMinPeakShare * flatTotal)
            peaks.push_back(k);
    }
    std::sort(peaks.begin(), peaks.end(), [&](int a, int b) { return smooth[a] > smooth[b]; });

    std::vector<TBaseColour> candidates;
    std::vector<int> taken;
    for (const int peak : peaks) {
        if (std::any_of(taken.begin(), taken.end(),
                        [&](int t) { return std::abs(t - peak) < kPeakSeparation; }))
            continue;
        taken.push_back(peak);
        // The colour is the median of the flat pixels at the peak's level in each channel:
        // flat parts of the picture of another colour but the same lightness do not move it.
        TBaseColour base;
        std::array<std::vector<float>, 3> values;
        const size_t from = levelStart[std::max(peak - 1, 0)];
        const size_t to = levelStart[std::min(peak + 2, kLevelBins)];
        for (size_t k = from; k < to; ++k)
            for (int32_t c = 0; c < scan.Channels; ++c)
                values[c].push_back(scan.Density[size_t{flatByLevel[k]} * scan.Channels + c]);
        for (int32_t c = 0; c < scan.Channels; ++c) {
            auto middle = values[c].begin() + static_cast<std::ptrdiff_t>(values[c].size() / 2);
            std::nth_element(values[c].begin(), middle, values[c].end());
            base.Density[c] = *middle;
        }
        base.Threshold = Thresholds(scan, base.Density);
        candidates.push_back(base);
        if (static_cast<int>(candidates.size()) == kMaxCandidates)
            break;
    }
    return candidates;
}

int32_t TReducedGeometry::ToImage(double reduced, int32_t limit) const {
    return std::clamp(static_cast<int32_t>(std::lround(reduced * Step)), 0, limit);
}

int32_t MinGap(const TReducedGeometry& scan) {
    constexpr double kMinGapShare = 0.006;
    constexpr int32_t kMinGapPixels = 3;
    return std::max(kMinGapPixels, static_cast<int32_t>(std::lround(
                                       kMinGapShare * std::max(scan.Width, scan.Height))));
}

TScanEvidence MeasureAgainstBase(const TReducedScan& scan, const TBaseColour& base) {
    TScanEvidence ev;
    ev.Width = scan.Width;
    ev.Height = scan.Height;
    ev.Step = scan.Step;
    ev.FullWidth = scan.FullWidth;
    ev.FullHeight = scan.FullHeight;
    const int32_t w = scan.Width, h = scan.Height;
    if (scan.Channels == 0 || w < 1 || h < 1)
        return ev;
    auto setUp = [](TBandProfiles& profiles, int32_t length, int32_t across) {
        profiles.Bands = std::min(kBands, across);
        profiles.Length = length;
        profiles.Across = across;
        profiles.NonBase.assign(static_cast<size_t>(profiles.Bands) * length, 0.0f);
        profiles.Distance.assign(static_cast<size_t>(profiles.Bands) * length, 0.0f);
    };
    setUp(ev.AlongX, w, h);
    setUp(ev.AlongY, h, w);
    auto bandsOf = [](const TBandProfiles& profiles) {
        std::vector<int32_t> band(static_cast<size_t>(profiles.Across));
        for (int32_t k = 0; k < profiles.Bands; ++k)
            for (int32_t i = profiles.BandBegin(k); i < profiles.BandEnd(k); ++i)
                band[i] = k;
        return band;
    };
    const std::vector<int32_t> bandOfRow = bandsOf(ev.AlongX), bandOfColumn = bandsOf(ev.AlongY);

    std::array<float, 3> inverse{};
    for (int32_t c = 0; c < scan.Channels; ++c)
        inverse[c] = 1.0f / base.Threshold[c];
    const int32_t cx0 = w * 3 / 10, cx1 = w - cx0, cy0 = h * 3 / 10, cy1 = h - cy0;
    uint64_t centre = 0, centreNonBase = 0;
    for (int32_t y = 0; y < h; ++y) {
        float* rowNonBase = &ev.AlongX.NonBase[static_cast<size_t>(bandOfRow[y]) * w];
        float* rowDistance = &ev.AlongX.Distance[static_cast<size_t>(bandOfRow[y]) * w];
        const float* d = &scan.Density[static_cast<size_t>(y) * w * scan.Channels];
        for (int32_t x = 0; x < w; ++x, d += scan.Channels) {
            float distance = 0;
            for (int32_t c = 0; c < scan.Channels; ++c)
                distance = std::max(distance, std::abs(d[c] - base.Density[c]) * inverse[c]);
            const float nonBase = distance > 1 ? 1.0f : 0.0f;
            distance = std::min(distance, kDistanceCap);
            rowNonBase[x] += nonBase;
            rowDistance[x] += distance;
            const size_t column = static_cast<size_t>(bandOfColumn[x]) * h + y;
            ev.AlongY.NonBase[column] += nonBase;
            ev.AlongY.Distance[column] += distance;
            if (x >= cx0 && x < cx1 && y >= cy0 && y < cy1) {
                ++centre;
                centreNonBase += distance > 1;
            }
        }
    }
    auto normalise = [](TBandProfiles& profiles) {
        for (int32_t k = 0; k < profiles.Bands; ++k) {
            const float n = static_cast<float>(profiles.BandEnd(k) - profiles.BandBegin(k));
            for (int32_t i = 0; i < profiles.Length; ++i) {
                profiles.NonBase[static_cast<size_t>(k) * profiles.Length + i] /= n;
                profiles.Distance[static_cast<size_t>(k) * profiles.Length + i] /= n;
            }
        }
    };
    normalise(ev.AlongX);
    normalise(ev.AlongY);
    ev.CentreNonBase = centre > 0 ? static_cast<float>(centreNonBase) / centre : 0.0f;
    return ev;
}

} // namespace vantrel
