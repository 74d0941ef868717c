// Export and import of calendar files with 10,000 notes, beside what any reader or writer of the format must
// do: libical parsing the same file, and libical writing it back out. Every row of the date table is in the
// mix (one-time notes, yearly, monthly, daily, weekly, and rules bound to a year), so the first-occurrence
// search, the rules and the import's check of a rule's days against the date rule all run. Interleaved
// rounds; each figure is min / median / max in milliseconds, with the ratio to its baseline. The import checks
// each distinct rule once (libical expands it over a year); the last figure is the dear case of 1,000 rules
// that all differ: daily notes, each in a year of its own.
//
//   build/bench/plandeck_calendar_bench [rounds] [notes]
#include "BenchTiming.h"

#include "base/TextFile.h"
#include "notes/CalendarFile.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <libical/ical.h>
#include <string>
#include <vector>

using namespace plandeck;
using namespace plandeck::bench;

namespace {

std::string MakeNotes(int count) {
    std::string bytes;
    unsigned state = 20261207;
    const auto next = [&state](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % n;
    };
    for (int i = 0; i < count; ++i) {
        char line[128];
        const int hour = 7 + static_cast<int>(next(12));
        const char category = static_cast<char>('d' + next(4));
        const unsigned month = 1 + next(12), day = 1 + next(28);
        switch (i % 10) {
        case 0:
            std::snprintf(line, sizeof line, "yyyy%02u%02X%02d00%02d30%cBirthday %d", month, day, hour, hour, category,
                          i);
            break;
        case 1:
            std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d00%cMonthly bill %d", day, hour, hour + 1, category,
                          i);
            break;
        case 2:
            std::snprintf(line, sizeof line, "yyyyyyyy%02d00%02d15%cDaily routine %d", hour, hour, category, i);
            break;
        case 3:
            std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d45%cWeekly meeting %d", 32 + next(127), hour, hour,
                          category, i);
            break;
        case 4:
            std::snprintf(line, sizeof line, "2026yy%02X%02d00%02d30%cMonthly in 2026 %d", day, hour, hour, category,
                          i);
            break;
        default:
            std::snprintf(line, sizeof line, "2026%02u%02X%02d15%02d45%cAppointment number %d with someone", month, day,
                          hour, hour + 1, category, i);
        }
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    setenv("TZ", "UTC0", 1);
    tzset();
    std::array<std::string, 101> names;
    names[0] = "Work";
    names[1] = "Home";
    names[2] = "Sport";
    const TextLines notes(MakeNotes(count));
    const std::string ics = ExportCalendar(notes, names, 1796083200).bytes;

    std::string distinctLines;
    for (int i = 0; i < 1000; ++i)
        distinctLines += "2" + std::to_string(100 + i) + "yyyy08000900dDaily in one year\r\n";
    const std::string distinct = ExportCalendar(TextLines(distinctLines), names, 1796083200).bytes;

    std::vector<double> parse, write, exportAll, importEmpty, importAgain, importDistinct;
    std::size_t imported = 0, duplicates = 0;
    for (int r = 0; r < rounds; ++r) {
        parse.push_back(Measure([&] {
                            icalcomponent* c = icalparser_parse_string(ics.c_str());
                            icalcomponent_free(c);
                        }).wall);
        icalcomponent* parsed = icalparser_parse_string(ics.c_str());
        write.push_back(Measure([&] { icalmemory_free_buffer(icalcomponent_as_ical_string_r(parsed)); }).wall);
        icalcomponent_free(parsed);
        exportAll.push_back(Measure([&] { ExportCalendar(notes, names, 1796083200); }).wall);
        importEmpty.push_back(
            Measure([&] { imported = ImportCalendar(ics, TextLines(), names).imported.size(); }).wall);
        importAgain.push_back(Measure([&] { duplicates = ImportCalendar(ics, notes, names).duplicates.size(); }).wall);
        importDistinct.push_back(Measure([&] { ImportCalendar(distinct, TextLines(), names); }).wall);
    }
    std::vector<double> exportRatio, importRatio;
    for (int r = 0; r < rounds; ++r) {
        exportRatio.push_back(exportAll[r] / write[r]);
        importRatio.push_back(importEmpty[r] / parse[r]);
    }
    std::printf("%d notes, %zu bytes of .ics; %zu imported into an empty file, %zu duplicates on the second\n", count,
                ics.size(), imported, duplicates);
    std::printf("ms (min median max)           over %d rounds\n", rounds);
    std::printf("libical writes the file       %s\n", Spread(write, 8).c_str());
    std::printf("export                        %s   x%s of the write\n", Spread(exportAll, 8).c_str(),
                Spread(exportRatio).c_str());
    std::printf("libical parses the file       %s\n", Spread(parse, 8).c_str());
    std::printf("import into an empty file     %s   x%s of the parse\n", Spread(importEmpty, 8).c_str(),
                Spread(importRatio).c_str());
    std::printf("import again (all duplicates) %s\n", Spread(importAgain, 8).c_str());
    std::printf("1,000 distinct daily rules    %s\n", Spread(importDistinct, 8).c_str());
    return 0;
}
