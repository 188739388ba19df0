// SPDX-License-Identifier: MIT
#include "platform/FileMapping.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/SystemError.h"

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
        // copy runs to its end harmlessly; the reader sees Faulted and refuses the result.
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
    return -1; // more than kSlots mappings at once: this one runs unguarded
}

void Unregister(intptr_t slot) {
    if (slot < 0)
        return;
    gSlots[slot].Begin.store(0, std::memory_order_release);
    gSlots[slot].End.store(0);
    gSlots[slot].Used.store(false, std::memory_order_release);
}

} // namespace

TFileMapping::TFileMapping(const TFileHandle& file, uint64_t size) {
    InstallGuard();
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, static_cast<int>(file.Native()), 0);
    if (view == MAP_FAILED)
        throw EOSError::LastError();
    FData = static_cast<const uint8_t*>(view);
    FSize = size;
    FExtra = Register(FData, FSize);
    ::madvise(view, FSize, MADV_SEQUENTIAL);
}

bool TFileMapping::Faulted() const noexcept {
    return FExtra >= 0 && gSlots[FExtra].Faulted.load(std::memory_order_acquire);
}

void TFileMapping::Release(uint64_t offset, uint64_t length) const noexcept {
    if (FData == nullptr || offset >= FSize)
        return;
    const uint64_t pageSize = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t end = length > FSize - offset ? FSize : offset + length;
    const uint64_t first = (offset + pageSize - 1) / pageSize * pageSize;
    const uint64_t last = end == FSize ? end : end / pageSize * pageSize;
    if (last > first)
        ::madvise(const_cast<uint8_t*>(FData) + first, last - first, MADV_DONTNEED);
}

void TFileMapping::Close() noexcept {
    if (FData != nullptr) {
        Unregister(FExtra);
        ::munmap(const_cast<uint8_t*>(FData), FSize);
    }
    FData = nullptr;
    FSize = 0;
    FExtra = -1;
}

} // namespace vantrel
