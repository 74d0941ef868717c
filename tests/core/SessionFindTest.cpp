#include "support/SessionFixture.h"

#include "calendar/DayColumns.h"

using namespace plandeck;
using namespace plandeck::test;

namespace {

std::string File(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

struct SessionFind : SessionFixture {
    Date first() const { return ColumnDate(session->navigation().columns()[0]); }
    std::vector<int> foundLines(const std::string& query) const {
        std::vector<int> lines;
        for (const FoundNote& n : session->findNotes(query, 100).notes)
            lines.push_back(n.line);
        return lines;
    }
};

} // namespace

// The texts are searched whatever the letters' case, in any script, as the windows decode them (a line that is
// not UTF-8 is Latin-1); the list tells the day or the repetition, the time, the category and whether it is
// hidden.
TEST_F(SessionFind, FindsTextsInAnyCaseAndSaysWhenAndWhere) {
    start(File({
        "2026120E09001030dВстреча с Иваном",         // 1
        "yyyyyy2408000830eвстреча по понедельникам", // 2: Mondays and Wednesdays, Home
        "2026120F10001100dМОРОЖЕНОЕ",                // 3
        "2026121011001200d\xC9t\xE9 au lac",         // 4: Latin-1
        "short",                                     // 5
        "2026121012001300eLunch",                    // 6
    }));
    EXPECT_EQ(foundLines("ВСТРЕЧА"), (std::vector{1, 2}));
    EXPECT_EQ(foundLines("иваном"), (std::vector{1}));
    EXPECT_EQ(foundLines("été"), (std::vector{4}));
    EXPECT_EQ(foundLines("ÉTÉ AU"), (std::vector{4}));
    EXPECT_EQ(foundLines("мороженое"), (std::vector{3}));
    EXPECT_TRUE(foundLines("").empty());
    EXPECT_TRUE(foundLines("встреча\nс").empty());

    FindResult r = session->findNotes("встреча", 100);
    ASSERT_EQ(r.notes.size(), 2u);
    EXPECT_EQ(r.notes[0].when, "Mon 14 Dec 2026");
    EXPECT_EQ(r.notes[0].time, "09:00\u201310:30");
    EXPECT_EQ(r.notes[0].category, "Work");
    EXPECT_EQ(r.notes[0].text, "Встреча с Иваном");
    EXPECT_FALSE(r.notes[0].hidden);
    EXPECT_EQ(r.notes[1].when, "Every Monday and Wednesday");
    EXPECT_EQ(r.notes[1].category, "Home");
    EXPECT_FALSE(r.notes[1].hidden);

    // Home hidden in the panel: its notes are still found, marked hidden.
    session->setCategoryShown(1, false);
    r = session->findNotes("встреча", 100);
    EXPECT_FALSE(r.notes[0].hidden);
    EXPECT_TRUE(r.notes[1].hidden);

    // A limit lists the first notes and counts them all.
    r = session->findNotes("U", 1);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0].line, 4);
    EXPECT_EQ(r.total, 2u);
}

// A note chosen in the list is shown on its day (a repeating one on its next day on or after the first day
// shown), the hours move to it, and its tile is selected.
TEST_F(SessionFind, ChosenNoteIsShownWithItsTileSelected) {
    const std::string notes = File({
        "yyyyyy2409001000dMondays and Wednesdays", // 1
        "yyyy010109001000dNew year",               // 2
        "yyyyyy0511001200dFifth of every month",   // 3
        "2025030E14001500dLast March",             // 4
        "2026121222002330dLate party",             // 5
        "2025yy0507000800dMonthly in 2025",        // 6
    });
    start(notes); // three days from Monday 7 December 2026, hours 8..20
    struct Case {
        int line;
        Date shown;
    };
    const Case cases[] = {
        {1, Date{2026, 12, 9}}, // Wednesday, after the Monday shown first
        {2, Date{2027, 1, 1}},   {3, Date{2027, 1, 5}}, {4, Date{2025, 3, 14}}, // a day gone by: its own day
        {5, Date{2026, 12, 18}}, // late: the hours move later, and back for the next
        {6, Date{2025, 1, 5}},   // a year gone by: its first day
    };
    for (const Case& c : cases) {
        session->goToDate(Date{2026, 12, 8}, now);
        const Changes changes = session->showFoundNote(c.line, now);
        EXPECT_TRUE(changes.dates) << c.line;
        EXPECT_EQ(first(), c.shown) << c.line;
        const NoteTile* selected = session->selectedTile();
        ASSERT_NE(selected, nullptr) << c.line;
        EXPECT_EQ(selected->tag, c.line);
        EXPECT_EQ(selected->column, 0) << c.line;
    }
    EXPECT_FALSE(session->showFoundNote(99, now).dates);
    EXPECT_EQ(notesFile(), notes); // nothing written

    // In the week view the note's week is shown from its Monday.
    session->showWeek(now);
    session->showFoundNote(5, now);
    EXPECT_EQ(first(), (Date{2026, 12, 14}));
    ASSERT_NE(session->selectedTile(), nullptr);
    EXPECT_EQ(session->selectedTile()->column, 4);
}

// 100,000 lines searched keystroke by keystroke through the session: each answer counts every note that holds
// the text, and a change of the file is searched at the next keystroke.
TEST_F(SessionFind, HundredThousandLines) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) {
        char header[32];
        std::snprintf(header, sizeof header, "2026%02d%02X%02d001100%c", 1 + i % 12, 1 + i % 28, 8 + i % 10,
                      static_cast<char>(100 + i % 2));
        bytes += header;
        bytes += i % 1000 == 7 ? "Планёрка отдела " + std::to_string(i) : "Routine note number " + std::to_string(i);
        bytes += "\r\n";
    }
    start(bytes);
    for (const std::string typed : {"п", "пл", "пла", "план", "планё", "планёр", "ПЛАНЁРКА"}) {
        const FindResult r = session->findNotes(typed, 200);
        EXPECT_EQ(r.total, 100u) << typed;
        EXPECT_EQ(r.notes.size(), 100u) << typed;
    }
    EXPECT_EQ(session->findNotes("routine", 200).total, 99900u);
    EXPECT_EQ(session->findNotes("number 99999", 200).total, 1u);

    dir.write("pdnotes/all.txt", bytes + "2026121010001100dПланёрка итогов\r\n");
    session->outsideChanges();
    EXPECT_EQ(session->findNotes("планёрка", 200).total, 101u);
}
