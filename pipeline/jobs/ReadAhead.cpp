// SPDX-License-Identifier: MIT
#include "pipeline/jobs/ReadAhead.h"

#include "platform/Process.h"
#include "tiff/CatalogueTagDescriber.h"

namespace vantrel {
namespace {

constexpr uint64_t kChunkBytes = 4u << 20; // a stop is noticed within one chunk
constexpr uint64_t kRoomFactor = 3;

// A regular file's state: the read-ahead keeps nothing else.
std::optional<TFileState> RegularFileState(const TFileHandle& file) {
    std::optional<TFileState> state = file.State();
    if (!state || !state->IsRegular)
        return std::nullopt;
    return state;
}

} // namespace

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
    const TFileHandle file = TFileHandle::TryOpenShared(FileName);
    if (!file.IsOpen())
        return std::nullopt;
    const std::optional<TFileState> now = RegularFileState(file);
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
    const TFileHandle file = TFileHandle::TryOpenShared(name);
    if (!file.IsOpen())
        return std::nullopt;
    const std::optional<TFileState> before = RegularFileState(file);
    if (!before || before->Size == 0)
        return std::nullopt;
    const uint64_t size = before->Size;
    if (FAvailableMemory() / kRoomFactor < size)
        return std::nullopt;
    TMappedFile bytes;
    try {
        bytes = TMappedFile::InMemory(size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    file.AdviseSequential();
    uint8_t* to = bytes.WritableData();
    for (uint64_t done = 0; done < size;) {
        if (FGeneration != generation)
            return std::nullopt;
        const uint64_t chunk = std::min(kChunkBytes, size - done);
        if (!file.ReadAt(done, to + done, chunk))
            return std::nullopt;
        done += chunk;
    }
    // A file written to while it was read is not kept.
    const std::optional<TFileState> after = RegularFileState(file);
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
