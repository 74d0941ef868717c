// What the today window's two-second tick costs on a large notes file: with the file unchanged (the usual
// case, one stat), and with the file changed (stat, read, scan), beside reading and splitting the same bytes
// and beside decoding every line into a note.
#include "base/TextFile.h"
#include "notes/Note.h"
#include "notes/TodayRefresh.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

using namespace plandeck;

namespace {

// The same mix as the week refresh benchmark, dated around Monday 7 December 2026: every-day, weekly and
// monthly notes that fall on today, and one-time notes over a year of which some fall on today.
std::string NotesFile(int lines) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("plandeck-today-bench-" + std::to_string(lines) + ".txt");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < lines; ++i) {
            char line[96];
            const int kind = i % 20;
            const int hour = 8 + i % 11;
            const char category = static_cast<char>('d' + i % 6);
            if (kind == 0)
                std::snprintf(line, sizeof line, "yyyyyyyy%02d00%02d30%cDaily routine %d", hour, hour, category, i);
            else if (kind == 1)
                std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d45%cWeekly meeting %d", 32 + i % 127, hour, hour,
                              category, i);
            else if (kind == 2)
                std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d00%cMonthly bill %d", 1 + i % 28, hour, hour + 1,
                              category, i);
            else
                std::snprintf(line, sizeof line, "2026%02d%02X%02d15%02d45%cAppointment number %d with someone",
                              1 + i % 12, 1 + i % 28, hour, hour + 1, category, i);
            out << line << "\r\n";
        }
    }
    return path.string();
}

const TodayStamp kNow{Date{2026, 12, 7}, 12, 0};

void ReadAndSplit(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ReadResult read = ReadWholeFile(path);
        std::size_t count = 0;
        ForEachLine(read.bytes, [&](std::string_view) {
            ++count;
            return true;
        });
        benchmark::DoNotOptimize(count);
    }
}

void DecodeEveryLine(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ReadResult read = ReadWholeFile(path);
        std::size_t count = 0;
        ForEachLine(read.bytes, [&](std::string_view line) {
            count += Note::Decode(line).has_value();
            return true;
        });
        benchmark::DoNotOptimize(count);
    }
}

void TickFileUnchanged(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    TodayRefresh refresh;
    refresh.tick(kNow, path, [] { return false; });
    for (auto _ : state) {
        const TodayRefresh::Tick t = refresh.tick(kNow, path, [] { return false; });
        benchmark::DoNotOptimize(t);
    }
}

void TickFileChanged(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    TodayRefresh refresh;
    refresh.tick(kNow, path, [] { return false; });
    for (auto _ : state) {
        // A new modification time is all a change needs to be noticed; the content is read again in full.
        ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0);
        const TodayRefresh::Tick t = refresh.tick(kNow, path, [] { return false; });
        benchmark::DoNotOptimize(t);
    }
    state.counters["runningNotes"] = static_cast<double>(refresh.list().running.size());
}

} // namespace

BENCHMARK(ReadAndSplit)->Arg(100000)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(DecodeEveryLine)->Arg(100000)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(TickFileUnchanged)->Arg(100000)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(TickFileChanged)->Arg(100000)->Unit(benchmark::kMicrosecond)->Repetitions(5);
