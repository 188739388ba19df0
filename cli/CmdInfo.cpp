// SPDX-License-Identifier: MIT
// vantrel-tiff info FILE: the image's size, samples, photometric and byte order, then the
// file's tag table as the window's "Скопировать всё" gives it. Read from the structure alone:
// the strips are checked against the file as a load checks them, but no sample is read.
#include <clocale>
#include <cstdio>

#include "cli/Commands.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"
#include "ui/logic/TagTable.h"

namespace vantrel::cli {

int CmdInfo(const TArguments& arguments) {
    const std::vector<std::string>& args = arguments.Files;
    if (args.size() != 1)
        return Usage(true);
    // Fractional values use the user's decimal separator, as in the window.
    std::setlocale(LC_NUMERIC, "");
    return RunReporting([&] {
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        const TMappedFile file = TCropTIFF::OpenForReading(args[0]);
        const TSampleLayout image = tiff.ReadSampleLayout(file);
        CheckUnchanged(file);
        std::printf("width=%d\nheight=%d\nsamples=%d\nphotometric=%u\nbyteorder=%s\npages=%zu\n",
                    image.Width, image.Height, image.SamplesPerPixel,
                    unsigned{image.PhotometricInterpretation}, image.isBigEndian ? "MM" : "II",
                    tiff.GetFurtherPages().size() + 1);
        const std::string table = TagTableCopyAllText(
            BuildTagTableRows(tiff.GetAllTags(), image.isBigEndian, tiff.GetFurtherPages()));
        std::fputs("\n", stdout);
        std::fwrite(table.data(), 1, table.size(), stdout);
    });
}

} // namespace vantrel::cli
