#include "base/TextFile.h"
#include "notes/TodayRefresh.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

TodayStamp At(int year, int month, int day, int hour, int minute) {
    return TodayStamp{Date{year, month, day}, hour, minute};
}

// Monday 7 December 2026 unless a case says otherwise.
TodayStamp Monday(int hour, int minute) {
    return At(2026, 12, 7, hour, minute);
}

std::string File(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

struct ListCase {
    const char* name;
    std::string notes;
    TodayStamp now;
    std::vector<std::string> running;
    std::string firstNext;
    std::string secondNext;
};

} // namespace

TEST(BuildTodayList, ListsWhatRunsAndWhatComes) {
    const std::string meeting = File({"2026120710001100dMeeting"});
    const ListCase cases[] = {
        {"a minute before the start it comes next", meeting, Monday(9, 59), {}, "10:00 Meeting", ""},
        {"it runs from its start minute", meeting, Monday(10, 0), {"10:00 Meeting"}, "", ""},
        {"it still runs in its end minute", meeting, Monday(11, 0), {"10:00 Meeting"}, "", ""},
        {"it is gone a minute later", meeting, Monday(11, 1), {}, "", ""},
        {"another day does not list it", meeting, At(2026, 12, 8, 9, 0), {}, "", ""},
        {"an end before the start never runs", File({"2026120711001000dBackwards"}), Monday(11, 30), {}, "", ""},
        {"the two earliest to come, whatever the file order",
         File({"2026120714001500dLate", "2026120709451000dMiddle", "2026120709151000dEarly"}),
         Monday(9, 0),
         {},
         "9:15 Early",
         "9:45 Middle"},
        {"equal starts keep the file order",
         File({"2026120709300945dFirst", "2026120709300945eSecond", "2026120709300945fThird"}),
         Monday(9, 0),
         {},
         "9:30 First",
         "9:30 Second"},
        {"running notes in file order, one per line",
         File({"2026120708001200dLong", "yyyyyyyy09000930eDaily", "2026120709101000dLater"}),
         Monday(9, 5),
         {"8:00 Long", "9:00 Daily"},
         "9:10 Later",
         ""},
        {"every day in every month of every year",
         File({"yyyyyyyy08001000eStand-up"}),
         At(2031, 2, 28, 7, 0),
         {},
         "8:00 Stand-up",
         ""},
        {"day 0C of every month is the 12th",
         File({"yyyyyy0C10001100dRent"}),
         At(2027, 1, 12, 9, 0),
         {},
         "10:00 Rent",
         ""},
        {"day 0C is not the 11th", File({"yyyyyy0C10001100dRent"}), At(2027, 1, 11, 9, 0), {}, "", ""},
        {"weekly Monday and Wednesday on a Monday", File({"yyyyyy2410001100dGym"}), Monday(9, 0), {}, "10:00 Gym", ""},
        {"weekly Monday and Wednesday on a Wednesday",
         File({"yyyyyy2410001100dGym"}),
         At(2026, 12, 9, 9, 0),
         {},
         "10:00 Gym",
         ""},
        {"weekly Monday and Wednesday on a Tuesday", File({"yyyyyy2410001100dGym"}), At(2026, 12, 8, 9, 0), {}, "", ""},
        {"one-digit month stored with a zero",
         File({"2027010512001300dJanuary"}),
         At(2027, 1, 5, 11, 0),
         {},
         "12:00 January",
         ""},
        {"the start minute is shown as stored",
         File({"2026120707051000dEarly start"}),
         Monday(6, 0),
         {},
         "7:05 Early start",
         ""},
        {"empty, short and foreign lines are passed over",
         File({"", "x", "2026120710", "garbage line that is long enough", "2026120710001100d"}),
         Monday(9, 0),
         {},
         "10:00 ",
         ""},
        {"a file without a final line end", "2026120710001100dLast", Monday(9, 0), {}, "10:00 Last", ""},
        {"nothing at all", "", Monday(9, 0), {}, "", ""},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TodayList list = BuildTodayList(c.notes, c.now);
        EXPECT_EQ(list.running, c.running);
        EXPECT_EQ(list.firstNext, c.firstNext);
        EXPECT_EQ(list.secondNext, c.secondNext);
    }
}

TEST(BuildTodayList, LooksOnlyAtTheFirstTwentyOneNotesToCome) {
    std::string notes;
    // 21 notes in the evening, then two earlier ones that no longer fit.
    for (int i = 0; i < TodayList::NextSlotCount; ++i)
        notes += "2026120720" + std::to_string(10 + i) + "2100dEvening " + std::to_string(i) + "\r\n";
    notes += "2026120712001300dNoon\r\n2026120711001200dEleven\r\n";
    const TodayList list = BuildTodayList(notes, Monday(9, 0));
    EXPECT_EQ(list.firstNext, "20:10 Evening 0");
    EXPECT_EQ(list.secondNext, "20:11 Evening 1");
}

