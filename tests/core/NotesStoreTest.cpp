#include "notes/NotesStore.h"
#include "base/DataDirectory.h"
#include "notes/NotesFile.h"
#include "notes/StartupPurge.h"
#include "support/TempDir.h"

#include <cerrno>
#include <filesystem>
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
    NotesFile notes(dir.write("all.txt", "\r\n\r\nx\r\ny\r\n"));
    ASSERT_TRUE(notes.apply({}).done());
    EXPECT_EQ(dir.read("all.txt"), "x\r\ny\r\n");
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
    NotesFile notes(dir.file("all.txt"));
    ASSERT_TRUE(notes.apply({{{50000, "yyyyyyyy08000900dNote 50000"}}, {}}).done());
    EXPECT_EQ(store.read().size(), 99999u);
    EXPECT_EQ(store.read().line(50000), "yyyyyyyy08000900dNote 50001");
}

TEST(PastNotes, KeepsTodayFutureAndRecurringNotes) {
    TempDir dir;
    const std::string past1 = "2006030E09001000dYesterday";
    const std::string past2 = "2005121409001000dLast December";
    const std::string kept[] = {"2006030F09001000dToday", "2006031009001000dTomorrow", "yyyy030109001000dYearly",
                                "2006yy0109001000dMonthly", "200603yy09001000dDaily", "yyyyyy2409001000dWeekly",
                                // A weekly note or one of every day can carry a real year and month (dragging
                                // a weekly note writes them): never past, whatever the date.
                                "2005122409001000dWeekly, dated last December",
                                "200512yy09001000dDaily, dated last December", "200603", "2007010109001000dNext year"};
    std::string bytes = past1 + "\r\n";
    for (const auto& k : kept)
        bytes += k + "\r\n" + past2 + "\r\n";
    NotesFile notes(dir.write("all.txt", bytes));
    notes.refresh();
    const LineChange past = PastNotes(notes.lines(), Date{2006, 3, 15});
    EXPECT_EQ(past.removed.size(), 1u + 10u);
    EXPECT_TRUE(notes.apply(past).done());
    std::string expected;
    for (const auto& k : kept)
        expected += k + "\r\n";
    EXPECT_EQ(dir.read("all.txt"), expected);
}

TEST(NotesStore, MissingIsNotAFailureButAFolderIs) {
    TempDir dir;
    NotesRead missing = NotesStore(dir.file("nothing.txt")).read();
    EXPECT_TRUE(missing.ok());
    EXPECT_TRUE(missing.missing());
    // A missing file may be created.
    NotesFile created(dir.file("nothing.txt"));
    EXPECT_TRUE(created.apply({{}, {{LineChange::AtEnd, "x"}}}).done());
    EXPECT_EQ(dir.read("nothing.txt"), "x\r\n");
    std::filesystem::create_directory(dir.file("folder.txt"));
    NotesRead folder = NotesStore(dir.file("folder.txt")).read();
    EXPECT_FALSE(folder.ok());
    EXPECT_FALSE(folder.reason.empty());

    // Line 26 never switches to a file that cannot be read.
    DataDirectory data(dir.path());
    EXPECT_EQ(data.resolveNotesFile(dir.file("folder.txt")), data.defaultNotesFile());
    EXPECT_EQ(data.resolveNotesFile(dir.file("nothing.txt")), dir.file("nothing.txt"));
}
