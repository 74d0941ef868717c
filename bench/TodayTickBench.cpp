// What the today window's two-second tick costs on a large notes file, beside the least any reader must do:
// read the whole file and split it into lines. Three ticks are timed: with the file unchanged (the usual
// case: one stat), with the file changed (stat, read, scan, lists), and, for comparison, a scan that decodes
// every line into a note. Prints each one's ratio to the baseline over interleaved rounds (min, median, max),
// since the machines are shared and noisy.
//
// The file is made afresh from a fixed seed, dated around Monday 7 December 2026, noon: every-day, weekly
// and monthly notes that fall on today, and one-time notes of the same year of which a twelfth share today's
// month, so the day test is reached often; about 800 notes run at noon.
#include "base/TextFile.h"
#include "notes/Note.h"
#include "notes/TodayRefresh.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace plandeck;

namespace {

const TodayStamp kNow{Date{2026, 12, 7}, 12, 0};

std::string MakeNotesFile(const std::string& path, int lines) {
    std::string bytes;
    unsigned state = 12345;
    const auto next = [&state](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % n;
    };
    for (int i = 0; i < lines; ++i) {
        char line[96];
        const int kind = i % 20;
        const int hour = 8 + static_cast<int>(next(11));
        const char category = static_cast<char>('d' + next(6));
        if (kind == 0)
            std::snprintf(line, sizeof line, "yyyyyyyy%02d00%02d30%cDaily routine %d", hour, hour, category, i);
        else if (kind == 1)
            std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d45%cWeekly meeting %d", 32 + next(127), hour, hour,
                          category, i);
        else if (kind == 2)
            std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d00%cMonthly bill %d", 1 + next(28), hour, hour + 1,
                          category, i);
        else
            std::snprintf(line, sizeof line, "2026%02d%02X%02d15%02d45%cAppointment number %d with someone",
                          1 + next(12), 1 + next(28), hour, hour + 1, category, i);
        bytes += line;
        bytes += "\r\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void Baseline(const std::string& path) {
    const ReadResult read = ReadWholeFile(path);
    std::size_t count = 0;
    ForEachLine(read.bytes, [&](std::string_view) {
        ++count;
        return true;
    });
    benchmark::DoNotOptimize(count);
}

void DecodeEveryLine(const std::string& path) {
    const ReadResult read = ReadWholeFile(path);
    std::size_t count = 0;
    ForEachLine(read.bytes, [&](std::string_view line) {
        count += Note::Decode(line).has_value();
        return true;
    });
    benchmark::DoNotOptimize(count);
}

template <class F>
double Seconds(int repeat, F f) {
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < repeat; ++k)
        f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeat;
}

struct Spread {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    double at(double q) {
        std::sort(values.begin(), values.end());
        return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
    }
};

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("plandeck-today-" + std::to_string(::getpid()) + ".txt")).string();
    const auto never = [] { return false; };

    std::printf("%8s %9s %16s %16s %16s   (tick / read-and-split: min median max)\n", "lines", "base ms", "unchanged",
                "changed", "decode all");
    for (int lines : {1'000, 10'000, 100'000}) {
        MakeNotesFile(path, lines);
        TodayRefresh refresh;
        refresh.tick(kNow, path, never);
        Baseline(path);
        const int repeat = std::max(1, 200'000 / lines);
        Spread base, unchanged, changed, decodeAll;
        for (int r = 0; r < rounds; ++r) {
            const double b = Seconds(repeat, [&] { Baseline(path); });
            base.add(b);
            unchanged.add(Seconds(repeat * 100, [&] { benchmark::DoNotOptimize(refresh.tick(kNow, path, never)); }) /
                          b);
            changed.add(Seconds(repeat,
                                [&] {
                                    // A new modification time is all a change needs to be noticed.
                                    ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0);
                                    benchmark::DoNotOptimize(refresh.tick(kNow, path, never));
                                }) /
                        b);
            decodeAll.add(Seconds(repeat, [&] { DecodeEveryLine(path); }) / b);
        }
        std::printf("%8d %9.3f   %.4f %.4f %.4f   %.2f %.2f %.2f   %.2f %.2f %.2f   running %zu\n", lines,
                    base.at(0.5) * 1e3, unchanged.at(0), unchanged.at(0.5), unchanged.at(1), changed.at(0),
                    changed.at(0.5), changed.at(1), decodeAll.at(0), decodeAll.at(0.5), decodeAll.at(1),
                    refresh.list().running.size());
        std::fflush(stdout);
    }
    std::filesystem::remove(path);
    return 0;
}