TEST(ReminderDue, OnlyForTheNoteStartingInThatMinute) {
    EXPECT_TRUE(ReminderDue("10:00 Meeting", "10:00"));
    EXPECT_TRUE(ReminderDue("10:00 ", "10:00"));
    EXPECT_FALSE(ReminderDue("10:00 Meeting", "10:01"));
    EXPECT_FALSE(ReminderDue("10:00Meeting", "10:00"));
    EXPECT_FALSE(ReminderDue("1:00 Meeting", "11:00"));
    EXPECT_FALSE(ReminderDue("11:00 Meeting", "1:00"));
    EXPECT_FALSE(ReminderDue("", "10:00"));
}

namespace {

struct Refresh : ::testing::Test {
    TempDir dir;
    std::string notes = dir.write("all.txt", File({"2026120710001100dMeeting"}));
    TodayRefresh refresh;
    bool soundOn = true;
    int asked = 0;

    TodayRefresh::Tick tick(TodayStamp now) {
        return refresh.tick(now, notes, [this] {
            ++asked;
            return soundOn;
        });
    }

    // Rewrites the file in place with bytes of the same length and sets its modification time.
    void overwriteInPlace(const std::string& bytes, timespec modified) {
        const int fd = ::open(notes.c_str(), O_WRONLY | O_TRUNC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        const timespec times[2] = {modified, modified};
        ASSERT_EQ(::futimens(fd, times), 0);
        ::close(fd);
    }
};

} // namespace

TEST_F(Refresh, ChimesOnceInTheStartMinute) {
    int chimes = 0;
    // Every two seconds from 9:58:00 to 10:02:00.
    for (int second = 0; second <= 4 * 60; second += 2) {
        const int minute = 58 + second / 60;
        const TodayRefresh::Tick t = tick(Monday(9 + minute / 60, minute % 60));
        if (t.remind) {
            ++chimes;
            EXPECT_EQ(refresh.caption(), "10:00");
        }
    }
    EXPECT_EQ(chimes, 1);
    // The option is read once a minute, not every tick.
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(refresh.list().running, std::vector<std::string>{"10:00 Meeting"});
}

TEST_F(Refresh, NoChimeForANoteFirstSeenInItsOwnMinute) {
    // A window made (or a note written) at 10:00 lists the note as running: nothing is announced late.
    EXPECT_FALSE(tick(Monday(10, 0)).remind);
    EXPECT_FALSE(tick(Monday(10, 1)).remind);
}

TEST_F(Refresh, RebuildsWhenTheFileOrTheMinuteChanges) {
    tick(Monday(9, 0));
    EXPECT_EQ(refresh.list().firstNext, "10:00 Meeting");

    // A save by the program replaces the file.
    ASSERT_TRUE(RewriteFile(notes, File({"2026120710001100dMeeting", "2026120709301000dCall"})).ok);
    EXPECT_TRUE(tick(Monday(9, 0)).listChanged);
    EXPECT_EQ(refresh.list().firstNext, "9:30 Call");

    // An edit in place of the same length within the same second still shows.
    struct stat st {};
    ASSERT_EQ(::stat(notes.c_str(), &st), 0);
    timespec later = st.st_mtim;
    later.tv_nsec = (later.tv_nsec + 1) % 1000000000;
    overwriteInPlace(File({"2026120710001100dMeeting", "2026120709401000dCall"}), later);
    EXPECT_TRUE(tick(Monday(9, 0)).listChanged);
    EXPECT_EQ(refresh.list().firstNext, "9:40 Call");

    // The minute turning moves the call from the next list to the running one.
    EXPECT_TRUE(tick(Monday(9, 40)).listChanged);
    EXPECT_EQ(refresh.list().running, std::vector<std::string>{"9:40 Call"});
}

TEST_F(Refresh, AnUnchangedFileIsNotReadAgain) {
    tick(Monday(9, 0));
    struct stat st {};
    ASSERT_EQ(::stat(notes.c_str(), &st), 0);
    // Same inode, size and time to the nanosecond: the tick trusts the stamp and keeps its lists.
    overwriteInPlace(File({"2026120710001100dMeetinG"}), st.st_mtim);
    EXPECT_FALSE(tick(Monday(9, 0)).listChanged);
    EXPECT_EQ(refresh.list().firstNext, "10:00 Meeting");
}

TEST_F(Refresh, AMissingFileListsNothingAndRecovers) {
    ::unlink(notes.c_str());
    tick(Monday(9, 0));
    EXPECT_EQ(refresh.list(), TodayList{});
    dir.write("all.txt", File({"2026120710001100dBack"}));
    tick(Monday(9, 0));
    EXPECT_EQ(refresh.list().firstNext, "10:00 Back");
}
