#include "notes/NotesStore.h"
#include "base/DataDirectory.h"
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
    const std::string kept[] = {"2006030F09001000dToday", "2006031009001000dTomorrow", "yyyy030109001000dYearly",
                                "2006yy0109001000dMonthly", "200603yy09001000dDaily", "yyyyyy2409001000dWeekly",
                                // A weekly note or one of every day can carry a real year and month (dragging
                                // a weekly note writes them): never past, whatever the date.
                                "2005122409001000dWeekly, dated last December",
                                "200512yy09001000dDaily, dated last December", "200603", "2007010109001000dNext year"};
    std::string bytes = past1 + "\r\n";
    for (const auto& k : kept)
        bytes += k + "\r\n" + past2 + "\r\n";
    NotesStore store(dir.write("all.txt", bytes));

    PurgeResult r = RemovePastNotes(store, Date{2006, 3, 15});
    EXPECT_TRUE(r.write.ok);
    EXPECT_EQ(r.removed, 1 + 10);
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

TEST(RemovePastNotes, StartUpPurgesOnlyWhenTheOptionsAskAndNeverFromAFailedRead) {
    TempDir dir;
    const std::string bytes = "2006030E09001000dYesterday\r\n2006031009001000dTomorrow\r\n";
    for (const char* line11 : {" 0 ", " 1 ", "1.5", ""}) {
        std::vector<std::string> lines(26, " 0 ");
        lines[10] = line11;
        const MainOptions options = ParseMainOptions(TextLines(JoinLinesCrLf(lines)));
        NotesStore store(dir.write("all.txt", bytes));
        const auto purge = PurgeAtStartup(options, store, Date{2006, 3, 15});
        const bool asked = std::string(line11) == " 1 ";
        EXPECT_EQ(purge.has_value(), asked) << line11;
        EXPECT_EQ(dir.read("all.txt"), asked ? "2006031009001000dTomorrow\r\n" : bytes) << line11;
    }

    // A notes file that cannot be read whole is left as it is, and the purge says why.
    NotesStore store(dir.write("all.txt", bytes));
    SetReadFunctionForTesting([](int fd, void* data, std::size_t) -> ssize_t {
        static int calls = 0;
        if (calls++ % 2 == 0)
            return ::read(fd, data, 10);
        errno = EIO;
        return -1;
    });
    MainOptions purging;
    purging.purgePastNotes = true;
    const auto purge = PurgeAtStartup(purging, store, Date{2006, 3, 15});
    const WriteResult removal = RemoveNoteLines(store, "2006031009001000dTomorrow");
    const WriteResult appended = store.append("2006031109001000dNew");
    SetReadFunctionForTesting(nullptr);
    ASSERT_TRUE(purge.has_value());
    EXPECT_FALSE(purge->write.ok);
    EXPECT_NE(purge->write.error.find("all.txt"), std::string::npos);
    EXPECT_FALSE(removal.ok);
    EXPECT_FALSE(appended.ok);
    EXPECT_EQ(dir.read("all.txt"), bytes);
}

TEST(NotesStore, MissingIsNotAFailureButAFolderIs) {
    TempDir dir;
    NotesRead missing = NotesStore(dir.file("nothing.txt")).read();
    EXPECT_TRUE(missing.ok());
    EXPECT_TRUE(missing.missing());
    // A missing file may be created.
    EXPECT_TRUE(NotesStore(dir.file("nothing.txt")).rewrite(missing, {"x"}).ok);
    std::filesystem::create_directory(dir.file("folder.txt"));
    NotesRead folder = NotesStore(dir.file("folder.txt")).read();
    EXPECT_FALSE(folder.ok());
    EXPECT_FALSE(folder.reason.empty());

    // Line 26 never switches to a file that cannot be read.
    DataDirectory data(dir.path());
    EXPECT_EQ(data.resolveNotesFile(dir.file("folder.txt")), data.defaultNotesFile());
    EXPECT_EQ(data.resolveNotesFile(dir.file("nothing.txt")), dir.file("nothing.txt"));
}
