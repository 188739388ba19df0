// SPDX-License-Identifier: MIT
#include "bench/BatchFloors.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "pipeline/kernels/Render.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel::bench {
namespace {

using TClock = std::chrono::steady_clock;

constexpr int32_t kWidth = 9000, kHeight = 6000, kSamples = 3;

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

} // namespace

std::string BatchScan(const std::string& folder) {
    const std::string path = folder + "/batch-scan-9000x6000-rgb16.tif";
    if (std::filesystem::exists(path))
        return path;
    std::filesystem::create_directories(folder);
    TSampleWords words(size_t{kWidth} * kHeight * kSamples);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>((i * 2654435761u) >> 16);
    TTIFFTag bits = TCropTIFF::CreateShortTag(258, 16);
    bits.Count = 3;
    bits.IsInline = false;
    bits.RawData = {16, 0, 16, 0, 16, 0};
    const std::vector<TTIFFTag> tags = {bits,
                                        TCropTIFF::CreateShortTag(259, 1),
                                        TCropTIFF::CreateShortTag(262, 2),
                                        TCropTIFF::CreateShortTag(277, 3),
                                        TCropTIFF::CreateShortTag(278, kHeight),
                                        TCropTIFF::CreateShortTag(284, 1)};
    TCropTIFF::SaveWordsAsTIFF(path, kWidth, kHeight, kSamples, words, false, tags, {});
    return path;
}

double ReadFloorSeconds(const std::string& path) {
    const auto start = TClock::now();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    void* buffer =
        ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    (void)::madvise(buffer, size_t(size), MADV_HUGEPAGE);
    for (off_t done = 0; done < size;) {
        const ssize_t n = ::pread(fd, static_cast<char*>(buffer) + done, size_t(size - done), done);
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
    ::munmap(buffer, size_t(size));
    return Since(start);
}

double RenderFloorSeconds(const TSharedWords& words, int32_t width, int32_t height,
                          int32_t samples) {
    const auto start = TClock::now();
    const TViewBitmap view =
        RenderWordsToBitmap(*words, width, height, samples, samples >= 3 ? 2 : 1, 1, 0, 0.0, 1.0);
    const double seconds = Since(start);
    if (view.Pixels == nullptr)
        throw std::runtime_error("no view");
    return seconds;
}

double WriteFloorSeconds(const std::string& folder, const void* data, uint64_t bytes) {
    const std::string path = folder + "/write-floor.raw";
    const auto start = TClock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot write " + path);
    for (uint64_t done = 0; done < bytes;) {
        const ssize_t n = ::write(fd, static_cast<const char*>(data) + done, bytes - done);
        if (n <= 0)
            throw std::runtime_error("write failed");
        done += uint64_t(n);
    }
    ::fsync(fd);
    ::close(fd);
    const double seconds = Since(start);
    std::filesystem::remove(path);
    return seconds;
}

} // namespace vantrel::bench
