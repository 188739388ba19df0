// SPDX-License-Identifier: MIT
// The frame put on the picture through the window: the command by key, the setting that does
// it on every load and survives a restart, and the message when no picture is found.

#include <QApplication>
#include <QCheckBox>
#include <cmath>
#include <filesystem>

#include "tests/support/FilmScan.h"
#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/settings/IniFile.h"
#include "ui/logic/settings/Settings.h"

namespace vantrel {
namespace {

class PlacementTest : public WindowTest {
protected:
    // A scan of a colour negative with its picture off the image's centre, written to disk.
    std::string Scan(const char* name, test::TExposure exposure, test::TFilmScan* drawn) {
        test::TScanRecipe recipe;
        recipe.Seed = 1;
        recipe.Exposure = exposure;
        recipe.ShiftAlong = 2.0;
        recipe.LongSide = 1500;
        *drawn = DrawFilmScan(recipe);
        const std::string path = Dir.File(name);
        WriteFilmScan(path, *drawn, false);
        return path;
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }
    [[nodiscard]] TPoint Frame() const { return Probe(*Form).FFramePosInPixels; }
    [[nodiscard]] std::string Status() const {
        return Probe(*Form).StatusBar1->text().toStdString();
    }
    QCheckBox* PlaceOnOpen() const { return Control<QCheckBox>(*Form, "chkPlaceOnOpen"); }
};

// Where a frame of `size` centred on the drawn picture goes.
TPoint OnPicture(const test::TFilmScan& scan, TPoint size) {
    return {int32_t(std::lround((scan.Left + scan.Right) / 2 - size.X / 2.0)),
            int32_t(std::lround((scan.Top + scan.Bottom) / 2 - size.Y / 2.0))};
}

TEST_F(PlacementTest, CommandSettingAndDecline) {
    // The settings tab holds its new row at the smallest window: no check box is squeezed.
    Probe(*Form).PageControl1->setCurrentIndex(1);
    QCoreApplication::processEvents();
    for (QCheckBox* box : Control<QWidget>(*Form, "TabSettings")->findChildren<QCheckBox*>())
        EXPECT_GE(box->height(), box->sizeHint().height()) << box->objectName().toStdString();
    Probe(*Form).PageControl1->setCurrentIndex(0);

    test::TFilmScan picture, blank;
    const std::string withPicture = Scan("picture.tif", test::TExposure::Normal, &picture);
    const std::string blankScan = Scan("blank.tif", test::TExposure::Blank, &blank);
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({withPicture}));
    const TPoint size{int32_t((picture.Right - picture.Left) * 0.9),
                      int32_t((picture.Bottom - picture.Top) * 0.9)};
    Form->WriteFrameSize(size.X, size.Y);
    const TPoint centred = Frame();
    const TPoint expected = OnPicture(picture, size);
    ASSERT_GT(std::abs(centred.X - expected.X), 20) << "the picture lies off the centre";

