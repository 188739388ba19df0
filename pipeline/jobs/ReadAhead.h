// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "pipeline/kernels/ReduceView.h"
#include "platform/FileHandle.h"
#include "tiff/CropTIFFUnit.h"
#include "tiff/ScanMemory.h"

namespace vantrel {

/// The reduced copy of the view a request asks for: the display adjustments to render with and
/// its size for an image of a given size (0 × 0: none, as for an image drawn at full size).
/// `SizeFor` is called on the read-ahead's thread.
struct TReducedWish {
    TDisplayAdjustments Adjustments;
    std::function<TReducedSize(int32_t width, int32_t height)> SizeFor;
};

/// A scan read ahead: what a load of the file gives (its words, its tags told by the catalogue's
/// describer as the window's loads tell them, its further pages), and its reduced view when one
/// was asked for and could be made.
struct TScanAhead {
    TLoadedTIFF Image;
    std::vector<TTIFFTag> Tags;
    std::vector<TFurtherPage> FurtherPages;
    TReducedView Reduced;
};

/// The next scan of a batch read into memory in the background and loaded (words and tags), so
/// that going to it skips the disk and the copy and leaves only its render. One file
/// at most: a new request replaces the old one and frees what it held. A file is read only when
/// the machine has room for it (available memory at least three times its size), on a thread
/// of its own at idle CPU and I/O priority, under a shared lock as a load takes it. A load takes
/// the words only while the file on disk is still the one read (TFileState: the same file,
/// size, modification and change times) and no writer holds it; otherwise it reads the file as
/// usual, so a file that changed, was replaced or vanished is loaded or refused exactly as
/// without the read-ahead. A file the read-ahead cannot load is left to the load, which tells
/// why. Asked for, it also makes the smooth reduced copy of the file's view, so that the view
/// can paint its resting picture as soon as the scan is shown.
///
class TReadAhead {
public:
    /// `AvailableMemory` tells the bytes the machine can still give. `IdlePriority` false reads
    /// at the priority of the caller: sooner on a busy machine (tests).
    explicit TReadAhead(std::function<uint64_t()> AvailableMemory = SystemAvailableMemory,
                        bool IdlePriority = true);
    /// Stops a read under way and frees what is held.
    ~TReadAhead();
    TReadAhead(const TReadAhead&) = delete;
    TReadAhead& operator=(const TReadAhead&) = delete;

    /// \brief Starts reading `FileName` in the background and returns at once; the bytes held
    /// or being read for another file are let go. A request for the file held or being read
    /// changes nothing. With `Reduced`, the reduced copy of its view is made too.
    void Request(const std::string& FileName, std::optional<TReducedWish> Reduced = std::nullopt);

    /// \brief Lets go of the bytes held and stops a read under way.
    void Clear();

    /// \brief The scan `FileName` when it was loaded in full and the file is still the same
    /// (nothing in it can have changed: its tags are not read again); it is handed over and no
    /// longer held. Otherwise nothing, and a read of that
    /// file still under way is stopped: the caller reads the file itself.
    [[nodiscard]] std::optional<TScanAhead> Take(const std::string& FileName);

    /// \brief The size of the words held now (0 when none, or while a read is under way).
    [[nodiscard]] uint64_t HeldBytes() const;

    /// \brief Waits until no read is asked for or under way.
    void WaitUntilIdle();

private:
    struct THeld {
        std::string Name;
        TFileState Identity;
        TScanAhead Scan;
    };

    std::function<uint64_t()> FAvailableMemory;
    bool FIdlePriority;
    mutable std::mutex FLock;
    std::condition_variable FWake, FIdle;
    std::string FPending, FReading;
    std::optional<TReducedWish> FPendingWish;
    bool FHasPending = false, FIsReading = false, FStop = false;
    std::atomic<uint64_t> FGeneration{0}; // every request, cancel and stop counts one on
    uint64_t FReadingGeneration = 0;      // the generation of the read under way
    std::optional<THeld> FHeld;
    std::thread FThread;

    void Run();
    std::optional<THeld> ReadWhole(const std::string& name, const std::optional<TReducedWish>& wish,
                                   uint64_t generation) const;
};

} // namespace vantrel
