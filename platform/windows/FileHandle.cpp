// SPDX-License-Identifier: MIT
#include "platform/FileHandle.h"

#include <algorithm>

#include <windows.h>

#include "platform/SystemError.h"
#include "platform/windows/Wide.h"

namespace vantrel {
namespace {

HANDLE Handle(intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

intptr_t FromHandle(HANDLE handle) {
    return reinterpret_cast<intptr_t>(handle);
}

uint64_t Join(DWORD high, DWORD low) {
    return (uint64_t{high} << 32) | low;
}

// File times count 100 ns from 1601.
int64_t Nanoseconds(const FILETIME& t) {
    return static_cast<int64_t>(Join(t.dwHighDateTime, t.dwLowDateTime)) * 100;
}

int64_t Nanoseconds(const LARGE_INTEGER& t) {
    return static_cast<int64_t>(t.QuadPart) * 100;
}

HANDLE OpenForReading(const std::string& path, DWORD share, DWORD flags) {
    return CreateFileW(WidePath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

// The volume and file index of `path`, a folder too.
bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle = CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    return known;
}

} // namespace

// No write sharing: a writer that has the file open keeps us out and one that comes later is
// kept out, as a shared lock does. Delete sharing lets a save replace the file meanwhile.
TFileHandle TFileHandle::TryOpenShared(const std::string& path) noexcept {
    const HANDLE handle =
        OpenForReading(path, FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_FLAG_SEQUENTIAL_SCAN);
    return handle == INVALID_HANDLE_VALUE ? TFileHandle() : TFileHandle(FromHandle(handle));
}

TFileHandle TFileHandle::TryOpen(const std::string& path) noexcept {
    const HANDLE handle =
        OpenForReading(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    return handle == INVALID_HANDLE_VALUE ? TFileHandle() : TFileHandle(FromHandle(handle));
}

std::optional<TFileState> TFileHandle::State() const noexcept {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!IsOpen() || !GetFileInformationByHandle(Handle(FNative), &info) ||
        !GetFileInformationByHandleEx(Handle(FNative), FileBasicInfo, &basic, sizeof basic))
        return std::nullopt;
    const bool regular = GetFileType(Handle(FNative)) == FILE_TYPE_DISK &&
                         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return TFileState{info.dwVolumeSerialNumber,
                      Join(info.nFileIndexHigh, info.nFileIndexLow),
                      Join(info.nFileSizeHigh, info.nFileSizeLow),
                      Nanoseconds(info.ftLastWriteTime),
                      Nanoseconds(basic.ChangeTime),
                      regular};
}

std::optional<uint64_t> TFileHandle::Size() const noexcept {
    LARGE_INTEGER size{};
    if (!IsOpen() || !GetFileSizeEx(Handle(FNative), &size) || size.QuadPart < 0)
        return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
}

std::optional<size_t> TFileHandle::Read(void* destination, size_t length) const noexcept {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
    if (!ReadFile(Handle(FNative), destination, want, &got, nullptr))
        return std::nullopt;
    return got;
}

bool TFileHandle::ReadAt(uint64_t offset, void* destination, uint64_t length) const noexcept {
    auto* to = static_cast<uint8_t*>(destination);
    while (length > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<uint64_t>(length, 1u << 30));
        if (!ReadFile(Handle(FNative), to, want, &got, &at) || got == 0)
            return false;
        to += got;
        offset += got;
        length -= got;
    }
    return true;
}

void TFileHandle::AdviseSequential() const noexcept {
    // Told when opened (FILE_FLAG_SEQUENTIAL_SCAN): Windows takes the advice only there.
}

void TFileHandle::Close() noexcept {
    if (IsOpen())
        CloseHandle(Handle(FNative));
    FNative = kClosed;
}

bool IsExistingFile(const std::string& path) noexcept {
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsSameFile(const std::string& a, const std::string& b) noexcept {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return IdentityOf(a, ia) && IdentityOf(b, ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

} // namespace vantrel
