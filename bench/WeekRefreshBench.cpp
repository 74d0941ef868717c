// How long showing the week from a notes file takes when the file has to be read (at start-up, or after another
// program changed it): the owner reads it, indexes it by month and the refresh places the week's tiles. Beside
// it, the least any reader must do: read() the whole file into an uninitialised buffer and find its line ends,
// storing nothing per line. Prints, for each file and size, the ratio refresh / floor over many interleaved
// rounds (min, median, max) of wall time, and the same of CPU time, since the machines are shared and noisy.
//
// The files are made afresh on every run from a fixed seed. The shown week (Monday 28 December 2026, seven
// columns, two months and two years in view) gets the same fixed set of about sixty tiles of every kind at
// every size: one-time, weekly, every day, every month and every year notes, spread through the file.
//   fair:  the other lines are one-time notes of other weeks and years;
//   worst: the other lines share a shown year and month but fall on a day that is not shown, so every line
//          gets past the year and month test.
#include "BenchTiming.h"
#include "notes/NotesFile.h"
#include "notes/WeekRefresh.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace plandeck;
using plandeck::bench::Measure;
using plandeck::bench::Timing;

namespace {

// The notes that land in the shown week, whatever the file size.
const std::vector<std::string>& ShownWeekNotes() {
    static const std::vector<std::string> notes = [] {
        std::vector<std::string> n;
        char line[96];
        const struct {
            int year, month, day;
        } shown[] = {{2026, 12, 28}, {2026, 12, 29}, {2026, 12, 30}, {2026, 12, 31},
                     {2027, 1, 1},   {2027, 1, 2},   {2027, 1, 3}};
        // One-time: three a day (21 tiles).
        for (int i = 0; i < 21; ++i) {
            const auto& d = shown[i % 7];
            std::snprintf(line, sizeof line, "%04d%02d%02X%02d00%02d30%cAppointment %d", d.year, d.month, d.day,
                          9 + i % 9, 10 + i % 9, 'd' + i % 5, i);
            n.push_back(line);
        }
        // Every day: two (14 tiles).
        n.push_back("yyyyyyyy08000830dDaily stand-up");
        n.push_back("yyyyyyyy17001730eDaily review");
        // Weekly: Monday+Wednesday, Tuesday+Thursday+Saturday, Friday (6 tiles).
        n.push_back("yyyyyy2410001100fWeekly: Mon and Wed");   // 31 + 5
        n.push_back("yyyyyy4912001300gWeekly: Tue, Thu, Sat"); // 31 + 2 + 8 + 32
        n.push_back("yyyyyy2F15001600hWeekly: Friday");        // 31 + 16
        // Every month: days 28..31 and 1..3 (7 tiles).
        for (int day : {28, 29, 30, 31, 1, 2, 3}) {
            std::snprintf(line, sizeof line, "yyyyyy%02X11001130dMonthly on the %d", day, day);
            n.push_back(line);
        }
        // Every year: 28 December .. 3 January (7 tiles).
        for (const auto& d : shown) {
            std::snprintf(line, sizeof line, "yyyy%02d%02X14001500eYearly on %d.%d", d.month, d.day, d.day, d.month);
            n.push_back(line);
        }
        // Every day of one month: December 2026 and January 2027 (7 tiles).
        n.push_back("202612yy19001930fEvery day of December 2026");
        n.push_back("202701yy19001930fEvery day of January 2027");
        return n;
    }();
    return notes;
}

// A small deterministic generator, the same on every machine.
struct Lcg {
    std::uint64_t state;
    std::uint32_t next(std::uint32_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33) % bound;
    }
};

bool IsShownDate(int year, int month, int day) {
    return (year == 2026 && month == 12 && day >= 28) || (year == 2027 && month == 1 && day <= 3);
}

