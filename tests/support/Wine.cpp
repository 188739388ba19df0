// SPDX-License-Identifier: MIT
#include "tests/support/Wine.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vantrel::test {

bool RunsUnderWine() {
#if defined(_WIN32)
    // Wine's ntdll has a function of its own that Windows' lacks.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace vantrel::test
