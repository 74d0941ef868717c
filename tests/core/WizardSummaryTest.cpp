#include "editing/WizardSummary.h"
#include "editing/CategoryTable.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

LanguageTable Shipped(const std::string& file) {
    return LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/" + file);
}

// A form from the parts a test names: the year ("" ticks every year), the month (0 ticks every month), and
// the day: a number, "weekly" with the mask of ticked weekdays, or "daily".
WizardForm Form(std::string year, int month, std::string day, int weekdays = 0) {
    WizardForm form = NewWizardForm(2026, "");
    form.everyYear = year.empty();
    if (!year.empty())
        form.yearText = year;
    form.everyMonth = month == 0;
    form.month = month;
    if (day == "weekly") {
        form.dayChoice = DayChoice::Weekly;
        form.weekdays = WeekdayBoxes(weekdays);
    } else if (day == "daily") {
        form.dayChoice = DayChoice::EveryDay;
    } else {
        form.dayText = day;
    }
    return form;
}

} // namespace

TEST(WizardSummary, OneSentenceForEveryWayANoteRepeats) {
    const LanguageTable english = Shipped("English.lng");
    const LanguageTable russian = Shipped("Russian.lng");
    constexpr int TuesdayThursday = 2 | 8;
    struct Case {
        WizardForm form;
        std::string english;
        std::string russian;
    };
    const Case cases[] = {
        {Form("2026", 3, "5"), "Once, on 5 March 2026", "Один раз: 5 марта 2026 года"},
        {Form("", 3, "5"), "Every year on 5 March", "Каждый год 5 марта"},
        {Form("2026", 0, "31"), "On day 31 of every month, in 2026 only",
         "31 числа каждого месяца, только в 2026 году"},
        {Form("", 0, "1"), "On day 1 of every month", "1 числа каждого месяца"},
        {Form("2026", 5, "weekly", TuesdayThursday), "Every Tuesday and Thursday in May 2026",
         "По вторникам и четвергам в течение мая 2026 года"},
        {Form("", 8, "weekly", 1), "Every Monday in August, every year",
         "По понедельникам в течение августа, каждый год"},
        {Form("2026", 0, "weekly", TuesdayThursday), "Every Tuesday and Thursday of every month, in 2026 only",
         "По вторникам и четвергам каждого месяца, только в 2026 году"},
        {Form("", 0, "weekly", 1 | 4 | 16 | 64), "Every Monday, Wednesday, Friday and Sunday",
         "Каждую неделю по понедельникам, средам, пятницам и воскресеньям"},
        {Form("2027", 12, "daily"), "Every day in December 2027", "Каждый день в течение декабря 2027 года"},
        {Form("", 1, "daily"), "Every day in January, every year", "Каждый день в течение января, каждый год"},
        {Form("2026", 0, "daily"), "Every day, in 2026 only", "Каждый день, только в 2026 году"},
        {Form("", 0, "daily"), "Every day", "Каждый день"},
        // What is not chosen yet, or not valid, shows as missing.
        {Form("2026", 4, "31"), "Once, on … April 2026", "Один раз: … апреля 2026 года"},
        {Form("20x6", 0, "weekly", 0), "Every … of every month, in … only", "По … каждого месяца, только в … году"},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(WizardSummary(c.form, english), c.english);
        EXPECT_EQ(WizardSummary(c.form, russian), c.russian);
    }
    // A new form has no month yet.
    EXPECT_EQ(WizardSummary(NewWizardForm(2026, "prompt"), english), "Once, on 1 … 2026");
}

TEST(WizardForm, WeeklyOrDailyRepeatsEveryYearAndMonthUnlessTheyWereChosen) {
    struct Case {
        const char* name;
        bool yearTouched;
        bool monthTouched;
        DayChoice choice;
        bool repeats;
    };
    for (const Case& c : {Case{"weekly, untouched", false, false, DayChoice::Weekly, true},
                          Case{"every day, untouched", false, false, DayChoice::EveryDay, true},
                          Case{"one day, untouched", false, false, DayChoice::DayOfMonth, false},
                          Case{"weekly, year chosen", true, false, DayChoice::Weekly, false},
                          Case{"weekly, month chosen", false, true, DayChoice::Weekly, false}}) {
        SCOPED_TRACE(c.name);
        WizardForm form = Form("2026", 3, "5");
        form.yearTouched = c.yearTouched;
        form.monthTouched = c.monthTouched;
        ChooseDay(form, c.choice);
        EXPECT_EQ(form.dayChoice, c.choice);
        EXPECT_EQ(form.everyYear, c.repeats);
        EXPECT_EQ(form.everyMonth, c.repeats);
        // The stored line keeps its form: only the repeating fields change.
        form.weekdays = WeekdayBoxes(2);
        form.category = 0;
        EXPECT_EQ(WizardNoteLine(form).size(), 17u);
    }
    // A stored note's year and month were the user's choice.
    const WizardForm edited = WizardFormFromNote("2026030508001600dx", CategoryTable());
    EXPECT_TRUE(edited.yearTouched && edited.monthTouched);
}
