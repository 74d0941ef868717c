#include "settings/Options.h"
#include "support/SessionFixture.h"

using namespace plandeck;
using plandeck::test::SessionFixture;

namespace {

// The session on Monday 7 December 2026, with the options that matter here: the number of days shown and
// line 12, whether a delete asks first.
struct SessionCategoriesTest : SessionFixture {
    void startWith(const std::string& categories, const std::string& notes, int days = 3,
                   const std::string& confirmDelete = " 0 ") {
        MainOptions options;
        options.configuredDays = days;
        std::vector<std::string> lines = TextLines(FormatMainOptions(options)).toStrings();
        lines[11] = confirmDelete;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
        dir.write("pdfiles/category.txt", categories);
        start(notes);
    }
    int visibleTiles() const {
        return static_cast<int>(std::count_if(tiles().begin(), tiles().end(), [](auto& t) { return t.visible; }));
    }
    std::string categoryFile() const { return dir.read("pdfiles/category.txt"); }
    std::size_t questionsAsked() const { return questions.asked.size(); }
};

std::string Categories(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "cat" + std::to_string(i) + "\r\n" + std::to_string(1000 + i) + "\r\n";
    return out;
}

} // namespace

TEST_F(SessionCategoriesTest, PanelCommands) {
    startWith(Categories(8), "2026120709001000gCategory three\r\n");
    ASSERT_EQ(visibleTiles(), 1);

    // Scrolled to 2, row 1 is category 3: hiding it hides its note, ticking it shows it again.
    session->scrollCategories(2);
    EXPECT_EQ(session->categoryPanel().rows[0].caption, "cat2");
    EXPECT_TRUE(session->setCategoryShown(1, false).notes);
    EXPECT_EQ(visibleTiles(), 0);
    EXPECT_EQ(session->categories().shown(3), "0");
    session->setCategoryShown(1, true);
    EXPECT_EQ(visibleTiles(), 1);

    // Add asks for a name (the box opens empty) and a colour; the picker opens on the colour chosen last, a
    // light one the first time.
    questions.texts = {"Sport"};
    questions.colours = {255};
    EXPECT_TRUE(session->addCategory().categories);
    EXPECT_EQ(session->categoryPanel().first, 0);
    EXPECT_EQ(categoryFile(), Categories(8) + "Sport\r\n255\r\n");
    EXPECT_EQ(questions.asked.back().text, "Name of the category:");
    questions.texts = {"Music"};
    session->addCategory(); // the colour picker is cancelled
    questions.texts = {""};
    session->addCategory(); // an empty name ends at once
    EXPECT_EQ(questions.colourOpenedOn, (std::vector<long>{0xF0D8B0, 255}));
    EXPECT_EQ(questions.textOpenedOn, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(categoryFile(), Categories(8) + "Sport\r\n255\r\n");

    // Delete drops the last category without a question and shows the panel from the top.
    const std::size_t asked = questionsAsked();
    session->scrollCategories(3);
    session->deleteLastCategory();
    EXPECT_EQ(categoryFile(), Categories(8));
    EXPECT_EQ(session->categoryPanel().first, 0);
    EXPECT_EQ(questionsAsked(), asked);
}

TEST_F(SessionCategoriesTest, RenameKeepsThePlaceAndNeverTakesAColourLine) {
    // Category 1 is called "255", the colour of category 0.
    startWith("Red\r\n255\r\n255\r\n65280\r\nBlue\r\n16711680\r\n", "2026120709001000eGreen note\r\n");
    questions.texts = {"Green"};
    questions.colours = {32768};
    EXPECT_TRUE(session->renameCategory(1).categories);
    EXPECT_EQ(categoryFile(), "Red\r\n255\r\nGreen\r\n32768\r\nBlue\r\n16711680\r\n");
    EXPECT_EQ(session->categories().name(1), "Green");
    // The note of category 1 keeps its category and takes the new colour.
    ASSERT_EQ(visibleTiles(), 1);
    for (const NoteTile& t : tiles()) {
        if (t.visible) {
            EXPECT_EQ(t.fillColour, 32768);
        }
    }
    // The name box opened on the current name, the picker on the category's colour.
    EXPECT_EQ(questions.textOpenedOn.back(), "255");
    EXPECT_EQ(questions.colourOpenedOn.back(), 65280);
    // Cancelling the colour keeps the new name and the old colour; a hidden row does nothing.
    questions.texts = {"Other"};
    session->renameCategory(0);
    EXPECT_EQ(questions.colourOpenedOn.back(), 255);
    session->renameCategory(5);
    EXPECT_EQ(categoryFile(), "Other\r\n255\r\nGreen\r\n32768\r\nBlue\r\n16711680\r\n");
    // An emptied name or a cancelled name box changes nothing.
    questions.texts = {"", std::nullopt};
    session->renameCategory(0);
    session->renameCategory(0);
    EXPECT_EQ(categoryFile(), "Other\r\n255\r\nGreen\r\n32768\r\nBlue\r\n16711680\r\n");
}

TEST_F(SessionCategoriesTest, DeletingTheOnlyCategoryLeavesAnEmptyFileAndNoRows) {
    startWith("Only\r\n255\r\n", "");
    session->deleteLastCategory();
    EXPECT_EQ(categoryFile(), "");
    EXPECT_FALSE(session->categoryPanel().rows[0].visible);
}

TEST_F(SessionCategoriesTest, TheDayViewLaysTheGridOutAgain) {
    startWith(Categories(3), "2026120709001000eOne\r\n2026120710001100fTwo\r\n", 1);
    ASSERT_EQ(session->navigation().days(), 1);
    EXPECT_TRUE(session->setCategoryShown(1, false).hours);
    EXPECT_EQ(visibleTiles(), 1);
    questions.texts = {"New"};
    questions.colours = {7};
    EXPECT_TRUE(session->addCategory().hours);
}

TEST_F(SessionCategoriesTest, WizardOpensSavesAndDeletes) {
    const std::string a = "2026120709001000dA", b = "2026120810001100eB", c = "2026120911001200fC";
    startWith(Categories(3), a + "\r\n" + b + "\r\n" + c + "\r\n", 3, " 1 ");

    // The new-note command starts from the calendar's year and the prompt text.
    const WizardForm fresh = session->openWizardForNewNote();
    EXPECT_EQ(fresh.yearText, "2026");
    EXPECT_EQ(fresh.text, "Type your note here");

    // A press at 10:45 in the third column: Wednesday 9 December, 10:45 to 11:45.
    const WeekView& view = session->grid().view;
    const WizardForm pressed = session->openWizardAt(view.columnLeft(2) + 30, view.timeTop(10, 45));
    EXPECT_EQ(pressed.dayText, "9");
    EXPECT_EQ(pressed.month, 12);
    EXPECT_EQ(pressed.timeTexts, (std::array<std::string, 4>{"10", "45", "11", "45"}));

    // Editing the first note and saving it unchanged moves it to the end.
    std::optional<WizardForm> form = session->openWizardForLine(1);
    ASSERT_TRUE(form);
    EXPECT_TRUE(session->saveWizardNote(WizardNoteLine(*form)).closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + c + "\r\n" + a + "\r\n");
    EXPECT_TRUE(session->wizardClosed().notes);

    // Delete asks first (the option says so); No keeps the wizard open and the note in place.
    ASSERT_TRUE(session->openWizardForLine(2));
    questions.answers = {UserQuestions::Answer::No};
    EXPECT_FALSE(session->deleteWizardNote().closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + c + "\r\n" + a + "\r\n");
    EXPECT_EQ(questions.asked.back().text, "Delete this note?");
    questions.answers = {UserQuestions::Answer::Yes};
    EXPECT_TRUE(session->deleteWizardNote().closeWizard);
    EXPECT_EQ(notesFile(), b + "\r\n" + a + "\r\n");

    // Another program moved the note while the wizard was open: the wizard's Delete still takes that note.
    ASSERT_TRUE(session->openWizardForLine(1));
    dir.write("pdnotes/all.txt", a + "\r\n" + b + "\r\n");
    questions.answers = {UserQuestions::Answer::Yes};
    EXPECT_TRUE(session->deleteWizardNote().closeWizard);
    EXPECT_EQ(notesFile(), a + "\r\n");
    // The note the wizard edits is gone: Save is refused, the wizard stays open and nothing else is replaced.
    ASSERT_TRUE(session->openWizardForLine(1));
    dir.write("pdnotes/all.txt", "2026120709001000dA, changed\r\n");
    const WizardResult staleSave = session->saveWizardNote("2026120713001400dNew");
    EXPECT_FALSE(staleSave.closeWizard);
    EXPECT_EQ(staleSave.changes.failures.size(), 1u);
    EXPECT_EQ(notesFile(), "2026120709001000dA, changed\r\n");

    // A line that holds no note opens nothing.
    EXPECT_FALSE(session->openWizardForLine(9));
}

TEST_F(SessionCategoriesTest, WizardDeleteFollowsTheConfirmationSetting) {
    struct Case {
        std::string setting;
        bool deleted;
    };
    for (const Case& c : {Case{" 0 ", true}, Case{" 2 ", false}, Case{"", true}}) {
        SCOPED_TRACE("line 12: '" + c.setting + "'");
        const std::string a = "2026120709001000dA";
        startWith(Categories(1), a + "\r\n", 3, c.setting);
        const std::size_t asked = questionsAsked();
        ASSERT_TRUE(session->openWizardForLine(1));
        EXPECT_EQ(session->deleteWizardNote().closeWizard, c.deleted);
        EXPECT_EQ(notesFile(), c.deleted ? "\r\n" : a + "\r\n");
        EXPECT_EQ(questionsAsked(), asked);
    }
}
