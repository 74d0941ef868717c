#include "notes/Agenda.h"
#include "base/DataDirectory.h"
#include "base/FileText.h"
#include "base/TextFile.h"
#include "session/AgendaCommand.h"
#include "settings/LanguageTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plandeck;

namespace {

// Tuesday 8 December 2026 and the days around it. Category 0 is Work (red), 1 Home (green), 2 has no record.
const char* const Notes = "2026120809001000dTeam stand-up\r\n"       // 1 once
                          "yyyyyyyy07300745eBreakfast \"quick\"\r\n" // 2 daily, quotes
                          "yyyyyy2312001300dLunch C:\\path\r\n"      // 3 weekly on Wednesday, a backslash
                          "yyyyyy0818001900fMonthly review\r\n"      // 4 monthly on the 8th, no category name
                          "yyyy120906000630dCaf\xE9 birthday\r\n"    // 5 yearly on 9 December, Latin-1
                          "2026120\r\n"                              // 6 damaged: too short for a header
                          "x\r\n"                                    // 7 passed over
                          "2026120823002359eLate\tcall\x01\r\n"      // 8 an hour the grid may not show
                          "2026121009001000dThe day after\r\n"       // 9 outside the range
                          "yyyyyy0009001000dDay code 0\r\n"          // 10 never
                          "2026120808000830dEarly\r\n"               // 11 before line 1 in time
                          "yyyyyy0107000800eFirst of the month\r\n"; // 12 monthly on the 1st

const char* const Categories = "Work\r\n255\r\nH\xF6me\r\n65280\r\n";

AgendaCategories CategoriesOf(const std::string& bytes) {
    AgendaCategories c;
    const TextLines lines(bytes);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        c.names[i / 2] = std::string(lines.line(i));
        c.colours[i / 2] = std::string(lines.line(i + 1));
    }
    return c;
}

} // namespace

TEST(Agenda, ListsEveryNoteOfTheDaysInTimeOrderInBothForms) {
    const LanguageTable english = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng");
    const AgendaCategories categories = CategoriesOf(Categories);
    struct Case {
        Date first;
        int days;
        const char* plain;
    };
    const Case cases[] = {
        {{2026, 12, 8},
         2,
         "Tue 8 Dec 2026 07:30–07:45 [Höme] Breakfast \"quick\"\n"
         "Tue 8 Dec 2026 08:00–08:30 [Work] Early\n"
         "Tue 8 Dec 2026 09:00–10:00 [Work] Team stand-up\n"
         "Tue 8 Dec 2026 18:00–19:00 Monthly review\n"
         "Tue 8 Dec 2026 23:00–23:59 [Höme] Late call \n"
         "Wed 9 Dec 2026 06:00–06:30 [Work] Café birthday\n"
         "Wed 9 Dec 2026 07:30–07:45 [Höme] Breakfast \"quick\"\n"
         "Wed 9 Dec 2026 12:00–13:00 [Work] Lunch C:\\path\n"},
        // Across a year's end: the runs of days by month must not lose a note of the new year.
        {{2026, 12, 31},
         2,
         "Thu 31 Dec 2026 07:30–07:45 [Höme] Breakfast \"quick\"\n"
         "Fri 1 Jan 2027 07:00–08:00 [Höme] First of the month\n"
         "Fri 1 Jan 2027 07:30–07:45 [Höme] Breakfast \"quick\"\n"},
        // A yearly note a year on, a monthly one every month; the weekly one on each Wednesday.
        {{2027, 12, 9},
         1,
         "Thu 9 Dec 2027 06:00–06:30 [Work] Café birthday\n"
         "Thu 9 Dec 2027 07:30–07:45 [Höme] Breakfast \"quick\"\n"},
    };
    for (const Case& c : cases) {
        const Agenda agenda = BuildAgenda(Notes, c.first, c.days);
        EXPECT_EQ(FormatAgendaPlain(agenda, categories, english), c.plain) << c.first.month << "/" << c.first.day;
        EXPECT_EQ(agenda.damagedLines, std::vector<std::size_t>{6});
    }

    const std::string json = FormatAgendaJson(BuildAgenda(Notes, {2026, 12, 8}, 2), categories);
    EXPECT_EQ(
        json,
        "[\n"
        R"({"date":"2026-12-08","start":"07:30","end":"07:45","category":"Höme","colour":"#00FF00","text":"Breakfast \"quick\"","repeats":"daily"},)"
        "\n"
        R"({"date":"2026-12-08","start":"08:00","end":"08:30","category":"Work","colour":"#FF0000","text":"Early","repeats":"once"},)"
        "\n"
        R"({"date":"2026-12-08","start":"09:00","end":"10:00","category":"Work","colour":"#FF0000","text":"Team stand-up","repeats":"once"},)"
        "\n"
        R"({"date":"2026-12-08","start":"18:00","end":"19:00","category":"","colour":"#FFFFFF","text":"Monthly review","repeats":"monthly"},)"
        "\n"
        R"({"date":"2026-12-08","start":"23:00","end":"23:59","category":"Höme","colour":"#00FF00","text":"Late\tcall\u0001","repeats":"once"},)"
        "\n"
        R"({"date":"2026-12-09","start":"06:00","end":"06:30","category":"Work","colour":"#FF0000","text":"Café birthday","repeats":"yearly"},)"
        "\n"
        R"({"date":"2026-12-09","start":"07:30","end":"07:45","category":"Höme","colour":"#00FF00","text":"Breakfast \"quick\"","repeats":"daily"},)"
        "\n"
        R"({"date":"2026-12-09","start":"12:00","end":"13:00","category":"Work","colour":"#FF0000","text":"Lunch C:\\path","repeats":"weekly"})"
        "\n]\n");
    EXPECT_EQ(FormatAgendaJson(BuildAgenda("", {2026, 12, 10}, 1), categories), "[]\n");
}

