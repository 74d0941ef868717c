#include "editing/WizardForm.h"
#include "editing/CategoryTable.h"
#include "editing/NewNoteAt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

const std::string Prompt = "Type your note here";

// A form that passes every step: 16 March 2006, 9:00 to 10:00, category 0, text "x".
WizardForm ValidForm() {
    WizardForm form = NewWizardForm(2006, Prompt);
    form.month = 3;
    form.dayText = "16";
    form.timeTexts = {"9", "00", "10", "00"};
    form.category = 0;
    form.text = "x";
    return form;
}

std::string Validity(const WizardCheck& check) {
    std::string out;
    for (bool v : check.valid)
        out += v ? '1' : '0';
    return out;
}

} // namespace

TEST(WizardForm, NewFormShowsMonthCategoryAndTextUnfinished) {
    WizardForm form = NewWizardForm(2026, Prompt);
    WizardCheck check = CheckWizardSteps(form, Prompt);
    EXPECT_EQ(Validity(check), "101100");
    EXPECT_FALSE(check.canSave());
    EXPECT_EQ(check.markedDayCell, 0); // the designed day "1"

    form.month = 12;
    form.category = 4;
    form.text.clear(); // the first key empties the prompt; an empty text is a finished text
    check = CheckWizardSteps(form, Prompt);
    EXPECT_EQ(Validity(check), "111111");
    EXPECT_TRUE(check.canSave());
}

TEST(WizardForm, TimeStepNeedsWholeTimesFromSixAndAnEndAfterTheStart) {
    struct Case {
        std::array<std::string, 4> times;
        bool valid;
    };
    for (const Case& c : {Case{{"16", "30", "16", "30"}, false}, Case{{"16", "30", "16", "31"}, true},
                          Case{{"16", "30", "15", "59"}, false}, Case{{"5", "00", "9", "00"}, false},
                          Case{{"6", "00", "23", "59"}, true}, Case{{"8", "00", "24", "00"}, false},
                          Case{{"8", "60", "9", "00"}, false}, Case{{"08", "5", "9", "00"}, true},
                          // Texts that would shift the fixed-width fields of the note line.
                          Case{{"8", "7.5", "9", "00"}, false}, Case{{"8a", "00", "9", "00"}, false},
                          Case{{"8", "00", " 9", "00"}, false}, Case{{"8", "", "9", "00"}, false}}) {
        WizardForm form = ValidForm();
        form.timeTexts = c.times;
        SCOPED_TRACE(c.times[0] + ":" + c.times[1] + "-" + c.times[2] + ":" + c.times[3]);
        EXPECT_EQ(CheckWizardSteps(form, Prompt).isValid(WizardStep::Time), c.valid);
    }
}

