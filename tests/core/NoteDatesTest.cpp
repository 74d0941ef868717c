#include "calendar/CalendarMath.h"
#include "calendar/DayColumns.h"
#include "notes/Agenda.h"
#include "notes/Note.h"
#include "notes/NotesIndex.h"
#include "notes/WeekRefresh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <tuple>

using namespace plandeck;

TEST(FallsOn, TheDateRuleOfEveryKindOfNote) {
    struct Case {
        const char* line;
        Date date;
        bool falls;
    };
    const Case cases[] = {
        {"2005071F09301100dMeeting", {2005, 7, 31}, true},
        {"2005071F09301100dMeeting", {2005, 8, 31}, false},
        {"2005071F09301100dMeeting", {2006, 7, 31}, false},
        {"yyyyyyyy08001000eDaily stand-up", {1999, 12, 31}, true},
        {"yyyyyy0C09001000dTwelfth of every month", {2026, 2, 12}, true},
        {"yyyyyy0c09001000dLower-case hexadecimal digits", {2026, 2, 12}, true},
        {"yyyy0C0C09001000dYearly, the month is decimal", {2026, 12, 12}, false},
        {"2026yy0109001000dFirst of every month of 2026", {2026, 5, 1}, true},
        {"2026yy0109001000dFirst of every month of 2026", {2027, 5, 1}, false},
        {"202612yy09001000dEvery day of December 2026", {2026, 12, 24}, true},
        // Mask 5: Monday and Wednesday. 7 December 2026 is a Monday.
        {"yyyyyy2409001000dMon and Wed", {2026, 12, 7}, true},
        {"yyyyyy2409001000dMon and Wed", {2026, 12, 8}, false},
        {"yyyyyy2409001000dMon and Wed", {2026, 12, 9}, true},
        {"yyyyyy9E09001000dEvery weekday of the mask", {2026, 12, 13}, true},
        // Day 0 and codes above the last weekly one fall on no date.
        {"yyyyyy0009001000dDay 0", {2026, 12, 7}, false},
        {"yyyyyy9F09001000dCode 159", {2026, 12, 7}, false},
        {"yyyyyyFF09001000dCode 255", {2026, 12, 13}, false},
        // A year or month the columns could never show: "0999" is no year's text, "7 " no month's.
        {"0999yyyy09001000d", {999, 1, 1}, false},
        {"20267 yy09001000d", {2026, 7, 1}, false},
        {"2026 7yy09001000d", {2026, 7, 1}, false},
        {"YYYYyyyy09001000dUpper-case is no wildcard", {2026, 7, 1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FallsOn(NoteHeader(c.line), c.date), c.falls) << c.line;

    // A day the month never has is never a date: 30 February in eight years that hold a leap year.
    EXPECT_TRUE(DatesInRange(NoteHeader("yyyy021E09001000d"), {2024, 1, 1}, 8 * 366).empty());
    const std::vector<Date> leap = DatesInRange(NoteHeader("yyyy021D09001000d"), {2023, 1, 1}, 3 * 366);
    ASSERT_EQ(leap.size(), 1u);
    EXPECT_EQ(leap[0], (Date{2024, 2, 29}));
}

namespace {

// Random header fields: mostly values that name the shown dates (so that notes land in columns), the rest
// anything a hand-edited file may hold. No line ends: a line never holds one.
struct LineMaker {
    std::mt19937 rng;

    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    char anyByte() {
        char c;
        do
            c = static_cast<char>(below(256));
        while (c == '\r' || c == '\n');
        return c;
    }
    std::string bytes(int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += anyByte();
        return s;
    }
    std::string format(const char* pattern, int value) {
        char text[16];
        std::snprintf(text, sizeof text, pattern, value);
        return text;
    }
    // A field with one character replaced by a random one.
    std::string spoilt(std::string field) {
        field[static_cast<std::size_t>(below(static_cast<int>(field.size())))] = anyByte();
        return field;
    }

    std::string year(const Date& a, const Date& b) {
        switch (below(9)) {
        case 0:
        case 1:
            return "yyyy";
        case 2:
        case 3:
            return std::to_string(a.year);
        case 4:
            return std::to_string(b.year);
        case 5:
            return format("%04d", below(10000));
        case 6:
            return spoilt(std::to_string(b.year));
        case 7:
            return format("%04d", a.year); // "0999" for 999
        default:
            return bytes(4);
        }
    }
    std::string month(const Date& a, const Date& b) {
        switch (below(10)) {
        case 0:
        case 1:
            return "yy";
        case 2:
        case 3:
            return format("%02d", a.month);
        case 4:
            return format("%02d", b.month);
        case 5:
            return format("%02d", below(100));
        case 6:
            return std::string(1, '0') + anyByte();
        case 7:
            return a.month < 10 ? std::to_string(a.month) + anyByte() : std::to_string(a.month); // "7 ", "12"
        case 8:
            return spoilt("yy");
        default:
            return bytes(2);
        }
    }
    std::string day(const Date& a) {
        switch (below(10)) {
        case 0:
            return "yy";
        case 1:
        case 2:
            return format("%02X", a.day + below(8) - 1);
        case 3:
        case 4:
            return format("%02X", 32 + below(127)); // weekly
        case 5:
            return format("%02X", below(256));
        case 6:
            return format("%02x", below(256));
        case 7:
            return std::string(1, '0') + anyByte();
        case 8:
            return spoilt("yy");
        default:
            return bytes(2);
        }
    }
    std::string time() { return below(3) == 0 ? bytes(2) : format("%02d", below(100)); }

    std::string line(const Date& first, const Date& last) {
        return year(first, last) + month(first, last) + day(first) + time() + time() + time() + time() + anyByte() +
               bytes(below(6));
    }

    Date firstDate() {
        const int years[] = {999, 1000, 1999, 2000, 2024, 2026, 2100, 9999};
        const int y = below(3) == 0 ? years[below(8)] : 1000 + below(9000);
        const int m = below(3) == 0 ? 12 : 1 + below(12);
        const int length = MonthLength(m, y);
        // Often near the month's end, so that ranges cross into the next month and year.
        const int d = below(2) == 0 ? length - below(7) : 1 + below(length);
        return {y, m, d};
    }
};

} // namespace

// The week refresh finds a note's columns its own fast way, and the notes in memory look only at the lines the
// month index gives; both must find exactly the dates the one rule gives, for any bytes in any header field and
// any range of shown days.
TEST(FallsOn, TheWeekRefreshAndTheMonthIndexPutEveryLineInTheColumnsOfTheDatesItFallsOn) {
    LineMaker make{std::mt19937(20261207)};
    // All hours shown and every category shown: only the dates decide where a tile goes.
    const std::vector<std::string> names(101), colours(101), shown(101, "1");
    const NotesStore unused("/nonexistent/all.txt");
    constexpr int LinesPerRefresh = 25; // at most 8 tiles each: within the 200 tiles a refresh shows
    for (int round = 0; round < 1500; ++round) {
        const Date first = make.firstDate();
        const int days = 1 + make.below(8);
        DayColumns columns;
        columns[0] = DayColumnFromDate(first);
        FillColumnDates(columns, LanguageTable{});
        const Date last = ColumnDate(columns[static_cast<std::size_t>(days - 1)]);

        std::vector<std::string> lines;
        std::string bytes;
        for (int i = 0; i < LinesPerRefresh; ++i) {
            lines.push_back(make.line(first, last));
            bytes += lines.back() + "\r\n";
        }
        const WeekRefreshInput in{
            WeekView::Compute(708, 443, days, 0, 256), columns, names, colours, shown, nullptr, &bytes};
        const WeekRefreshResult result = WeekRefresh(unused, in);
        std::map<int, std::vector<int>> placed; // line number -> columns, in column order
        for (const NoteTile& t : result.tiles)
            placed[t.tag].push_back(t.column);

        // The notes held in memory look only at the lines the month index gives: the same tiles, in place.
        const TextLines held(bytes);
        NotesIndex index;
        index.build(held);
        const std::vector<ShownMonth> months =
            ShownMonthsOf(std::span<const DayColumn>(columns.data(), static_cast<std::size_t>(days)));
        const WeekRefreshResult fromIndex = WeekRefreshFromLines(held, index.candidates(months), in);
        ASSERT_EQ(fromIndex.tiles.size(), result.tiles.size());
        for (std::size_t k = 0; k < result.tiles.size(); ++k) {
            EXPECT_EQ(fromIndex.tiles[k].tag, result.tiles[k].tag);
            EXPECT_EQ(fromIndex.tiles[k].column, result.tiles[k].column);
            EXPECT_EQ(fromIndex.tiles[k].shape.left, result.tiles[k].shape.left);
        }

        for (int i = 0; i < LinesPerRefresh; ++i) {
            const NoteHeader note(lines[static_cast<std::size_t>(i)]);
            std::vector<int> expected;
            for (int j = 0; j < days; ++j)
                if (FallsOn(note, ColumnDate(columns[static_cast<std::size_t>(j)])))
                    expected.push_back(j);
            ASSERT_EQ(placed[i + 1], expected)
                << "line \"" << lines[static_cast<std::size_t>(i)] << "\" from " << first.year << "-" << first.month
                << "-" << first.day << ", " << days << " days";
            // The range form of the rule gives the same dates.
            std::vector<Date> dates;
            for (int j : expected)
                dates.push_back(ColumnDate(columns[static_cast<std::size_t>(j)]));
            ASSERT_EQ(DatesInRange(note, first, days), dates) << lines[static_cast<std::size_t>(i)];
        }
    }
}

// The agenda passes over whole months by the year and month fields before it asks the rule day by day; it
// must still list every line on exactly the dates the rule gives, over runs of up to a year.
TEST(FallsOn, TheAgendaListsEveryLineOnTheDatesItFallsOn) {
    LineMaker make{std::mt19937(20261208)};
    constexpr int Rounds = 20;
    constexpr int LinesPerRound = 5000; // 100,000 lines in all
    for (int round = 0; round < Rounds; ++round) {
        const Date first = make.firstDate();
        const int days = make.below(3) == 0 ? 1 + make.below(366) : 1 + make.below(14);
        Date last = first;
        for (int i = 1; i < days; ++i)
            last = NextDay(last);
        std::vector<std::string> lines;
        std::string bytes;
        for (int i = 0; i < LinesPerRound; ++i) {
            lines.push_back(make.line(make.below(2) == 0 ? first : last, last));
            bytes += lines.back() + "\r\n";
        }
        const Agenda agenda = BuildAgenda(bytes, first, days);

        std::vector<std::pair<std::size_t, Date>> expected;
        std::vector<std::size_t> damaged; // a year of three digits leaves a line too short for a header
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (ClassifyLine(lines[i]) == LineKind::Malformed)
                damaged.push_back(i + 1);
            else
                for (const Date& d : DatesInRange(NoteHeader(lines[i]), first, days))
                    expected.emplace_back(i + 1, d);
        }
        std::vector<std::pair<std::size_t, Date>> listed;
        for (const AgendaEntry& e : agenda.entries)
            listed.emplace_back(e.lineNumber, e.date);
        std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        ASSERT_EQ(listed, expected) << first.year << "-" << first.month << "-" << first.day << ", " << days << " days";
        EXPECT_EQ(agenda.damagedLines, damaged);
        // Day by day, then by start time.
        for (std::size_t k = 1; k < agenda.entries.size(); ++k) {
            const AgendaEntry& a = agenda.entries[k - 1];
            const AgendaEntry& b = agenda.entries[k];
            ASSERT_LE(std::tie(a.date.year, a.date.month, a.date.day, a.startHour, a.startMinute),
                      std::tie(b.date.year, b.date.month, b.date.day, b.startHour, b.startMinute));
        }
    }
}
