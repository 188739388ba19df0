// SPDX-License-Identifier: MIT
#include "tiff/MappedFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <new>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

// Live mappings that the SIGBUS handler may patch. Plain atomics only: the handler reads them.
struct TGuardSlot {
    std::atomic<uintptr_t> Begin{0};
    std::atomic<uintptr_t> End{0};
    std::atomic<bool> Faulted{false};
    std::atomic<bool> Used{false};
};
constexpr int kSlots = 64;
TGuardSlot gSlots[kSlots];
struct sigaction gPrevious {};
std::once_flag gInstallOnce;
uintptr_t gPageSize = 4096; // read once before the handler is installed

void OnBus(int sig, siginfo_t* info, void* context) {
    const auto addr = reinterpret_cast<uintptr_t>(info->si_addr);
    for (auto& slot : gSlots) {
        const uintptr_t begin = slot.Begin.load(std::memory_order_acquire);
        const uintptr_t end = slot.End.load(std::memory_order_acquire);
        if (begin == 0 || addr < begin || addr >= end)
            continue;
        // The file lost the page under us. Put zero pages over the rest of the mapping so the
        // copy runs to its end harmlessly; the loader sees Faulted and refuses the result.
        const uintptr_t page = addr & ~(gPageSize - 1);
        void* patched = mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (patched == MAP_FAILED)
            break;
        slot.Faulted.store(true, std::memory_order_release);
        return;
    }
    // Not ours: behave as if we had never been installed.
    if (gPrevious.sa_flags & SA_SIGINFO) {
        if (gPrevious.sa_sigaction != nullptr) {
            gPrevious.sa_sigaction(sig, info, context);
            return;
        }
    } else if (gPrevious.sa_handler != SIG_DFL && gPrevious.sa_handler != SIG_IGN) {
        gPrevious.sa_handler(sig);
        return;
    }
    signal(sig, SIG_DFL); // the faulting access runs again and ends the process as usual
}

void InstallGuard() {
    std::call_once(gInstallOnce, [] {
        gPageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBus;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &gPrevious);
    });
}

int Register(const uint8_t* data, uint64_t size) {
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (gSlots[i].Used.compare_exchange_strong(expected, true)) {
            gSlots[i].Faulted.store(false);
            gSlots[i].End.store(reinterpret_cast<uintptr_t>(data) + size);
            gSlots[i].Begin.store(reinterpret_cast<uintptr_t>(data), std::memory_order_release);
            return i;
        }
    }
    return -1; // more than kSlots loads at once: this one runs unguarded
}

void Unregister(int slot) {
    if (slot < 0)
        return;
    gSlots[slot].Begin.store(0, std::memory_order_release);
    gSlots[slot].End.store(0);
    gSlots[slot].Used.store(false, std::memory_order_release);
}

} // namespace

TMappedFile::TMappedFile(const std::string& path) {
    InstallGuard();
    // O_NONBLOCK keeps a FIFO from blocking the open; it does nothing to regular files.
    FFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (FFd < 0)
        throw EOSError::FromErrno(errno);
    if (::flock(FFd, LOCK_SH | LOCK_NB) != 0) {
        const int code = errno;
        Close();
        throw EOSError::FromErrno(code);
    }
    struct stat st {};
    if (::fstat(FFd, &st) != 0 || st.st_size < 0) {
        Close();
        throw ETIFFError("Не удалось получить размер файла");
    }
    FSize = static_cast<uint64_t>(st.st_size);
    void* view = ::mmap(nullptr, FSize, PROT_READ, MAP_SHARED, FFd, 0);
    if (view == MAP_FAILED) {
        const int code = errno;
        Close();
        throw EOSError::FromErrno(code);
    }
    FData = static_cast<const uint8_t*>(view);
    FSlot = Register(FData, FSize);
    ::posix_fadvise(FFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    ::madvise(view, FSize, MADV_SEQUENTIAL);
}

TMappedFile TMappedFile::InMemory(uint64_t size) {
    void* room = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (room == MAP_FAILED)
        throw std::bad_alloc();
    // Filled at once and in full: huge pages make its first touch cheap.
    (void)::madvise(room, size, MADV_HUGEPAGE);
    TMappedFile bytes;
    bytes.FData = static_cast<const uint8_t*>(room);
    bytes.FSize = size;
    bytes.FInMemory = true;
    return bytes;
}

TMappedFile::~TMappedFile() {
    Close();
}

TMappedFile::TMappedFile(TMappedFile&& other) noexcept
    : FFd(other.FFd), FData(other.FData), FSize(other.FSize), FSlot(other.FSlot),
      FInMemory(other.FInMemory) {
    other.FFd = -1;
    other.FData = nullptr;
    other.FSize = 0;
    other.FSlot = -1;
    other.FInMemory = false;
}

TMappedFile& TMappedFile::operator=(TMappedFile&& other) noexcept {
    if (this != &other) {
        Close();
        std::swap(FFd, other.FFd);
        std::swap(FData, other.FData);
        std::swap(FSize, other.FSize);
        std::swap(FSlot, other.FSlot);
        std::swap(FInMemory, other.FInMemory);
    }
    return *this;
}

bool TMappedFile::ReadAt(uint64_t offset, void* destination, uint64_t length) const noexcept {
    if (FData == nullptr || offset > FSize || length > FSize - offset)
        return false;
    if (FInMemory) {
        std::memcpy(destination, FData + offset, length);
        return true;
    }
    auto* to = static_cast<uint8_t*>(destination);
    while (length > 0) {
        const ssize_t n = ::pread(FFd, to, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        offset += static_cast<uint64_t>(n);
        length -= static_cast<uint64_t>(n);
    }
    return true;
}

bool TMappedFile::Changed() const noexcept {
    if (FInMemory)
        return false;
    if (FSlot >= 0 && gSlots[FSlot].Faulted.load(std::memory_order_acquire))
        return true;
    struct stat st {};
    if (FFd < 0 || ::fstat(FFd, &st) != 0)
        return true;
    return static_cast<uint64_t>(st.st_size) != FSize;
}

void TMappedFile::Release(uint64_t offset, uint64_t length) const noexcept {
    if (FData == nullptr || offset >= FSize)
        return;
    const uint64_t pageSize = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t end = length > FSize - offset ? FSize : offset + length;
    const uint64_t first = (offset + pageSize - 1) / pageSize * pageSize;
    const uint64_t last = end == FSize ? end : end / pageSize * pageSize;
    if (last > first)
        ::madvise(const_cast<uint8_t*>(FData) + first, last - first, MADV_DONTNEED);
}

void TMappedFile::Close() noexcept {
    if (FData != nullptr) {
        Unregister(FSlot);
        ::munmap(const_cast<uint8_t*>(FData), FSize);
    }
    if (FFd >= 0)
        ::close(FFd); // closing drops the flock too
    FFd = -1;
    FData = nullptr;
    FSize = 0;
    FSlot = -1;
    FInMemory = false;
}

} // namespace vantrel
