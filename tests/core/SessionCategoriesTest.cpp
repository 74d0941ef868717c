#include "session/Session.h"
#include "settings/Options.h"
#include "support/TempDir.h"

#include <deque>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Answers the session's questions from queues; an empty queue answers as a cancelled dialog does.
struct ScriptedQuestions : UserQuestions {
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<long>> colours;
    std::vector<long> colourOpenedOn;
    int questionsAsked = 0;

    Answer ask(const std::string&, const std::string&, Buttons, Answer, const std::string&) override {
        ++questionsAsked;
        if (answers.empty())
            return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const std::string&, const std::string&) override {}
    std::optional<std::string> askText(const std::string&, const std::string&) override {
        if (texts.empty())
            return std::nullopt;
        auto t = texts.front();
        texts.pop_front();
        return t;
    }
    std::optional<long> chooseColour(long initial) override {
        colourOpenedOn.push_back(initial);
        if (colours.empty())
            return std::nullopt;
        auto c = colours.front();
        colours.pop_front();
        return c;
    }
};

// A data folder and a started session on 15 March 2006 (a Wednesday), three days from today, 8:00 to 20:00,
// on a grid of the design size.
struct SessionTest : ::testing::Test {
    test::TempDir dir;
    ScriptedQuestions questions;
    std::unique_ptr<Session> session;

    void start(const std::string& categories, const std::string& notes, int days = 3,
               const std::string& confirmDelete = " 0 ") {
        MainOptions options;
        options.configuredDays = days;
        std::string text = FormatMainOptions(options);
        TextLines lines(text);
        std::vector<std::string> patched = lines.toStrings();
        patched[11] = confirmDelete;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(patched));
        dir.write("pdfiles/category.txt", categories);
        dir.write("pdnotes/all.txt", notes);
        dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
        session = std::make_unique<Session>(DataDirectory(dir.path()), questions, std::string());
        session->loadSettings();
        session->openWeek(TodayStamp{{2006, 3, 15}, 9, 0});
        session->setGridSize(708, 443);
    }

    int visibleTiles() const {
        int n = 0;
        for (const NoteTile& t : session->grid().tiles)
            n += t.visible ? 1 : 0;
        return n;
    }
    std::string categoryFile() const { return dir.read("pdfiles/category.txt"); }
    std::string notesFile() const { return dir.read("pdnotes/all.txt"); }
};

std::string Categories(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "cat" + std::to_string(i) + "\r\n" + std::to_string(1000 + i) + "\r\n";
    return out;
}

} // namespace

TEST_F(SessionTest, CategoryPanelCommands) {
    start(Categories(8), "2006030F09001000gCategory three\r\n");
    ASSERT_EQ(visibleTiles(), 1);

    // Scrolled to 2, row 1 is category 3: hiding it hides its note, ticking it shows it again.
    session->scrollCategories(2);
    EXPECT_EQ(session->categoryPanel().rows[0].caption, "cat2");
    Changes hidden = session->setCategoryShown(1, false);
    EXPECT_TRUE(hidden.notes);
    EXPECT_EQ(visibleTiles(), 0);
    EXPECT_EQ(session->categories().shown(3), "0");
    session->setCategoryShown(1, true);
    EXPECT_EQ(visibleTiles(), 1);

    // Add asks for a name and a colour; the picker opens on the colour chosen last, black the first time.
    questions.texts = {"Sport"};
    questions.colours = {255};
    Changes added = session->addCategory();
    EXPECT_TRUE(added.categories);
    EXPECT_EQ(session->categoryPanel().first, 0);
    EXPECT_EQ(categoryFile(), Categories(8) + "Sport\r\n255\r\n");
    questions.texts = {"Music"};
    session->addCategory(); // the colour picker is cancelled
    questions.texts = {""};
    session->addCategory(); // an empty name ends at once
    EXPECT_EQ(questions.colourOpenedOn, (std::vector<long>{0, 255}));
    EXPECT_EQ(categoryFile(), Categories(8) + "Sport\r\n255\r\n");

    // Delete drops the last category without a question.
    session->scrollCategories(3);
    session->deleteLastCategory();
    EXPECT_EQ(categoryFile(), Categories(8));
    EXPECT_EQ(session->categoryPanel().first, 0);
    EXPECT_EQ(questions.questionsAsked, 0);
}

TEST_F(SessionTest, RenameKeepsThePlaceAndNeverTakesAColourLine) {
    // Category 1 is called "255", the colour of category 0.
    start("Red\r\n255\r\n255\r\n65280\r\nBlue\r\n16711680\r\n", "2006030F09001000eGreen note\r\n");
    questions.texts = {"Green"};
    questions.colours = {32768};
    const Changes changes = session->renameCategory(1);
    EXPECT_TRUE(changes.categories);
    EXPECT_EQ(categoryFile(), "Red\r\n255\r\nGreen\r\n32768\r\nBlue\r\n16711680\r\n");
    EXPECT_EQ(session->categories().name(1), "Green");
    // The note of category 1 keeps its category and takes the new colour.
    ASSERT_EQ(visibleTiles(), 1);
    for (const NoteTile& t : session->grid().tiles) {
        if (t.visible) {
            EXPECT_EQ(t.fillColour, 32768);
        }
    }

    // Cancelling the colour leaves the file as it was; a hidden row does nothing.
    questions.texts = {"Other"};
    session->renameCategory(0);
    session->renameCategory(5);
    EXPECT_EQ(categoryFile(), "Red\r\n255\r\nGreen\r\n32768\r\nBlue\r\n16711680\r\n");
}

