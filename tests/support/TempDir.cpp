// SPDX-License-Identifier: MIT
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace vantrel::test {

TTempDir::TTempDir() {
    namespace fs = std::filesystem;
    const char* base = std::getenv("VANTREL_TEST_TMP");
    fs::path root = base != nullptr && *base != '\0' ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(root);
    // A new folder of a random name; create_directory is false for one that exists.
    std::random_device seed;
    std::mt19937_64 random(seed());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100 && FPath.empty(); ++attempt) {
        std::string name = "vantrel-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        std::error_code error;
        if (fs::create_directory(root / name, error))
            FPath = (root / name).generic_string();
        else if (error)
            break;
    }
    if (FPath.empty())
        throw std::runtime_error("cannot create a temporary folder under " + root.string());
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::string TTempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string path = File(name);
    WriteTo(path, bytes);
    return path;
}

void TTempDir::WriteTo(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

} // namespace vantrel::test
