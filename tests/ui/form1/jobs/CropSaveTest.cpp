// SPDX-License-Identifier: MIT
// Crop and save end to end: the file written, its name and place, its tags, and the reload
// that shows it.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <filesystem>
#include <tiffio.h>

#include "pipeline/jobs/JobTexts.h"
#include "tags/TagNumbers.h"
#include "tests/support/MinimalTagDescriber.h"
#include "tests/support/Shell.h"
#include "tests/support/Skips.h"
#include "tests/support/Wine.h"
#include "tests/ui/form1/WindowFixture.h"
#include "tiff/CropTIFFUnit.h"

namespace vantrel {
namespace {

using CropSaveTest = WindowTest;

std::vector<uint16_t> TagIDs(const std::string& path) {
    TMinimalTagDescriber describer;
    TCropTIFF reader(describer);
    (void)reader.LoadTIFFAsWords(path);
    std::vector<uint16_t> ids;
    for (const TTIFFTag& tag : reader.GetAllTags())
        ids.push_back(tag.TagID);
    return ids;
}

bool Has(const std::vector<uint16_t>& ids, uint16_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(CropSaveTest, NamePlaceAndSamplesOfTheSavedFile) {
    struct Case {
        const char* Source;
        const char* Prefix;
        const char* Postfix;
        const char* OutputFolder; // relative to the test folder; empty: the source's folder
        const char* Saved;        // relative to the test folder
    } const cases[] = {
        {"scan 12.tiff", "crop_", "_c", "", "crop_scan 12_c.tif"},
        {"scan 12.tiff", "crop_", "_c", "out", "out/scan 12.tiff"},
        {"scan.tif", "", "", "", "scan.tif"}, // replaces the source
    };
    std::filesystem::create_directory(Dir.File("out"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Saved);
        std::filesystem::remove(Dir.File(c.Saved));
        const std::string source = Write(c.Source, Rgb(60, 40));
        const std::vector<uint16_t> words = Written[source];
        Probe(*Form).FOutputFolder =
            *c.OutputFolder ? Dir.File(c.OutputFolder) + "/" : std::string();
        Probe(*Form).EdPrefix->setText(QString::fromUtf8(c.Prefix));
        Probe(*Form).EdPostfix->setText(QString::fromUtf8(c.Postfix));
        OpenThroughDialog({source});
        // The frame the user placed; the spin edits get their values back after the save.
        Form->WriteFrameSize(24, 16);
        Probe(*Form).FFramePosInPixels = {30, 20};
        Probe(*Form).FFrameSizeInPixels = {24, 16};
        Form->ClickIfEnabled(Probe(*Form).BtnSave, Probe(*Form).BtnSave);
        EXPECT_EQ(Probe(*Form).StatusBar1->text().toStdString(), "Обрезка: " + Dir.File(c.Saved));
        EXPECT_TRUE(Busy());
        ASSERT_TRUE(WaitForJobs());
        ASSERT_TRUE(Messages.empty()) << Messages[0];

        const std::string saved = Dir.File(c.Saved);
        const test::TLibTIFFRead back = test::ReadWithLibTIFF(saved);
        EXPECT_EQ(back.Width, 24u);
        EXPECT_EQ(back.Height, 16u);
        EXPECT_EQ(back.Words, Rect(words, 60, 3, 30, 20, 24, 16));
        EXPECT_EQ(Probe(*Form).FCroppedFile, saved);
        EXPECT_EQ(Probe(*Form).FInputFile, saved);
        EXPECT_EQ(Probe(*Form).FOriginalWidth, 24);
        EXPECT_NE(Title().find(" — [ПАПКА РЕЗУЛЬТАТA]\\" +
                               std::filesystem::path(saved).filename().string()),
                  std::string::npos)
            << Title();
        EXPECT_EQ(Probe(*Form).SpEdWidth->value(), 24);
        EXPECT_EQ(Probe(*Form).SpEdHeight->value(), 16);
        EXPECT_EQ(Probe(*Form).FFileList, std::vector<std::string>{source});
        EXPECT_FALSE(Busy());
    }
    // Nothing but the files themselves is left in the folders (no temporary files).
    EXPECT_EQ(FolderNames(Dir.Path()),
              (std::vector<std::string>{"crop_scan 12_c.tif", "out", "scan 12.tiff", "scan.tif"}));
    EXPECT_EQ(FolderNames(Dir.File("out")), std::vector<std::string>{"scan 12.tiff"});
}

// A damaged source whose IFD0 repeats its sample-describing tags (the round-trip fuzzer's
// find): the crop is saved in both modes, and the reload shows the words it had.
TEST_F(CropSaveTest, SourceRepeatingItsSampleTagsSavesWhatWasShown) {
    const std::string source = Dir.File("repeated.tif");
    std::filesystem::copy_file(std::string(VANTREL_FUZZ_CORPUS) +
                                   "/fuzz_roundtrip/regression-duplicate-sample-tags.tif",
                               source);
    Probe(*Form).EdPrefix->setText(QStringLiteral("c_"));
    for (const bool minimal : {false, true}) {
        SCOPED_TRACE(minimal);
        Probe(*Form).chkNoTags->setChecked(minimal);
        OpenThroughDialog({source});
        const TSampleWords shown = *Form->CurrentImage().Words;
        Form->CropByFrame(false);
        ASSERT_TRUE(WaitForJobs());
        ASSERT_TRUE(Messages.empty()) << Messages[0];
        EXPECT_EQ(Probe(*Form).FShownFile, Dir.File("c_repeated.tif"));
        EXPECT_TRUE(*Form->CurrentImage().Words == shown);
    }
}

// A second page of the same size (tifffile's two-page file): the tag table tells the pages, the
// save is refused with its message, nothing is written and the source stays shown.
TEST_F(CropSaveTest, PageOfTheSameSizeIsNotLost) {
    VANTREL_SKIP_WITHOUT_POSIX_TOOLS(); // tifffile in Debian's python
    const std::string source = Dir.File("two.tif");
    ASSERT_EQ(test::RunShell("cd " + test::ShellQuote(Dir.Path()) +
                             " && /usr/bin/python3 -c 'import numpy as np, tifffile\n"
                             "tifffile.imwrite(\"two.tif\", np.zeros((2, 30, 40), np.uint16))'")
                  .Status,
              0);
    Probe(*Form).EdPrefix->setText(QStringLiteral("c_"));
    OpenThroughDialog({source});
    EXPECT_EQ(Probe(*Form).ListView1->topLevelItem(1)->text(0),
              QStringLiteral("Страниц в файле: 2 (показана первая)"));
    Form->CropByFrame(false);
    ASSERT_TRUE(WaitForJobs());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], "Ошибка при обрезке:\r\nВ файле есть другие страницы того же размера "
                           "(2): сохраняется только первая страница, и они были бы потеряны. "
                           "Файл не сохранён");
    EXPECT_FALSE(std::filesystem::exists(Dir.File("c_two.tif")));
    EXPECT_EQ(Probe(*Form).FShownFile, source);
}

TEST_F(CropSaveTest, FramesArePulledInsideTheImage) {
    struct Case {
        TPoint Pos, Size;
        int X, Y, W, H;
    } const cases[] = {
        {{45, -2}, {10, 8}, 40, 0, 10, 8},
        {{0, 0}, {60, 40}, 0, 0, 50, 30},
        {{-5, 25}, {20, 10}, 0, 20, 20, 10},
    };
    const std::string source = Write("edge.tif", Grey(50, 30));
    Probe(*Form).EdPrefix->setText(QStringLiteral("c_"));
    Probe(*Form).EdPostfix->clear();
    for (const Case& c : cases) {
        OpenThroughDialog({source});
        Probe(*Form).FFramePosInPixels = c.Pos;
        Probe(*Form).FFrameSizeInPixels = c.Size;
        Form->CropByFrame(true);
        ASSERT_TRUE(WaitForJobs());
        const test::TLibTIFFRead back = test::ReadWithLibTIFF(Dir.File("c_edge.tif"));
        EXPECT_EQ(back.Width, uint32_t(c.W));
        EXPECT_EQ(back.Height, uint32_t(c.H));
        EXPECT_EQ(back.Words, Rect(Written[source], 50, 1, c.X, c.Y, c.W, c.H));
    }
}

TEST_F(CropSaveTest, CtrlClickSavesTheWholeImage) {
    const std::string source = Write("whole.tif", Grey(30, 20));
    Probe(*Form).EdPrefix->clear();
    Probe(*Form).EdPostfix->setText(QStringLiteral("_w"));
    struct Case {
        TShiftState Shift;
        bool MouseClick;
        uint32_t Width;
    } const cases[] = {
        {ssCtrl, true, 30},           // Ctrl-click with the mouse
        {ssCtrl, false, 10},          // a key clicks without a sender: the frame
        {ssCtrl | ssShift, true, 10}, // Ctrl exactly
        {0, true, 10},
    };
    for (const Case& c : cases) {
        OpenThroughDialog({source});
        Probe(*Form).FFramePosInPixels = {5, 5};
        Probe(*Form).FFrameSizeInPixels = {10, 6};
        Probe(*Form).LastShiftState = c.Shift;
        Form->ClickIfEnabled(Probe(*Form).BtnSave, c.MouseClick ? Probe(*Form).BtnSave : nullptr);
        ASSERT_TRUE(WaitForJobs());
        ASSERT_TRUE(Messages.empty()) << Messages[0];
        EXPECT_EQ(test::ReadWithLibTIFF(Dir.File("whole_w.tif")).Width, c.Width);
    }
    // The whole-image command (Ctrl+S) saves the image as it is shown, turned included.
    Probe(*Form).LastShiftState = 0;
    OpenThroughDialog({source});
    Form->PerformImageTransform(TTransformType::tt90CW);
    ASSERT_TRUE(WaitForJobs());
    Form->CropByFrame(false);
    ASSERT_TRUE(WaitForJobs());
    const test::TLibTIFFRead back = test::ReadWithLibTIFF(Dir.File("whole_w.tif"));
    EXPECT_EQ(back.Width, 20u);
    EXPECT_EQ(back.Height, 30u);
    // Row 0 of a clockwise turn is the source's first column read upwards.
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(back.Words[size_t(x)], Written[source][size_t((19 - x) * 30)]);
}

// Saves pressed (Ctrl+S) while the reload after a save runs wait for it and then save the
// file it shows; a save pressed during a load that fails is refused once the load has told
// its failure.
TEST_F(CropSaveTest, SavesPressedDuringALoad) {
    const std::string source = Write("scan.tif", Rgb(40, 30));
    Probe(*Form).EdPrefix->setText(QStringLiteral("c_"));
    Probe(*Form).EdPostfix->clear();
    OpenThroughDialog({source});
    const auto ctrlS = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    };
    THeldThreads held;
    int started = 0;
    Form->ThreadStarter = [&started, hold = held.Starter()](std::function<void()> fn) {
        return ++started == 1 ? std::thread(std::move(fn)) : hold(std::move(fn));
    };
    ctrlS();
    const std::string saved = Dir.File("c_scan.tif");
    while (Probe(*Form).FInputFile != saved && Form->RunningJobs() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_EQ(Probe(*Form).FInputFile, saved); // its reload is held
    ctrlS();
    ctrlS();
    EXPECT_EQ(Messages, std::vector<std::string>{});
    held.Release();
    Form->ThreadStarter = DefaultThreadStarter();
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Messages, std::vector<std::string>{});
    EXPECT_EQ(FolderNames(Dir.Path()),
              (std::vector<std::string>{"c_c_scan.tif", "c_scan.tif", "scan.tif"}));
    EXPECT_EQ(test::ReadWithLibTIFF(Dir.File("c_c_scan.tif")).Words, Written[source]);

