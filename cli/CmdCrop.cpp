// SPDX-License-Identifier: MIT
// vantrel-tiff crop: the window's crop and save without the window.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "pipeline/CropCore.h"
#include "pipeline/Transform.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::cli {

namespace {

struct TCropArgs {
    std::string In, Out;
    bool HasFrame = false;
    int32_t X = 0, Y = 0, W = 0, H = 0;
    bool Minimal = false;
    std::vector<TTransformType> Transforms; // in the order given
};

bool ParseTransform(const std::string& text, std::vector<TTransformType>& transforms) {
    static const std::pair<const char*, TTransformType> kNames[] = {
        {"90cw", TTransformType::tt90CW},
        {"90ccw", TTransformType::tt90CCW},
        {"180", TTransformType::tt180},
        {"flip", TTransformType::ttFlipH},
        {"invert", TTransformType::ttInvert}};
    for (const auto& [name, type] : kNames)
        if (text == name) {
            transforms.push_back(type);
            return true;
        }
    return false;
}

bool ParseInt(const std::string& text, int32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ParseFrame(const std::string& text, TCropArgs& a) {
    std::vector<std::string> parts(1);
    for (char c : text)
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    return parts.size() == 4 && ParseInt(parts[0], a.X) && ParseInt(parts[1], a.Y) &&
           ParseInt(parts[2], a.W) && ParseInt(parts[3], a.H);
}

bool ParseArgs(const std::vector<std::string>& args, TCropArgs& a) {
    bool whole = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--frame") {
            if (a.HasFrame || i + 1 >= args.size() || !ParseFrame(args[++i], a))
                return false;
            a.HasFrame = true;
        } else if (args[i] == "--whole") {
            whole = true;
        } else if (args[i] == "--transform") {
            if (i + 1 >= args.size() || !ParseTransform(args[++i], a.Transforms))
                return false;
        } else if (args[i] == "--minimal") {
            a.Minimal = true;
        } else if (args[i].starts_with("--")) {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || (whole && a.HasFrame))
        return false;
    a.In = files[0];
    a.Out = files[1];
    return true;
}

} // namespace

int CmdCrop(const std::vector<std::string>& args) {
    TCropArgs a;
    if (!ParseArgs(args, a))
        return Usage(true);
    return RunReporting([&] {
        TCropRequest request;
        // The byte order is read from the file itself, as the window does before a crop.
        request.IsBigEndian = IsBigEndianFile(a.In);
        // The catalogue's describer, as in the window: the history of ProcessingSoftware is
        // kept from the source's decoded text.
        TCatalogueTagDescriber describer;
        TCropTIFF reader(describer);
        TLoadedTIFF loaded = reader.LoadTIFFAsWords(a.In);
        request.SourceTags = reader.GetAllTags();
        TCurrentImage& image = request.Image;
        image.Width = loaded.Width;
        image.Height = loaded.Height;
        image.Samples = loaded.SamplesPerPixel;
        image.Photometric = loaded.PhotometricInterpretation;
        image.Words = std::make_shared<const TSampleWords>(std::move(loaded.PixelData));
        // The transforms run in the given order, as in the window before the frame is cut.
        TImageTransformState state;
        for (const TTransformType transform : a.Transforms) {
            TTransformResult turned =
                TransformWords(*image.Words, image.Width, image.Height, image.Samples, transform);
            image.Words = std::move(turned.NewWords);
            image.Width = turned.NewWidth;
            image.Height = turned.NewHeight;
            UpdateTransformState(state, transform);
        }
        request.Frame = a.HasFrame
                            ? ClampFrameToImage(a.X, a.Y, a.W, a.H, image.Width, image.Height)
                            : WholeImage(image.Width, image.Height);
        request.MinimalTags = a.Minimal;
        request.PreserveOriginalOrientation = PreserveOriginalOrientation(state);
        request.RemainingPercent = RemainingPercent(request.Frame, image.Width, image.Height);
        request.OutputFile = a.Out;
        CropAndSave(request);
    });
}

} // namespace vantrel::cli
