// SPDX-License-Identifier: MIT
// Faults on disk met through the window: a save into a folder that went missing, is read-only
// or became a file, a save onto a full disk, a source that changes on disk after its load, and
// a source cut short while it loads. Each ends in its message with the window usable, leaves
// no temporary or partial file and changes no existing file.

#include <QLineEdit>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#if !defined(_WIN32)
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "pipeline/jobs/JobTexts.h"
#include "tests/support/FolderSnapshot.h"
#include "tests/ui/form1/WindowFixture.h"
#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// The system's codes of the faults met here: errno on POSIX; on Windows its own codes, for a
// missing folder on the path and a file in a folder's place alike ERROR_PATH_NOT_FOUND.
#if defined(_WIN32)
constexpr int kNoFolder = 3, kNotAFolder = 3, kNoFile = 2;
#else
constexpr int kNoFolder = ENOENT, kNotAFolder = ENOTDIR, kNoFile = ENOENT;
#endif

std::string OSFailure(int code) {
    return CropFailureText(EOSError::FromSystemCode(code).Message());
}

class DiskFaultsWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Source = Write("scan.tif", Rgb(64, 48));
        OpenThroughDialog({Source});
        ASSERT_TRUE(Messages.empty());
        Probe(*Form).EdPrefix->setText("cut_");
        Probe(*Form).EdPostfix->clear();
    }

    void ChooseOutputFolder(const std::string& folder) {
        Form->ChooseOutputFolder = [folder](const std::string&) { return folder; };
        Form->BtnSaveFolderClick();
    }

    /// Saves the frame and waits; the messages the save gave.
    std::vector<std::string> Save() {
        Messages.clear();
        Form->CropByFrame(true);
        EXPECT_TRUE(WaitForJobs());
        return Messages;
    }

    /// The window after a failed save: idle, still on the source, the view in place.
    void ExpectStillOnTheSource() {
        EXPECT_FALSE(Busy());
        EXPECT_EQ(Probe(*Form).FInputFile, Source);
        EXPECT_EQ(WindowWords(), Written[Source]);
        EXPECT_TRUE(Form->HasImage());
    }

    std::string Source;
};

TEST_F(DiskFaultsWindowTest, TargetFolderGoneOrTakenByAFile) {
    struct Case {
        const char* Name;
        void (*Spoil)(const std::string& folder);
        int Errno;
    } const cases[] = {
        {"removed after it was chosen", [](const std::string& f) { fs::remove_all(f); }, kNoFolder},
        {"a file in its place",
         [](const std::string& f) {
             fs::remove_all(f);
             test::TTempDir::WriteTo(f, {1, 2, 3});
         },
         kNotAFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string folder = Dir.File("out");
        fs::remove_all(folder);
        fs::create_directory(folder);
        ChooseOutputFolder(folder);
        c.Spoil(folder);
        const test::TFolderSnapshot before(Dir.Path());
        EXPECT_EQ(Save(), std::vector<std::string>{OSFailure(c.Errno)});
        EXPECT_EQ(before.DifferencesTo(test::TFolderSnapshot(Dir.Path())), "");
        ExpectStillOnTheSource();
    }
}

// Root writes anywhere, so as root the save runs with the effective user nobody.
TEST_F(DiskFaultsWindowTest, ReadOnlyTargetFolder) {
#if defined(_WIN32)
    GTEST_SKIP() << "not on Windows: a folder's POSIX permissions and a switch of the effective "
                    "user have no counterpart there";
#else
    const std::string folder = Dir.File("locked");
    fs::create_directory(folder);
    test::TTempDir::WriteTo(folder + "/scan.tif", {4, 5, 6}); // the name the save would take
    ChooseOutputFolder(folder);
    fs::permissions(Dir.Path(), fs::perms::owner_all | fs::perms::others_read |
                                    fs::perms::others_exec | fs::perms::group_read |
                                    fs::perms::group_exec);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec | fs::perms::group_read |
                                fs::perms::group_exec);
    const passwd* nobody = getuid() == 0 ? getpwnam("nobody") : nullptr;
    if (getuid() == 0 && nobody == nullptr)
        GTEST_SKIP() << "running as root without a user nobody";
    if (nobody != nullptr && seteuid(nobody->pw_uid) != 0)
        GTEST_SKIP() << "cannot become nobody";
    const bool readable = access(Source.c_str(), R_OK) == 0;
    std::vector<std::string> messages;
    const test::TFolderSnapshot before(Dir.Path());
    if (readable)
        messages = Save();
    if (nobody != nullptr) {
        ASSERT_EQ(seteuid(0), 0);
    }
    fs::permissions(folder, fs::perms::owner_all);
    if (!readable)
        GTEST_SKIP() << "the test folder cannot be read by nobody";
    EXPECT_EQ(messages, std::vector<std::string>{OSFailure(EACCES)});
    EXPECT_EQ(before.DifferencesTo(test::TFolderSnapshot(Dir.Path())), "");
    ExpectStillOnTheSource();
#endif
}

