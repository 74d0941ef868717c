// Backups of the notes file made before rewrites, their rotation, and a restore that undo takes back.
#include "calendar/DayNumber.h"
#include "settings/LanguageEntries.h"
#include "support/SessionFixture.h"

#include <filesystem>
#include <sys/stat.h>

using namespace plandeck;
using plandeck::test::SessionFixture;

namespace {

const std::string Monday = "2026120709001000dMonday\r\n";
const std::string Tuesday = "2026120811001200eTuesday\r\n";

struct Backups : SessionFixture {
    BackupTime clock{{2026, 12, 7}, 10, 15, 0};

    void startWith(const std::string& notes) {
        start(notes);
        session->setBackupClock([this] { return clock; });
    }
    // Types a new text into the first tile's note: a rewrite of the notes file.
    Changes edit(const std::string& text) {
        point(tiles().front());
        EXPECT_TRUE(session->beginInlineEdit());
        return session->commitInlineEdit(text);
    }
    std::vector<std::string> backupNames() const {
        std::vector<std::string> names;
        for (const NotesBackup& b : session->notesBackups())
            names.push_back(std::filesystem::path(b.path).filename().string());
        return names;
    }
    static ino_t InodeOf(const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }
};

TEST_F(Backups, TheFirstRewriteOfEachHourLinksTheReplacedFile) {
    startWith(Monday + Tuesday);
    const std::string original = notesFile();
    const ino_t before = InodeOf(dir.file("pdnotes/all.txt"));

    edit("First");
    const std::vector<NotesBackup> made = session->notesBackups();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(std::filesystem::path(made[0].path).filename(), "2026-12-07_10-15-00_all.txt");
    // The very file that was replaced, linked before the rename: no copy, the old bytes.
    EXPECT_EQ(InodeOf(made[0].path), before);
    EXPECT_NE(InodeOf(dir.file("pdnotes/all.txt")), before);
    EXPECT_EQ(dir.read("pdnotes/backups/2026-12-07_10-15-00_all.txt"), original);
    EXPECT_EQ(dir.read("pdnotes/backups/2026-12-07_10-15-00_all.category.txt"), dir.read("pdfiles/category.txt"));
    EXPECT_EQ(made[0].notes, 2u);
    EXPECT_EQ(made[0].size, static_cast<std::int64_t>(original.size()));

    // Later in the same hour: no second backup. A new note appended in place needs none either.
    clock.minute = 59;
    edit("Second");
    session->dropCategory(0, ColumnX(2), timeY(15, 0), 0);
    EXPECT_EQ(backupNames().size(), 1u);

    // The next hour's first rewrite keeps the file as the last change left it.
    const std::string beforeThird = notesFile();
    clock.hour = 11;
    clock.minute = 0;
    edit("Third");
    ASSERT_EQ(backupNames().size(), 2u);
    EXPECT_EQ(dir.read("pdnotes/backups/" + backupNames().front()), beforeThird);
}

TEST_F(Backups, SwitchedOffNoneIsMadeButARestoreStillKeepsTheNotesItReplaces) {
    dir.write("pdfiles/plandeck.conf", "backups = off\r\n");
    dir.write("pdnotes/backups/2026-12-01_08-00-00_all.txt", Monday);
    startWith(Monday + Tuesday);
    edit("First");
    EXPECT_EQ(backupNames().size(), 1u);
    const std::string beforeRestore = notesFile();
    session->restoreBackup(dir.file("pdnotes/backups/2026-12-01_08-00-00_all.txt"));
    EXPECT_EQ(notesFile(), Monday);
    ASSERT_EQ(backupNames().size(), 2u);
    EXPECT_EQ(dir.read("pdnotes/backups/" + backupNames().front()), beforeRestore);
}

TEST_F(Backups, RotationKeepsADayOfHoursAndTwoWeeksOfDays) {
    startWith(Monday);
    // Changes at noon and before midnight for eighteen days, then every hour, at half past, for two days.
    int n = 0;
    for (int day = 1; day <= 20; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            if (day <= 18 && hour != 12 && hour != 23)
                continue;
            clock = {{2026, 12, day}, hour, 30, 0};
            edit("v" + std::to_string(++n));
        }
    const std::vector<std::string> names = backupNames();
    ASSERT_EQ(names.size(), 24u + 14u);
    // The last 24 hours, hour by hour.
    for (int hour = 23; hour >= 0; --hour)
        EXPECT_EQ(names[static_cast<std::size_t>(23 - hour)],
                  BackupTimeText({{2026, 12, 20}, hour, 30, 0}) + "_all.txt");
    // Then the newest of each of the 14 days before today.
    for (int day = 19; day >= 6; --day)
        EXPECT_EQ(names[static_cast<std::size_t>(24 + 19 - day)],
                  BackupTimeText({{2026, 12, day}, 23, 30, 0}) + "_all.txt");
    // Every pruned backup took its categories with it.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.file("pdnotes/backups")))
        ++files;
    EXPECT_EQ(files, 2 * 38);
}

TEST(BackupRotation, WhatIsKept) {
    const BackupTime now{{2026, 12, 20}, 12, 0, 0};
    struct Case {
        BackupTime time;
        bool kept;
    };
    // Each alone with the newest backup of now, so "newest of its day" holds for each.
    const Case cases[] = {
        {{{2026, 12, 19}, 12, 0, 1}, true},  // 23:59:59 ago
        {{{2026, 12, 19}, 12, 0, 0}, true},  // exactly a day ago: the newest of yesterday
        {{{2026, 12, 6}, 23, 59, 59}, true}, // the 14th day before today
        {{{2026, 12, 5}, 23, 59, 59}, false}, {{{2027, 1, 1}, 0, 0, 0}, true}, // the clock was set back
    };
    for (const Case& c : cases)
        EXPECT_EQ(BackupsToKeep({c.time}, now), std::vector<bool>{c.kept}) << BackupTimeText(c.time);
    // Of two on a day beyond the last 24 hours, the newer one.
    EXPECT_EQ(BackupsToKeep({{{2026, 12, 10}, 8, 0, 0}, {{2026, 12, 10}, 9, 0, 0}}, now),
              (std::vector<bool>{false, true}));
}

TEST_F(Backups, AFolderThatCannotBeWrittenMeansNoBackupAndOneMessage) {
    startWith(Monday + Tuesday);
    // A file where the folder would go: nothing can be made there, whoever runs the test.
    dir.write("pdnotes/backups", "in the way");

    const Changes first = edit("First");
    EXPECT_TRUE(first.failures.empty());
    ASSERT_EQ(first.notices.size(), 1u);
    EXPECT_NE(first.notices[0].find("backups"), std::string::npos) << first.notices[0];
    EXPECT_NE(notesFile().find("First"), std::string::npos);

    clock.hour = 11;
    const Changes second = edit("Second");
    EXPECT_TRUE(second.notices.empty());
    EXPECT_TRUE(second.failures.empty());
    EXPECT_NE(notesFile().find("Second"), std::string::npos);
}

TEST_F(Backups, RestoreIsOneStepThatUndoTakesBackByteForByte) {
    startWith(Monday + Tuesday);
    const std::string original = notesFile();
    edit("First");
    clock.hour = 11;
    edit("Second");
    const std::string current = notesFile();
    const std::vector<NotesBackup> before = session->notesBackups();
    ASSERT_EQ(before.size(), 2u);
    const NotesBackup oldest = before.back();

    // Restored in the same hour as the last backup: the notes as they are are backed up all the same.
    clock.minute = 40;
    const Changes restored = session->restoreBackup(oldest.path);
    EXPECT_TRUE(restored.failures.empty());
    EXPECT_EQ(notesFile(), original);
    EXPECT_NE(restored.hint.find("2026-12-07 10:15:00"), std::string::npos) << restored.hint;
    ASSERT_EQ(backupNames().size(), 3u);
    EXPECT_EQ(dir.read("pdnotes/backups/" + backupNames().front()), current);

    const Changes undone = session->undo();
    EXPECT_EQ(notesFile(), current);
    EXPECT_EQ(undone.hint,
              ReplacePlaceholder(session->entry(Entry::History::Undone), session->entry(Entry::Alerts::RestoreKind)));
    session->redo();
    EXPECT_EQ(notesFile(), original);
}

} // namespace
