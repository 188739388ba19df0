// SPDX-License-Identifier: MIT
// Prints how well the picture detector does on generated rolls, by kind of scan: hits alone
// (every edge near the truth), declines alone, bad answers alone (an edge off), and for the
// roll (a frame of the picture's size less 2 % a side, inside the picture and centred) hits,
// declines and misses. Not a test: a table for people.
//   picture_accuracy [rolls] [frames] [long side]   (8 8 1200 by default)
// SEED=n draws another corpus; VERBOSE=1 prints a line for every scan, not only the misses.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "pipeline/detect/FramePlacement.h"
#include "pipeline/detect/RollPlacement.h"
#include "tests/support/FilmScan.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

struct TCounts {
    int Scans = 0, Blank = 0;
    int LoneHit = 0, LoneDecline = 0, LoneBad = 0, BlankDeclined = 0;
    int RollHit = 0, RollDecline = 0, RollBad = 0, BlankRollOk = 0;
    void Add(const TCounts& o) {
        Scans += o.Scans, Blank += o.Blank, LoneHit += o.LoneHit, LoneDecline += o.LoneDecline;
        LoneBad += o.LoneBad, BlankDeclined += o.BlankDeclined, RollHit += o.RollHit;
        RollDecline += o.RollDecline, RollBad += o.RollBad, BlankRollOk += o.BlankRollOk;
    }
};

double Tolerance(double side) {
    return std::max(6.0, 0.004 * side);
}

TCropRect ScanTruthFrame(const TFilmScan& s) {
    const double w = s.Right - s.Left, h = s.Bottom - s.Top;
    return {0, 0, static_cast<int32_t>(std::lround(w * 0.96)),
            static_cast<int32_t>(std::lround(h * 0.96))};
}

} // namespace

