// SPDX-License-Identifier: MIT
#include "ui/logic/settings/FileText.h"

#include "tiff/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

// Closes the descriptor and removes the temporary file unless the rename went through.
class TTempFile {
public:
    explicit TTempFile(std::string pattern) : FPath(std::move(pattern)) {
        FFd = ::mkstemp(FPath.data());
    }
    ~TTempFile() {
        if (FFd >= 0)
            ::close(FFd);
        if (!FKept)
            ::unlink(FPath.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    int Fd() const { return FFd; }
    const std::string& Path() const { return FPath; }
    int Close() {
        const int rc = ::close(FFd);
        FFd = -1;
        return rc;
    }
    void Keep() { FKept = true; }

private:
    std::string FPath;
    int FFd = -1;
    bool FKept = false;
};

[[noreturn]] void ThrowFor(const std::filesystem::path& path) {
    const int code = errno;
    throw EOSError::FromErrno(code, "\r\n" + path.string());
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowFor(path);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            errno = code;
            ThrowFor(path);
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
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
    TTempFile temp(path.string() + ".XXXXXX");
    if (temp.Fd() < 0)
        ThrowFor(path);
    // mkstemp creates 0600; a settings file is an ordinary file of the user.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(temp.Fd(), 0666 & ~mask);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(temp.Fd(), bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowFor(path);
        }
        done += static_cast<size_t>(put);
    }
    if (::fsync(temp.Fd()) != 0 || temp.Close() != 0)
        ThrowFor(path);
    if (::rename(temp.Path().c_str(), path.c_str()) != 0)
        ThrowFor(path);
    temp.Keep();
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
