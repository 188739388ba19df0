// SPDX-License-Identifier: MIT
// Many operations in a row through the window offscreen: loads (some overlapping, a reload or
// another file started while a load runs), transforms, re-renders and saves, with the window
// closed now and then while a job of each kind runs. After every step the window must be
// idle, silent and consistent, and every save must hold exactly the samples of its frame.
// Rounds: $VANTREL_STRESS_ROUNDS (200 when unset); the choices come from a fixed seed.

#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "tests/ui/form1/WindowFixture.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

int Rounds() {
    const char* text = std::getenv("VANTREL_STRESS_ROUNDS");
    return text && *text ? std::max(1, std::atoi(text)) : 200;
}

enum class TStep { Load, OverlappingLoads, Transform, Render, Save, Count };

const char* Name(TStep step) {
    switch (step) {
    case TStep::Load:
        return "load";
    case TStep::OverlappingLoads:
        return "overlapping loads";
    case TStep::Transform:
        return "transform";
    case TStep::Render:
        return "render";
    case TStep::Save:
        return "save";
    case TStep::Count:
        break;
    }
    return "?";
}

class StressTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        test::TLibTIFFImage bigEndianGrey = Grey(130, 170);
        bigEndianGrey.BigEndian = true;
        bigEndianGrey.RowsPerStrip = 16;
        test::TLibTIFFImage planar = Rgb(90, 60);
        planar.Planar = true;
        // The large one is drawn reduced, so that its jobs let go of its full view.
        Files = {Write("wide.tif", Rgb(240, 160)), Write("tall.tif", bigEndianGrey),
                 Write("planar.tif", planar), Write("large.tif", Grey(1800, 1300))};
        Out = Dir.File("out");
        fs::create_directory(Out);
        OpenBatch();
    }

    void OpenBatch() {
        OpenThroughDialog(Files);
        Form->ChooseOutputFolder = [this](const std::string&) { return Out; };
        Form->BtnSaveFolderClick();
        // Saves keep the source's name, so a save of a saved file replaces it.
        Probe(*Form).EdPrefix->clear();
        Probe(*Form).EdPostfix->clear();
        Expected = Written[Files[0]];
    }

    /// A new window after a close, on the same batch and output folder.
    void Reopen() {
        Form = std::make_unique<TForm1>(Settings);
        Form->ShowMessage = [this](const std::string& text) { Messages.push_back(text); };
        Form->SetSmoothView(false);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        OpenBatch();
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random); }

    /// Starts a step without waiting for it. What the window must then show is left in
    /// Expected (its words) and ExpectedFile.
    void Start(TStep step) {
        switch (step) {
        case TStep::Load: {
            const int index = Pick(int(Files.size()));
            Form->OpenFileAt(index);
            ExpectFile(Files[size_t(index)]);
            break;
        }
        case TStep::OverlappingLoads: {
            const int first = Pick(int(Files.size()));
            Form->OpenFileAt(first);
            if (Pick(2) == 0) {
                Form->ReloadExecute();
                ExpectFile(Files[size_t(first)]);
            } else {
                const int second = Pick(int(Files.size()));
                Form->OpenFileAt(second);
                ExpectFile(Files[size_t(second)]);
            }
            break;
        }
        case TStep::Transform: {
            const auto type = TTransformType(Pick(5));
            Expected = WindowWords();
            if (type == TTransformType::ttInvert)
                for (uint16_t& w : Expected)
                    w = uint16_t(65535 - w);
            std::sort(Expected.begin(), Expected.end()); // turned and mirrored: same words
            Form->PerformImageTransform(type);
            break;
        }
        case TStep::Render: {
            QSlider* bars[] = {Probe(*Form).TrackBar1, Probe(*Form).TrackBar2,
                               Probe(*Form).TrackBar3};
            QSlider* bar = bars[Pick(3)];
            bar->setValue(bar->minimum() + Pick(bar->maximum() - bar->minimum() + 1));
            Expected = WindowWords();
            break;
        }
        case TStep::Save: {
            const int W = Probe(*Form).FOriginalWidth, H = Probe(*Form).FOriginalHeight;
            const int w = 1 + Pick(W), h = 1 + Pick(H);
            const int x = Pick(W - w + 1), y = Pick(H - h + 1);
            Form->WriteFrameSize(w, h);
            Probe(*Form).FFrameSizeInPixels = {w, h};
            Probe(*Form).FFramePosInPixels = {x, y};
            Expected = Rect(WindowWords(), W, Probe(*Form).FOriginalSamples, x, y, w, h);
            ExpectedFile = Out + "/" + fs::path(Probe(*Form).FInputFile).filename().string();
            Form->CropByFrame(true);
            break;
        }
        case TStep::Count:
            break;
        }
    }

    void ExpectFile(const std::string& path) {
        ExpectedFile = path;
        Expected = Written[path];
    }

    /// The window once the step has ended.
    void Check(TStep step) {
        ASSERT_TRUE(Messages.empty()) << Messages[0];
        EXPECT_FALSE(Busy());
        const int W = Probe(*Form).FOriginalWidth, H = Probe(*Form).FOriginalHeight;
        ASSERT_EQ(Probe(*Form).FOriginalWords->size(),
                  size_t(W) * H * size_t(Probe(*Form).FOriginalSamples));
        EXPECT_EQ(Probe(*Form).FCachedBitmap->Width, W);
        EXPECT_EQ(Probe(*Form).FCachedBitmap->Height, H);
        std::vector<uint16_t> words = WindowWords();
        if (step == TStep::Transform) {
            std::sort(words.begin(), words.end());
        } else if (step != TStep::Render) {
            EXPECT_EQ(Probe(*Form).FInputFile, ExpectedFile);
        }
        EXPECT_TRUE(words == Expected) << "the window's samples differ after a " << Name(step);
        if (step == TStep::Save)
            ExpectSaved();
        ExpectNothingLeftOver();
    }

    /// The saved file as an independent reader sees it.
    void ExpectSaved() {
        const test::TLibTIFFRead saved = test::ReadWithLibTIFF(ExpectedFile);
        EXPECT_TRUE(saved.Words == Expected) << ExpectedFile;
    }

    /// Saves leave only whole files named after the batch in the output folder.
    void ExpectNothingLeftOver() {
        for (const auto& entry : fs::directory_iterator(Out)) {
            const fs::path name = entry.path().filename();
            EXPECT_TRUE(std::any_of(Files.begin(), Files.end(), [&](const std::string& file) {
                return fs::path(file).filename() == name;
            })) << name;
        }
    }

    std::vector<std::string> Files;
    std::string Out;
    std::vector<uint16_t> Expected;
    std::string ExpectedFile;
    std::mt19937 Random{20261209};
};

TEST_F(StressTest, ManyStepsAndClosesDuringEachKindOfJob) {
    const int rounds = Rounds();
    int closes = 0;
    for (int round = 0; round < rounds; ++round) {
        // Every tenth round the window is closed while a job of the next kind runs.
        const bool close = round % 10 == 9;
        const TStep step =
            close ? TStep(closes++ % int(TStep::Count)) : TStep(Pick(int(TStep::Count)));
        SCOPED_TRACE(std::string("round ") + std::to_string(round) + ": " + Name(step) +
                     (close ? ", then close" : ""));
        Start(step);
        if (close) {
            Form.reset(); // waits for the job, servicing its completion
            ASSERT_TRUE(Messages.empty()) << Messages[0];
            if (step == TStep::Save)
                ExpectSaved(); // the close finished the save, without its reload
            ExpectNothingLeftOver();
            Reopen();
            continue;
        }
        ASSERT_TRUE(WaitForJobs());
        Check(step);
        if (HasFatalFailure() || HasFailure())
            return;
    }
}

} // namespace
} // namespace vantrel
