#include "settings/LanguageEntries.h"
#include "support/SessionFixture.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::SessionFixture;
using Answer = UserQuestions::Answer;

namespace {

struct SessionEditing : SessionFixture {
    void options(const std::string& line12, const std::string& snap = " 5 ") {
        std::vector<std::string> lines = TextLines(ReadShipped("pdfiles/pdopt.ini")).toStrings();
        lines[11] = line12;
        lines[20] = snap;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
    }
};

const std::string Monday = "2026120709001000dMonday\r\n";
const std::string Tuesday = "2026120809001030eTuesday\r\n";
const std::string Wednesday = "2026120911001200dWednesday\r\n";
const std::string ThreeNotes = Monday + Tuesday + Wednesday;

TEST_F(SessionEditing, NothingSelectedNothingDeleted) {
    start(ThreeNotes);
    point(tileWithText("Tuesday"));
    session->pointAt(ColumnX(2), timeY(18, 0), GripArea{}); // then over the empty grid
    EXPECT_FALSE(session->selectedSlot());
    session->deleteSelectedNote();
    EXPECT_FALSE(session->beginInlineEdit());
    EXPECT_EQ(notesFile(), ThreeNotes);
}

TEST_F(SessionEditing, CommandsFindTheirNoteInAFileAnotherProgramChanged) {
    start(ThreeNotes);
    point(tileWithText("Tuesday"));
    // Another program puts a new first line in: line 2 is now Monday's note. The delete still takes Tuesday's.
    const std::string inserted = "2026120708000830dInserted\r\n";
    dir.write("pdnotes/all.txt", inserted + ThreeNotes);
    Changes c = session->deleteSelectedNote();
    EXPECT_TRUE(c.failures.empty());
    EXPECT_EQ(notesFile(), inserted + Monday + Wednesday);
    EXPECT_EQ(tiles().size(), 3u);

    // A note another program changed is left alone: the command is refused and the file shown as it is now.
    const NoteTile wednesday = tileWithText("Wednesday");
    point(wednesday);
    ASSERT_TRUE(session->beginInlineEdit());
    const std::string changed = inserted + Monday + "2026120911001200dWednesday, room 4\r\n";
    dir.write("pdnotes/all.txt", changed);
    EXPECT_EQ(session->commitInlineEdit("typed").failures.size(), 1u);
    EXPECT_TRUE(session->inlineEditOpen()); // the editor keeps what the user typed
    session->leaveInlineEdit();
    EXPECT_EQ(notesFile(), changed);
    const int slot = tileWithText("Monday").slot;
    dir.write("pdnotes/all.txt", inserted + "2026120709001000dMonday moved\r\n");
    c = session->dropTile(slot, ColumnX(0), timeY(14, 0), 0, false);
    EXPECT_EQ(c.failures.size(), 1u);
    EXPECT_TRUE(c.notes);
    EXPECT_EQ(notesFile(), inserted + "2026120709001000dMonday moved\r\n");
}

TEST_F(SessionEditing, InlineEditMovesTheNoteToTheEnd) {
    start(ThreeNotes);
    point(tileWithText("Monday"));
    ASSERT_TRUE(session->beginInlineEdit());
    session->setCopyFlag(true);
    session->commitInlineEdit("Dentist\nat ten");
    EXPECT_FALSE(session->copyFlag());
    EXPECT_EQ(notesFile(), Tuesday + Wednesday + "2026120709001000dDentist at ten\r\n");

    point(tileWithText("Tuesday"));
    session->beginInlineEdit();
    session->commitInlineEdit("");
    EXPECT_EQ(notesFile(), Wednesday + "2026120709001000dDentist at ten\r\n" + "2026120809001030e\r\n");

    // Leaving or cancelling the editor writes nothing.
    point(tileWithText("Wednesday"));
    session->beginInlineEdit();
    session->leaveInlineEdit();
    EXPECT_TRUE(session->commitInlineEdit("late").failures.empty());
    session->beginInlineEdit();
    session->cancelInlineEdit();
    EXPECT_EQ(notesFile(), Wednesday + "2026120709001000dDentist at ten\r\n" + "2026120809001030e\r\n");
}

TEST_F(SessionEditing, WeeklyNoteInACrowdedColumnStaysWeekly) {
    // Three notes at 9:00 on Monday: the weekly one, placed first, is pushed to the right by the later two.
    const std::string weekly = "yyyyyy2009001000dWeekly\r\n"; // Mondays
    start(weekly + Monday + "2026120709001000dOther\r\n");
    const NoteTile& w = tileWithText("Weekly");
    ASSERT_GT(w.shape.left, 780 + 300); // further than a column edge test would allow
    session->dropTile(w.slot, w.shape.left + 100, timeY(13, 0), 0, false);
    EXPECT_EQ(TextLines(notesFile()).line(2), "yyyyyy2013001400dWeekly");
}

TEST_F(SessionEditing, TextBeingTypedFollowsItsNoteThroughOtherChanges) {
    options(" 0 ");
    start(ThreeNotes);
    point(tileWithText("Wednesday"));
    ASSERT_TRUE(session->beginInlineEdit());
    // Meanwhile the first note is moved to the end: Wednesday's note is now line 2.
    session->dropTile(tileWithText("Monday").slot, ColumnX(0), timeY(15, 0), 0, false);
    ASSERT_TRUE(session->inlineEditOpen());
    EXPECT_TRUE(session->commitInlineEdit("Dinner").failures.empty());
    EXPECT_EQ(notesFile(), Tuesday + "2026120715001600dMonday\r\n" + "2026120911001200dDinner\r\n");

    // The note being typed into is deleted: the edit ends and nothing is written for it.
    point(tileWithText("Tuesday"));
    ASSERT_TRUE(session->beginInlineEdit());
    session->deleteSelectedNote();
    EXPECT_FALSE(session->inlineEditOpen());
}

TEST_F(SessionEditing, ANotesFileNotReadInFullIsNeverWritten) {
    start(ThreeNotes);
    const NoteTile monday = tileWithText("Monday");
    point(monday);
    // From now on every read of a file stops after its first 10 bytes.
    SetReadFunctionForTesting([](int fd, void* data, std::size_t) -> ssize_t {
        static int calls = 0;
        if (calls++ % 2 == 0)
            return ::read(fd, data, 10);
        errno = EIO;
        return -1;
    });
    // Another program changes the file, so it must be read again.
    const std::string changed = ThreeNotes + "2026121012001300dThursday\r\n";
    dir.write("pdnotes/all.txt", changed);
    const Changes dropped = session->dropCategory(0, ColumnX(0), timeY(12, 0), 400);
    const Changes moved = session->dropTile(monday.slot, ColumnX(1), timeY(12, 0), 0, false);
    const Changes deleted = session->deleteSelectedNote();
    SetReadFunctionForTesting(nullptr);
    // Told once; the notes that could not be read have no tiles left to act on.
    EXPECT_EQ(dropped.failures.size(), 1u);
    EXPECT_TRUE(moved.failures.empty() && deleted.failures.empty());
    EXPECT_EQ(notesFile(), changed);
}

TEST_F(SessionEditing, SelectionLeavesASlotThatNowShowsAnotherNote) {
    options(" 0 ");
    start(ThreeNotes);
    point(tileWithText("Monday"));
    session->deleteSelectedNote();
    // Slot 1 now holds Tuesday's note; a second Delete must not take it.
    EXPECT_FALSE(session->selectedSlot());
    session->deleteSelectedNote();
    EXPECT_EQ(notesFile(), Tuesday + Wednesday);
}

} // namespace

