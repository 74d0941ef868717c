#include "settings/LanguageEntries.h"
#include "support/SessionFixture.h"

#include <filesystem>

using namespace plandeck;
using plandeck::test::SessionFixture;
using Answer = UserQuestions::Answer;

namespace {

using SessionCommands = SessionFixture;

std::string Options(std::initializer_list<std::pair<int, std::string>> changes) {
    std::vector<std::string> lines = TextLines(SessionFixture::ReadShipped("pdfiles/pdopt.ini")).toStrings();
    for (const auto& [line, text] : changes)
        lines[static_cast<std::size_t>(line - 1)] = text;
    return JoinLinesCrLf(lines);
}

} // namespace

TEST_F(SessionCommands, OpensTheConfiguredDaysFromTodayWithTheirNotes) {
    dir.write("pdfiles/pdopt.ini", Options({{23, " 2 "}, {24, " 9 "}, {25, " 18 "}}));
    const Changes c = start("2026120709001000dMonday\r\n2026120809001000eTuesday\r\n2026120909001000dWednesday\r\n");
    EXPECT_TRUE(c.dates && c.notes && c.words && c.categories);
    EXPECT_EQ(session->navigation().days(), 2);
    EXPECT_EQ(session->navigation().columns()[0].day, "7");
    EXPECT_EQ(session->hours(), (HourRange{9, 18}));
    ASSERT_EQ(tiles().size(), 2u);
    EXPECT_EQ(tiles()[0].text, "Monday");
    EXPECT_EQ(tiles()[1].text, "Tuesday");
    EXPECT_EQ(session->shownRangeCaption(), "7 – 8 Dec 2026 · Week 50");
}

TEST_F(SessionCommands, StartUpPurgesPastNotesOnlyWhenAsked) {
    // Nothing is purged while the options do not ask for it.
    const std::string notes = "2026120109001000dPast\r\n2025010309001000dWeekly\r\n2026120709001000dToday\r\n";
    start(notes);
    EXPECT_EQ(notesFile(), notes);

    dir.write("pdfiles/pdopt.ini", Options({{11, " 1 "}}));
    // A weekly note written with a real year and month (as a drag leaves it) is never past.
    const std::string weekly = "2025018309001000dWeekly\r\n";
    start("2026120109001000dPast\r\n" + weekly + "2026120709001000dToday\r\n");
    EXPECT_EQ(notesFile(), weekly + "2026120709001000dToday\r\n");
}

TEST_F(SessionCommands, NavigationSaysWhatChanged) {
    start();
    Changes c = session->forward(now);
    EXPECT_TRUE(c.dates && c.notes);
    EXPECT_EQ(session->navigation().columns()[0].day, "8");
    c = session->nextMonth();
    EXPECT_TRUE(c.calendar);
    EXPECT_FALSE(c.dates || c.notes);
    EXPECT_EQ(session->navigation().grid().month(), 1);
    EXPECT_EQ(session->navigation().columns()[0].day, "8"); // the columns stay
    session->showWeek(now);
    EXPECT_EQ(session->grid().view.days, 7);
    session->showDay(now);
    EXPECT_EQ(session->grid().view.days, 1);
    EXPECT_EQ(session->hourLater().hours, true);
    EXPECT_EQ(session->hours(), (HourRange{9, 21}));
    session->resetHours();
    EXPECT_EQ(session->hours(), (HourRange{8, 20}));
}

TEST_F(SessionCommands, CategoryTickHidesItsNotesAndSurvivesTheExitSave) {
    dir.write("pdfiles/pdopt.ini", Options({{1, " 1 "}}));
    start("2026120709001000dWork\r\n2026120710001100eHome\r\n");
    ASSERT_EQ(tiles().size(), 2u);
    session->setCategoryShown(1, false);
    ASSERT_EQ(tiles().size(), 1u);
    EXPECT_EQ(tiles()[0].text, "Work");
    EXPECT_FALSE(session->categoryPanel().rows[1].ticked);
    ASSERT_TRUE(session->saveOptionsOnExit({false, 1000, 700}).ok);

    start("2026120709001000dWork\r\n2026120710001100eHome\r\n");
    EXPECT_EQ(tiles().size(), 1u);
    EXPECT_EQ(session->categories().shown(1), "0");
}

TEST_F(SessionCommands, DamagedLineAnswers) {
    const std::string notes = "2026120709001000dGood\r\nbad\r\n";
    // Enter keeps the line: the question's default is No.
    start(notes);
    ASSERT_FALSE(questions.asked.empty());
    EXPECT_EQ(questions.asked[0].defaultAnswer, Answer::No);
    EXPECT_EQ(questions.asked[0].detail, "2: bad"); // the damaged lines by number
    EXPECT_EQ(questions.told.back(), session->entry(Entry::DamagedLineKept));
    EXPECT_EQ(notesFile(), notes);
    EXPECT_EQ(tiles().size(), 1u);

    questions = {};
    questions.answers = {Answer::Yes};
    start(notes);
    EXPECT_EQ(notesFile(), "2026120709001000dGood\r\n");

    questions = {};
    questions.answers = {Answer::Cancel};
    const Changes c = start(notes);
    EXPECT_TRUE(c.quit);
    EXPECT_TRUE(session->quitRequested());
    EXPECT_EQ(notesFile(), notes);
}

