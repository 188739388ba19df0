// SPDX-License-Identifier: MIT
#include "platform/Process.h"

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantrel {

std::vector<std::string> CommandLineArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseBinaryStandardStreams() noexcept {}

std::FILE* OpenFile(const std::string& path, const char* mode) noexcept {
    return std::fopen(path.c_str(), mode);
}

// The user's work goes first, the read-ahead takes what is left.
void LowerThisThreadsPriority() noexcept {
    sched_param none{};
    (void)pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
#if defined(SYS_ioprio_set)
    constexpr int kWhoProcess = 1; // with id 0: the calling thread
    constexpr int kClassIdle = 3, kClassShift = 13;
    (void)syscall(SYS_ioprio_set, kWhoProcess, 0, kClassIdle << kClassShift);
#endif
}

} // namespace vantrel
