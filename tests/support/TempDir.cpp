// SPDX-License-Identifier: MIT
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vantrel::test {

TTempDir::TTempDir() {
    namespace fs = std::filesystem;
    const char* base = std::getenv("VANTREL_TEST_TMP");
    fs::path root = base != nullptr && *base != '\0' ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(root);
    std::string pattern = (root / "vantrel-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder under " + root.string());
    FPath = pattern;
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
