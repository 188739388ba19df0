// SPDX-License-Identifier: MIT
#include "pipeline/jobs/ReadAhead.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "tiff/CatalogueTagDescriber.h"

namespace vantrel {
namespace {

constexpr uint64_t kChunkBytes = 4u << 20; // a stop is noticed within one chunk
constexpr uint64_t kRoomFactor = 3;

// The calling thread yields to every other thread for the processor and the disk: the user's
// work goes first, the read-ahead takes what is left.
void LowerThisThreadsPriority() {
    sched_param none{};
    (void)pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
#if defined(SYS_ioprio_set)
    constexpr int kWhoProcess = 1; // with id 0: the calling thread
    constexpr int kClassIdle = 3, kClassShift = 13;
    (void)syscall(SYS_ioprio_set, kWhoProcess, 0, kClassIdle << kClassShift);
#endif
}

class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

int OpenForReading(const std::string& name) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it does nothing to regular files.
    return ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace

bool TReadAhead::TIdentity::operator==(const TIdentity& o) const noexcept {
    return Device == o.Device && Inode == o.Inode && Size == o.Size &&
           Modified.tv_sec == o.Modified.tv_sec && Modified.tv_nsec == o.Modified.tv_nsec &&
           Changed.tv_sec == o.Changed.tv_sec && Changed.tv_nsec == o.Changed.tv_nsec;
}

std::optional<TReadAhead::TIdentity> TReadAhead::IdentityOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return TIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

TReadAhead::TReadAhead(std::function<uint64_t()> AvailableMemory, bool IdlePriority)
    : FAvailableMemory(std::move(AvailableMemory)), FIdlePriority(IdlePriority) {}

TReadAhead::~TReadAhead() {
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = true;
        ++FGeneration;
    }
    FWake.notify_all();
    if (FThread.joinable())
        FThread.join();
}

void TReadAhead::Request(const std::string& FileName, std::optional<TReducedWish> Reduced) {
    std::optional<THeld> old; // freed after the lock is let go
    {
        std::lock_guard<std::mutex> lock(FLock);
        if ((FHeld && FHeld->Name == FileName) || (FHasPending && FPending == FileName) ||
            (FIsReading && !FHasPending && FReading == FileName &&
             FReadingGeneration == FGeneration))
            return; // already held or on its way
        ++FGeneration;
        old.swap(FHeld);
        FPending = FileName;
        FPendingWish = std::move(Reduced);
        FHasPending = true;
        if (!FThread.joinable())
            FThread = std::thread([this] { Run(); });
    }
    FWake.notify_all();
}

void TReadAhead::Clear() {
    std::optional<THeld> old;
    std::lock_guard<std::mutex> lock(FLock);
    ++FGeneration;
    FHasPending = false;
    old.swap(FHeld);
}

std::optional<TScanAhead> TReadAhead::Take(const std::string& FileName) {
    std::optional<THeld> held;
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (FHeld && FHeld->Name == FileName) {
            held.swap(FHeld);
        } else if ((FIsReading && FReading == FileName) || (FHasPending && FPending == FileName)) {
            ++FGeneration;
            FHasPending = false;
        }
    }
    if (!held)
        return std::nullopt;
    // The file as it is now: the same one, unchanged, and not held by a writer (whose lock
    // the load from the file would meet).
    const TFd fd(OpenForReading(FileName));
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_SH | LOCK_NB) != 0)
        return std::nullopt;
    const std::optional<TIdentity> now = IdentityOf(fd.Get());
    if (!now || !(*now == held->Identity))
        return std::nullopt;
    return std::move(held->Scan);
}

uint64_t TReadAhead::HeldBytes() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FHeld ? FHeld->Scan.Image.PixelData.size() * sizeof(uint16_t) : 0;
}

void TReadAhead::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(FLock);
    FIdle.wait(lock, [&] { return !FHasPending && !FIsReading; });
}

void TReadAhead::Run() {
    if (FIdlePriority)
        LowerThisThreadsPriority();
    std::unique_lock<std::mutex> lock(FLock);
    for (;;) {
        FWake.wait(lock, [&] { return FStop || FHasPending; });
        if (FStop)
            return;
        FReading = std::move(FPending);
        const std::optional<TReducedWish> wish = std::exchange(FPendingWish, std::nullopt);
        FHasPending = false;
        FIsReading = true;
        const std::string name = FReading;
        const uint64_t generation = FReadingGeneration = FGeneration;
        lock.unlock();
        std::optional<THeld> read = ReadWhole(name, wish, generation);
        lock.lock();
        FIsReading = false;
        if (read && generation == FGeneration)
            read.swap(FHeld);
        FIdle.notify_all();
        // Bytes read for a request that has been replaced go without holding the lock.
        lock.unlock();
        read.reset();
        lock.lock();
    }
}

namespace {

// The reduced copy of the view the wish asks for; none when it cannot be made (a colour model
// the view refuses, no memory): the window makes it as usual, and the load tells what fails.
TReducedView ReducedView(const TLoadedTIFF& image, const TReducedWish& wish) {
    try {
        const TReducedSize size = wish.SizeFor(image.Width, image.Height);
        return RenderReduced(image.PixelData, image.Width, image.Height, image.SamplesPerPixel,
                             image.PhotometricInterpretation, image.SampleFormat, wish.Adjustments,
                             size.Width, size.Height);
    } catch (...) {
        return {};
    }
}

} // namespace

std::optional<TReadAhead::THeld> TReadAhead::ReadWhole(const std::string& name,
                                                       const std::optional<TReducedWish>& wish,
                                                       uint64_t generation) const {
    const TFd fd(OpenForReading(name));
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_SH | LOCK_NB) != 0)
        return std::nullopt;
    const std::optional<TIdentity> before = IdentityOf(fd.Get());
    if (!before || before->Size <= 0)
        return std::nullopt;
    const auto size = static_cast<uint64_t>(before->Size);
    if (FAvailableMemory() / kRoomFactor < size)
        return std::nullopt;
    TMappedFile bytes;
    try {
        bytes = TMappedFile::InMemory(size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    (void)::posix_fadvise(fd.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    uint8_t* to = bytes.WritableData();
    for (uint64_t done = 0; done < size;) {
        if (FGeneration != generation)
            return std::nullopt;
        const ssize_t n = ::pread(fd.Get(), to + done, std::min(kChunkBytes, size - done),
                                  static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        done += static_cast<uint64_t>(n);
    }
    // A file written to while it was read is not kept.
    const std::optional<TIdentity> after = IdentityOf(fd.Get());
    if (!after || !(*after == *before))
        return std::nullopt;
    // The words are made here, letting go of the bytes as they go, so that going to the file
    // costs only its render. A file that does not load is left to the load to tell.
    THeld held{name, *before, {}};
    try {
        static const TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        held.Scan.Image = tiff.LoadTIFFAsWords(std::move(bytes));
        held.Scan.Tags = tiff.GetAllTags();
        held.Scan.FurtherPages = tiff.GetFurtherPages();
    } catch (...) {
        return std::nullopt;
    }
    if (wish && wish->SizeFor && FGeneration == generation)
        held.Scan.Reduced = ReducedView(held.Scan.Image, *wish);
    return held;
}

} // namespace vantrel