    // Ctrl+F with the image focused, then F in the no-modifier mode after a move.
    ASSERT_EQ(QApplication::focusWidget(), Probe(*Form).ImageViewer);
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_NEAR(Frame().X, expected.X, 8);
    EXPECT_NEAR(Frame().Y, expected.Y, 8);
    EXPECT_EQ(Status(), "Рамка поставлена на кадр: слева " + std::to_string(Frame().X) +
                            ", сверху " + std::to_string(Frame().Y));
    const TPoint placed = Frame();
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Frame().X, placed.X - 16);
    EXPECT_EQ(Status().rfind("Обрезаемые поля", 0), 0u) << "a move gives the line back";
    Probe(*Form).Chk_NoModif->setChecked(true);
    Key(Qt::Key_F);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Frame(), placed);

    // The setting: saved, read back, and in force for every load.
    PlaceOnOpen()->setChecked(true);
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(
        TIniFile::LoadFromFile(std::filesystem::path(SettingsFolder->Path()) / SettingsFileName)
            .ReadValue("UI", "PlaceOnOpen"),
        "1");
    ASSERT_TRUE(PlaceOnOpen()->isChecked());
    Form->HideHelp();
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({withPicture}));
    EXPECT_EQ(Frame(), placed);
    EXPECT_EQ(Status().rfind("Рамка поставлена на кадр", 0), 0u) << Status();
    // The save's reload shows the file written as it is: no search runs on it.
    Form->CropByFrame(true);
    ASSERT_TRUE(WaitForJobs());
    ASSERT_EQ(Probe(*Form).FShownFile, Probe(*Form).FCroppedFile);
    EXPECT_EQ(Status().find("Рамка"), std::string::npos) << Status();

    // A blank scan: the frame stays centred and the line says why.
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({blankScan}));
    EXPECT_EQ(Frame(), centred);
    EXPECT_EQ(Status().rfind("Рамка осталась на месте — кадр не найден", 0), 0u) << Status();
    EXPECT_TRUE(Messages.empty());
}

// The pictures of a strip scan by key: the search the key starts, the steps along a strip of
// three, the numbered files of their saves, and the step after a save that shows the scan again.
TEST_F(PlacementTest, StripPicturesByKey) {
    test::TFilmScan drawn;
    const std::string scan = Scan("strip.tif", test::TExposure::Normal, &drawn);
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({scan}));
    Form->WriteFrameSize(200, 150);
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(WaitForJobs());
    const std::string found = Status();
    EXPECT_TRUE(found.rfind("Кадр ", 0) == 0 || found.rfind("Рамка осталась на месте", 0) == 0)
        << found;

    // Three pictures side by side, as a search would give them for the image shown.
    auto stripOfThree = [this] {
        TForm1Probe probe = Probe(*Form);
        const int32_t w = probe.FOriginalWidth / 3, h = probe.FOriginalHeight;
        probe.FStrip = {{{0, 0, w, h}, {w, 0, w, h}, {2 * w, 0, w, h}}, false};
        probe.FStripWords = probe.FOriginalWords;
        probe.FFramePosInPixels = {0, 0};
    };
    stripOfThree();
    Probe(*Form).Chk_NoModif->setChecked(true);
    // A frame on no picture starts at the strip's first.
    Key(Qt::Key_N);
    EXPECT_EQ(Status(), "Кадр 1 из 3");
    Key(Qt::Key_N);
    EXPECT_EQ(Status(), "Кадр 2 из 3");
    Key(Qt::Key_N, Qt::ShiftModifier);
    Key(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Status(), "Кадр 1 из 3 — первый на скане, рамка осталась на нём");
    Key(Qt::Key_Space);
    ASSERT_TRUE(WaitForJobs());
    const std::string first = Probe(*Form).FCroppedFile;
    ASSERT_EQ(first.substr(first.size() - 6), "-1.tif");
    ASSERT_EQ(Probe(*Form).FShownFile, first);

    // On the crop shown, the key opens the scan again and steps on from the picture saved.
    Key(Qt::Key_N);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FShownFile, scan);
    stripOfThree();
    Key(Qt::Key_N);
    Key(Qt::Key_N);
    Key(Qt::Key_Space);
    ASSERT_TRUE(WaitForJobs());
    const std::string second = Probe(*Form).FCroppedFile;
    EXPECT_EQ(second, first.substr(0, first.size() - 6) + "-2.tif");
    EXPECT_TRUE(std::filesystem::exists(first) && std::filesystem::exists(second));

    // A turned image is another image: its save keeps the plain name.
    Key(Qt::Key_Backspace);
    ASSERT_TRUE(WaitForJobs());
    stripOfThree();
    Key(Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(WaitForJobs());
    Key(Qt::Key_Space);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FCroppedFile, first.substr(0, first.size() - 6) + ".tif");
    EXPECT_TRUE(Messages.empty());
}

} // namespace
} // namespace vantrel
