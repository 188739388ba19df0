// vantrel-tiff info FILE: the image's size, samples, photometric and byte order.
#include <cstdio>

#include "cli/Commands.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/MinimalTagDescriber.h"

namespace vantrel::cli {

int CmdInfo(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return Usage(true);
    return RunReporting([&] {
        TMinimalTagDescriber describer;
        TCropTIFF tiff(describer);
        const TLoadedTIFF image = tiff.LoadTIFFAsWords(args[0]);
        std::printf("width=%d\nheight=%d\nsamples=%d\nphotometric=%u\nbyteorder=%s\n", image.Width,
                    image.Height, image.SamplesPerPixel, unsigned{image.PhotometricInterpretation},
                    image.isBigEndian ? "MM" : "II");
    });
}

} // namespace vantrel::cli
