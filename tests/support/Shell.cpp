// SPDX-License-Identifier: MIT
#include "tests/support/Shell.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include "tests/support/TempDir.h"

namespace vantrel::test {

TShellResult RunShell(const std::string& command) {
    TShellResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        result.Output = "popen failed";
        return result;
    }
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.Output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TProgramRun RunProgram(const std::string& program, const TTempDir& dir,
                       const std::vector<std::string>& args) {
    std::string command = ShellQuote(program);
    for (const auto& a : args)
        command.append(" ").append(ShellQuote(a));
    command.append(" >").append(ShellQuote(dir.File("stdout")));
    command.append(" 2>").append(ShellQuote(dir.File("stderr")));
    const int raw = std::system(command.c_str());
    TProgramRun r;
    r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const auto out = ReadFileBytes(dir.File("stdout"));
    const auto err = ReadFileBytes(dir.File("stderr"));
    r.Out.assign(out.begin(), out.end());
    r.Err.assign(err.begin(), err.end());
    return r;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace vantrel::test
