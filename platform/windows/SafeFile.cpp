// SPDX-License-Identifier: MIT
#include "platform/SafeFile.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "platform/TemporaryNames.h"
#include "platform/windows/Wide.h"

namespace vantrel {

namespace {

HANDLE Handle(intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

size_t LastSeparator(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1]))
            return i - 1;
    return std::string::npos;
}

// Puts the open file in `target`'s place the POSIX way: a target that others hold open (with
// delete sharing, as every reader of a scan opens it) is replaced all the same, its readers keep
// what they opened. False where the system does not know this kind of rename (Windows before
// 10 version 1607, other file systems than NTFS, Wine).
bool RenameOverTarget(HANDLE file, const std::wstring& target) {
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::copy(target.begin(), target.end(), info->FileName);
    // FileRenameInfoEx, which MinGW's headers name only for later targets.
    constexpr auto kRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    return SetFileInformationByHandle(file, kRenameInfoEx, info,
                                      static_cast<DWORD>(buffer.size())) != 0;
}

void WriteAll(HANDLE file, const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        if (!WriteFile(file, bytes, chunk, &written, nullptr))
            throw EOSError::LastError();
        if (written == 0)
            throw EOSError::FromSystemCode(ERROR_DISK_FULL);
        bytes += written;
        size -= written;
    }
}

} // namespace

TSafeFile::TSafeFile(const std::string& targetPath) : FTargetPath(targetPath) {
    TTemporaryNames names(targetPath, LastSeparator(targetPath));
    for (int attempt = 0; attempt < TTemporaryNames::kAttempts; ++attempt) {
        std::string candidate = names.Next();
        // DELETE: the file is renamed into the target's place through its own handle.
        const HANDLE file = CreateFileW(WidePath(candidate).c_str(), GENERIC_WRITE | DELETE, 0,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            FNative = reinterpret_cast<intptr_t>(file);
            FTempPath = std::move(candidate);
            break;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            throw EOSError::FromSystemCode(static_cast<int>(error));
    }
    if (FNative == -1)
        throw EOSError::FromSystemCode(ERROR_FILE_EXISTS);
}

TSafeFile::~TSafeFile() {
    if (FNative != -1)
        CloseHandle(Handle(FNative));
    if (!FCommitted && !FTempPath.empty())
        DeleteFileW(WidePath(FTempPath).c_str());
}

void TSafeFile::Write(const void* data, size_t size) {
    WriteAll(Handle(FNative), data, size);
    Written(size);
}

void TSafeFile::Written(uint64_t bytes) noexcept {
    // Windows writes behind by itself; the flush of Commit() waits for the rest.
    FWritten += bytes;
    FStarted = FWritten;
}

void TSafeFile::WriteParts(const TWritePart* parts, size_t count) {
    // Windows has no gathered write for ordinary files: small parts are gathered here, in a
    // buffer of bounded size, large ones go as they are.
    constexpr size_t kGather = size_t{1} << 20;
    std::vector<char> gathered;
    auto flush = [&] {
        Write(gathered.data(), gathered.size());
        gathered.clear();
    };
    for (size_t i = 0; i < count; ++i) {
        const TWritePart& part = parts[i];
        if (part.Size >= kGather) {
            flush();
            Write(part.Data, part.Size);
            continue;
        }
        if (gathered.size() + part.Size > kGather)
            flush();
        if (gathered.capacity() == 0)
            gathered.reserve(kGather);
        const auto* bytes = static_cast<const char*>(part.Data);
        gathered.insert(gathered.end(), bytes, bytes + part.Size);
    }
    flush();
}

// The bytes are put on disk and the file is opened anew for reading and the rename only: a
// reader (which lets nobody write beside it) may then open it too.
const std::string& TSafeFile::TemporaryPathToReadBack() {
    if (FFlushed)
        return FTempPath;
    const HANDLE writer = Handle(FNative);
    if (!FlushFileBuffers(writer))
        throw EOSError::LastError();
    FNative = -1;
    if (!CloseHandle(writer))
        throw EOSError::LastError();
    const HANDLE reader =
        CreateFileW(WidePath(FTempPath).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader == INVALID_HANDLE_VALUE)
        throw EOSError::LastError();
    FNative = reinterpret_cast<intptr_t>(reader);
    FFlushed = true;
    return FTempPath;
}

void TSafeFile::Commit() {
    const HANDLE file = Handle(FNative);
    if (!FFlushed && !FlushFileBuffers(file))
        throw EOSError::LastError();
    // The full target path: the rename by handle takes no relative one.
    std::wstring target = WidePath(FTargetPath);
    if (const DWORD n = GetFullPathNameW(target.c_str(), 0, nullptr, nullptr); n > 0) {
        std::wstring full(n, L'\0');
        if (const DWORD m = GetFullPathNameW(target.c_str(), n, full.data(), nullptr);
            m > 0 && m < n)
            target = full.substr(0, m);
    }
    if (RenameOverTarget(file, target)) {
        FCommitted = true;
        (void)FlushFileBuffers(file); // the rename too is on disk
        FNative = -1;
        CloseHandle(file);
        return;
    }
    FNative = -1;
    if (!CloseHandle(file))
        throw EOSError::LastError();
    // Written through: the move itself is on disk when the call returns.
    if (!MoveFileExW(WidePath(FTempPath).c_str(), WidePath(FTargetPath).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw EOSError::LastError();
    FCommitted = true;
}

} // namespace vantrel
