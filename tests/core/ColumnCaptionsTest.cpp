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
