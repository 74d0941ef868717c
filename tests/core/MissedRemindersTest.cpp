// The reminders a sleeping computer or a stopped program skipped, caught up by the today window's tick.
#include "notes/TodayRefresh.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

using Entries = std::vector<std::string>;

TEST(MissedReminders, TheTickAfterAJumpTellsWhatStartedMeanwhileOnce) {
    TempDir dir;
    const std::string notes = dir.write("all.txt", "2026120709001000dStand-up\r\n"
                                                   "2026120709301000dReview\r\n"
                                                   "yyyyyyyy13001400dLunch\r\n"
                                                   "2026120623302359dLate\r\n"
                                                   "2026120809001000dTomorrow\r\n");
    struct Case {
        const char* name;
        TodayStamp last, now;
        Entries missed, due;
    };
    const Date mon{2026, 12, 7}, sun{2026, 12, 6};
    const Case cases[] = {
        {"a minute on: the chime as always", {mon, 8, 59}, {mon, 9, 0}, {}, {"9:00 Stand-up"}},
        {"a jump over two starts", {mon, 8, 0}, {mon, 9, 45}, {"9:00 Stand-up", "9:30 Review"}, {}},
        {"a note that starts now is no missed one", {mon, 8, 0}, {mon, 9, 30}, {"9:00 Stand-up"}, {"9:30 Review"}},
        {"over midnight", {sun, 22, 0}, {mon, 0, 10}, {"23:30 Late"}, {}},
        {"four hours back at most", {mon, 4, 0}, {mon, 13, 30}, {"9:30 Review", "13:00 Lunch"}, {}},
        {"a night's sleep", {sun, 23, 40}, {mon, 9, 10}, {"9:00 Stand-up"}, {}},
        {"a whole day to the minute", {sun, 9, 50}, {mon, 9, 50}, {"9:00 Stand-up", "9:30 Review"}, {}},
        {"the clock set back", {mon, 10, 0}, {mon, 8, 0}, {}, {}},
    };
    for (const Case& c : cases) {
        TodayRefresh refresh;
        refresh.tick(c.last, notes, [] { return true; });
        const TodayRefresh::Tick jumped = refresh.tick(c.now, notes, [] { return true; });
        EXPECT_EQ(jumped.missed, c.missed) << c.name;
        EXPECT_EQ(jumped.due, c.due) << c.name;
        EXPECT_EQ(jumped.remind, !c.due.empty()) << c.name;
        // The next ticks, in the same minute and the next, tell nothing again.
        TodayStamp later = c.now;
        const TodayRefresh::Tick again = refresh.tick(later, notes, [] { return true; });
        ++later.minute;
        const TodayRefresh::Tick next = refresh.tick(later, notes, [] { return true; });
        EXPECT_TRUE(again.missed.empty() && again.due.empty() && next.missed.empty()) << c.name;
    }
}

} // namespace