TEST(Agenda, TextsAreDecodedAsTheWindowsDecodeThem) {
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"Caf\xC3\xA9", "Caf\xC3\xA9"},                           // valid UTF-8 stays
        {"Caf\xE9", "Caf\xC3\xA9"},                               // Latin-1
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},             // one bad byte: the whole text is Latin-1
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                         // an overlong form is no UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},             // nor a surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"}, // nor a code point above U+10FFFF
        {"\xE2\x82", "\xC3\xA2\xC2\x82"},                         // nor a cut-off sequence
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                 // a four-byte character is
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileTextAsUtf8(c.bytes), c.utf8) << c.bytes;
    EXPECT_EQ(JsonString("a\"b\\c\n\r\t\b\f\x1F\x7F/é"), "\"a\\\"b\\\\c\\n\\r\\t\\b\\f\\u001F\x7F/é\"");
}

TEST(Agenda, ArgumentsNameTheDaysOrAreRefused) {
    const Date tuesday{2026, 12, 8};
    struct Case {
        std::vector<std::string> arguments;
        Date first;
        int days;
        bool json;
        bool refused;
    };
    const Case cases[] = {
        {{}, tuesday, 1, false, false},
        {{"today", "--json"}, tuesday, 1, true, false},
        {{"tomorrow"}, {2026, 12, 9}, 1, false, false},
        {{"week"}, {2026, 12, 7}, 7, false, false},
        {{"--days", "3", "week"}, {2026, 12, 7}, 3, false, false},
        {{"2024-02-29", "--days", "366"}, {2024, 2, 29}, 366, false, false},
        {{"2026-01-01", "--days", "1", "--json"}, {2026, 1, 1}, 1, true, false},
        {{"--days", "0"}, {}, 0, false, true},
        {{"--days", "367"}, {}, 0, false, true},
        {{"--days", "-1"}, {}, 0, false, true},
        {{"--days"}, {}, 0, false, true},
        {{"2026-02-29"}, {}, 0, false, true},
        {{"2026-1-01"}, {}, 0, false, true},
        {{"today", "tomorrow"}, {}, 0, false, true},
        {{"--json", "--json"}, {}, 0, false, true},
        {{"--weeks"}, {}, 0, false, true},
    };
    for (const Case& c : cases) {
        const AgendaArguments parsed = ParseAgendaArguments(c.arguments, tuesday);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(!parsed.error.empty(), c.refused) << shown;
        if (c.refused)
            continue;
        EXPECT_EQ(parsed.request.first, c.first) << shown;
        EXPECT_EQ(parsed.request.dayCount, c.days) << shown;
        EXPECT_EQ(parsed.request.json, c.json) << shown;
    }
    // A week that starts in the month before, and in the year before.
    EXPECT_EQ(ParseAgendaArguments({"week"}, {2027, 1, 2}).request.first, (Date{2026, 12, 28}));
}

