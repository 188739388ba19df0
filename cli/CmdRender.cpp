// SPDX-License-Identifier: MIT
// vantrel-tiff render IN OUT.ppm: the view of a file with the display adjustments of the track
// bars, written as a binary PPM.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "pipeline/kernels/Render.h"
#include "platform/Process.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::cli {

namespace {

struct TRenderOptions {
    std::string In, Out;
    int Brightness = 0, ContrastPos = 0, GammaPos = 0;
};

// A whole number within [low, high].
bool ParsePosition(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && value >= low && value <= high;
}

bool ParseOptions(const TArguments& args, TRenderOptions& o) {
    // The ranges of the three track bars.
    const struct {
        std::string_view Option;
        int Limit;
        int* Position;
    } positions[] = {{"--brightness", BrightnessLimit, &o.Brightness},
                     {"--contrast", SContrastLimit, &o.ContrastPos},
                     {"--gamma", GammaLimit, &o.GammaPos}};
    // Each value given must be a position; the last counts.
    for (const auto& p : positions)
        for (const std::string& text : args.Values(p.Option))
            if (!ParsePosition(text, -p.Limit, p.Limit, *p.Position))
                return false;
    if (args.Files.size() != 2)
        return false;
    o.In = args.Files[0];
    o.Out = args.Files[1];
    return true;
}

// Binary PPM: the header, then red, green and blue of every pixel, rows from the top.
void WritePPM(const std::string& fileName, const TViewBitmap& view) {
    std::unique_ptr<FILE, int (*)(FILE*)> out(OpenFile(fileName, "wb"), &std::fclose);
    if (!out)
        throw EOSError::FromErrno(errno);
    bool ok = std::fprintf(out.get(), "P6\n%d %d\n255\n", view.Width, view.Height) > 0;
    std::vector<uint8_t> row(static_cast<size_t>(view.Width) * 3);
    for (int32_t y = 0; ok && y < view.Height; ++y) {
        const uint8_t* bgr = view.Row(y);
        for (size_t i = 0; i < row.size(); i += 3) {
            row[i] = bgr[i + 2];
            row[i + 1] = bgr[i + 1];
            row[i + 2] = bgr[i];
        }
        ok = std::fwrite(row.data(), 1, row.size(), out.get()) == row.size();
    }
    if (!ok || std::fflush(out.get()) != 0)
        throw EOSError::FromErrno(errno);
    if (std::fclose(out.release()) != 0)
        throw EOSError::FromErrno(errno);
}

} // namespace

int CmdRender(const TArguments& args) {
    TRenderOptions o;
    if (!ParseOptions(args, o))
        return Usage(true);
    return RunReporting([&] {
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        const TLoadedTIFF image = tiff.LoadTIFFAsWords(o.In);
        const TDisplayAdjustments a =
            AdjustmentsFromPositions(o.Brightness, o.ContrastPos, o.GammaPos);
        const TViewBitmap view =
            RenderWordsToBitmap(image.PixelData, image.Width, image.Height, image.SamplesPerPixel,
                                image.PhotometricInterpretation, image.SampleFormat, a.Brightness,
                                a.SContrast, a.Gamma);
        WritePPM(o.Out, view);
    });
}

} // namespace vantrel::cli
