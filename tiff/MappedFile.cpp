// SPDX-License-Identifier: MIT
#include "tiff/MappedFile.h"

#include <cstring>
#include <new>
#include <utility>

#include "platform/Pages.h"
#include "tiff/Exceptions.h"
#include "tiff/Messages.h"

namespace vantrel {

TMappedFile::TMappedFile(const std::string& path) : FFile(TFileHandle::OpenShared(path)) {
    const std::optional<uint64_t> size = FFile.Size();
    if (!size) {
        Close();
        throw ETIFFError(messages::FileSizeUnknown());
    }
    FSize = *size;
    try {
        FMapping = TFileMapping(FFile, FSize);
    } catch (...) {
        Close();
        throw;
    }
    FData = FMapping.Data();
    FFile.AdviseSequential();
}

TMappedFile TMappedFile::InMemory(uint64_t size) {
    void* room = AllocatePages(size);
    if (room == nullptr)
        throw std::bad_alloc();
    // Filled at once and in full: huge pages make its first touch cheap.
    AdviseHugePages(room, size);
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
    : FFile(std::move(other.FFile)), FMapping(std::move(other.FMapping)),
      FData(std::exchange(other.FData, nullptr)), FSize(std::exchange(other.FSize, 0)),
      FInMemory(std::exchange(other.FInMemory, false)) {}

TMappedFile& TMappedFile::operator=(TMappedFile&& other) noexcept {
    if (this != &other) {
        Close();
        FFile = std::move(other.FFile);
        FMapping = std::move(other.FMapping);
        FData = std::exchange(other.FData, nullptr);
        FSize = std::exchange(other.FSize, 0);
        FInMemory = std::exchange(other.FInMemory, false);
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
    return FFile.ReadAt(offset, destination, length);
}

bool TMappedFile::Changed() const noexcept {
    if (FInMemory)
        return false;
    if (FMapping.Faulted())
        return true;
    const std::optional<uint64_t> size = FFile.Size();
    return !size || *size != FSize;
}

void TMappedFile::Release(uint64_t offset, uint64_t length) const noexcept {
    if (FData == nullptr || offset >= FSize)
        return;
    if (!FInMemory) {
        FMapping.Release(offset, length);
        return;
    }
    // The block is whole pages: its last page is ours to drop even where the bytes end.
    const uint64_t page = PageSize();
    const uint64_t end = length > FSize - offset ? FSize : offset + length;
    const uint64_t first = (offset + page - 1) / page * page;
    const uint64_t last = end == FSize ? (end + page - 1) / page * page : end / page * page;
    if (last > first)
        DropPages(const_cast<uint8_t*>(FData) + first, last - first);
}

void TMappedFile::Close() noexcept {
    if (FInMemory)
        FreePages(const_cast<uint8_t*>(FData), FSize);
    FMapping.Close();
    FFile.Close(); // closing drops the lock too
    FData = nullptr;
    FSize = 0;
    FInMemory = false;
}

} // namespace vantrel