// A file size limit makes every write past it fail as on a full disk. The save replaces its
// source (no prefix or postfix), which must survive.
TEST_F(DiskFaultsWindowTest, FullDiskKeepsTheSourceItWouldReplace) {
#if defined(_WIN32)
    GTEST_SKIP() << "not on Windows: it has no file size limit to stand for a full disk";
#else
    Probe(*Form).EdPrefix->clear();
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit limit{4096, old.rlim_max};
    const test::TFolderSnapshot before(Dir.Path());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const std::vector<std::string> messages = Save();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(messages, std::vector<std::string>{OSFailure(EFBIG)});
    EXPECT_EQ(before.DifferencesTo(test::TFolderSnapshot(Dir.Path())), "");
    ExpectStillOnTheSource();
#endif
}

TEST_F(DiskFaultsWindowTest, SourceDeletedOrCutBeforeTheSave) {
    struct Case {
        const char* Name;
        void (*Spoil)(const std::string& source);
        std::string Message;
    } const cases[] = {
        {"deleted", [](const std::string& s) { fs::remove(s); },
         EOSError::FromSystemCode(kNoFile).Message()},
        {"cut below its byte order mark", [](const std::string& s) { fs::resize_file(s, 1); },
         "Файл слишком мал"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<uint8_t> bytes = test::ReadFileBytes(Source);
        c.Spoil(Source);
        const test::TFolderSnapshot before(Dir.Path());
        // Refused before the busy state, so the message comes at once.
        EXPECT_EQ(Save(), std::vector<std::string>{c.Message});
        EXPECT_EQ(before.DifferencesTo(test::TFolderSnapshot(Dir.Path())), "");
        ExpectStillOnTheSource();
        test::TTempDir::WriteTo(Source, bytes);
    }
}

// What the window shows is what is saved: a source cut in half after its load is written
// whole from memory, and the reload shows the saved file.
TEST_F(DiskFaultsWindowTest, SourceCutAfterTheLoadIsSavedFromMemory) {
    fs::resize_file(Source, fs::file_size(Source) / 2);
    Form->CropByFrame(false);
    ASSERT_TRUE(WaitForJobs());
    ASSERT_TRUE(Messages.empty()) << Messages[0];
    EXPECT_EQ(Probe(*Form).FInputFile, Dir.File("cut_scan.tif"));
    EXPECT_EQ(WindowWords(), Written[Source]);
}

// Another program cuts the file while the window loads it. Whenever the cut lands (before the
// file is opened, during the copy of its samples, or after), the window either shows the file
// as it was read whole or says the load failed and keeps the image it showed.
TEST_F(DiskFaultsWindowTest, SourceCutWhileItLoads) {
    const std::string big = Write("big.tif", Rgb(3000, 2000));
    const std::vector<uint8_t> bytes = test::ReadFileBytes(big);
    int failures = 0;
    for (const int delayMs : {0, 1, 3, 10, 30}) {
        SCOPED_TRACE(delayMs);
        test::TTempDir::WriteTo(big, bytes);
        OpenThroughDialog({Source});
        Messages.clear();
        Form->DropFiles({big});
        if (delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        // Windows refuses to cut a file while a view of it is mapped: then it is read whole.
        std::error_code refused;
        fs::resize_file(big, bytes.size() / 3, refused);
        ASSERT_TRUE(WaitForJobs());
        EXPECT_FALSE(Busy());
        if (Messages.empty()) {
            EXPECT_EQ(Probe(*Form).FInputFile, big);
            EXPECT_EQ(WindowWords(), Written[big]);
            continue;
        }
        ++failures;
        ASSERT_EQ(Messages.size(), 1u);
#if defined(_WIN32)
        // There the load may also find the file held open by the cut (a sharing violation).
        const bool told = Messages[0].rfind("Ошибка при загрузке файла:\r\nETIFFError: ", 0) == 0 ||
                          Messages[0].rfind("Ошибка при загрузке файла:\r\nEOSError: ", 0) == 0;
        EXPECT_TRUE(told) << Messages[0];
#else
        EXPECT_EQ(Messages[0].rfind("Ошибка при загрузке файла:\r\nETIFFError: ", 0), 0u)
            << Messages[0];
#endif
        EXPECT_EQ(Probe(*Form).FInputFile, big); // named by the status line and the reload
        EXPECT_EQ(WindowWords(), Written[Source]);
        // A save now would write the image shown under the failed file's name: refused.
        const test::TFolderSnapshot before(Dir.Path());
        EXPECT_EQ(Save(), std::vector<std::string>{NotLoadedSaveText("big.tif", "scan.tif")});
        EXPECT_EQ(before.DifferencesTo(test::TFolderSnapshot(Dir.Path())), "");
    }
    EXPECT_GT(failures, 0); // a cut right at the start cannot go unnoticed
}

} // namespace
} // namespace vantrel
