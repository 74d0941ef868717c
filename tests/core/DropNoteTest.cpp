#include "editing/DropNote.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Three columns of 3200 twips from 780, hours 8..20 of 600 twips from 520: round numbers to check against.
WeekView View(int firstHour = 8, int lastHour = 20) {
    WeekView v;
    v.days = 3;
    v.firstHour = firstHour;
    v.lastHour = lastHour;
    v.gridLeft = 780;
    v.columnWidth = 3200;
    v.gridRight = 780 + 3 * 3200;
    v.gridTop = 520;
    v.hourHeight = 600;
    v.gridBottom = 520 + 600.0f * static_cast<float>(lastHour - firstHour);
    return v;
}

const std::vector<DayColumn> Columns{
    {"7", "12", "2026", "", 1}, {"8", "12", "2026", "", 2}, {"9", "12", "2026", "", 3}};

float ColumnPoint(int column) {
    return 780 + 3200.0f * static_cast<float>(column) + 1000;
}

float TimeY(int hour, int minute) {
    return 520 + 600.0f * static_cast<float>(hour - 8) + 10.0f * static_cast<float>(minute);
}

struct MoveCase {
    const char* name;
    const char* oldLine;
    int sourceColumn;
    float x;
    int hour, minute; // where the tile's top edge is let go
    int snap;
    const char* expected;
};

