// SPDX-License-Identifier: MIT
#pragma once

// A fresh folder for one test under $VANTREL_TEST_TMP (or the system's temporary folder),
// removed afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vantrel::test {

class TTempFolder {
public:
    TTempFolder() {
        const char* root = std::getenv("VANTREL_TEST_TMP");
        const std::filesystem::path base =
            root && *root ? std::filesystem::path(root) : std::filesystem::temp_directory_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        FPath = base / ("settings-" + name);
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() {
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

} // namespace vantrel::test