std::string MakeNotesFile(const std::string& path, int lines, bool worst) {
    const auto& shown = ShownWeekNotes();
    const int every = std::max<int>(1, lines / static_cast<int>(shown.size()));
    Lcg rng{static_cast<std::uint64_t>(lines) * 2 + (worst ? 1 : 0)};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(lines) * 56);
    std::size_t next = 0;
    char line[96];
    for (int i = 0; i < lines; ++i) {
        if (i % every == every / 2 && next < shown.size()) {
            bytes += shown[next++];
        } else {
            int year, month, day;
            do {
                if (worst) {
                    const bool december = rng.next(2) == 0;
                    year = december ? 2026 : 2027;
                    month = december ? 12 : 1;
                } else {
                    year = 2015 + static_cast<int>(rng.next(21));
                    month = 1 + static_cast<int>(rng.next(12));
                }
                day = 1 + static_cast<int>(rng.next(28));
            } while (IsShownDate(year, month, day) || (!worst && year == 2026 && month == 12) ||
                     (!worst && year == 2027 && month == 1));
            const int hour = 8 + static_cast<int>(rng.next(10));
            std::snprintf(line, sizeof line, "%04d%02d%02X%02d15%02d45%cAppointment number %d with someone", year,
                          month, day, hour, hour + 1, 'd' + static_cast<int>(rng.next(6)), i);
            bytes += line;
        }
        bytes += "\r\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<DayColumn> ShownColumns() {
    const char* days[] = {"28", "29", "30", "31", "1", "2", "3", "4"};
    std::vector<DayColumn> cols;
    for (int i = 0; i < 8; ++i)
        cols.push_back({days[i], i < 4 ? "12" : "1", i < 4 ? "2026" : "2027", "", i % 7 + 1});
    return cols;
}

// The floor: the bytes read into a buffer nobody initialised, and the line ends counted.
void Floor(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
    std::unique_ptr<char[]> buffer(new char[size]);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer.get() + done, size - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    std::size_t lines = 0;
    const char* p = buffer.get();
    const char* end = p + done;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        ++lines;
        p = nl ? nl + 1 : end;
    }
    benchmark::DoNotOptimize(lines);
}

std::size_t ShowWeek(const std::string& path, const WeekRefreshInput& in) {
    NotesFile notes(path);
    notes.refresh();
    const ShownMonth months[] = {{2026, 12}, {2027, 1}};
    const std::vector<std::uint32_t> candidates = notes.candidates(months);
    WeekRefreshResult result = WeekRefreshFromLines(notes.lines(), candidates, in);
    benchmark::DoNotOptimize(result.tiles.data());
    return result.tiles.size();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const std::vector<DayColumn> columns = ShownColumns();
    std::vector<std::string> names(101), colours(101), shown(101, "1");
    for (int i = 0; i < 6; ++i) {
        names[static_cast<std::size_t>(i)] = "Category " + std::to_string(i);
        colours[static_cast<std::size_t>(i)] = std::to_string(0x808080 + i * 0x101010);
    }
    const WeekRefreshInput in{WeekView::Compute(900, 560, 7, 8, 20), columns, names, colours, shown, nullptr};
    const std::string path =
        (std::filesystem::temp_directory_path() / ("plandeck-bench-" + std::to_string(::getpid()) + ".txt")).string();

    std::printf("%-6s %9s %6s %9s %11s   %-20s %s\n", "file", "lines", "tiles", "floor ms", "refresh ms",
                "wall min median max", "cpu min median max");
    for (bool worst : {false, true}) {
        for (int lines : {1'000, 10'000, 100'000, 1'000'000}) {
            MakeNotesFile(path, lines, worst);
            const std::size_t tiles = ShowWeek(path, in);
            // Warm the page cache and the allocator before timing.
            Floor(path);
            const int repeat = std::max(1, 200'000 / lines);
            std::vector<double> wall, cpu, floorMs, refreshMs;
            for (int r = 0; r < rounds; ++r) {
                const Timing f = Measure([&] {
                    for (int k = 0; k < repeat; ++k)
                        Floor(path);
                });
                const Timing w = Measure([&] {
                    for (int k = 0; k < repeat; ++k)
                        ShowWeek(path, in);
                });
                floorMs.push_back(f.wall / repeat);
                refreshMs.push_back(w.wall / repeat);
                wall.push_back(w.wall / f.wall);
                if (f.cpu > 0)
                    cpu.push_back(w.cpu / f.cpu);
            }
            std::sort(floorMs.begin(), floorMs.end());
            std::sort(refreshMs.begin(), refreshMs.end());
            std::printf("%-6s %9d %6zu %9.3f %11.3f   %-20s %s\n", worst ? "worst" : "fair", lines, tiles,
                        floorMs[floorMs.size() / 2], refreshMs[refreshMs.size() / 2], bench::Spread(wall).c_str(),
                        cpu.empty() ? "-" : bench::Spread(cpu).c_str());
            std::fflush(stdout);
        }
    }
    std::filesystem::remove(path);
    return 0;
}