class MoveAndCopy : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveAndCopy, GivesTheNewLine) {
    const MoveCase& c = GetParam();
    DropRequest r;
    r.mode = DropMode::Move;
    r.oldLine = c.oldLine;
    r.sourceColumn = c.sourceColumn;
    r.grabY = 100; // pressed 100 twips below the tile's top
    r.x = c.x;
    r.y = TimeY(c.hour, c.minute) + r.grabY;
    r.snapMinutes = c.snap;
    EXPECT_EQ(DropNote(r, View(), Columns).line, c.expected);
    r.mode = DropMode::Copy;
    EXPECT_EQ(DropNote(r, View(), Columns).line, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, MoveAndCopy,
    testing::Values(
        MoveCase{"SnapsTheStartAndKeepsTheDuration", "2026120709001030dMeeting", 0, ColumnPoint(1), 14, 7, 15,
                 "2026120814001530dMeeting"},
        MoveCase{"SnapZeroKeepsTheMinute", "2026120709001030dMeeting", 0, ColumnPoint(1), 14, 7, 0,
                 "2026120814071537dMeeting"},
        MoveCase{"SnapOneKeepsTheMinute", "2026120709001030dMeeting", 0, ColumnPoint(1), 14, 7, 1,
                 "2026120814071537dMeeting"},
        MoveCase{"DurationAcrossTheHourAtTheHour", "2026120710501120dShort", 0, ColumnPoint(0), 11, 0, 15,
                 "2026120711001130dShort"},
        MoveCase{"DurationAcrossTheHourEarlier", "2026120710501120dShort", 0, ColumnPoint(0), 10, 15, 15,
                 "2026120710151045dShort"},
        // The snap takes the start back past the old end minute: the end borrows from its hour.
        MoveCase{"SnapBorrowsFromTheEndHour", "2026120710501103dTiny", 0, ColumnPoint(0), 10, 58, 15,
                 "2026120710451058dTiny"},
        MoveCase{"EndPastMidnightStopsAt2359", "2026120710001600dLong", 0, ColumnPoint(2), 19, 0, 5,
                 "2026120919002359dLong"},
        MoveCase{"WeeklyNoteStaysWeeklyInItsColumn", "yyyyyy2409001000dWeekly", 0, ColumnPoint(0), 11, 0, 5,
                 "yyyyyy2411001200dWeekly"},
        // Its tile was pushed to the right of its column by two others; the drop is still in that column.
        MoveCase{"WeeklyNoteInACrowdedColumnStaysWeekly", "2026122409001000dWeekly", 1, 780 + 3200 + 3150, 12, 0, 5,
                 "2026122412001300dWeekly"},
        MoveCase{"WeeklyNoteInAnotherColumnIsForThatDateAlone", "yyyyyy2409001000dWeekly", 0, ColumnPoint(1), 9, 0, 5,
                 "2026120809001000dWeekly"},
        MoveCase{"EveryDayNoteOnlyChangesItsTimes", "yyyyyyyy08000900eDaily", 0, ColumnPoint(2), 13, 0, 5,
                 "yyyyyyyy13001400eDaily"},
        MoveCase{"YearlyNoteKeepsItsYear", "yyyy030509001000dBirthday", 0, ColumnPoint(2), 9, 0, 5,
                 "yyyy120909001000dBirthday"},
        // Day 31 is the last day of the month, not a weekday mask: the repetition stays.
        MoveCase{"MonthlyNoteOnThe31stKeepsItsRepetition", "yyyyyy1F09001000dRent", 0, ColumnPoint(1), 10, 0, 5,
                 "yyyyyy0810001100dRent"},
        MoveCase{"YearlyNoteOnThe31stKeepsItsRepetition", "yyyy121F09001000dEve", 2, ColumnPoint(0), 10, 0, 5,
                 "yyyy120710001100dEve"},
        MoveCase{"TextBytesStayAsTheyWere",
                 "2026120709001000g\xd0\x92\xd1\x81\xd1\x82\xd1\x80\xd0\xb5\xd1\x87\xd0\xb0  ", 0, ColumnPoint(0), 10,
                 0, 5, "2026120710001100g\xd0\x92\xd1\x81\xd1\x82\xd1\x80\xd0\xb5\xd1\x87\xd0\xb0  "},
        MoveCase{"AboveTheGridStartsAtTheFirstHour", "2026120709001000dA", 0, ColumnPoint(0), 6, 0, 5,
                 "2026120708000900dA"},
        MoveCase{"BelowTheGridStartsInTheLastHour", "2026120709001000dA", 0, ColumnPoint(0), 22, 0, 5,
                 "2026120719502050dA"},
        MoveCase{"LeftOfTheGridFallsInTheFirstColumn", "2026120809001000dA", 1, 100, 9, 0, 5, "2026120709001000dA"},
        MoveCase{"RightOfTheGridFallsInTheLastColumn", "2026120709001000dA", 0, 20000, 9, 0, 5, "2026120909001000dA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DropNote, StartRoundedUpToTheNextHourCarries) {
    DropRequest r;
    r.oldLine = "2026120709001000dA";
    r.x = ColumnPoint(0);
    r.y = TimeY(9, 59) + 9.9f; // 59.99 minutes into the 9 o'clock row
    EXPECT_EQ(DropNote(r, View(), Columns).line, "2026120710001100dA");
}

TEST(DropNote, NewNoteFromACategory) {
    DropRequest r;
    r.mode = DropMode::NewNote;
    r.categoryCode = 'f'; // category 2
    r.ghostHeight = 600;
    r.snapMinutes = 15;
    r.x = ColumnPoint(2);
    r.y = TimeY(15, 30); // the ghost's centre
    DropResult d = DropNote(r, View(), Columns);
    EXPECT_EQ(d.line, "2026120915001600fno text");
    EXPECT_EQ(d.column, 2);
    EXPECT_FLOAT_EQ(d.x, 780 + 6400);

    r.y = TimeY(23, 0);
    EXPECT_EQ(DropNote(r, View(8, 24), Columns).line, "2026120922302330fno text");
    r.y = TimeY(23, 50);
    EXPECT_EQ(DropNote(r, View(8, 24), Columns).line, "2026120923152359fno text");
}

TEST(DropNote, ResizeKeepsTheStartAndSnapsTheEnd) {
    struct Case {
        const char* oldLine;
        int sourceColumn;
        ClockTime end;
        int snap;
        const char* expected;
    };
    const Case cases[] = {
        {"2026120709001030dMeeting", 0, {11, 7}, 15, "2026120709001100dMeeting"},
        {"2026120709001030dMeeting", 0, {11, 7}, 0, "2026120709001107dMeeting"},
        {"2026120709001030dMeeting", 0, {11, 60}, 5, "2026120709001200dMeeting"},
        {"2026120709001030dMeeting", 0, {24, 0}, 5, "2026120709002359dMeeting"},
        // However narrow its tile, a resized weekly note stays weekly.
        {"yyyyyy2409001000dWeekly", 1, {10, 30}, 5, "yyyyyy2409001030dWeekly"},
    };
    for (const Case& c : cases) {
        DropRequest r;
        r.mode = DropMode::Resize;
        r.oldLine = c.oldLine;
        r.sourceColumn = c.sourceColumn;
        r.resizeEnd = c.end;
        r.snapMinutes = c.snap;
        r.x = 780 + 3200.0f * static_cast<float>(c.sourceColumn) + 3150; // the tile's left + 100
        EXPECT_EQ(DropNote(r, View(), Columns).line, c.expected) << c.oldLine << " " << c.end.hour;
    }
}

TEST(ResizeEndTime, FromTheGripsMiddle) {
    const WeekView v = View();
    // The grip's middle is 90 twips below its top.
    EXPECT_EQ(ResizeEndTime(v, TimeY(11, 7) - 90), (ClockTime{11, 7}));
    // Let go exactly on an hour line: that hour, not the end of the grid.
    EXPECT_EQ(ResizeEndTime(v, TimeY(12, 0) - 90), (ClockTime{12, 0}));
    // Rounded up to a full hour: the carry happens when the line is written.
    EXPECT_EQ(ResizeEndTime(v, TimeY(12, 59) + 9.9f - 90), (ClockTime{12, 60}));
    EXPECT_EQ(ResizeEndTime(v, v.gridBottom - 20), (ClockTime{20, 0}));
    EXPECT_EQ(ResizeEndTime(v, v.gridBottom + 500), (ClockTime{20, 0}));
}

TEST(ResizeEndTime, EveryHourLineEndsOnItsHourAtEverySize) {
    // The 12:00 line of a seven-day design-size grid, as the grid draws it: where two rows meet in single
    // precision there is no gap to fall through to the last hour.
    const WeekView design = WeekView::Compute(708, 443, 7, 8, 20);
    const ClockTime noon = ResizeEndTime(design, 2413.3333f - 90);
    EXPECT_EQ(noon.hour * 60 + noon.minute, 12 * 60);
    struct Range {
        int first, last;
    };
    for (const Range r : {Range{8, 20}, Range{0, 24}, Range{6, 22}, Range{9, 17}}) {
        for (int height = 300; height <= 1200; height += 7) {
            const WeekView v = WeekView::Compute(708, height, 7, r.first, r.last);
            for (int hour = r.first + 1; hour < r.last; ++hour) {
                const int row = hour - r.first;
                // The line as the row below starts and as the row above ends.
                for (const float line : {v.gridTop + static_cast<float>(row) * v.hourHeight,
                                         v.gridTop + static_cast<float>(row - 1) * v.hourHeight + v.hourHeight}) {
                    const ClockTime end = ResizeEndTime(v, line - 90);
                    ASSERT_EQ(end.hour * 60 + end.minute, hour * 60)
                        << "height " << height << ", hours " << r.first << "-" << r.last << ", line " << hour;
                }
            }
        }
    }
}

TEST(FollowGrip, StopsAtTheGridBottomAndAtItsTile) {
    // Pointer y, grab y, label top, grid bottom.
    EXPECT_FLOAT_EQ(FollowGrip(3000, 40, 2000, 7720).top, 2960);
    EXPECT_TRUE(FollowGrip(3000, 40, 2000, 7720).following);
    GripPosition below = FollowGrip(7800, 40, 2000, 7720);
    EXPECT_FLOAT_EQ(below.top, 7700);
    EXPECT_FALSE(below.following);
    GripPosition above = FollowGrip(1900, 0, 2000, 7720);
    EXPECT_FLOAT_EQ(above.top, 2080);
    EXPECT_FALSE(above.following);
}

TEST(DropPointOnTarget, ControlsThatTakeADropPassGridCoordinates) {
    const GridPoint at{50, 20};
    EXPECT_EQ(DropPointOnTarget(DropTarget::Grid, at, {0, 0}), (GridPoint{50, 20}));
    EXPECT_EQ(DropPointOnTarget(DropTarget::TileLabel, at, {4000, 2500}), (GridPoint{4050, 2520}));
    // The header picture lies above the grid, so its point is higher up: the drop clamps to the first hour.
    EXPECT_EQ(DropPointOnTarget(DropTarget::Decoration, at, {-1350, -1755}), (GridPoint{-1300, -1735}));
    EXPECT_FALSE(DropPointOnTarget(DropTarget::ResizeGrip, at, {0, 0}));
    EXPECT_FALSE(DropPointOnTarget(DropTarget::Elsewhere, at, {0, 0}));
}

} // namespace