TEST(Agenda, ReadsTheFilesTheOptionsNameAndWritesNothing) {
    test::TempDir dir;
    dir.write("pdfiles/category.txt", Categories);
    dir.write("elsewhere/notes.txt", "2026120809001000dTeam stand-up\r\nshort\r\n");
    std::string options;
    for (int line = 1; line <= 26; ++line)
        options += line == 22 ? "Mine.lng\r\n" : line == 26 ? dir.file("elsewhere/notes.txt") + "\r\n" : "\r\n";
    dir.write("pdfiles/pdopt.ini", options);
    // The language the options name, here with German short names.
    std::string language = ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes;
    language.replace(language.find("\nDec\r\n"), 7, "\nDez\r\n");
    language.replace(language.find("\nTue\r\n"), 7, "\nDi\r\n");
    dir.write("pdlang/Mine.lng", language);
    const DataDirectory data(dir.path());
    const std::vector<std::filesystem::path> before(std::filesystem::recursive_directory_iterator(dir.path()), {});

    struct Run {
        int exitCode = 0;
        std::string out;
        std::string err;
    };
    auto run = [&](const std::vector<std::string>& arguments) {
        Run r;
        const AgendaOutput o =
            RunAgenda(arguments, data, {2026, 1, 1}, "", [&](std::string_view text) { r.out += text; });
        r.exitCode = o.exitCode;
        r.err = o.err;
        return r;
    };
    const Run plain = run({"2026-12-08"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, "Di 8 Dez 2026 09:00–10:00 [Work] Team stand-up\n");
    EXPECT_EQ(plain.err, "plandeck: line 2 of " + dir.file("elsewhere/notes.txt") + " is damaged; skipped\n");
    const Run refused = run({"--days", "0"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("--days"), std::string::npos);
    const std::vector<std::filesystem::path> after(std::filesystem::recursive_directory_iterator(dir.path()), {});
    EXPECT_EQ(after, before);

    // A long run of days is listed a month at a time: the pieces join into the one listing.
    dir.write("elsewhere/notes.txt", Notes);
    for (const char* days : {"31", "32", "100", "366"}) {
        const Run json = run({"2026-11-20", "--days", days, "--json"});
        const Agenda whole = BuildAgenda(Notes, {2026, 11, 20}, std::stoi(days));
        EXPECT_EQ(json.out, FormatAgendaJson(whole, CategoriesOf(Categories))) << days;
        EXPECT_EQ(run({"2026-11-20", "--days", days}).out,
                  FormatAgendaPlain(whole, CategoriesOf(Categories), LanguageTable::Load(dir.file("pdlang/Mine.lng"))))
            << days;
        EXPECT_EQ(json.err, "plandeck: line 6 of " + dir.file("elsewhere/notes.txt") + " is damaged; skipped\n");
    }
    dir.write("elsewhere/notes.txt", "2026120809001000dOnce\r\n");
    EXPECT_EQ(run({"2026-12-10", "--json"}).out, "[]\n");

    // A notes file that cannot be read (a folder in its place) is exit 1, with nothing printed but why.
    std::filesystem::remove(dir.file("elsewhere/notes.txt"));
    std::filesystem::create_directories(dir.file("pdnotes/all.txt"));
    const Run unreadable = run({});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.out.empty());
    EXPECT_NE(unreadable.err.find(dir.file("pdnotes/all.txt")), std::string::npos);
}