TEST_F(SessionCommands, RefreshAskedWhileAQuestionIsOpenRunsAfterIt) {
    start("2026120709001000dGood\r\n");
    dir.write("pdnotes/all.txt", "2026120709001000dGood\r\nbad\r\n");
    int nested = 0;
    questions.whileAsking = [&] {
        // A resize while the question is open: it must not ask again inside this question.
        if (nested++ == 0)
            session->setGridSize(900, 500);
    };
    questions.answers = {Answer::Yes};
    session->refreshNotes();
    // The queued refresh ran once the first ended, on the new size and the mended file.
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(session->grid().view.hScale, WeekView::Compute(900, 500, 3, 8, 20).hScale);
    EXPECT_EQ(notesFile(), "2026120709001000dGood\r\n");
    ASSERT_EQ(tiles().size(), 1u);
    EXPECT_EQ(tiles()[0].tag, 1);
    // The tile itself is placed on the new size, not only the grid.
    const WeekView resized = WeekView::Compute(900, 500, 3, 8, 20);
    EXPECT_NEAR(tiles()[0].shape.top, resized.timeTop(9, 0), 1);
    EXPECT_NEAR(tiles()[0].shape.width, resized.columnWidth - 10, 1);
}

TEST_F(SessionCommands, GridOfTheSameSizeIsNotLaidOutAgain) {
    start("2026120709001000dGood\r\n");
    const Changes same = session->setGridSize(708, 443);
    EXPECT_FALSE(same.hours || same.notes);
}

TEST_F(SessionCommands, ExitSaveKeepsTheUsersChoicesAndThePortableNotesPath) {
    dir.write("pdskins/Default/colors.txt", "");
    dir.write("pdfiles/pdopt.ini", Options({{10, "Gone"}, {26, ""}}));
    start();
    EXPECT_EQ(session->shownSkin(), "Default"); // shown while the chosen skin's folder is missing
    ASSERT_TRUE(session->saveOptionsOnExit({true, 1000, 700}).ok);
    const TextLines saved(dir.read("pdfiles/pdopt.ini"));
    EXPECT_EQ(saved.line(9), "Gone");
    EXPECT_EQ(saved.line(18), "max");
    EXPECT_EQ(saved.line(25), "");
    EXPECT_EQ(saved.size(), 26u);

    dir.write("elsewhere/notes.txt", "");
    dir.write("pdfiles/pdopt.ini", Options({{26, dir.file("elsewhere/notes.txt")}}));
    start();
    ASSERT_TRUE(session->saveOptionsOnExit({false, 1000, 700}).ok);
    EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).line(25), dir.file("elsewhere/notes.txt"));
    EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).line(18), " 10500 ");
}

TEST_F(SessionCommands, UnreadableFilesAreReportedOnceAndNeverWrittenOver) {
    // A folder in a file's place cannot be read, even by root.
    std::filesystem::create_directories(dir.file("pdfiles/pdopt.ini"));
    std::filesystem::create_directories(dir.file("pdnotes/all.txt"));
    session = std::make_unique<Session>(DataDirectory(dir.path()), questions, std::string());
    session->loadSettings();
    session->setGridSize(708, 443);
    const Changes opened = session->openWeek(now);
    ASSERT_EQ(opened.failures.size(), 2u);
    EXPECT_EQ(opened.failures[0].path, dir.file("pdfiles/pdopt.ini"));
    EXPECT_EQ(opened.failures[1].path, dir.file("pdnotes/all.txt"));
    EXPECT_FALSE(session->notesReadFailure().empty());
    EXPECT_TRUE(session->forward(now).failures.empty()); // told once, not at every refresh
    EXPECT_FALSE(session->saveOptionsOnExit({false, 1000, 700}).ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("pdfiles/pdopt.ini")));
}

TEST_F(SessionCommands, LeftoversOfInterruptedSavesGoAtStartUp) {
    start();
    dir.write("pdfiles/.pdopt.ini.Ab12Cd", "half");
    dir.write("pdnotes/.all.txt.x9Y8z7", "half");
    dir.write("pdfiles/.pdopt.ini.keep-me", "not ours");
    dir.write("pdfiles/notes.bak", "not ours");
    session->removeLeftoverTemporaryFiles();
    EXPECT_FALSE(std::filesystem::exists(dir.file("pdfiles/.pdopt.ini.Ab12Cd")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("pdnotes/.all.txt.x9Y8z7")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("pdfiles/.pdopt.ini.keep-me")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("pdfiles/notes.bak")));
}