TEST(WizardForm, YearAndDaySteps) {
    struct Case {
        const char* name;
        std::string year;
        bool everyYear;
        int month;
        bool everyMonth;
        DayChoice choice;
        std::string day;
        int mask;
        bool yearValid, dayValid;
    };
    const Case cases[] = {
        {"plain date", "2006", false, 3, false, DayChoice::DayOfMonth, "31", 0, true, true},
        {"31 April", "2006", false, 4, false, DayChoice::DayOfMonth, "31", 0, true, false},
        {"30 February", "2006", false, 2, false, DayChoice::DayOfMonth, "30", 0, true, false},
        {"29 February, leap year", "2024", false, 2, false, DayChoice::DayOfMonth, "29", 0, true, true},
        {"29 February, other year", "2023", false, 2, false, DayChoice::DayOfMonth, "29", 0, true, false},
        {"29 February, every year", "2023", true, 2, false, DayChoice::DayOfMonth, "29", 0, true, true},
        {"31st of every month", "2006", false, 0, true, DayChoice::DayOfMonth, "31", 0, true, true},
        {"day 0", "2006", false, 3, false, DayChoice::DayOfMonth, "0", 0, true, false},
        {"day 32", "2006", false, 0, true, DayChoice::DayOfMonth, "32", 0, true, false},
        {"weekly, no day", "2006", false, 3, false, DayChoice::Weekly, "99", 0, true, false},
        {"weekly, Sunday", "2006", false, 3, false, DayChoice::Weekly, "99", 64, true, true},
        {"every day", "2006", false, 3, false, DayChoice::EveryDay, "", 0, true, true},
        {"year 1000", "1000", false, 3, false, DayChoice::DayOfMonth, "1", 0, false, true},
        {"year 2999", "2999", false, 3, false, DayChoice::DayOfMonth, "1", 0, true, true},
        {"year 3000", "3000", false, 3, false, DayChoice::DayOfMonth, "1", 0, false, true},
        {"year with letters", "2006x", false, 3, false, DayChoice::DayOfMonth, "1", 0, false, true},
        {"year 20.5", "20.5", false, 3, false, DayChoice::DayOfMonth, "1", 0, false, true},
        {"every year, text cleared", "", true, 3, false, DayChoice::DayOfMonth, "1", 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardForm form = ValidForm();
        form.yearText = c.year;
        form.everyYear = c.everyYear;
        form.month = c.month;
        form.everyMonth = c.everyMonth;
        form.dayChoice = c.choice;
        form.dayText = c.day;
        form.weekdays = WeekdayBoxes(c.mask);
        const WizardCheck check = CheckWizardSteps(form, Prompt);
        EXPECT_EQ(check.isValid(WizardStep::Year), c.yearValid);
        EXPECT_EQ(check.isValid(WizardStep::Day), c.dayValid);
    }
}

TEST(WizardForm, NoteLines) {
    struct Case {
        const char* name;
        WizardForm form;
        std::string line;
    };
    auto with = [](auto change) {
        WizardForm f = ValidForm();
        change(f);
        return f;
    };
    const Case cases[] = {
        {"day 25", with([](WizardForm& f) { f.dayText = "25"; }), "2006031909001000dx"},
        {"day 9", with([](WizardForm& f) { f.dayText = "9"; }), "2006030909001000dx"},
        {"Monday and Wednesday", with([](WizardForm& f) {
             f.dayChoice = DayChoice::Weekly;
             f.weekdays = {true, false, true, false, false, false, false};
         }),
         "2006032409001000dx"},
        {"every year, month and day", with([](WizardForm& f) {
             f.everyYear = true;
             f.everyMonth = true;
             f.dayChoice = DayChoice::EveryDay;
         }),
         "yyyyyyyy09001000dx"},
        {"category 7 and a pasted line break", with([](WizardForm& f) {
             f.category = 7;
             f.text = "two\r\nlines\n";
         }),
         "2006031009001000ktwo  lines "},
        {"short time texts", with([](WizardForm& f) {
             f.timeTexts = {"8", "5", "9", "07"};
         }),
         "2006031008050907dx"},
        {"December, category 100", with([](WizardForm& f) {
             f.month = 12;
             f.category = 100;
         }),
         "2006121009001000\xC8x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(CheckWizardSteps(c.form, Prompt).canSave());
        EXPECT_EQ(WizardNoteLine(c.form), c.line);
    }
}

TEST(WizardForm, EditingANoteAndSavingItUnchangedGivesTheSameLine) {
    test::TempDir dir;
    CategoryTable categories;
    categories.LoadCategories(dir.write("c.txt", "a\r\n1\r\nb\r\n2\r\n\r\n3\r\nd\r\n4\r\n"), 0);
    for (const std::string line :
         {"2005071F09301100dMeeting", "yyyyyyyy08001000eDaily stand-up", "2006yy2410051130gMon and Wed",
          "yyyy12yy06002359e", "2006029E22002359dEvery weekday"}) {
        SCOPED_TRACE(line);
        WizardForm form = WizardFormFromNote(line, categories);
        ActivateForm(form);
        EXPECT_EQ(WizardNoteLine(form), line);
    }
    // Monday and Wednesday tick exactly boxes 0 and 2.
    EXPECT_EQ(WizardFormFromNote("2006yy2410051130gx", categories).weekdays,
              (std::array<bool, 7>{true, false, true, false, false, false, false}));
    // Category 2 has no name, so the wizard cannot show it as chosen; 3 comes after the gap but keeps its index.
    EXPECT_EQ(WizardFormFromNote("2006010110001100fx", categories).category, -1);
    EXPECT_EQ(WizardFormFromNote("2006010110001100gx", categories).category, 3);
    EXPECT_EQ(WizardFormFromNote("2006010110001100\xFFx", categories).category, -1);
}

TEST(WizardForm, ActivationBringsBoxesAndSpinnersTogether) {
    struct Case {
        std::array<std::string, 4> typed;
        std::array<std::string, 4> shown;
    };
    for (const Case& c :
         {Case{{"8", "00", "16", "00"}, {"8", "00", "16", "00"}}, Case{{"5", "7", "16", "75"}, {"6", "07", "16", "59"}},
          Case{{"9", "0", "24", "abc"}, {"9", "00", "23", "00"}},
          Case{{"10", "45", "11", "45"}, {"10", "45", "11", "45"}}}) {
        WizardForm form = NewWizardForm(2006, Prompt);
        form.timeTexts = c.typed;
        ActivateForm(form);
        EXPECT_EQ(form.timeTexts, c.shown) << c.typed[0] << ":" << c.typed[1] << "-" << c.typed[2] << ":" << c.typed[3];
    }
    WizardForm form = NewWizardForm(2006, Prompt);
    MoveSpinner(form, Spinner::StartHour, 3);
    EXPECT_EQ(form.timeTexts[0], "6");
    MoveSpinner(form, Spinner::EndMinute, 5);
    EXPECT_EQ(form.timeTexts[3], "05");
    MoveSpinner(form, Spinner::Year, 2007);
    EXPECT_EQ(form.yearText, "2007");
}

TEST(NewNoteAt, TimeAndColumnUnderThePoint) {
    // Three columns, 8:00 to 20:00, on the design-size grid.
    const WeekView view = WeekView::Compute(708, 443, 3, 8, 20);
    const double third = view.columnLeft(2) + view.columnWidth / 2;
    struct Case {
        const char* name;
        double x, y;
        GridPressTime time;
    };
    const Case cases[] = {
        {"10:45, third column", third, view.timeTop(10, 45), {2, 10, 45, 11, 45}},
        {"a fraction of a minute", third, view.timeTop(10, 45) + view.hourHeight / 150, {2, 10, 45, 11, 45}},
        {"just before the hour", third, view.timeTop(10, 59) + view.hourHeight * 0.9 / 60, {2, 11, 0, 12, 0}},
        {"above the grid", view.gridLeft + 1, view.gridTop - 50, {0, 6, 0, 7, 0}},
        {"19:30", third, view.timeTop(19, 30), {2, 19, 30, 20, 30}},
        {"below the grid", view.gridRight - 1, view.gridBottom + 100, {2, 20, 13, 21, 13}},
        {"left of the columns", 0, view.timeTop(9, 0) + 1, {0, 9, 0, 10, 0}},
        {"right of the columns", view.gridRight + 500, view.timeTop(9, 0) + 1, {2, 9, 0, 10, 0}},
        {"on a column line", view.columnLeft(1), view.timeTop(9, 0) + 1, {0, 9, 0, 10, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NewNoteAt(view, c.x, c.y), c.time);
    }
    // Late hours: a start at 23 (or past the last row) ends at 23:59.
    const WeekView late = WeekView::Compute(708, 443, 1, 18, 24);
    EXPECT_EQ(NewNoteAt(late, 2000, late.timeTop(23, 40)), (GridPressTime{0, 23, 0, 23, 59}));
    EXPECT_EQ(NewNoteAt(late, 2000, late.timeTop(22, 30)), (GridPressTime{0, 22, 30, 23, 30}));
    EXPECT_EQ(NewNoteAt(late, 2000, late.gridBottom + 40), (GridPressTime{0, 23, 0, 23, 59}));
}

TEST(NewNoteAt, StartSnapsDownToTheStepAsADropDoes) {
    const WeekView view = WeekView::Compute(708, 443, 3, 8, 20);
    struct Case {
        int hour, minute, snap;
        GridPressTime time;
    };
    const Case cases[] = {
        {14, 9, 15, {0, 14, 0, 15, 0}},   {14, 9, 0, {0, 14, 9, 15, 9}},     {14, 9, 1, {0, 14, 9, 15, 9}},
        {16, 52, 5, {0, 16, 50, 17, 50}}, {16, 45, 15, {0, 16, 45, 17, 45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.snap);
        EXPECT_EQ(NewNoteAt(view, view.gridLeft + 10, view.timeTop(c.hour, c.minute) + 1, c.snap), c.time);
    }
}

TEST(NewNoteAt, FormStartsFromTheColumnDate) {
    const WizardForm form = WizardFormAt({2, 10, 45, 11, 45}, DayColumn{"9", "12", "2026", "Wed", 3}, Prompt);
    EXPECT_EQ(form.month, 12);
    EXPECT_EQ(form.dayText, "9");
    EXPECT_EQ(form.yearText, "2026");
    EXPECT_EQ(form.timeTexts, (std::array<std::string, 4>{"10", "45", "11", "45"}));
    EXPECT_EQ(Validity(CheckWizardSteps(form, Prompt)), "111100");
}
