// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::test {

/// A fresh folder for one test, removed with everything in it when the object goes.
/// It lies under $VANTREL_TEST_TMP (set by ctest to the test's build folder) or the system's
/// temporary folder.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    /// The folder, without a trailing "/".
    const std::string& Path() const { return FPath; }
    /// Path() + "/" + name.
    std::string File(const std::string& name) const { return FPath + "/" + name; }
    /// Writes `bytes` to File(name) and returns that path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    /// Writes `bytes` to any path, replacing the file.
    static void WriteTo(const std::string& path, const std::vector<uint8_t>& bytes);

private:
    std::string FPath;
};

/// The whole content of a file (empty when it cannot be read).
std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace vantrel::test
