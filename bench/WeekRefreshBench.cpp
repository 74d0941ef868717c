// How long a week refresh takes on large notes files, beside the least any reader must do: read the whole
// file and split it into lines.
#include "notes/WeekRefresh.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace plandeck;

namespace {

// A realistic mix: mostly one-time notes spread over several years, some daily, weekly and monthly ones.
std::string NotesFile(int lines) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("plandeck-bench-" + std::to_string(lines) + ".txt");
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
                std::snprintf(line, sizeof line, "%04d%02d%02X%02d15%02d45%cAppointment number %d with someone",
                              2020 + i % 10, 1 + i % 12, 1 + i % 28, hour, hour + 1, category, i);
            out << line << "\r\n";
        }
    }
    return path.string();
}

std::vector<DayColumn> Week() {
    std::vector<DayColumn> cols;
    for (int i = 0; i < 8; ++i)
        cols.push_back({std::to_string(7 + i), "12", "2026", "", i % 7 + 1});
    return cols;
}

void Baseline(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::string bytes(std::filesystem::file_size(path), '\0');
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        std::vector<std::string_view> lines;
        const char* p = bytes.data();
        const char* end = p + bytes.size();
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!nl)
                nl = end;
            lines.emplace_back(p, static_cast<std::size_t>(nl - p));
            p = nl + 1;
        }
        benchmark::DoNotOptimize(lines.data());
    }
}

void Refresh(benchmark::State& state) {
    const std::string path = NotesFile(static_cast<int>(state.range(0)));
    const std::vector<DayColumn> columns = Week();
    std::vector<std::string> names(101), colours(101), shown(101, "1");
    for (int i = 0; i < 6; ++i) {
        names[static_cast<std::size_t>(i)] = "Category " + std::to_string(i);
        colours[static_cast<std::size_t>(i)] = std::to_string(0x808080 + i * 0x101010);
    }
    WeekRefreshInput in{WeekView::Compute(900, 560, 7, 8, 20), columns, names, colours, shown, nullptr};
    NotesStore store(path);
    for (auto _ : state) {
        WeekRefreshResult r = WeekRefresh(store, in);
        benchmark::DoNotOptimize(r.tiles.data());
    }
}

} // namespace

BENCHMARK(Baseline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Refresh)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