int main(int argc, char** argv) {
    const int rolls = argc > 1 ? std::atoi(argv[1]) : 8;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 8;
    const int32_t longSide = argc > 3 ? std::atoi(argv[3]) : 1200;
    const bool verbose = std::getenv("VERBOSE") != nullptr;
    std::map<std::string, TCounts> byKind;
    TCounts total;
    double worstRollOff = 0;
    for (int roll = 0; roll < rolls; ++roll) {
        const std::vector<TScanRecipe> recipes = RollRecipes(
            roll, frames, longSide, std::getenv("SEED") ? std::atoi(std::getenv("SEED")) : 7);
        std::vector<TFilmScan> truths;
        TRoll r;
        std::vector<TPictureDetection> alone;
        for (size_t k = 0; k < recipes.size(); ++k) {
            TFilmScan scan = DrawFilmScan(recipes[k]);
            TCurrentImage image;
            image.Width = scan.Width;
            image.Height = scan.Height;
            image.Samples = scan.Samples;
            image.Photometric = scan.Photometric;
            image.Words = std::make_shared<TSampleWords>(scan.Words.begin(), scan.Words.end());
            TScanAnalysis analysis = AnalyseScan(ReduceScan(image));
            alone.push_back(analysis.Alone);
            r.Add(std::to_string(k), std::move(analysis));
            scan.Words.clear();
            truths.push_back(std::move(scan));
        }
        for (size_t k = 0; k < recipes.size(); ++k) {
            const TScanRecipe& rc = recipes[k];
            const TFilmScan& t = truths[k];
            TCounts c;
            c.Scans = 1;
            const TPictureDetection& a = alone[k];
            const TPictureDetection placed = r.Place(std::to_string(k));
            const double pw = t.Right - t.Left, ph = t.Bottom - t.Top;
            std::string note;
            if (t.Blank) {
                c.Blank = 1;
                c.BlankDeclined = !a.Found;
                c.LoneBad = a.Found;
            } else if (!a.Found) {
                c.LoneDecline = 1;
            } else {
                const TCropRect& p = a.Picture;
                const bool hit = std::abs(p.X - t.Left) <= Tolerance(pw) &&
                                 std::abs(p.X + p.W - t.Right) <= Tolerance(pw) &&
                                 std::abs(p.Y - t.Top) <= Tolerance(ph) &&
                                 std::abs(p.Y + p.H - t.Bottom) <= Tolerance(ph);
                (hit ? c.LoneHit : c.LoneBad) = 1;
            }
            // The roll: a frame of the picture's size less 2 % a side.
            const TCropRect size = ScanTruthFrame(t);
            if (!placed.Found) {
                if (t.Blank)
                    c.BlankRollOk = 1;
                else
                    c.RollDecline = 1;
            } else {
                const TCropRect f = PlaceFrame(placed.Picture, size.W, size.H, t.Width, t.Height);
                const double cx = f.X + f.W / 2.0, cy = f.Y + f.H / 2.0;
                const double tx = (t.Left + t.Right) / 2, ty = (t.Top + t.Bottom) / 2;
                const double offX = std::abs(cx - tx), offY = std::abs(cy - ty);
                if (t.Blank) {
                    // Placed where the roll's frames sit: within a few per cent of the truth.
                    c.BlankRollOk = offX <= 0.05 * pw && offY <= 0.05 * ph;
                    c.RollBad = !c.BlankRollOk;
                } else {
                    const bool inside = f.X >= t.Left - 0.5 && f.Y >= t.Top - 0.5 &&
                                        f.X + f.W <= t.Right + 0.5 && f.Y + f.H <= t.Bottom + 0.5;
                    const bool hit = inside && offX <= Tolerance(pw) && offY <= Tolerance(ph);
                    (hit ? c.RollHit : c.RollBad) = 1;
                    worstRollOff =
                        std::max({worstRollOff, offX / Tolerance(pw), offY / Tolerance(ph)});
                }
            }
            if (verbose || c.LoneBad || c.RollBad || c.RollDecline)
                std::printf("roll %d frame %zu %s %s %s%s: alone %s (%d %d %d %d) truth (%.0f %.0f "
                            "%.0f %.0f) roll %s%s (%d %d %d %d)\n",
                            roll, k, FilmName(rc.Film), FormatName(rc.Format),
                            ExposureName(rc.Exposure), rc.VerticalStrip ? " vertical" : "",
                            a.Found ? "found" : PictureDeclineText(a.Reason).c_str(), a.Picture.X,
                            a.Picture.Y, a.Picture.X + a.Picture.W, a.Picture.Y + a.Picture.H,
                            t.Left, t.Top, t.Right, t.Bottom, placed.Found ? "found" : "declined",
                            placed.FromRoll ? " from roll" : "", placed.Picture.X, placed.Picture.Y,
                            placed.Picture.X + placed.Picture.W,
                            placed.Picture.Y + placed.Picture.H);
            const std::string kinds[] = {
                FilmName(rc.Film),
                FormatName(rc.Format),
                rc.VerticalStrip ? "vertical strip" : "horizontal strip",
                rc.Surround == TSurround::BareBed ? "bare bed" : "holder",
                rc.Grey ? "grey" : "RGB",
                std::string("exposure ") + ExposureName(rc.Exposure),
                rc.Before == TFrameEnd::CutEnd || rc.After == TFrameEnd::CutEnd ? "cut end"
                                                                                : "neighbours",
                rc.LightLeak ? "light leak" : "",
                rc.ShadowAtEdge ? "shadow at edge" : "",
                rc.HighlightAtEdge ? "highlight at edge" : "",
                std::abs(rc.TiltDegrees) > 0.25 ? "tilt > 0.25°" : "",
                rc.MarginAcross < 0 ? "film cut off by image" : ""};
            for (const std::string& kind : kinds)
                if (!kind.empty())
                    byKind[kind].Add(c);
            total.Add(c);
        }
    }
    std::printf("\n%-22s %6s %6s | %6s %7s %5s %7s | %6s %7s %5s %7s\n", "kind", "scans", "blank",
                "alone", "decline", "bad", "blank-", "roll", "decline", "bad", "blank");
    std::printf("%-22s %6s %6s | %6s %7s %5s %7s | %6s %7s %5s %7s\n", "", "", "", "hit", "", "",
                "declined", "hit", "", "", "ok");
    auto row = [](const std::string& name, const TCounts& c) {
        std::printf("%-22s %6d %6d | %6d %7d %5d %7d | %6d %7d %5d %7d\n", name.c_str(), c.Scans,
                    c.Blank, c.LoneHit, c.LoneDecline, c.LoneBad, c.BlankDeclined, c.RollHit,
                    c.RollDecline, c.RollBad, c.BlankRollOk);
    };
    for (const auto& [name, c] : byKind)
        row(name, c);
    row("all", total);
    const int nonBlank = total.Scans - total.Blank;
    std::printf("\nalone: %.1f %% of %d non-blank scans hit; roll: worst centre off %.2f of the "
                "tolerance\n",
                nonBlank ? 100.0 * total.LoneHit / nonBlank : 0.0, nonBlank, worstRollOff);
    return total.LoneBad + total.RollBad + total.RollDecline > 0 ? 1 : 0;
}
