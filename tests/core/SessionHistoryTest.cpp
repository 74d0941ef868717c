// Undo and redo through the session, and the notes and categories another program changes while it runs.
#include "settings/LanguageEntries.h"
#include "support/SessionFixture.h"

#include <fcntl.h>
#include <functional>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::SessionFixture;
using Answer = UserQuestions::Answer;

namespace {

struct SessionHistory : SessionFixture {
    void point(const std::string& text) { SessionFixture::point(tileWithText(text)); }
    void startWith(const std::string& notes, const std::string& categories = "Work\r\n255\r\nHome\r\n65280\r\n") {
        // Delete at once, as the option file may say.
        std::vector<std::string> lines = TextLines(ReadShipped("pdfiles/pdopt.ini")).toStrings();
        lines[11] = " 0 ";
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
        dir.write("pdfiles/category.txt", categories);
        start(notes);
    }
    std::string categoryFile() const { return dir.read("pdfiles/category.txt"); }
    void appendByAnotherProgram(const std::string& bytes) const {
        const int fd = ::open(dir.file("pdnotes/all.txt").c_str(), O_WRONLY | O_APPEND);
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }
};

const std::string Monday = "2026120709001000dMonday\r\n";
const std::string Tuesday = "2026120809001030eTuesday\r\n";
const std::string Wednesday = "2026120911001200dWednesday\r\n";
const std::string ThreeNotes = Monday + Tuesday + Wednesday;

TEST_F(SessionHistory, EveryCommandUndoesAndRedoesByteForByte) {
    struct Case {
        const char* name;
        std::string notes;
        std::function<Changes(SessionHistory&)> command;
        const char* what; // as the hint line names it
        bool categories = false;
    };
    const Case cases[] = {
        {"delete", ThreeNotes,
         [](SessionHistory& t) {
             t.point("Tuesday");
             return t.session->deleteSelectedNote();
         },
         "deleting a note"},
        {"edit in place", ThreeNotes,
         [](SessionHistory& t) {
             t.point("Monday");
             t.session->beginInlineEdit();
             return t.session->commitInlineEdit("Dentist");
         },
         "editing a note's text"},
        {"move", ThreeNotes,
         [](SessionHistory& t) {
             return t.session->dropTile(t.tileWithText("Monday").slot, ColumnX(2), t.timeY(15, 0), 0, false);
         },
         "moving a note"},
        {"copy", ThreeNotes,
         [](SessionHistory& t) {
             return t.session->dropTile(t.tileWithText("Monday").slot, ColumnX(1), t.timeY(15, 0), 0, true);
         },
         "copying a note"},
        {"stretch", ThreeNotes,
         [](SessionHistory& t) {
             const NoteTile& tile = t.tileWithText("Wednesday");
             return t.session->resizeTile(tile.slot, t.timeY(14, 0) - NoteTile::GripHeight);
         },
         "stretching a note"},
        {"category drop", ThreeNotes,
         [](SessionHistory& t) { return t.session->dropCategory(1, ColumnX(1), t.timeY(16, 0), 400); }, "a new note"},
        {"wizard save", ThreeNotes,
         [](SessionHistory& t) {
             EXPECT_TRUE(t.session->openWizardForLine(2));
             return t.session->saveWizardNote("2026120813001400eTuesday later").changes;
         },
         "saving a note in the wizard"},
        {"wizard delete", ThreeNotes,
         [](SessionHistory& t) {
             EXPECT_TRUE(t.session->openWizardForLine(3));
             return t.session->deleteWizardNote().changes;
         },
         "deleting a note in the wizard"},
        {"damaged lines removed", "\r\nbad\r\n" + ThreeNotes + "worse\r\n",
         [](SessionHistory& t) {
             t.questions.answers = {Answer::Yes};
             return t.session->refreshNotes();
         },
         "removing damaged lines"},
        {"category added", ThreeNotes,
         [](SessionHistory& t) {
             t.questions.texts = {std::string("Sport")};
             t.questions.colours = {123456L};
             return t.session->addCategory();
         },
         "adding a category", true},
        {"category renamed and recoloured", ThreeNotes,
         [](SessionHistory& t) {
             t.questions.texts = {std::string("Job")};
             t.questions.colours = {42L};
             return t.session->renameCategory(0);
         },
         "renaming a category", true},
        {"category deleted", ThreeNotes, [](SessionHistory& t) { return t.session->deleteLastCategory(); },
         "deleting a category", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startWith(c.notes);
        auto file = [&] { return c.categories ? categoryFile() : notesFile(); };
        const std::string before = file();
        const Changes done = c.command(*this);
        EXPECT_TRUE(done.failures.empty());
        const std::string after = file();
        ASSERT_NE(after, before);

        const Changes undone = session->undo();
        EXPECT_EQ(file(), before);
        EXPECT_EQ(undone.hint, std::string("Undone: ") + c.what);
        EXPECT_TRUE(c.categories ? undone.categories : undone.notes);
        EXPECT_EQ(session->redo().hint, std::string("Redone: ") + c.what);
        EXPECT_EQ(file(), after);
        session->undo();
        EXPECT_EQ(file(), before);
        EXPECT_EQ(session->undo().hint, "There is nothing to undo.");
        EXPECT_EQ(file(), before);
    }
}

TEST_F(SessionHistory, UndoNeverWritesOverAnotherProgramsLines) {
    startWith(ThreeNotes);
    point("Tuesday");
    session->deleteSelectedNote();
    // Another program puts a line in front: the undone note goes back to its place, one line further down.
    dir.write("pdnotes/all.txt", "2026121008000900dInserted\r\n" + Monday + Wednesday);
    EXPECT_TRUE(session->undo().failures.empty());
    EXPECT_EQ(notesFile(), "2026121008000900dInserted\r\n" + ThreeNotes);
    // Lines appended meanwhile stay where they are.
    session->redo();
    appendByAnotherProgram("2026121108000900dAppended\r\n");
    session->undo();
    EXPECT_EQ(notesFile(), "2026121008000900dInserted\r\n" + ThreeNotes + "2026121108000900dAppended\r\n");

    // The moved note was changed by another program: the undo is refused, the user told, the file untouched.
    session->dropTile(tileWithText("Monday").slot, ColumnX(2), timeY(15, 0), 0, false);
    const std::string theirs = "2026121008000900dInserted\r\n" + Tuesday + Wednesday + "2026121108000900dAppended\r\n" +
                               "2026120915001600dMonday, moved by hand\r\n";
    dir.write("pdnotes/all.txt", theirs);
    const Changes refused = session->undo();
    EXPECT_EQ(refused.notices.size(), 1u);
    EXPECT_EQ(notesFile(), theirs);
    EXPECT_EQ(tiles().size(), 3u); // the week shows the file as it is now
}

TEST_F(SessionHistory, FiftyStepsBackAndANewChangeEndsTheRedo) {
    startWith(Monday);
    for (int step = 0; step < 60; ++step)
        session->dropTile(tiles().front().slot, ColumnX(step % 3), timeY(9 + step % 5, 0), 0, false);
    for (int step = 0; step < 60; ++step)
        EXPECT_TRUE(session->undo().failures.empty());
    EXPECT_EQ(notesFile(), Monday);
    session->redo();
    const std::string once = notesFile();
    point("Monday");
    session->deleteSelectedNote();
    EXPECT_EQ(session->redo().hint, "There is nothing to redo.");
    session->undo();
    EXPECT_EQ(notesFile(), once);
}

TEST_F(SessionHistory, ACategoryDropKeepsTheFilesOwnLineEnds) {
    // Lone CR line ends, one note today (Monday 7 December): the new note must not glue the others together.
    const std::string loneCr = "2026120709001000dToday\r2026120810001100dB\r2026120911001200dC\r";
    startWith(loneCr, "Zed\r\n16711935\r\n");
    ASSERT_EQ(tiles().size(), 3u);
    session->dropCategory(0, ColumnX(0), timeY(14, 0), 400);
    EXPECT_EQ(notesFile(), loneCr + tiles().back().line + "\r");
    EXPECT_EQ(tiles().size(), 4u);
    EXPECT_EQ(tileWithText("Today").column, 0);
}

TEST_F(SessionHistory, OtherProgramsChangesAreShownWithoutAQuestion) {
    startWith(ThreeNotes);
    appendByAnotherProgram("2026120812001300eLunch\r\nbad\r\n");
    dir.write("pdfiles/category.txt", "Office\r\n255\r\nHome\r\n65280\r\n");
    const std::size_t asked = questions.asked.size();
    const Changes c = session->outsideChanges();
    EXPECT_EQ(questions.asked.size(), asked); // damaged lines are skipped, not asked about
    EXPECT_EQ(c.hint, "1 damaged line(s) of the notes file were skipped.");
    EXPECT_TRUE(c.notes && c.categories);
    EXPECT_EQ(tileWithText("Lunch").column, 1);
    EXPECT_EQ(session->categoryPanel().rows[0].caption, "Office");
    // Nothing changed since: nothing to show.
    EXPECT_FALSE(session->outsideChanges().notes);
}

} // namespace

namespace {

struct PastNotesAtStartUp : SessionHistory {};

TEST_F(PastNotesAtStartUp, GoOnlyWhenTheOptionsAskAndCanBeUndone) {
    const std::string bytes = "2026120609001000dYesterday\r\n" + Tuesday;
    for (const char* line11 : {" 0 ", " 1 ", "1.5", ""}) {
        SCOPED_TRACE(line11);
        std::vector<std::string> lines = TextLines(ReadShipped("pdfiles/pdopt.ini")).toStrings();
        lines[10] = line11;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
        start(bytes);
        const bool asked = std::string(line11) == " 1 ";
        EXPECT_EQ(notesFile(), asked ? Tuesday : bytes);
        if (!asked)
            continue;
        EXPECT_EQ(session->undo().hint, "Undone: removing past notes");
        EXPECT_EQ(notesFile(), bytes);
    }
}

} // namespace
