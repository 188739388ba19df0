// SPDX-License-Identifier: MIT
// Whole processes on a 9000 × 6000 RGB 16-bit scan (324 MB), each run from warm and from cold
// memory (bench/MemoryRegimes.h), against the general tools where they are installed and
// against floors measured in this binary:
// - info: `vantrel-tiff info` against tiffinfo. Goals: at most 2 × tiffinfo, peak under 10 MB.
// - crop of 6000 × 4000 and save: `vantrel-tiff crop` against `vips crop` and tiffcrop (their
//   output flushed to disk after them, as our save does), and against reading the frame's rows
//   and writing them with fsync in this binary. Goals: at most 1.2 × that floor, peak under
//   64 MB, in cold memory no slower than the best of vips and tiffcrop.
// - load: `vantrel-tiff words FILE /dev/null` (the whole image loaded into memory) against
//   `vips rawsave` to /dev/null and tiffcrop cutting one pixel (it reads the whole image first),
//   and against a read() of the file into a fresh buffer in this binary. Goal: in cold memory no
//   slower than the best of vips and tiffcrop.
// - the peak memory of crops of other layouts and transforms (warm, once each). Goal: under
//   64 MB for every crop without a quarter turn.
// - batch of a roll of eight such scans with frames placed on the pictures (`vantrel-tiff
//   batch --place`), against reading each frame's rows and writing them with fsync in this
//   binary. Goals: at most 1.3 x that floor, peak under 100 MB.
// Time is wall clock from the start of the process to its end (plus the peer's fsync), each
// started by /usr/bin/time; the peak is the process's maximum resident set as time reports it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <tiffio.h>
#include <unistd.h>

#include "bench/BatchFloors.h"
#include "bench/LibtiffScan.h"
#include "bench/MemoryRegimes.h"
#include "tiff/CatalogueTagDescriber.h"
#include "tiff/CropTIFFUnit.h"

extern char** environ;

