// SPDX-License-Identifier: MIT
#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <exception>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vantrel::test {

#if defined(_WIN32)

TChildResult RunInChild(const std::function<std::string()>&) {
    return {false, "no fork on Windows"};
}

#else

namespace {

void WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

} // namespace

TChildResult RunInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {};
    }
    if (pid == 0) {
        close(fds[0]);
        int code = 0;
        try {
            WriteAll(fds[1], body());
        } catch (const std::exception& e) {
            WriteAll(fds[1], std::string("child threw: ") + e.what());
            code = 3;
        }
        close(fds[1]);
        _exit(code);
    }
    close(fds[1]);
    TChildResult result;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        result.Output.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return result;
    }
    result.Completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

#endif

} // namespace vantrel::test
