// SPDX-License-Identifier: MIT
// vantrel-tiff words FILE OUT: the loaded sample words as raw little-endian 16-bit words.
#include <bit>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "cli/Commands.h"
#include "platform/Process.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::cli {

int CmdWords(const TArguments& arguments) {
    const std::vector<std::string>& args = arguments.Files;
    if (args.size() != 2)
        return Usage(true);
    return RunReporting([&] {
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        const TLoadedTIFF image = tiff.LoadTIFFAsWords(args[0]);
        // The words are in host order, and the program is built for little-endian hosts only.
        static_assert(std::endian::native == std::endian::little);
        std::unique_ptr<FILE, int (*)(FILE*)> out(OpenFile(args[1], "wb"), &std::fclose);
        if (!out)
            throw EOSError::FromErrno(errno);
        const size_t n = image.PixelData.size();
        if (std::fwrite(image.PixelData.data(), sizeof(uint16_t), n, out.get()) != n ||
            std::fflush(out.get()) != 0)
            throw EOSError::FromErrno(errno);
        FILE* file = out.release();
        if (std::fclose(file) != 0)
            throw EOSError::FromErrno(errno);
    });
}

} // namespace vantrel::cli
