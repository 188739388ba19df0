// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel::fuzz {

/// A file that lives only in memory (memfd), reachable by a path, so that a harness can
/// hand each input to the engine's path-based loader without touching a disk. One object
/// is reused for every input: replacing its content costs a truncate and one write.
class TMemoryFile {
public:
    TMemoryFile();
    ~TMemoryFile();
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    /// Makes the file hold exactly these bytes.
    void Replace(const uint8_t* data, size_t size);

    /// A path that opens this file ("/proc/self/fd/N").
    const std::string& Path() const { return FPath; }

private:
    int FFd = -1;
    std::string FPath;
};

/// A private folder on a memory file system for files a harness writes; removed with its
/// content when the object ends.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    /// The folder's path, ending with "/".
    const std::string& Path() const { return FPath; }

    /// The number of entries in the folder.
    std::size_t EntryCount() const;

private:
    std::string FPath;
};

} // namespace vantrel::fuzz