    const std::string damaged = Dir.File("damaged.tif");
    test::TTempDir::WriteTo(damaged, std::vector<uint8_t>(100, 'x'));
    Form->DropFiles({damaged});
    ctrlS();
    ASSERT_TRUE(WaitForJobs());
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1], NotLoadedSaveText("damaged.tif", "c_c_scan.tif"));
}

TEST_F(CropSaveTest, MinimalTagsWhenTicked) {
    test::TLibTIFFImage image = Rgb(20, 10);
    image.Exif = true;
    image.Gps = true;
    image.ExtraTags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_ARTIST, "Someone"); };
    const std::string source = Write("tags.tif", image);
    ASSERT_TRUE(Has(TagIDs(source), tagid::Artist));
    Probe(*Form).EdPrefix->setText(QStringLiteral("t_"));
    Probe(*Form).EdPostfix->clear();
    for (const bool minimal : {false, true}) {
        OpenThroughDialog({source});
        Probe(*Form).chkNoTags->setChecked(minimal);
        Form->CropByFrame(false);
        ASSERT_TRUE(WaitForJobs());
        const std::vector<uint16_t> ids = TagIDs(Dir.File("t_tags.tif"));
        EXPECT_EQ(Has(ids, tagid::Artist), !minimal);
        EXPECT_EQ(Has(ids, tagid::ExifIFD), !minimal);
        EXPECT_EQ(Has(ids, tagid::GPSInfo), !minimal);
        EXPECT_TRUE(Has(ids, tagid::ImageWidth) && Has(ids, tagid::PhotometricInterpretation) &&
                    Has(ids, tagid::StripOffsets));
    }
}

