// SPDX-License-Identifier: MIT
#include "ui/logic/settings/FileText.h"

#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"
#include "tiff/Exceptions.h"

namespace vantrel {

namespace {

// The system's error with the file named after it.
[[noreturn]] void RethrowNaming(const EOSError& error, const std::filesystem::path& path) {
    throw EOSError(error.ErrorCode(), error.Message() + "\r\n" + Utf8FromPath(path));
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    try {
        return ReadFileBytes(Utf8FromPath(path));
    } catch (const EOSError& error) {
        RethrowNaming(error, path);
    }
}

void WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    // A settings file linked from elsewhere stays a link: the file it points to is replaced.
    std::error_code error;
    std::filesystem::path path = requested;
    if (std::filesystem::is_symlink(requested, error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(requested, error);
        if (!error)
            path = target.is_absolute() ? target : requested.parent_path() / target;
    }
    // The same crash-safe save as a scan's: flushed, renamed over, the folder flushed too.
    try {
        TSafeFile file(Utf8FromPath(path));
        file.Write(bytes.data(), bytes.size());
        file.Commit();
    } catch (const EOSError& failure) {
        RethrowNaming(failure, path);
    }
}

TTextLines SplitLines(std::string_view text) {
    TTextLines result;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            result.Lines.emplace_back(text.substr(start));
            break;
        }
        result.Lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        if (crLf && result.Lines.size() == 1)
            result.FirstEndIsCrLf = true;
        start = end + (crLf ? 2 : 1);
    }
    return result;
}

} // namespace vantrel
