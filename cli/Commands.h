#pragma once

#include <string>
#include <vector>

#include "tiff/TagDescriber.h"

namespace vantrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

/// `crop IN OUT [--frame X,Y,W,H | --whole] [--minimal]`: cuts the frame (clamped to the
/// image) or the whole image of IN and writes it to OUT in IN's byte order, carrying the tags
/// over in full mode or, with --minimal, only those that describe the pixels.
int CmdCrop(const std::vector<std::string>& args, const ITagDescriber& describer);

/// Prints the usage text to stdout (or stderr for wrong arguments) and returns the exit status.
int Usage(bool toError);

} // namespace vantrel::cli