TEST_F(CropSaveTest, FailuresKeepTheWindowAsItWas) {
    if (test::RunsUnderWine())
        GTEST_SKIP() << "under Wine: after the failed save the status line shows the margins again "
                        "instead of the save's name; not yet understood";
    const std::string source = Write("f.tif", Grey(30, 20));
    OpenThroughDialog({source});
    const std::string title = Title();

    // The output folder does not exist: the writer's error, after the busy state is left.
    Probe(*Form).FOutputFolder = Dir.File("missing") + "/";
    Form->CropByFrame(true);
    ASSERT_TRUE(WaitForJobs());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("Ошибка при обрезке:\r\n", 0), 0u) << Messages[0];
    EXPECT_EQ(Title(), title);
    EXPECT_EQ(Probe(*Form).FInputFile, source);
    EXPECT_EQ(Probe(*Form).FCroppedFile, Dir.File("missing") + "/f.tif");
    EXPECT_EQ(Probe(*Form).StatusBar1->text().toStdString(),
              "Обрезка: " + Probe(*Form).FCroppedFile);
    EXPECT_FALSE(Busy());

    // The source is gone: the open error, before any job or busy state.
    Messages.clear();
    std::filesystem::remove(source);
    Probe(*Form).FOutputFolder.clear();
    Form->CropByFrame(true);
    EXPECT_EQ(Form->RunningJobs(), 0u);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_FALSE(Busy());
    EXPECT_TRUE(Probe(*Form).FOutputFolder.empty());
}

TEST_F(CropSaveTest, ClosingDuringASaveLetsItFinish) {
    const std::string source = Write("close.tif", Rgb(1200, 900));
    OpenThroughDialog({source});
    Probe(*Form).EdPrefix->setText(QStringLiteral("k_"));
    Probe(*Form).EdPostfix->clear();
    Form->CropByFrame(false);
    Form.reset(); // waits for the save
    const test::TLibTIFFRead back = test::ReadWithLibTIFF(Dir.File("k_close.tif"));
    EXPECT_EQ(back.Words, Written[source]);
    EXPECT_TRUE(Messages.empty());
}

} // namespace
} // namespace vantrel
