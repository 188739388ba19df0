// SPDX-License-Identifier: MIT
// The errors of a command's work as the user reads them: "<ClassName>: <message>".
#include <cstdio>
#include <new>

#include "cli/Commands.h"
#include "texts/Language.h"
#include "tiff/Exceptions.h"

namespace vantrel::cli {

std::optional<std::string> ErrorOf(const std::function<void()>& work) {
    try {
        work();
        return std::nullopt;
    } catch (const vantrel::Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    } catch (const std::bad_alloc&) {
        static constexpr texts::TText kOutOfMemory{"EOutOfMemory: Недостаточно памяти",
                                                   "EOutOfMemory: Out of memory"};
        return kOutOfMemory();
    } catch (const std::exception& e) {
        return std::string("Exception: ") + e.what();
    }
}

int RunReporting(const std::function<void()>& work) {
    const std::optional<std::string> error = ErrorOf(work);
    if (!error)
        return kExitOk;
    std::fprintf(stderr, "%s\n", error->c_str());
    return kExitFailure;
}

} // namespace vantrel::cli
