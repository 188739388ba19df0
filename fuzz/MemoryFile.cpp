// SPDX-License-Identifier: MIT
#include "fuzz/MemoryFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

namespace vantrel::fuzz {

namespace {

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::abort();
}

} // namespace

TMemoryFile::TMemoryFile() {
    FFd = memfd_create("vantrel-fuzz-input", MFD_CLOEXEC);
    if (FFd < 0)
        Fail("memfd_create");
    FPath = "/proc/self/fd/" + std::to_string(FFd);
}

TMemoryFile::~TMemoryFile() {
    if (FFd >= 0)
        close(FFd);
}

void TMemoryFile::Replace(const uint8_t* data, size_t size) {
    if (ftruncate(FFd, 0) != 0)
        Fail("ftruncate");
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(FFd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0)
            Fail("pwrite");
        done += static_cast<size_t>(n);
    }
}

TScratchFolder::TScratchFolder() {
    // /dev/shm is a memory file system on every Linux we run on; fall back to /tmp.
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/vantrel-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        Fail("mkdtemp");
    FPath = pattern + "/";
}

TScratchFolder::~TScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::size_t TScratchFolder::EntryCount() const {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FPath))
        ++n;
    return n;
}

} // namespace vantrel::fuzz
