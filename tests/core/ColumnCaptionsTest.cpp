#include "calendar/DayColumns.h"

#include <gtest/gtest.h>

using namespace plandeck;

TEST(ColumnCaptions, RangeNamesEachMonthAndYearOnce) {
    LanguageTable language = LanguageTable::FromBytes(
        std::string(42, '\n') +
        "January\nFebruary\nMarch\nApril\nMay\nJune\nJuly\nAugust\nSeptember\nOctober\n"
        "November\nDecember\n" +
        std::string(112 - 54, '\n') + "Jan\nFeb\nMar\nApr\nMay\nJun\nJul\nAug\nSep\nOct\nNov\nDec\n");
    auto from = [&](int y, int m, int d) {
        DayColumns cols{};
        cols[0] = DayColumnFromDate(Date{y, m, d});
        plandeck::FillColumnDates(cols, language);
        return cols;
    };
    EXPECT_EQ(ShownRangeCaption(from(2026, 12, 7), 7, language), "7 \u2013 13 Dec 2026");
    EXPECT_EQ(ShownRangeCaption(from(2026, 12, 9), 1, language), "9 Dec 2026");
    EXPECT_EQ(ShownRangeCaption(from(2026, 11, 29), 3, language), "29 Nov \u2013 1 Dec 2026");
    EXPECT_EQ(ShownRangeCaption(from(2026, 12, 28), 8, language), "28 Dec 2026 \u2013 4 Jan 2027");

    DayColumn monday = from(2026, 12, 7)[0];
    monday.weekdayName = "Mon";
    EXPECT_EQ(DayHeader(monday, "Dec"), "Mon, 7 Dec");
}

// The weeks of the shown days, in both shipped languages, across a week's end and a year's.
TEST(ColumnCaptions, WeeksOfTheShownDays) {
    struct Case {
        Date first;
        int days;
        const char* english;
        const char* russian;
    };
    const LanguageTable english = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng");
    const LanguageTable russian = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/Russian.lng");
    for (const Case& c :
         {Case{{2026, 12, 7}, 7, "Week 50", "Неделя 50"}, Case{{2026, 12, 13}, 1, "Week 50", "Неделя 50"},
          Case{{2026, 12, 13}, 3, "Weeks 50\u201351", "Недели 50\u201351"},
          Case{{2026, 12, 14}, 8, "Weeks 51\u201352", "Недели 51\u201352"},
          Case{{2026, 12, 31}, 5, "Weeks 53\u20131", "Недели 53\u20131"},
          Case{{2025, 12, 29}, 7, "Week 1", "Неделя 1"}}) {
        DayColumns cols{};
        cols[0] = DayColumnFromDate(c.first);
        FillColumnDates(cols, english);
        EXPECT_EQ(ShownWeeksCaption(cols, c.days, english), c.english) << c.first.day << '.' << c.first.month;
        EXPECT_EQ(ShownWeeksCaption(cols, c.days, russian), c.russian) << c.first.day << '.' << c.first.month;
    }
}
