// SPDX-License-Identifier: MIT
// The frame's arithmetic: steps, arrow moves, templates, ratio texts, status texts (the centre
// kept and the corner kept inside the image: tests/pipeline/crop/CropCoreTest.cpp).

#include <gtest/gtest.h>

#include "ui/logic/FrameLogic.h"

namespace vantrel {
namespace {

TEST(ArrowStepTest, EveryModifierSetGivesItsProduct) {
    const struct {
        TShiftState Shift;
        int32_t Step;
    } cases[] = {
        {0, 1},      {ssCtrl, 2},          {ssShift, 4},          {ssCtrl | ssShift, 8},
        {ssAlt, 16}, {ssCtrl | ssAlt, 32}, {ssShift | ssAlt, 64}, {ssCtrl | ssShift | ssAlt, 128}};
    for (const auto& c : cases)
        EXPECT_EQ(ArrowStep(c.Shift), c.Step) << int(c.Shift);
}

TEST(ArrowMoveTest, MovesAreLimitedToTheImage) {
    const TPoint frame{1000, 800};
    const TPoint image{5000, 4000};
    EXPECT_EQ(ArrowMove({4000, 0}, TArrow::Right, 4, frame, image), (TPoint{4000, 0}));
    EXPECT_EQ(ArrowMove({4000, 0}, TArrow::Left, 128, frame, image), (TPoint{3872, 0}));
    EXPECT_EQ(ArrowMove({3, 7}, TArrow::Left, 16, frame, image), (TPoint{0, 7}));
    EXPECT_EQ(ArrowMove({3, 7}, TArrow::Up, 16, frame, image), (TPoint{3, 0}));
    EXPECT_EQ(ArrowMove({3, 3195}, TArrow::Down, 16, frame, image), (TPoint{3, 3200}));
    // Only the coordinate that moved is limited.
    EXPECT_EQ(ArrowMove({-50, 3195}, TArrow::Down, 1, frame, image), (TPoint{-50, 3196}));
}

TEST(ArrowMoveTest, FrameLargerThanTheImageStaysAtZero) {
    const TPoint frame{6000, 800};
    const TPoint image{5000, 4000};
    for (TArrow arrow : {TArrow::Left, TArrow::Right})
        for (int32_t x : {0, -500, -1000})
            EXPECT_EQ(ArrowMove({x, 10}, arrow, 1, frame, image).X, 0) << x;
}

TEST(SpinEditValueTest, NonNumbersZeroAndEmptyReadAsOne) {
    const struct {
        const char* Text;
        int32_t Value;
    } cases[] = {{"9000", 9000},
                 {"", 1},
                 {"0", 1},
                 {"-5", 1},
                 {"12a", 1},
                 {"abc", 1},
                 {"2147483647", 2147483647},
                 {"2147483648", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SpinEditValue(c.Text), c.Value) << c.Text;
}

TEST(RatioTest, ZeroDimensionsDoNotDivideByZero) {
    EXPECT_DOUBLE_EQ(RatioOf(1650, 0), 1650.0);
    EXPECT_DOUBLE_EQ(RatioOf(0, 1100), 1.0 / 1100.0);
    EXPECT_DOUBLE_EQ(RatioOf(9000, 6000), 1.5);
}

TEST(RatioTest, LockedDimensionRoundsToEven) {
    EXPECT_EQ(LockedDimension(4500, 1.5, true), 3000);
    EXPECT_EQ(LockedDimension(9002, 1.5, false), 13503);
    EXPECT_EQ(LockedDimension(3, 2.0, true), 2); // 1.5 rounds to the even 2
    EXPECT_EQ(LockedDimension(5, 2.0, true), 2); // 2.5 rounds to the even 2
}

TEST(RatioTextTest, RoundedToFiveDecimalsWithTheLocaleSeparator) {
    EXPECT_EQ(RatioText(1.5, ","), "1,5");
    EXPECT_FALSE(IsRatioApproximate(1.5));
    EXPECT_EQ(RatioText(1687.0 / 1125.0, ","), "1,49956");
    EXPECT_TRUE(IsRatioApproximate(1687.0 / 1125.0));
    EXPECT_EQ(RatioText(1687.0 / 1125.0, "."), "1.49956");
    EXPECT_EQ(RatioText(2.0, ","), "2");
    EXPECT_EQ(RatioText(1.0 / 3.0, ","), "0,33333");
}

TEST(TemplateTest, ParsesWidthAndHeight) {
    const TPoint current{111, 222};
    const struct {
        const char* Text;
        std::optional<TPoint> Size;
    } cases[] = {
        {"9000x6000 (crop)", TPoint{9000, 6000}},
        {"1687x1125 (1200 ppi)", TPoint{1687, 1125}},
        {"6000 9000", TPoint{6000, 9000}},
        {"abcx6000", TPoint{111, 6000}},
        {"x", TPoint{111, 222}}, // two empty pieces
        {"9000", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseTemplate(c.Text, current), c.Size) << c.Text;
}

TEST(TemplateTest, OrientationFollowsPortraitImages) {
    EXPECT_EQ(OrientTemplate({9000, 6000}, {6000, 9000}), (TPoint{6000, 9000}));
    EXPECT_EQ(OrientTemplate({6000, 9000}, {9000, 6000}), (TPoint{6000, 9000}));
    EXPECT_EQ(OrientTemplate({9000, 6000}, {0, 0}), (TPoint{9000, 6000}));
    EXPECT_TRUE(MatchesTemplate({3000, 4500}, {4500, 3000}));
    EXPECT_FALSE(MatchesTemplate({4500, 3001}, {4500, 3000}));
}

TEST(FitTest, TurnsAndCentres) {
    EXPECT_TRUE(FrameNeedsTurn({9000, 6000}, {4000, 6000}));
    EXPECT_TRUE(FrameNeedsTurn({6000, 9000}, {6000, 4000}));
    EXPECT_FALSE(FrameNeedsTurn({6000, 6000}, {4000, 6000})); // square frame
    EXPECT_FALSE(FrameNeedsTurn({9000, 6000}, {5000, 5000})); // square image
    EXPECT_EQ(CentredPosition({6000, 9000}, {4000, 6000}), (TPoint{-1000, -1500}));
    EXPECT_EQ(CentredPosition({1001, 1000}, {5000, 4000}), (TPoint{1999, 1500}));
}

TEST(StatusTextTest, MarginsAndStep) {
    EXPECT_EQ(FocusedStatusText({5000, 4000}, {100, 200}, {1000, 800}, 1),
              "Обрезаемые поля (в пикселях): слева 100, сверху 200, снизу 3000, справа 3900.    "
              "Изменение шага смещения стрелками (вариации Ctrl-Shift-Alt): 1");
    EXPECT_EQ(FocusedStatusText({5000, 4000}, {-1000, 0}, {7000, 4000}, 128),
              "Обрезаемые поля (в пикселях): слева -1000, сверху 0, снизу 0, справа -1000.    "
              "Изменение шага смещения стрелками (вариации Ctrl-Shift-Alt): 128");
    EXPECT_EQ(FrameMarginsText({5000, 4000}, {100, 200}, {1000, 800}),
              "Обрезаемые поля (в пикселях): слева 100, сверху 200, снизу 3000, справа 3900.");
    EXPECT_EQ(ArrowStepShortText(64), "Шаг стрелок: 64");
    EXPECT_EQ(FileStatusText(2, 5, "scan.tif"), "Загружен файл 2/5: scan.tif");
}

} // namespace
} // namespace vantrel