namespace {

struct SpokenNames : SessionFixture {
    void language(const std::string& file) {
        dir.write("pdlang/" + file, ReadShipped("pdlang/" + file));
        std::vector<std::string> lines = TextLines(ReadShipped("pdfiles/pdopt.ini")).toStrings();
        lines[21] = file;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
    }
};

} // namespace

TEST_F(SpokenNames, EveryTileIsNamedByDayTimesCategoryAndTextInTheLanguageShown) {
    dir.write("pdfiles/category.txt", "Work\r\n255\r\n\r\n65280\r\nРабота\r\n255\r\n");
    // A note of category 1 (no name), one of category 0 in the second column, a repeating one of category 2.
    const std::string notes = "2026120709001000eNo category\r\n2026120809001000dTeam stand-up\r\n"
                              "yyyyyyyy07301215fРазбор {text}\r\n";
    struct Case {
        std::string file;
        std::vector<std::string> names; // in the order of the notes file, the repeating note in each column
    };
    const Case cases[] = {
        {"English.lng",
         {"Monday 7 December, 9:00 to 10:00: No category", "Tuesday 8 December, 9:00 to 10:00, Work: Team stand-up",
          "Monday 7 December, 7:30 to 12:15, Работа: Разбор {text}",
          "Tuesday 8 December, 7:30 to 12:15, Работа: Разбор {text}",
          "Wednesday 9 December, 7:30 to 12:15, Работа: Разбор {text}"}},
        {"Russian.lng",
         {"Понедельник, 7 декабря, с 9:00 до 10:00: No category",
          "Вторник, 8 декабря, с 9:00 до 10:00, Work: Team stand-up",
          "Понедельник, 7 декабря, с 7:30 до 12:15, Работа: Разбор {text}",
          "Вторник, 8 декабря, с 7:30 до 12:15, Работа: Разбор {text}",
          "Среда, 9 декабря, с 7:30 до 12:15, Работа: Разбор {text}"}},
    };
    for (const Case& c : cases) {
        language(c.file);
        start(notes);
        std::vector<std::string> names;
        for (const NoteTile& t : tiles())
            names.push_back(t.spokenName);
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected = c.names;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(names, expected) << c.file;
    }
}

TEST_F(SessionEditing, ArrowKeysSelectTheNoteTheCommandsThenTake) {
    options(" 0 ");
    start(ThreeNotes);
    // Nothing selected: Down takes the first note, Right the next column's, and Delete removes that one.
    EXPECT_TRUE(session->selectNeighbour(TileStep::Down));
    EXPECT_EQ(session->selectedTile()->text, "Monday");
    EXPECT_TRUE(session->selectNeighbour(TileStep::Right));
    EXPECT_FALSE(session->selectNeighbour(TileStep::Down)); // alone in its column: the selection stays
    EXPECT_EQ(session->selectedTile()->text, "Tuesday");
    session->deleteSelectedNote();
    EXPECT_EQ(notesFile(), Monday + Wednesday);
}
