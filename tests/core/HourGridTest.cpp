#include "calendar/HourGrid.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace plandeck;

TEST(HourGrid, ThirteenLabelsAndLinesForEightToTwenty) {
    WeekView v = WeekView::Compute(708, 443, 7, 8, 20);
    HourGridLayout g = LayOutHourGrid(v, {}, Date{2026, 12, 7});
    ASSERT_EQ(g.hourLabels.size(), 13u);
    EXPECT_EQ(g.hourLabels.front().text, "8:00");
    EXPECT_EQ(g.hourLabels.back().text, "20:00");
    EXPECT_NEAR(g.hourLabels[0].x, 380, 0.01);
    EXPECT_NEAR(g.hourLabels[0].y, 470, 0.01);
    ASSERT_EQ(g.hourLineYs.size(), 13u);
    EXPECT_NEAR(g.hourLineYs.back(), v.gridBottom, 0.5);
    ASSERT_EQ(g.columnLineXs.size(), 8u);
    EXPECT_NEAR(g.columnLineXs.back(), v.gridRight, 0.5);
}

TEST(HourGrid, TodayColumnOnlyWhenTodayIsShown) {
    WeekView v = WeekView::Compute(708, 443, 3, 8, 20);
    std::vector<DayColumn> cols = {
        {"6", "12", "2026", "", 7}, {"7", "12", "2026", "", 1}, {"8", "12", "2026", "", 2}, {"9", "12", "2026", "", 3}};
    EXPECT_EQ(LayOutHourGrid(v, cols, Date{2026, 12, 7}).todayColumn, 1);
    EXPECT_EQ(LayOutHourGrid(v, cols, Date{2026, 12, 9}).todayColumn, -1); // slot 3 is not shown
    EXPECT_EQ(LayOutHourGrid(v, cols, Date{2025, 12, 7}).todayColumn, -1);
}

TEST(HourGrid, HourButtonsStopAtTheirLimits) {
    EXPECT_EQ((HourRange{8, 20}.later()), (HourRange{9, 21}));
    EXPECT_EQ((HourRange{12, 24}.later()), (HourRange{12, 24}));
    EXPECT_EQ((HourRange{7, 19}.earlier()), (HourRange{6, 18}));
    EXPECT_EQ((HourRange{6, 18}.earlier()), (HourRange{6, 18}));
}

TEST(HourGrid, WorkSpansAreClippedToTheGrid) {
    WeekView v = WeekView::Compute(708, 443, 7, 8, 20); // hourHeight 473.33
    auto spans = WorkSpansFromOptions("07300600100012000900073021002200", "1111");
    // span 0: 7:30-9:00; span 1: 6:00-7:30 (above); span 2: 10:00-21:00 (to the bottom); span 3: 12:00-22:00
    std::vector<SpanBand> bands = PaintWorkSpans(v, spans);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].span, 0);
    EXPECT_FLOAT_EQ(bands[0].top, 520);
    EXPECT_FLOAT_EQ(bands[0].top + bands[0].height, 993); // nint(520 + 473.33)
    EXPECT_EQ(bands[1].span, 2);
    EXPECT_FLOAT_EQ(bands[1].top + bands[1].height, 6200);
    EXPECT_EQ(bands[2].span, 3);

    auto disabled = WorkSpansFromOptions("0800080008000800160016001600160", "0100");
    std::vector<SpanBand> one = PaintWorkSpans(v, disabled);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].span, 1);
    // A damaged span line reads its fields as 0 and draws nothing odd.
    EXPECT_TRUE(PaintWorkSpans(v, WorkSpansFromOptions("", "1111")).empty());
}

TEST(HourGrid, TimeLineAndClock) {
    WeekView v = WeekView::Compute(708, 443, 7, 8, 20);
    EXPECT_FALSE(TimeLineY(v, 20, 15));
    EXPECT_FALSE(TimeLineY(v, 7, 59));
    ASSERT_TRUE(TimeLineY(v, 19, 59));
    EXPECT_LT(*TimeLineY(v, 19, 59), v.gridBottom);
    EXPECT_GT(*TimeLineY(v, 19, 59), v.gridBottom - v.hourHeight / 60 - 1);

    ClockHands half = ClockHandsAt(3, 30); // hour hand at 105 degrees, minute hand at 180
    EXPECT_EQ(half.minuteX, 59);
    EXPECT_EQ(half.minuteY, 58 + 29);
    EXPECT_EQ(half.hourX, static_cast<int>(std::nearbyint(59 + 18 * std::sin(105 * 3.14 / 180))));
    EXPECT_EQ(half.hourY, static_cast<int>(std::nearbyint(58 - 18 * std::cos(105 * 3.14 / 180))));
    ClockHands noon = ClockHandsAt(12, 0);
    EXPECT_EQ(noon.minuteX, 59);
    EXPECT_EQ(noon.minuteY, 58 - 29);
}
