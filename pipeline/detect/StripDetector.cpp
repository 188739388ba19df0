// SPDX-License-Identifier: MIT
#include "pipeline/detect/StripDetector.h"

namespace vantrel {

TStripPictures FindStripPictures(const TReducedScan& scan) {
    TStripPictures strip;
    const TScanAnalysis analysis = AnalyseScan(scan);
    strip.Vertical = analysis.FullHeight > analysis.FullWidth;
    if (analysis.Alone.Found)
        strip.Pictures.push_back(analysis.Alone.Picture);
    else
        strip.Reason = analysis.Alone.Reason;
    return strip;
}

TStripPictures FindStripPictures(const TCurrentImage& image) {
    return FindStripPictures(ReduceScan(image));
}

std::vector<TStripPictures> FindStripPicturesOfRoll(const std::vector<TReducedScan>& scans) {
    std::vector<TStripPictures> strips;
    strips.reserve(scans.size());
    for (const TReducedScan& scan : scans)
        strips.push_back(FindStripPictures(scan));
    return strips;
}

} // namespace vantrel
