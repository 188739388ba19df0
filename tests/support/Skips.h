// SPDX-License-Identifier: MIT
#pragma once

// Tests that cannot run on Windows say why: GTEST_SKIP with the reason, never a silent gap.

#include <gtest/gtest.h>

/// Skips a test that runs POSIX tools (tiffinfo, tiffdump, exiftool, ImageMagick, sh): a
/// Windows program, under Wine too, cannot start them.
#if defined(_WIN32)
#define VANTREL_SKIP_WITHOUT_POSIX_TOOLS()                                                         \
    GTEST_SKIP() << "runs Linux tools (tiffinfo, exiftool, ImageMagick, sh), which a Windows "     \
                    "program cannot start, under Wine neither"
#else
#define VANTREL_SKIP_WITHOUT_POSIX_TOOLS() (void)0
#endif

/// Skips a test that needs a forked child (resource limits, privileges, mount namespaces):
/// Windows has neither fork nor those.
#if defined(_WIN32)
#define VANTREL_SKIP_WITHOUT_FORK()                                                                \
    GTEST_SKIP() << "runs its work in a forked child with POSIX resource limits or privileges, "   \
                    "which Windows does not have"
#else
#define VANTREL_SKIP_WITHOUT_FORK() (void)0
#endif

/// Skips a test of POSIX behaviour that Windows does not have, giving `why`.
#if defined(_WIN32)
#define VANTREL_SKIP_ON_WINDOWS(why) GTEST_SKIP() << "not on Windows: " << why
#else
#define VANTREL_SKIP_ON_WINDOWS(why) (void)0
#endif
