// What one drop costs in a large notes file, beside the one rewrite of the same bytes that every change of
// the file needs anyway: a drop reads the file once, checks the dragged note, builds the new bytes and
// rewrites the file once.
#include "base/TextFile.h"
#include "editing/DropNote.h"
#include "editing/NoteFileEdits.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace plandeck;

namespace {

constexpr int Lines = 100000;

// One-time, daily, weekly and monthly notes in a steady mix, the same bytes on every run.
std::string NotesBytes() {
    std::string bytes;
    for (int i = 0; i < Lines; ++i) {
        char line[96];
        const int hour = 8 + i % 11;
        const char category = static_cast<char>('d' + i % 6);
        switch (i % 20) {
        case 0:
            std::snprintf(line, sizeof line, "yyyyyyyy%02d00%02d30%cDaily routine %d\r\n", hour, hour, category, i);
            break;
        case 1:
            std::snprintf(line, sizeof line, "yyyyyy%02X%02d00%02d45%cWeekly meeting %d\r\n", 32 + i % 127, hour, hour,
                          category, i);
            break;
        default:
            std::snprintf(line, sizeof line, "%04d%02d%02X%02d15%02d45%cAppointment number %d with someone\r\n",
                          2020 + i % 10, 1 + i % 12, 1 + i % 28, hour, hour + 1, category, i);
        }
        bytes += line;
    }
    return bytes;
}

std::string BenchFile() {
    const auto dir = std::filesystem::temp_directory_path() / "plandeck-drop-bench";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "all.txt").string();
    if (!RewriteFile(path, NotesBytes()).ok)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

std::vector<DayColumn> Week() {
    std::vector<DayColumn> cols;
    for (int i = 0; i < 8; ++i)
        cols.push_back({std::to_string(7 + i), "12", "2026", "", i % 7 + 1});
    return cols;
}

void Statistics(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    b->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
}

// The least any change of the file costs: the same bytes written through the one rewrite.
void PlainRewrite(benchmark::State& state) {
    const std::string path = BenchFile();
    const std::string bytes = NotesBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(RewriteFile(path, bytes).ok);
}

// The same rewrite after reading the file, as every change must read it first to find its note.
void ReadAndRewrite(benchmark::State& state) {
    const std::string path = BenchFile();
    for (auto _ : state) {
        const ReadResult file = ReadWholeFile(path);
        benchmark::DoNotOptimize(RewriteFile(path, file.bytes).ok);
    }
}

// A note from the middle of the file dropped one column to the right, as the session does it.
void DropInLargeFile(benchmark::State& state) {
    const std::string path = BenchFile();
    const std::vector<DayColumn> columns = Week();
    const WeekView view = WeekView::Compute(900, 560, 7, 8, 20);
    constexpr int dragged = Lines / 2;
    std::string tileLine;
    for (auto _ : state) {
        // What the tile holds from the last refresh.
        state.PauseTiming();
        tileLine = std::string(LineAt(ReadWholeFile(path).bytes, dragged).value_or(""));
        state.ResumeTiming();

        const ReadResult file = ReadWholeFile(path);
        DropRequest drop;
        drop.oldLine = tileLine;
        drop.sourceColumn = 2;
        drop.x = view.columnLeft(3) + 200;
        drop.y = view.timeTop(14, 7);
        drop.snapMinutes = 5;
        const DropResult placed = DropNote(drop, view, columns);
        const NotesEdit edit = PlaceNoteLine({file.bytes, !file.failed()}, {dragged, tileLine}, placed.line, false);
        if (edit.status != EditStatus::Changed) {
            state.SkipWithError("the dragged note was not found");
            break;
        }
        benchmark::DoNotOptimize(RewriteFile(path, edit.bytes).ok);
    }
}

} // namespace

BENCHMARK(PlainRewrite)->Apply(Statistics);
BENCHMARK(ReadAndRewrite)->Apply(Statistics);
BENCHMARK(DropInLargeFile)->Apply(Statistics);