namespace {

using namespace vantrel;
using namespace vantrel::bench;
using TClock = std::chrono::steady_clock;

constexpr uint32_t kW = 9000, kH = 6000, kS = 3;
constexpr uint32_t kX = 1500, kY = 1000, kCropW = 6000, kCropH = 4000;

const std::string& Folder() {
    static const std::string folder = [] {
        const auto f = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "data";
        std::filesystem::create_directories(f);
        return f.string();
    }();
    return folder;
}

std::string Data(const std::string& name) {
    return Folder() + "/" + name;
}

double Since(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

struct TRun {
    double Seconds = 0;
    double PeakMB = 0;
    int Status = -1;
};

// Runs argv with its output thrown away and waits for it; `flush` is fsync'ed afterwards. The
// process is started by /usr/bin/time, which reports its peak: a process started from this
// one directly would inherit this one's peak (the memory of the regimes and floors) at exec.
TRun Run(const std::vector<std::string>& command, const std::string& flush = "") {
    const std::string peakFile = Data("peak.txt");
    std::vector<std::string> args = {"/usr/bin/time", "-f", "%M", "-o", peakFile};
    args.insert(args.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    TRun run;
    const auto start = TClock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!flush.empty()) {
        const int fd = ::open(flush.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    run.Seconds = Since(start);
    posix_spawn_file_actions_destroy(&actions);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* f = std::fopen(peakFile.c_str(), "r")) {
        long kb = 0;
        // A failed command leaves a line before the number.
        char line[256];
        while (std::fgets(line, sizeof line, f) != nullptr)
            std::sscanf(line, "%ld", &kb);
        std::fclose(f);
        run.PeakMB = double(kb) * 1024 / 1e6;
    }
    return run;
}

bool Installed(const std::string& tool) {
    return Run({"sh", "-c", "command -v " + tool + " >/dev/null"}).Status == 0;
}

// The scan of `vantrel-tiff sample` (one strip, EXIF and GPS), and the same samples written by
// libtiff big-endian in strips of 512 rows and planar in strips of 64 rows.
const std::string& Scan() {
    static const std::string path = [] {
        const std::string p = Data("processes-scan.tif");
        if (!std::filesystem::exists(p) &&
            Run({VANTREL_TIFF_CLI, "sample", p, "9000x6000"}).Status != 0)
            throw std::runtime_error("cannot write " + p);
        return p;
    }();
    return path;
}

std::string Variant(const std::string& name, bool mm, bool planar, uint32_t rowsPerStrip) {
    const std::string path = Data(name);
    if (std::filesystem::exists(path))
        return path;
    TCatalogueTagDescriber describer;
    TCropTIFF reader(describer);
    const TLoadedTIFF image = reader.LoadTIFFAsWords(Scan());
    bench::WriteLibtiffScan(path, kW, kH, kS, mm, planar, rowsPerStrip,
                            [&](uint16_t p, uint32_t x, uint32_t y) {
                                return planar ? image.PixelData[(size_t(y) * kW + x) * kS + p]
                                              : image.PixelData[size_t(y) * kW * kS + x];
                            });
    return path;
}

// Reading the frame's rows of the scan into a buffer that is already touched, then writing
// them to a new file and flushing it: the least a crop and save can do.
double CropFloorSeconds() {
    static const uint64_t stripOffset = [] {
        TCatalogueTagDescriber describer;
        TCropTIFF tiff(describer);
        const TMappedFile file = TCropTIFF::OpenForReading(Scan());
        return uint64_t{tiff.ReadSampleLayout(file).StripOffsets.at(0)};
    }();
    constexpr size_t kRowBytes = size_t{kCropW} * kS * 2;
    static std::vector<char> buffer(kRowBytes * kCropH, 1);
    const std::string out = Data("floor-crop.raw");
    const auto start = TClock::now();
    const int in = ::open(Scan().c_str(), O_RDONLY | O_CLOEXEC);
    for (uint32_t y = 0; y < kCropH; ++y) {
        const off_t at = off_t(stripOffset + ((uint64_t{kY} + y) * kW + kX) * kS * 2);
        if (::pread(in, buffer.data() + y * kRowBytes, kRowBytes, at) != ssize_t(kRowBytes))
            throw std::runtime_error("short read");
    }
    ::close(in);
    const double seconds = Since(start) + WriteFloorSeconds(Folder(), buffer.data(), buffer.size());
    return seconds;
}

// The roll of the batch: eight names of the scan (hard links, so that the page cache holds
// one copy of the samples, as it would hold the last scans read).
constexpr int kRollScans = 8;
// The sample's picture at 9000 x 6000 is 7594 x 4821: a frame less 2 % on each side.
constexpr uint32_t kPlaceW = 7290, kPlaceH = 4628;

std::vector<std::string> RollFiles() {
    std::vector<std::string> files;
    std::filesystem::create_directories(Data("roll"));
    for (int k = 0; k < kRollScans; ++k) {
        files.push_back(Data("roll/scan" + std::to_string(k) + ".tif"));
        if (!std::filesystem::exists(files.back()))
            std::filesystem::create_hard_link(Scan(), files.back());
    }
    return files;
}

// Per scan of the roll: reading the rows of a frame of the placed size from the middle of the
// scan, then writing them to a new file and flushing it.
double BatchFloorSeconds() {
    constexpr size_t kRowBytes = size_t{kPlaceW} * kS * 2;
    static std::vector<char> buffer(kRowBytes * kPlaceH, 1);
    const uint32_t x = (kW - kPlaceW) / 2, y = (kH - kPlaceH) / 2;
    double seconds = 0;
    for (const std::string& file : RollFiles()) {
        const uint64_t offset = [&] {
            TCatalogueTagDescriber describer;
            TCropTIFF tiff(describer);
            return uint64_t{
                tiff.ReadSampleLayout(TCropTIFF::OpenForReading(file)).StripOffsets.at(0)};
        }();
        const auto start = TClock::now();
        const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        for (uint32_t row = 0; row < kPlaceH; ++row) {
            const off_t at = off_t(offset + ((uint64_t{y} + row) * kW + x) * kS * 2);
            if (::pread(in, buffer.data() + row * kRowBytes, kRowBytes, at) != ssize_t(kRowBytes))
                throw std::runtime_error("short read");
        }
        ::close(in);
        seconds += Since(start) + WriteFloorSeconds(Folder(), buffer.data(), buffer.size());
    }
    return seconds;
}

TRun Batch() {
    std::filesystem::remove_all(Data("batch-out"));
    std::vector<std::string> args = {
        VANTREL_TIFF_CLI,  "batch",   "--out",
        Data("batch-out"), "--place", std::to_string(kPlaceW) + "," + std::to_string(kPlaceH)};
    const std::vector<std::string> files = RollFiles();
    args.insert(args.end(), files.begin(), files.end());
    TRun run = Run(args);
    std::filesystem::remove_all(Data("batch-out"));
    return run;
}

const std::string kFrame = std::to_string(kX) + "," + std::to_string(kY) + "," +
                           std::to_string(kCropW) + "," + std::to_string(kCropH);

struct TCase {
    std::string Group, Name, Tool; // Tool: the program that must be installed ("" for ours)
    std::function<TRun()> Body;
};

std::vector<TCase> Cases() {
    const std::string out = Data("out.tif");
    auto ours = [](std::vector<std::string> args, std::string flush = "") {
        args.insert(args.begin(), VANTREL_TIFF_CLI);
        return [args, flush] { return Run(args, flush); };
    };
    auto peer = [](std::vector<std::string> args, std::string flush = "") {
        return [args, flush] { return Run(args, flush); };
    };
    auto floor = [](double (*seconds)()) { return [seconds] { return TRun{seconds(), 0, 0}; }; };
    const std::string z = std::to_string(kX) + "," + std::to_string(kY) + "," +
                          std::to_string(kX + kCropW - 1) + "," + std::to_string(kY + kCropH - 1);
    return {
        {"info", "vantrel", "", ours({"info", Scan()})},
        {"info", "tiffinfo", "tiffinfo", peer({"tiffinfo", Scan()})},
        {"crop", "vantrel", "", ours({"crop", Scan(), out, "--frame", kFrame})},
        {"crop", "vips", "vips",
         peer({"vips", "crop", Scan(), out, std::to_string(kX), std::to_string(kY),
               std::to_string(kCropW), std::to_string(kCropH)},
              out)},
        {"crop", "tiffcrop", "tiffcrop",
         peer({"tiffcrop", "-k", "0", "-U", "px", "-z", z, Scan(), out}, out)},
        {"crop", "floor", "", floor(CropFloorSeconds)},
        {"load", "vantrel", "", ours({"words", Scan(), "/dev/null"})},
        {"load", "vips", "vips", peer({"vips", "rawsave", Scan(), "/dev/null"})},
        // tiffcrop reads the whole image before it cuts a region: here a single pixel.
        {"load", "tiffcrop", "tiffcrop",
         peer({"tiffcrop", "-k", "0", "-U", "px", "-z", "1,1,1,1", Scan(), out})},
        {"load", "floor", "", floor([] { return ReadFloorSeconds(Scan()); })},
        {"batch", "vantrel", "", Batch},
        {"batch", "floor", "", floor(BatchFloorSeconds)},
    };
}

// Peak memory of crops of every layout and transform that streams, and of a quarter turn.
std::vector<TCase> MemoryCases() {
    const std::string out = Data("out.tif");
    auto crop = [out](std::string in, std::vector<std::string> more) {
        std::vector<std::string> args = {VANTREL_TIFF_CLI, "crop", in, out};
        args.insert(args.end(), more.begin(), more.end());
        return [args] { return Run(args); };
    };
    const std::string mm = Variant("processes-scan-mm.tif", true, false, 512);
    const std::string planar = Variant("processes-scan-planar.tif", false, true, 64);
    return {
        {"memory", "crop whole", "", crop(Scan(), {"--whole"})},
        {"memory", "crop MM strips", "", crop(mm, {"--frame", kFrame})},
        {"memory", "crop planar", "", crop(planar, {"--frame", kFrame})},
        {"memory", "crop 180 invert", "",
         crop(Scan(), {"--transform", "180", "--transform", "invert", "--frame", kFrame})},
        {"memory", "crop MM flip", "", crop(mm, {"--transform", "flip", "--whole"})},
        {"memory", "crop 90cw (whole image)", "", crop(Scan(), {"--transform", "90cw", "--whole"})},
    };
}

struct TResult {
    std::vector<double> Seconds;
    double PeakMB = 0;
};
std::map<std::string, TResult> gResults; // by "group/name/regime"

void Register(const TCase& c, TRegime regime, int repetitions) {
    const std::string key = c.Group + "/" + c.Name + "/" + RegimeName(regime);
    benchmark::RegisterBenchmark(key.c_str(),
                                 [c, regime, key](benchmark::State& state) {
                                     for (auto _ : state) {
                                         // Replacing an earlier output would add the cost of
                                         // dropping its pages to the run.
                                         std::filesystem::remove(Data("out.tif"));
                                         EnterRegime(regime);
                                         const TRun run = c.Body();
                                         if (run.Status != 0) {
                                             state.SkipWithError("the process failed");
                                             break;
                                         }
                                         state.SetIterationTime(run.Seconds);
                                         state.counters["peak_MB"] = run.PeakMB;
                                         gResults[key].Seconds.push_back(run.Seconds);
                                         gResults[key].PeakMB =
                                             std::max(gResults[key].PeakMB, run.PeakMB);
                                     }
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true);
}

double Median(const std::string& key) {
    std::vector<double> v = gResults[key].Seconds;
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PrintRow(const std::string& key) {
    std::vector<double> v = gResults[key].Seconds;
    if (v.empty())
        return;
    std::sort(v.begin(), v.end());
    std::printf("  %-34s %7.3f (%.3f - %.3f) s  peak %6.1f MB\n", key.c_str(), Median(key),
                v.front(), v.back(), gResults[key].PeakMB);
}

void PrintRatio(const char* text, const std::string& ours, const std::string& base) {
    const double b = Median(base);
    if (b > 0 && Median(ours) > 0)
        std::printf("  %-60s %.2f\n", text, Median(ours) / b);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<TCase> cases = Cases();
    std::vector<std::string> missing;
    for (const TRegime regime : {TRegime::Warm, TRegime::Cold})
        for (const TCase& c : cases) {
            if (!c.Tool.empty() && !Installed(c.Tool)) {
                if (std::find(missing.begin(), missing.end(), c.Tool) == missing.end())
                    missing.push_back(c.Tool);
                continue;
            }
            Register(c, regime, 5);
        }
    for (const TCase& c : MemoryCases())
        Register(c, TRegime::Warm, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nWall seconds: median (min - max) of the runs; peak resident memory.\n");
    for (const auto& [key, result] : gResults)
        PrintRow(key);
    std::printf("\nRatios of the medians (goals in brackets):\n");
    for (const TRegime regime : {TRegime::Warm, TRegime::Cold}) {
        const std::string r = std::string("/") + RegimeName(regime);
        auto best = [&](const std::string& group) {
            const double vips = Median(group + "/vips" + r), tc = Median(group + "/tiffcrop" + r);
            return vips > 0 && (tc <= 0 || vips <= tc) ? group + "/vips" + r
                                                       : group + "/tiffcrop" + r;
        };
        std::printf(" %s\n", RegimeName(regime));
        PrintRatio("info over tiffinfo (<= 2)", "info/vantrel" + r, "info/tiffinfo" + r);
        PrintRatio("crop over its floor, read + write + fsync (<= 1.2)", "crop/vantrel" + r,
                   "crop/floor" + r);
        PrintRatio(("crop over " + best("crop") + " (cold: <= 1)").c_str(), "crop/vantrel" + r,
                   best("crop"));
        PrintRatio("load over its floor, a read() into fresh memory", "load/vantrel" + r,
                   "load/floor" + r);
        PrintRatio("batch of 8 over its floor, read + write + fsync (<= 1.3)", "batch/vantrel" + r,
                   "batch/floor" + r);
        PrintRatio(("load over " + best("load") + " (cold: <= 1)").c_str(), "load/vantrel" + r,
                   best("load"));
    }
    for (const std::string& tool : missing)
        std::printf("  %s is not installed: its cases were left out\n", tool.c_str());
    std::filesystem::remove(Data("out.tif"));
    return 0;
}
