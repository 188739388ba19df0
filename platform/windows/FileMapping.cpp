// SPDX-License-Identifier: MIT
#include "platform/FileMapping.h"

#include <utility>

#include <windows.h>

#include "platform/Pages.h"
#include "platform/SystemError.h"

namespace vantrel {

TFileMapping::TFileMapping(const TFileHandle& file, uint64_t size) {
    if (size == 0) // an empty file has nothing to map, as on POSIX
        throw EOSError::FromSystemCode(ERROR_FILE_INVALID);
    const HANDLE mapping = CreateFileMappingW(reinterpret_cast<HANDLE>(file.Native()), nullptr,
                                              PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr)
        throw EOSError::LastError();
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    const DWORD error = GetLastError();
    CloseHandle(mapping); // the view keeps the mapping alive
    if (view == nullptr)
        throw EOSError::FromSystemCode(static_cast<int>(error));
    FData = static_cast<const uint8_t*>(view);
    FSize = size;
}

// No file can be cut short under a view on Windows: nothing to catch.
bool TFileMapping::Faulted() const noexcept {
    return false;
}

void TFileMapping::Release(uint64_t offset, uint64_t length) const noexcept {
    if (FData == nullptr || offset >= FSize)
        return;
    const uint64_t page = PageSize();
    const uint64_t end = length > FSize - offset ? FSize : offset + length;
    const uint64_t first = (offset + page - 1) / page * page;
    const uint64_t last = end == FSize ? end : end / page * page;
    // Unlocking pages that are not locked takes them out of the working set.
    if (last > first)
        (void)VirtualUnlock(const_cast<uint8_t*>(FData) + first, static_cast<SIZE_T>(last - first));
}

void TFileMapping::Close() noexcept {
    if (FData != nullptr)
        UnmapViewOfFile(FData);
    FData = nullptr;
    FSize = 0;
    FExtra = -1;
}

} // namespace vantrel
