// SPDX-License-Identifier: MIT
#include "ui/logic/StripTravel.h"

#include <gtest/gtest.h>

#include "texts/Language.h"

namespace vantrel {
namespace {

// Three pictures of 300 × 200 side by side, parted by 50 pixels of film base; the same turned
// upright for a strip that runs from top to bottom.
const TStripPictures kRow{{{50, 40, 300, 200}, {400, 40, 300, 200}, {750, 40, 300, 200}}, false};
const TStripPictures kColumn{{{40, 50, 200, 300}, {40, 400, 200, 300}, {40, 750, 200, 300}}, true};

// A frame of 200 × 120 centred at the point given.
TCropRect FrameAt(int32_t centreX, int32_t centreY) {
    return {centreX - 100, centreY - 60, 200, 120};
}

TEST(StripTravelTest, TheStepFromThePictureTheFrameStandsOn) {
    struct Case {
        const char* What;
        const TStripPictures& Strip;
        int StandingOn;
        bool Forward;
        TPictureStep Step;
    };
    const TStripPictures none{{}, false, TPictureDecline::Blank};
    const Case cases[] = {
        {"on the first, forward", kRow, 0, true, {1, false}},
        {"on the second, back", kRow, 1, false, {0, false}},
        {"on the last, forward stays", kRow, 2, true, {2, true}},
        {"on the first, back stays", kRow, 0, false, {0, true}},
        {"on none, forward starts at the first", kRow, -1, true, {0, false}},
        {"on none, back starts at the last", kColumn, -1, false, {2, false}},
        {"no picture", none, -1, true, {-1, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepPicture(c.Strip, c.StandingOn, c.Forward), c.Step) << c.What;

    // After a save of a picture the step counts from that picture's number.
    EXPECT_EQ(StepFromPicture(3, 1, true), (TPictureStep{2, false}));
    EXPECT_EQ(StepFromPicture(3, 2, true), (TPictureStep{2, true}));
    EXPECT_EQ(StepFromPicture(3, 0, false), (TPictureStep{0, true}));
    EXPECT_EQ(StepFromPicture(0, 0, true), (TPictureStep{}));
}

TEST(StripTravelTest, TheStatusLineNamesThePictureOrTheReason) {
    EXPECT_EQ(PictureStepText({1, false}, kRow, true), "Кадр 2 из 3");
    EXPECT_EQ(PictureStepText({2, true}, kRow, true),
              "Кадр 3 из 3 — последний на скане, рамка осталась на нём");
    const TStripPictures blank{{}, false, TPictureDecline::Blank};
    EXPECT_EQ(PictureStepText({}, blank, true).rfind("Рамка осталась на месте — ", 0), 0u);
    texts::SetLanguage(texts::TLanguage::English);
    const std::string english = PictureStepText({0, true}, kRow, false);
    texts::SetLanguage(texts::TLanguage::Russian);
    EXPECT_EQ(english, "Picture 1 of 3 — the first on the scan, the frame stays on it");
}

TEST(StripTravelTest, ASaveOfAStripPictureCarriesItsNumber) {
    struct Case {
        const char* What;
        TStripPictures Strip;
        TCropRect Frame;
        const char* File;
    };
    const TStripPictures one{{{50, 40, 300, 200}}, false};
    const Case cases[] = {
        {"the second of three", kRow, FrameAt(550, 140), "/out/scan-2.tif"},
        {"the third of three", kRow, FrameAt(900, 140), "/out/scan-3.tif"},
        {"between two pictures", kRow, FrameAt(375, 140), "/out/scan.tif"},
        {"a scan of one picture", one, FrameAt(200, 140), "/out/scan.tif"},
        {"a strip not examined", {}, FrameAt(200, 140), "/out/scan.tif"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberedCropFile("/out/scan.tif", SavedPictureNumber(c.Strip, c.Frame)), c.File)
            << c.What;
}

} // namespace
} // namespace vantrel
