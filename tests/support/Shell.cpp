// SPDX-License-Identifier: MIT
#include "tests/support/Shell.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include "tests/support/TempDir.h"

namespace vantrel::test {

#if defined(_WIN32)

TShellResult RunShell(const std::string& command) {
    return {"no POSIX shell on Windows for: " + command, -1};
}

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(n));
    return wide;
}

// One argument of a Windows command line, quoted as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE Inheritable(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TProgramRun RunProgram(const std::string& program, const TTempDir& dir,
                       const std::vector<std::string>& args) {
    std::wstring command = Quoted(Wide(program));
    for (const auto& a : args)
        command.append(L" ").append(Quoted(Wide(a)));
    TProgramRun r;
    const HANDLE out = Inheritable(dir.File("stdout"));
    const HANDLE err = Inheritable(dir.File("stderr"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            r.Status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    const auto outBytes = ReadFileBytes(dir.File("stdout"));
    const auto errBytes = ReadFileBytes(dir.File("stderr"));
    r.Out.assign(outBytes.begin(), outBytes.end());
    r.Err.assign(errBytes.begin(), errBytes.end());
    return r;
}

#else

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

#endif

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace vantrel::test