TEST_F(SessionTest, DeletingTheOnlyCategoryLeavesAnEmptyFileAndNoRows) {
    start("Only\r\n255\r\n", "");
    session->deleteLastCategory();
    EXPECT_EQ(categoryFile(), "");
    EXPECT_FALSE(session->categoryPanel().rows[0].visible);
}

TEST_F(SessionTest, HidingACategoryInTheDayViewLaysTheGridOutAgain) {
    start(Categories(3), "2006030F09001000eOne\r\n2006030F10001100fTwo\r\n", 1);
    ASSERT_EQ(session->navigation().days(), 1);
    const Changes changes = session->setCategoryShown(1, false);
    EXPECT_TRUE(changes.hours);
    EXPECT_EQ(visibleTiles(), 1);
    questions.texts = {"New"};
    questions.colours = {7};
    EXPECT_TRUE(session->addCategory().hours);
}

TEST_F(SessionTest, WizardOpensSavesAndDeletes) {
    const std::string a = "2006030F09001000dA", b = "2006031010001100eB", c = "2006031111001200fC";
    start(Categories(3), a + "\r\n" + b + "\r\n" + c + "\r\n", 3, " 1 ");

    // The new-note command starts from the calendar's year and the prompt text.
    const WizardForm fresh = session->openWizardForNewNote();
    EXPECT_EQ(fresh.yearText, "2006");
    EXPECT_EQ(fresh.text, "Type your note here");

    // A press at 10:45 in the third column: Friday 17 March, 10:45 to 11:45.
    const WeekView& view = session->grid().view;
    const WizardForm pressed = session->openWizardAt(view.columnLeft(2) + 30, view.timeTop(10, 45));
    EXPECT_EQ(pressed.dayText, "17");
    EXPECT_EQ(pressed.month, 3);
    EXPECT_EQ(pressed.timeTexts, (std::array<std::string, 4>{"10", "45", "11", "45"}));

    // Editing the first note and saving it unchanged moves it to the end.
    std::optional<WizardForm> form = session->openWizardForLine(1);
    ASSERT_TRUE(form);
    WizardResult saved = session->saveWizardNote(WizardNoteLine(*form));
    EXPECT_TRUE(saved.closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + c + "\r\n" + a + "\r\n");
    EXPECT_TRUE(session->wizardClosed().notes);

    // Delete asks first (the option says so); No keeps the wizard open and the note in place.
    ASSERT_TRUE(session->openWizardForLine(2));
    questions.answers = {UserQuestions::Answer::No};
    EXPECT_FALSE(session->deleteWizardNote().closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + c + "\r\n" + a + "\r\n");
    questions.answers = {UserQuestions::Answer::Yes};
    EXPECT_TRUE(session->deleteWizardNote().closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + a + "\r\n");

    // Another program changed the file while the wizard was open: nothing else is deleted or replaced.
    ASSERT_TRUE(session->openWizardForLine(1));
    dir.write("pdnotes/all.txt", a + "\r\n" + b + "\r\n");
    questions.answers = {UserQuestions::Answer::Yes};
    WizardResult stale = session->deleteWizardNote();
    EXPECT_EQ(notesFile(), a + "\r\n" + b + "\r\n");
    EXPECT_EQ(stale.changes.notices.size(), 1u);
    WizardResult staleSave = session->saveWizardNote("2006030F13001400dNew");
    EXPECT_EQ(notesFile(), a + "\r\n" + b + "\r\n2006030F13001400dNew\r\n");
    EXPECT_EQ(staleSave.changes.notices.size(), 1u);

    // A line that is no note opens nothing.
    EXPECT_FALSE(session->openWizardForLine(9));
}

TEST_F(SessionTest, WizardDeleteFollowsTheConfirmationSetting) {
    struct Case {
        std::string setting;
        bool deleted;
        int asked;
    };
    for (const Case& c : {Case{" 0 ", true, 0}, Case{" 2 ", false, 0}, Case{"", true, 0}}) {
        const std::string a = "2006030F09001000dA";
        questions.questionsAsked = 0;
        start(Categories(1), a + "\r\n", 3, c.setting);
        ASSERT_TRUE(session->openWizardForLine(1));
        EXPECT_EQ(session->deleteWizardNote().closeWizard, c.deleted) << c.setting;
        EXPECT_EQ(notesFile(), c.deleted ? "\r\n" : a + "\r\n") << c.setting;
        EXPECT_EQ(questions.questionsAsked, c.asked);
    }
}
