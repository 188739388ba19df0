// SPDX-License-Identifier: MIT
#include "platform/Process.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include "platform/windows/Wide.h"

namespace vantrel {

std::vector<std::string> CommandLineArguments(int, char*[]) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

void UseBinaryStandardStreams() noexcept {
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
    // Pipes and files take the bytes as they are; a console needs to be told they are UTF-8.
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR ||
        GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR)
        SetConsoleOutputCP(CP_UTF8);
}

std::FILE* OpenFile(const std::string& path, const char* mode) noexcept {
    return _wfopen(WidePath(path).c_str(), WideFromUtf8(mode).c_str());
}

// Lowers the thread's processor and disk priority together.
void LowerThisThreadsPriority() noexcept {
    (void)SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
}

} // namespace vantrel
