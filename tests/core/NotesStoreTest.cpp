#include "notes/NotesStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

TEST(NotesStore, ReadsEveryPhysicalLineWhateverTheLineEnds) {
    TempDir dir;
    NotesStore store(dir.write("all.txt", "a\r\n\r\nb\nc\r\n\nlast-without-end"));
    NotesRead lines = store.read();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.line(0), "a");
    EXPECT_EQ(lines.line(1), "");
    EXPECT_EQ(lines.line(2), "b");
    EXPECT_EQ(lines.line(3), "c");
    EXPECT_EQ(lines.line(4), "");
    EXPECT_EQ(lines.line(5), "last-without-end");
    // A CR that is not part of a line end is text and survives a rewrite.
    NotesStore cr(dir.write("cr.txt", "a\rb\r\n"));
    EXPECT_EQ(cr.read().line(0), "a\rb");
}

TEST(NotesStore, MissingFileReadsEmpty) {
    TempDir dir;
    EXPECT_TRUE(NotesStore(dir.file("nothing.txt")).read().empty());
}

TEST(NotesStore, RewriteFollowsTheJoiningRule) {
    EXPECT_EQ(NotesStore::JoinForRewrite({"", "", "a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(NotesStore::JoinForRewrite({}), "\r\n");
    EXPECT_EQ(NotesStore::JoinForRewrite({"", ""}), "\r\n");
    EXPECT_EQ(NotesStore::JoinForRewrite({"a", ""}), "a\r\n\r\n");

    TempDir dir;
    NotesStore store(dir.write("all.txt", "\r\n\r\nx\r\ny\r\n"));
    NotesRead read = store.read();
    ASSERT_TRUE(store.rewrite(read, read.toStrings()).ok);
    EXPECT_EQ(dir.read("all.txt"), "x\r\ny\r\n");
}

TEST(NotesStore, AppendNeverGluesOntoALastLineWithoutLineEnd) {
    TempDir dir;
    NotesStore store(dir.write("all.txt", "2005071F09301100dMeeting"));
    ASSERT_TRUE(store.append("2005071F12001300dLunch").ok);
    EXPECT_EQ(dir.read("all.txt"), "2005071F09301100dMeeting\r\n2005071F12001300dLunch\r\n");

    NotesStore fresh(dir.file("new.txt"));
    ASSERT_TRUE(fresh.append("x").ok);
    EXPECT_EQ(dir.read("new.txt"), "x\r\n");
}

TEST(NotesStore, HundredThousandLinesKeepTheirNumbers) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "yyyyyyyy08000900dNote " + std::to_string(i) + "\r\n";
    NotesStore store(dir.write("all.txt", bytes));
    NotesRead lines = store.read();
    ASSERT_EQ(lines.size(), 100000u);
    EXPECT_EQ(lines.line(99999), "yyyyyyyy08000900dNote 99999");
    ASSERT_TRUE(RemoveNoteLines(store, "yyyyyyyy08000900dNote 50000").ok);
    EXPECT_EQ(store.read().size(), 99999u);
}

TEST(RemoveNoteLines, RemovesEveryExactCopyOnly) {
    TempDir dir;
    NotesStore store(dir.write("all.txt", "keep\r\ngone\r\nGone\r\ngone\r\nkeep too\r\n"));
    ASSERT_TRUE(RemoveNoteLines(store, "gone").ok);
    EXPECT_EQ(dir.read("all.txt"), "keep\r\nGone\r\nkeep too\r\n");
    ASSERT_TRUE(RemoveNoteLines(store, "keep").ok);
    ASSERT_TRUE(RemoveNoteLines(store, "Gone").ok);
    ASSERT_TRUE(RemoveNoteLines(store, "keep too").ok);
    EXPECT_EQ(dir.read("all.txt"), "\r\n");
}

TEST(RemovePastNotes, KeepsTodayFutureAndRecurringNotes) {
    TempDir dir;
    const std::string past1 = "2006030E09001000dYesterday";
    const std::string past2 = "2005121409001000dLast December";
    const std::string kept[] = {"2006030F09001000dToday",
                                "2006031009001000dTomorrow",
                                "yyyy030109001000dYearly",
                                "2006yy0109001000dMonthly",
                                "200603yy09001000dDaily",
                                "yyyyyy2409001000dWeekly",
                                "200603",
                                "2007010109001000dNext year"};
    std::string bytes = past1 + "\r\n";
    for (const auto& k : kept)
        bytes += k + "\r\n" + past2 + "\r\n";
    NotesStore store(dir.write("all.txt", bytes));

    PurgeResult r = RemovePastNotes(store, Date{2006, 3, 15});
    EXPECT_TRUE(r.write.ok);
    EXPECT_EQ(r.removed, 1 + 8);
    std::string expected;
    for (const auto& k : kept)
        expected += k + "\r\n";
    EXPECT_EQ(dir.read("all.txt"), expected);
}

TEST(RemovePastNotes, LeavesTheFileUntouchedWhenNothingIsPast) {
    TempDir dir;
    const std::string bytes = "\r\n2026120709001000dSoon"; // a rewrite would drop the empty first line
    NotesStore store(dir.write("all.txt", bytes));
    EXPECT_EQ(RemovePastNotes(store, Date{2026, 12, 7}).removed, 0);
    EXPECT_EQ(dir.read("all.txt"), bytes);
}
