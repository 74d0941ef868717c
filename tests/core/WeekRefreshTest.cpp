#include "notes/WeekRefresh.h"
#include "notes/CategoryColour.h"
#include "support/TempDir.h"

#include <cerrno>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// A week of columns from a Monday; months are walked by hand so the test does not lean on the calendar code.
std::vector<DayColumn> Week(int year, int month, int mondayDay, int monthLength, int days = 8) {
    std::vector<DayColumn> cols;
    int d = mondayDay, m = month, y = year;
    for (int i = 0; i < days; ++i) {
        cols.push_back({std::to_string(d), std::to_string(m), std::to_string(y), "", i % 7 + 1});
        if (++d > monthLength) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    return cols;
}

struct Fixture {
    TempDir dir;
    std::vector<DayColumn> columns = Week(2005, 7, 25, 31);
    std::vector<std::string> names = std::vector<std::string>(101);
    std::vector<std::string> colours = std::vector<std::string>(101);
    std::vector<std::string> shown = std::vector<std::string>(101, "1");
    WeekView view = WeekView::Compute(708, 443, 7, 8, 20);
    std::vector<DamagedLinesQuestion> asked;
    MalformedAnswer answer = MalformedAnswer::Keep;

    Fixture() {
        names[0] = "Work";
        colours[0] = "255";
        names[1] = "Home";
        colours[1] = "65280";
        names[2] = "Sport";
        colours[2] = "16711680";
        names[3] = "Study";
        colours[3] = "65535";
    }

    WeekRefreshResult run(const std::string& notes) {
        NotesStore store(dir.write("all.txt", notes));
        WeekRefreshInput in{view, columns, names, colours, shown, [this](const DamagedLinesQuestion& q) {
                                asked.push_back(q);
                                return answer;
                            }};
        return WeekRefresh(store, in);
    }
};

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

TEST(WeekRefresh, PlacesAOneTimeNoteByItsTimes) {
    Fixture f;
    auto r = f.run(Lines({"", "2005071F09301100dMeeting"}));
    ASSERT_EQ(r.tiles.size(), 1u);
    const NoteTile& t = r.tiles[0];
    EXPECT_EQ(t.slot, 1);
    EXPECT_EQ(t.column, 6);
    EXPECT_EQ(t.tag, 2);
    EXPECT_EQ(t.caption, "9:30-11:00 Meeting");
    EXPECT_EQ(t.tooltip, t.caption);
    EXPECT_EQ(t.fillColour, 255);
    EXPECT_NEAR(t.shape.top, f.view.gridTop + 1.5 * f.view.hourHeight, 1);
    EXPECT_NEAR(t.shape.height, 1.5 * f.view.hourHeight, 1);
    EXPECT_NEAR(t.shape.left, 780 + 6 * 9600.0 / 7, 1);
    EXPECT_NEAR(t.shape.width, f.view.columnWidth - 10, 0.01);
    EXPECT_NEAR(t.label.left, t.shape.left + 30, 0.01);
    EXPECT_NEAR(t.label.width, t.shape.width - 60, 0.01);
    EXPECT_NEAR(t.gripTop, t.shape.bottom() - 100, 0.01);
    EXPECT_TRUE(t.visible);
}

TEST(WeekRefresh, ClipsTilesToTheShownHours) {
    struct Case {
        const char* line;
        bool placed;
        float topHours;    // from gridTop, in hours
        float heightHours; // in hours
    };
    const Case cases[] = {
        {"2005071F07300900dEarly", true, 0, 1},
        {"2005071F19002130dLate", true, 11, 1},
        {"2005071F06002300dAll day", true, 0, 12},
        {"2005071F20002100dAfter", false, 0, 0},
        {"2005071F07000800dEnds at 8", true, 0, 0},
        {"2005071F06000700dBefore", false, 0, 0},
        {"2005071F10000900dBackwards", true, 2, 1},
        {"2005071Fxxxxxxxx dUnreadable", false, 0, 0},
        // Ending inside the last shown hour: drawn to its end, within the grid.
        {"2005071F19001945dLast hour", true, 11, 0.75f},
    };
    for (const Case& c : cases) {
        Fixture f;
        auto r = f.run(Lines({c.line}));
        ASSERT_EQ(r.tiles.size(), c.placed ? 1u : 0u) << c.line;
        if (!c.placed)
            continue;
        EXPECT_NEAR(r.tiles[0].shape.top, f.view.gridTop + c.topHours * f.view.hourHeight, 1) << c.line;
        EXPECT_NEAR(r.tiles[0].shape.height, c.heightHours * f.view.hourHeight, 1) << c.line;
        EXPECT_LE(r.tiles[0].shape.bottom(), f.view.gridBottom + 1) << c.line;
    }
}

TEST(WeekRefresh, MatchesRecurringNotesToTheirColumns) {
    Fixture f;
    f.columns = Week(2005, 7, 25, 31, 8); // Mon 25 July .. Mon 1 August
    auto r = f.run(Lines({
        "yyyyyy2408000900dMon and Wed", // mask 5
        "yyyyyyyy10001100eEvery day",
        "yyyyyy0111001200dFirst of every month",
        "yyyy071F12001300dEvery 31 July",
        "2005071B13001400dOne day: 27th",
        "2005070713001400dNot this week",
        "2005yyA014001500dDay code above 158",
        "200507FF14001500dDay code FF",
    }));
    std::vector<std::vector<int>> columnsByLine(9);
    for (const auto& t : r.tiles)
        columnsByLine[static_cast<std::size_t>(t.tag)].push_back(t.column);
    EXPECT_EQ(columnsByLine[1], (std::vector<int>{0, 2}));
    EXPECT_EQ(columnsByLine[2], (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(columnsByLine[3].empty()); // 1 August is slot 7, beyond the shown week
    EXPECT_EQ(columnsByLine[4], (std::vector<int>{6}));
    EXPECT_EQ(columnsByLine[5], (std::vector<int>{2}));
    EXPECT_TRUE(columnsByLine[6].empty());
    EXPECT_TRUE(columnsByLine[7].empty());
    EXPECT_TRUE(columnsByLine[8].empty());
}

TEST(WeekRefresh, HiddenCategoriesAndUnknownCategories) {
    Fixture f;
    f.shown[1] = "0";
    auto r = f.run(Lines({"yyyyyyyy08001000eDaily, hidden", "yyyyyyyy08001000\x05"
                                                            "Bad category"}));
    ASSERT_EQ(r.tiles.size(), 7u);
    for (const auto& t : r.tiles) {
        EXPECT_EQ(t.tag, 2);
        EXPECT_EQ(t.fillColour, 16777215); // no record: white
    }
    f.shown[1] = "1";
    EXPECT_EQ(f.run(Lines({"yyyyyyyy08001000eDaily"})).tiles.size(), 7u);
}

TEST(WeekRefresh, OverlappingTilesShareTheColumnNewestLeftmost) {
    Fixture f;
    auto r = f.run(Lines({"2005071909001000dA", "2005071909001000dB", "2005071909001000dC"}));
    ASSERT_EQ(r.tiles.size(), 3u);
    const float w = f.view.columnWidth - 10;
    const float left = 780;
    // Slots follow file order: A=1, B=2, C=3; left to right C, A, B.
    EXPECT_NEAR(r.tiles[2].shape.left, left, 0.5);
    EXPECT_NEAR(r.tiles[0].shape.left, left + w / 3, 0.5);
    EXPECT_NEAR(r.tiles[1].shape.left, left + 2 * w / 3, 0.5);
    for (const auto& t : r.tiles)
        EXPECT_NEAR(t.shape.width, w / 3, 0.5);
}

TEST(WeekRefresh, TouchingNotesKeepTheFullWidth) {
    Fixture f;
    f.view = WeekView::Compute(708, 443, 7, 8, 16);
    ASSERT_NEAR(f.view.hourHeight, 710, 0.01);
    auto r = f.run(Lines({"2005071909001000dFirst", "2005071910001100dSecond"}));
    ASSERT_EQ(r.tiles.size(), 2u);
    for (const auto& t : r.tiles)
        EXPECT_NEAR(t.shape.width, f.view.columnWidth - 10, 0.01);
}

TEST(WeekRefresh, LargeOverlapGroupsShareEvenlyAndTwoHundredTilesAtMost) {
    Fixture f;
    std::string notes;
    for (int i = 0; i < 30; ++i)
        notes += "2005071909001000dSame time " + std::to_string(i) + "\r\n";
    auto r = f.run(notes);
    ASSERT_EQ(r.tiles.size(), 30u);
    const float w = f.view.columnWidth - 10;
    std::vector<float> lefts;
    for (const auto& t : r.tiles) {
        EXPECT_NEAR(t.shape.width, w / 30, 0.5);
        lefts.push_back(t.shape.left);
    }
    std::sort(lefts.begin(), lefts.end());
    for (std::size_t i = 0; i < lefts.size(); ++i)
        EXPECT_NEAR(lefts[i], 780 + i * w / 30, 0.5);

    std::string many;
    for (int i = 0; i < 201; ++i)
        many += "2005071908000805dNote " + std::to_string(i) + "\r\n";
    auto full = f.run(many);
    ASSERT_EQ(full.tiles.size(), 200u);
    EXPECT_EQ(full.tiles.back().tag, 200);
}

TEST(WeekRefresh, SingleDayViewGivesEachShownCategoryWithNotesASubColumn) {
    Fixture f;
    f.view = WeekView::Compute(708, 443, 1, 8, 20);
    f.shown[1] = "0";
    // Shown: 0, 2, 3, of which 0 and 3 have notes on the day: two sub-columns of 4800, in the categories'
    // order; category 2, with nothing on the day, takes no room.
    auto r = f.run(Lines({"2005071909001000gStudy note", "2005071909001000dWork note"}));
    ASSERT_EQ(r.tiles.size(), 2u);
    EXPECT_NEAR(r.tiles[0].shape.left, 5580, 0.5);
    EXPECT_NEAR(r.tiles[0].shape.width, 4800, 0.5);
    EXPECT_NEAR(r.tiles[1].shape.left, 780, 0.5);
    // Different categories do not overlap in this view.
    EXPECT_NEAR(r.tiles[1].shape.width, 4800, 0.5);
    ASSERT_EQ(r.captions.size(), 2u);
    EXPECT_EQ(r.captions[0], (SubColumnCaption{5650, 550, "Study"}));
    EXPECT_EQ(r.captions[1], (SubColumnCaption{850, 550, "Work"}));

    // One category with notes has the whole column, however many are shown.
    auto alone = f.run(Lines({"2005071909001000gStudy note", "2005071911001200gStudy again"}));
    ASSERT_EQ(alone.tiles.size(), 2u);
    for (const NoteTile& t : alone.tiles) {
        EXPECT_NEAR(t.shape.left, 780, 0.5);
        EXPECT_NEAR(t.shape.width, 9600, 0.5);
    }
}

TEST(WeekRefresh, SingleDayViewWithNoNamedCategoryShownKeepsTheColumn) {
    Fixture f;
    f.view = WeekView::Compute(708, 443, 1, 8, 20);
    for (int i = 0; i < 4; ++i)
        f.shown[static_cast<std::size_t>(i)] = "0";
    auto r = f.run(Lines({"2005071909001000nCategory 10, no name"}));
    ASSERT_EQ(r.tiles.size(), 1u);
    EXPECT_NEAR(r.tiles[0].shape.width, f.view.columnWidth - 10, 0.01);
    EXPECT_NEAR(r.tiles[0].shape.left, 780, 0.5);
}

TEST(WeekRefresh, DamagedLinesAreAskedAboutOnceForAll) {
    const std::string notes = Lines({"2005071909001000dGood", "abcd", "2005071910001100dAlso good", "abcd", "x", "",
                                     "0123456789012345", "2005071911001200d  trailing blanks  "});
    {
        Fixture f; // keep: one question listing every damaged line, no tile for them, file unchanged
        f.answer = MalformedAnswer::Keep;
        auto r = f.run(notes);
        EXPECT_EQ(r.tiles.size(), 3u);
        ASSERT_EQ(f.asked.size(), 1u);
        EXPECT_EQ(f.asked[0].listed, (std::vector<DamagedLine>{{2, "abcd"}, {4, "abcd"}, {7, "0123456789012345"}}));
        EXPECT_EQ(f.asked[0].moreCount, 0);
        EXPECT_EQ(f.dir.read("all.txt"), notes);
    }
    {
        Fixture f; // remove: all of them go in one rewrite, every other line stays as it was, in order
        f.answer = MalformedAnswer::Remove;
        auto r = f.run(notes);
        EXPECT_EQ(f.asked.size(), 1u);
        EXPECT_EQ(f.dir.read("all.txt"), Lines({"2005071909001000dGood", "2005071910001100dAlso good", "x", "",
                                                "2005071911001200d  trailing blanks  "}));
        ASSERT_EQ(r.tiles.size(), 3u);
        EXPECT_EQ(r.tiles[1].tag, 2); // numbered from the file as it now is
        EXPECT_EQ(r.tiles[2].tag, 5);
    }
    {
        Fixture f; // quit
        f.answer = MalformedAnswer::Quit;
        auto r = f.run(notes);
        EXPECT_TRUE(r.quit);
        EXPECT_EQ(f.dir.read("all.txt"), notes);
    }
    {
        Fixture f; // forty damaged lines: one question, ten listed and thirty more
        std::string many;
        for (int i = 0; i < 40; ++i)
            many += "damaged " + std::to_string(i) + "\r\n2005071909001000dNote " + std::to_string(i) + "\r\n";
        f.answer = MalformedAnswer::Remove;
        auto r = f.run(many);
        ASSERT_EQ(f.asked.size(), 1u);
        ASSERT_EQ(f.asked[0].listed.size(), 10u);
        EXPECT_EQ(f.asked[0].listed[9], (DamagedLine{19, "damaged 9"}));
        EXPECT_EQ(f.asked[0].moreCount, 30);
        EXPECT_EQ(TextLines(f.dir.read("all.txt")).size(), 40u);
        EXPECT_EQ(r.tiles.size(), 40u);
        EXPECT_EQ(r.tiles.back().tag, 40);
    }
}

TEST(WeekRefresh, UnreadableNotesFileShowsWhatWasReadAndIsNeverWritten) {
    Fixture f;
    const std::string notes = Lines({"2005071909001000dFirst", "abcd", "2005071910001100dSecond"});
    f.dir.write("all.txt", notes);
    // The first read call gives the first line, the next one fails as a failing disk does.
    SetReadFunctionForTesting([](int fd, void* data, std::size_t) -> ssize_t {
        static int calls = 0;
        if (calls++ % 2 == 0)
            return ::read(fd, data, 24);
        errno = EIO;
        return -1;
    });
    f.answer = MalformedAnswer::Remove;
    auto r = f.run(notes);
    SetReadFunctionForTesting(nullptr);
    EXPECT_FALSE(r.readFailure.empty());
    EXPECT_NE(r.readFailure.find("all.txt"), std::string::npos);
    ASSERT_EQ(r.tiles.size(), 1u);
    EXPECT_EQ(r.tiles[0].text, "First");
    EXPECT_TRUE(f.asked.empty());
    EXPECT_EQ(f.dir.read("all.txt"), notes);
}

TEST(WeekRefresh, PlaceholderOpensTheEditorOnItsTile) {
    Fixture f;
    auto r = f.run(Lines({"2005071909001000dReal", "2005071A12001300dno text"}));
    EXPECT_EQ(r.editedLine, 2);
    ASSERT_EQ(r.tiles.size(), 2u);
    EXPECT_NEAR(r.editorRect.left, r.tiles[1].shape.left + 20, 0.01);
    EXPECT_NEAR(r.editorRect.top, r.tiles[1].shape.top + 20, 0.01);
    EXPECT_NEAR(r.editorRect.width, r.tiles[1].shape.width - 40, 0.01);
    EXPECT_EQ(f.run(Lines({"2005071A12001300dNo text"})).editedLine, 0);
}

TEST(WeekRefresh, AnyBytesGiveTilesInsideTheirColumns) {
    for (unsigned seed = 0; seed < 200; ++seed) {
        Fixture f;
        std::string bytes = test::RandomBytes(seed, 2000);
        // Seed some lines that match the week so the placing code runs on odd fields too.
        bytes += "\r\nyyyyyyyy" + bytes.substr(0, std::min<std::size_t>(bytes.size(), 40)) + "\r\n";
        auto r = f.run(bytes);
        EXPECT_LE(r.tiles.size(), 200u);
        for (const auto& t : r.tiles) {
            EXPECT_GE(t.column, 0);
            EXPECT_LT(t.column, 7);
            EXPECT_GE(t.shape.height, 0);
        }
    }
}

namespace {

// The tiles of one column as spans of minutes and horizontal extents, for layout checks.
struct Extent {
    int start, end;
    float left, right;
};

std::string NoteAt(const std::string& from, const std::string& to, const std::string& text) {
    return "20050719" + from + to + "d" + text;
}

} // namespace

TEST(WeekRefresh, NotesThatOverlapInTimeNeverShareHorizontalSpace) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> times; // in file order
        std::vector<float> widthShares;                         // each tile's width, in column widths
    };
    std::vector<std::pair<std::string, std::string>> fifteen;
    for (int i = 0; i < 15; ++i) {
        const int start = 9 * 60 + 15 * i, end = start + 90;
        char from[5], to[5];
        std::snprintf(from, sizeof from, "%02d%02d", start / 60, start % 60);
        std::snprintf(to, sizeof to, "%02d%02d", end / 60, end % 60);
        fifteen.emplace_back(from, to);
    }
    const Case cases[] = {
        {"chain of four", {{"0900", "1000"}, {"0930", "1100"}, {"1000", "1030"}, {"1030", "1200"}}, {.5, .5, .5, .5}},
        {"touching", {{"0900", "0930"}, {"0930", "0945"}}, {1, 1}},
        {"touching at a rounded position", {{"0900", "0907"}, {"0907", "0908"}, {"0908", "0915"}}, {1, 1, 1}},
        {"one long beside two short", {{"0900", "1200"}, {"0900", "1000"}, {"1000", "1100"}}, {.5, .5, .5}},
        {"fifteen every quarter hour", fifteen, {}},
        {"separate groups", {{"0900", "1000"}, {"0900", "1000"}, {"1100", "1200"}}, {.5, .5, 1}},
    };
    for (const Case& c : cases) {
        Fixture f;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < c.times.size(); ++i)
            lines.push_back(NoteAt(c.times[i].first, c.times[i].second, "N" + std::to_string(i)));
        std::string notes;
        for (const auto& l : lines)
            notes += l + "\r\n";
        auto r = f.run(notes);
        ASSERT_EQ(r.tiles.size(), c.times.size()) << c.name;
        const float full = f.view.columnWidth - 10;
        std::vector<Extent> extents;
        for (std::size_t i = 0; i < r.tiles.size(); ++i) {
            const TileRect& s = r.tiles[i].shape;
            const auto minutes = [](const std::string& t) {
                return std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(2));
            };
            extents.push_back({minutes(c.times[i].first), minutes(c.times[i].second), s.left, s.right()});
            EXPECT_GE(s.left, 780 - 0.5) << c.name;
            EXPECT_LE(s.right(), 780 + full + 0.5) << c.name;
            EXPECT_GT(s.width, 0) << c.name;
            if (!c.widthShares.empty()) {
                EXPECT_NEAR(s.width, c.widthShares[i] * full, 0.5) << c.name << " tile " << i;
            }
        }
        for (std::size_t a = 0; a < extents.size(); ++a)
            for (std::size_t b = a + 1; b < extents.size(); ++b) {
                const bool inTime = extents[a].start < extents[b].end && extents[b].start < extents[a].end;
                const bool side = extents[a].left < extents[b].right - 0.5 && extents[b].left < extents[a].right - 0.5;
                EXPECT_FALSE(inTime && side) << c.name << ": tiles " << a << " and " << b << " cover each other";
            }
    }
}

TEST(WeekRefresh, TilesAndThePanelShareOneColourRule) {
    const char* lines[] = {"-5", "16777216", "12.7", " ", "abc", "", "99999999999999999999", "255", " 65280 "};
    for (const char* colourLine : lines) {
        Fixture f;
        f.colours[0] = colourLine;
        auto r = f.run(Lines({"2005071909001000dA"}));
        ASSERT_EQ(r.tiles.size(), 1u);
        EXPECT_EQ(r.tiles[0].fillColour, CategoryColourValue(colourLine)) << '"' << colourLine << '"';
    }
    EXPECT_EQ(CategoryColourValue("12.7"), 13);
    EXPECT_EQ(CategoryColourValue("-5"), 16777215);
    EXPECT_EQ(CategoryColourValue("99999999999999999999"), 16777215);
}
