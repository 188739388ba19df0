// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// `crop IN OUT [--transform T]... [--frame X,Y,W,H | --whole] [--minimal]`: turns, mirrors or
/// inverts IN's image in the order given, cuts the frame (clamped to the transformed image) or
/// the whole image and writes it to OUT in IN's byte order, carrying the tags over in full mode
/// or, with --minimal, only those that describe the pixels.
int CmdCrop(const std::vector<std::string>& args);

/// Prints the usage text to stdout (or stderr for wrong arguments) and returns the exit status.
int Usage(bool toError);

/// Runs work and gives its error as "<ClassName>: <message>" (out of memory included), or
/// nothing when it succeeded.
std::optional<std::string> ErrorOf(const std::function<void()>& work);

/// Runs a command's work: on an error prints "<ClassName>: <message>" to stderr and returns
/// kExitFailure (out of memory included), otherwise kExitOk.
int RunReporting(const std::function<void()>& work);

/// `info FILE`: width=, height=, samples=, photometric=, byteorder= lines.
int CmdInfo(const std::vector<std::string>& args);

/// `words FILE OUT`: the sample words, raw little-endian 16-bit, chunky order.
int CmdWords(const std::vector<std::string>& args);

/// `render IN OUT.ppm [--brightness N] [--contrast POS] [--gamma POS]`: the view with the
/// track-bar positions given, as a binary PPM (red, green, blue).
int CmdRender(const std::vector<std::string>& args);

/// `sample OUT [WIDTHxHEIGHT]`: a synthetic 16-bit RGB film scan with EXIF and GPS, to try the
/// program on (4000 x 2800 unless a size is given).
int CmdSample(const std::vector<std::string>& args);

/// `place [--size W,H] FILE...`: one line per file, "FILE<TAB>X,Y,W,H" (the frame centred on
/// the picture, or the picture itself without --size) or "FILE<TAB>-" when none is found; the
/// files are one roll.
int CmdPlace(const std::vector<std::string>& args);

/// `batch --out DIR [--place W,H | --frame X,Y,W,H] [--prefix P] [--postfix S]
/// [--transform T]... [--overwrite] FILE...`: crops every file into DIR under the window's
/// output names, the files placed as one roll, with a progress line per file on stderr.
int CmdBatch(const std::vector<std::string>& args);

} // namespace vantrel::cli
