// SPDX-License-Identifier: MIT
#pragma once

// Synthetic film scans with a known picture area, for testing and measuring the picture
// detector: a strip of film on the scanner (rebate, sprocket holes, edge print, frame lines,
// neighbouring frames or a cut end, the holder or the bare bed around it) with one frame's
// picture in the middle. Every scan is drawn from its recipe alone, the same on every machine.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::test {

enum class TFilm { ColourNegative, BlackAndWhite, Slide };
enum class TFormat { Film35, Square6x6, Medium6x45, HalfFrame, Medium6x7, Medium6x9 };
enum class TSurround { BlackHolder, BareBed };
enum class TFrameEnd { Neighbour, CutEnd };
enum class TExposure { Normal, Night, Thin, Blank };

/// Everything that decides one scan. Lengths on the film are in millimetres.
struct TScanRecipe {
    uint32_t Seed = 1;
    TFilm Film = TFilm::ColourNegative;
    TFormat Format = TFormat::Film35;
    bool VerticalStrip = false; // the strip runs from top to bottom
    TSurround Surround = TSurround::BlackHolder;
    TFrameEnd Before = TFrameEnd::Neighbour; // left or top of the picture
    TFrameEnd After = TFrameEnd::Neighbour;  // right or bottom
    TExposure Exposure = TExposure::Normal;
    double FrameGap = 1.8;     // film between two pictures
    double MarginAlong = 5.0;  // image beyond the picture along the strip, each side
    double MarginAcross = 1.5; // image beyond the film's edge, each side (negative: cut off)
    double ShiftAlong = 0.0;   // the picture's centre from the image's centre
    double ShiftAcross = 0.0;
    double TiltDegrees = 0.0;  // the strip turned in the holder
    double BlurPx = 1.0;       // softness of every edge, in image pixels
    double Grain = 0.03;       // relative grain of the film
    int Dust = 0;              // specks and hairs on the film and the glass
    bool LightLeak = false;    // fogging from one edge, over picture and rebate
    bool ShadowAtEdge = false; // a deep shadow reaching one edge of the picture
    bool HighlightAtEdge = false;
    bool Grey = false;        // one sample per pixel instead of three
    bool WhiteIsZero = false; // grey only: photometric 0
    bool BigEndian = false;   // byte order of a file written from it
    int32_t LongSide = 1200;  // the image's longer side in pixels
    int Pictures = 1;         // whole pictures in a row: a scan of a whole strip holds several
    int TouchingAfter = -1;   // the picture with no film between it and the next (-1: none)
};

/// A drawn scan: its samples as the loader gives them and the picture's true rectangle.
struct TFilmScan {
    int32_t Width = 0, Height = 0, Samples = 0;
    uint16_t Photometric = 2;
    std::vector<uint16_t> Words;
    /// The picture area in image pixels (edges between pixels), clipped to the image; for a
    /// tilted strip the mean position of each edge.
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    double PixelsPerMm = 0;
    bool Blank = false; // no picture was exposed
    /// Every whole picture as {left, top, right, bottom}, in order along the strip; the first
    /// of several is the one above.
    std::vector<std::array<double, 4>> Pictures;
};

/// Draws the scan of a recipe.
[[nodiscard]] TFilmScan DrawFilmScan(const TScanRecipe& recipe);

/// The recipes of one roll of `frames` scans: the film, format, strip direction, surround,
/// sample layout and scan size are the roll's; the scene, exposure, tilt, blur, grain, dust,
/// leaks and the frame's place in the holder vary from frame to frame. Eight kinds of roll
/// (by `roll` modulo 8) cover the films, formats, strip directions and surrounds.
[[nodiscard]] std::vector<TScanRecipe> RollRecipes(int roll, int frames, int32_t longSide,
                                                   uint32_t seed);

/// Writes the scan as an uncompressed TIFF in the recipe's byte order (with libtiff).
void WriteFilmScan(const std::string& path, const TFilmScan& scan, bool bigEndian);

/// Short names for tables and test names.
[[nodiscard]] const char* FilmName(TFilm film);
[[nodiscard]] const char* FormatName(TFormat format);
[[nodiscard]] const char* ExposureName(TExposure exposure);

} // namespace vantrel::test
