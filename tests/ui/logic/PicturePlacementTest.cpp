// SPDX-License-Identifier: MIT
#include "ui/logic/PicturePlacement.h"

#include <gtest/gtest.h>

#include "pipeline/detect/ScanReduction.h"
#include "tests/support/FilmScan.h"

namespace vantrel {
namespace {

TPictureDetection Found(TCropRect picture, bool fromRoll = false) {
    TPictureDetection d;
    d.Found = true;
    d.Picture = picture;
    d.FromRoll = fromRoll;
    return d;
}

TPictureDetection Declined(TPictureDecline reason) {
    TPictureDetection d;
    d.Reason = reason;
    return d;
}

TEST(PicturePlacementTest, TheFrameGoesOnThePictureOrStays) {
    struct Case {
        const char* What;
        TPictureDetection Detection;
        TPoint Frame;
        bool Moved;
        TPoint Position;
        const char* Status;
    };
    const TPoint image{2000, 1200};
    const Case cases[] = {
        {"centred on the picture",
         Found({100, 200, 1000, 600}),
         {800, 400},
         true,
         {200, 300},
         "Рамка поставлена на кадр: слева 200, сверху 300"},
        {"kept inside the image",
         Found({1500, 0, 500, 400}),
         {800, 400},
         true,
         {1200, 0},
         "Рамка поставлена на кадр: слева 1200, сверху 0"},
        {"larger than the picture",
         Found({900, 500, 200, 200}),
         {600, 400},
         true,
         {700, 400},
         "Рамка поставлена на кадр: слева 700, сверху 400"},
        {"placed with the roll",
         Found({100, 100, 1800, 1000}, true),
         {1800, 1000},
         true,
         {100, 100},
         "Рамка поставлена на кадр по другим кадрам пачки: слева 100, сверху 100"},
        {"blank frame",
         Declined(TPictureDecline::Blank),
         {800, 400},
         false,
         {},
         "Рамка осталась на месте — кадр не найден: в середине скана только подложка плёнки"},
        {"no edges",
         Declined(TPictureDecline::NoEdges),
         {800, 400},
         false,
         {},
         "Рамка осталась на месте — кадр не найден: края кадра не видны"},
    };
    for (const Case& c : cases) {
        const TFrameOnPicture p = PlaceFrameOnPicture(c.Detection, c.Frame, image);
        EXPECT_EQ(p.Moved, c.Moved) << c.What;
        if (c.Moved) {
            EXPECT_EQ(p.Position, c.Position) << c.What;
        }
        EXPECT_EQ(p.Status, c.Status) << c.What;
    }
}

TEST(PicturePlacementTest, StatusNoteStandsUntilTheFrameMoves) {
    TStatusNote note;
    EXPECT_FALSE(note.For({0, 0}, {10, 10}));
    note.Set("placed", {5, 6}, {10, 10});
    EXPECT_EQ(note.For({5, 6}, {10, 10}), "placed");
    EXPECT_EQ(note.For({5, 6}, {10, 10}), "placed"); // repaints keep it
    EXPECT_FALSE(note.For({5, 7}, {10, 10}));
    EXPECT_FALSE(note.For({5, 6}, {10, 10})); // back again: the note is gone
    note.Set("resized", {5, 6}, {10, 10});
    EXPECT_FALSE(note.For({5, 6}, {12, 10}));
}

TScanAnalysis Analysis(uint32_t seed) {
    test::TScanRecipe recipe;
    recipe.Seed = seed;
    recipe.LongSide = 600;
    const test::TFilmScan scan = DrawFilmScan(recipe);
    auto words = std::make_shared<const TSampleWords>(scan.Words.begin(), scan.Words.end());
    return AnalyseScan(
        ReduceScan({words, scan.Width, scan.Height, scan.Samples, scan.Photometric}));
}

TEST(PicturePlacementTest, TheBatchIsOneRollOfTheFilesAsLoaded) {
    const TScanAnalysis a = Analysis(1), b = Analysis(2);
    TBatchRoll roll;
    (void)roll.Place("/r/1.tif", a, true);
    (void)roll.Place("/r/2.tif", b, true);
    (void)roll.Place("/r/1.tif", a, true); // examined again: replaces its entry
    EXPECT_EQ(roll.Size(), 2u);

    // A turned image or a saved crop is placed alone and leaves the roll as it was.
    const TPictureDetection alone = roll.Place("/r/1.tif", b, false);
    EXPECT_EQ(alone.Found, b.Alone.Found);
    EXPECT_EQ(alone.Picture, b.Alone.Picture);
    EXPECT_FALSE(alone.FromRoll);
    EXPECT_EQ(roll.Size(), 2u);

    roll.NewBatch();
    EXPECT_EQ(roll.Size(), 0u);
}

} // namespace
} // namespace vantrel
