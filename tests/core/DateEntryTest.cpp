#include "calendar/DateEntry.h"
#include "calendar/Navigation.h"

#include "base/TextFile.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

LanguageTable Shipped(const std::string& file) {
    return LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/" + file);
}

} // namespace

// What a user types in the go-to-date box, in both shipped languages: the date taken, or why not.
TEST(DateEntry, TypedDates) {
    const LanguageTable english = Shipped("English.lng");
    const LanguageTable russian = Shipped("Russian.lng");
    using E = DateEntryError;
    struct Case {
        const LanguageTable& language;
        std::string typed;
        std::optional<Date> date;
        E error = E::None;
    };
    const Date dec8{2026, 12, 8};
    const Case cases[] = {
        {english, "8.12.2026", dec8},
        {english, " 08/12/2026 ", dec8},
        {english, "8-12-26", dec8},
        {english, "8 Dec 2026", dec8},
        {english, "8 DECEMBER 2026", dec8},
        {english, "8 dec.", dec8}, // the shown year
        {english, "Dec 8, 2026", dec8},
        {english, "8 sept 2027", Date{2027, 9, 8}},
        {english, "2026-12-08", dec8},
        {english, "8 12", dec8},
        {english, "29.2.2028", Date{2028, 2, 29}},
        {russian, "8 декабря 2026", dec8},
        {russian, "8 ДЕКАБРЯ 2026", dec8},
        {russian, "8 Декабрь 2026", dec8},
        {russian, "8 дек 2026", dec8},
        {russian, "1 мая", Date{2026, 5, 1}},
        {russian, "8 Dec 2026", dec8}, // the English names are understood in every language
        {english, "", std::nullopt, E::Empty},
        {english, "  ", std::nullopt, E::Empty},
        {english, "tomorrow", std::nullopt, E::NotADate},
        {english, "12:30", std::nullopt, E::NotADate},
        {english, "8.12.2026.5", std::nullopt, E::NotADate},
        {english, "8 Dec Dec", std::nullopt, E::NotADate},
        {english, "8 Smarch 2026", std::nullopt, E::UnknownMonth},
        {english, "8 ma 2026", std::nullopt, E::UnknownMonth}, // March or May
        {english, "8 mar 2026", Date{2026, 3, 8}},
        {english, "8 декабря 2026", std::nullopt, E::UnknownMonth}, // a name of another language
        {english, "29.2.2027", std::nullopt, E::NoSuchDay},
        {english, "31 Apr 2026", std::nullopt, E::NoSuchDay},
        {english, "8.13.2026", std::nullopt, E::NoSuchDay},
        {english, "0.12.2026", std::nullopt, E::NoSuchDay},
        {english, "2026-02-30", std::nullopt, E::NoSuchDay},
        {english, "8.12.999", std::nullopt, E::YearOutOfRange},
        {english, "8.12.20266", std::nullopt, E::YearOutOfRange},
        {english, "99999999999.12.2026", std::nullopt, E::NoSuchDay},
    };
    for (const Case& c : cases) {
        const DateEntry got = ParseDateEntry(c.typed, c.language, 2026);
        EXPECT_EQ(got.date, c.date) << c.typed;
        EXPECT_EQ(got.error, c.error) << c.typed;
    }
}

// A date gone to is shown as a click on it in the month calendar shows it: the first column in the day and
// N-day views, its week from Monday in the week view, with the calendar on its month.
TEST(DateEntry, GoingToADateShowsItAsTheCalendarClickDoes) {
    const LanguageTable language;
    Navigation nav(language, 3);
    nav.GoToToday(TodayStamp{Date{2026, 12, 7}, 10, 0});
    nav.GoToDate(Date{2027, 3, 31});
    EXPECT_EQ(ColumnDate(nav.columns()[0]), (Date{2027, 3, 31}));
    EXPECT_EQ(ColumnDate(nav.columns()[1]), (Date{2027, 4, 1}));
    EXPECT_EQ(nav.grid().month(), 3);
    EXPECT_EQ(nav.days(), 3);

    nav.ShowWeek(TodayStamp{Date{2026, 12, 7}, 10, 0});
    nav.GoToDate(Date{2027, 1, 1}); // a Friday whose Monday lies in December
    EXPECT_EQ(ColumnDate(nav.columns()[0]), (Date{2026, 12, 28}));
    EXPECT_EQ(nav.grid().month(), 1);
    EXPECT_EQ(nav.grid().year(), 2027);
    EXPECT_EQ(nav.days(), 7);
}
