// What a click costs as the notes file grows, through the session as the window uses it.
//
// - Forward and back, a resize step and a category filter with the notes file unchanged: the session command,
//   the grid model and a paint of the grid into an image, at 1,000 and at 1,000,000 lines, alternating. The
//   cost should not grow with the file: the ratio 1M / 1k is printed.
// - One drop of a note in the shown week at 100,000 and 1,000,000 lines (the session command: the new line,
//   the tiles from memory and the write), beside one plain rewrite (write, fsync, rename) of the same bytes,
//   alternating; the paint of the grid that follows it is timed on its own.
//
// Every figure is min / median / max over the rounds, wall time and CPU time.
#include "BenchFolder.h"
#include "BenchTiming.h"
#include "NoQuestions.h"
#include "base/TextFile.h"
#include "calendar/ui/HourGridWidget.h"
#include "session/Session.h"

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::bench::BenchFolder;
using plandeck::bench::Measure;
using plandeck::bench::NoQuestions;
using plandeck::bench::Timing;

namespace {

struct Lcg {
    std::uint64_t state;
    std::uint32_t next(std::uint32_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33) % bound;
    }
};

// One-time notes over forty years, one line in fifty of the first 20,000 repeating every Monday. The shown days
// (8 to 13 December 2026) get the same sixty notes at every size, spread through the file; the other notes of
// December 2026 fall on days that are never shown, so that they are looked at but give no tile.
std::string NotesBytes(int lines) {
    Lcg rng{static_cast<std::uint64_t>(lines)};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(lines) * 56);
    char line[112];
    constexpr int Shown = 60;
    const int every = std::max(1, lines / Shown);
    int shown = 0;
    for (int i = 0; i < lines; ++i) {
        const int hour = 8 + static_cast<int>(rng.next(10));
        const char category = static_cast<char>('d' + rng.next(4));
        if (i % every == every / 2 && shown < Shown) {
            std::snprintf(line, sizeof line, "202612%02X%02d15%02d45%cShown appointment %d\r\n", 8 + shown % 6,
                          8 + shown % 11, 9 + shown % 11, category, shown);
            ++shown;
        } else if (i % 50 == 0 && i < 20'000) {
            // Mondays: looked at on every click, never on a shown day.
            std::snprintf(line, sizeof line, "yyyyyy20%02d00%02d30%cWeekly %d\r\n", hour, hour, category, i);
        } else {
            const int year = 2000 + static_cast<int>(rng.next(40));
            const int month = 1 + static_cast<int>(rng.next(12));
            const int day =
                year == 2026 && month == 12 ? 20 + static_cast<int>(rng.next(9)) : 1 + static_cast<int>(rng.next(28));
            std::snprintf(line, sizeof line, "%04d%02d%02X%02d15%02d45%cAppointment number %d with someone\r\n", year,
                          month, day, hour, hour + 1, category, i);
        }
        bytes += line;
    }
    return bytes;
}

struct Running {
    BenchFolder folder;
    NoQuestions questions;
    Session session;
    HourGridWidget grid;
    QImage image{900, 560, QImage::Format_ARGB32_Premultiplied};
    TodayStamp now{{2026, 12, 8}, 10, 0};

    explicit Running(int lines)
        : folder("plandeck-session-bench-" + std::to_string(lines),
                 "Work\r\n255\r\nHome\r\n65280\r\nSport\r\n16711680\r\nFamily\r\n8421504\r\n", NotesBytes(lines)),
          session(DataDirectory(folder.root), questions, std::string()) {
        session.loadSettings();
        session.setGridSize(900, 560);
        session.openWeek(now);
        grid.resize(900, 560);
        paint();
    }
    void paint() {
        grid.setModel(session.grid());
        grid.render(&image);
    }
};

// A click as the window handles it: the command, the model, the paint.
void Click(Running& r, int step) {
    switch (step % 6) {
    case 0:
        r.session.forward(r.now);
        break;
    case 1:
        r.session.back(r.now);
        break;
    case 2:
        r.session.setGridSize(880, 550);
        break;
    case 3:
        r.session.setGridSize(900, 560);
        break;
    case 4:
        r.session.setCategoryShown(1, false);
        break;
    default:
        r.session.setCategoryShown(1, true);
        break;
    }
    r.paint();
}

void Clicks(int rounds) {
    Running small(1'000);
    Running large(1'000'000);
    constexpr int perRound = 60;
    std::vector<double> ratioWall, ratioCpu, largeCpu, smallWall, largeWall;
    for (int r = 0; r < rounds; ++r) {
        const Timing s = Measure([&] {
            for (int k = 0; k < perRound; ++k)
                Click(small, k);
        });
        const Timing l = Measure([&] {
            for (int k = 0; k < perRound; ++k)
                Click(large, k);
        });
        smallWall.push_back(s.wall / perRound);
        largeWall.push_back(l.wall / perRound);
        largeCpu.push_back(l.cpu / perRound);
        ratioWall.push_back(l.wall / s.wall);
        if (s.cpu > 0)
            ratioCpu.push_back(l.cpu / s.cpu);
    }
    std::printf("click (forward, back, resize, filter) + paint, ms per click, min median max\n");
    std::printf("  1k lines wall        %s\n", bench::Spread(smallWall, 7).c_str());
    std::printf("  1M lines wall        %s\n", bench::Spread(largeWall, 7).c_str());
    std::printf("  1M lines cpu         %s\n", bench::Spread(largeCpu, 7).c_str());
    std::printf("  1M / 1k wall         %s\n", bench::Spread(ratioWall, 7).c_str());
    std::printf("  1M / 1k cpu          %s\n", ratioCpu.empty() ? "-" : bench::Spread(ratioCpu, 7).c_str());
}

void Drops(int lines, int rounds) {
    Running r(lines);
    std::vector<double> ratioWall, ratioCpu, dropWall, paintWall, rewriteWall;
    for (int k = 0; k < rounds; ++k) {
        const std::vector<NoteTile>& tiles = r.session.grid().tiles;
        if (tiles.empty())
            break;
        const NoteTile tile = tiles[static_cast<std::size_t>(k) % tiles.size()];
        const WeekView& view = r.session.grid().view;
        const Timing drop = Measure([&] {
            r.session.dropTile(tile.slot, view.columnLeft((tile.column + 1) % view.days) + 100,
                               view.timeTop(9 + k % 8, 0), 0, false);
        });
        paintWall.push_back(Measure([&] { r.paint(); }).wall);
        const std::string bytes = ReadWholeFile(r.folder.notes()).bytes;
        const Timing rewrite = Measure([&] { RewriteFile(r.folder.notes() + ".plain", bytes); });
        dropWall.push_back(drop.wall);
        rewriteWall.push_back(rewrite.wall);
        ratioWall.push_back(drop.wall / rewrite.wall);
        if (rewrite.cpu > 0)
            ratioCpu.push_back(drop.cpu / rewrite.cpu);
    }
    std::printf("drop at %d lines, ms, min median max\n", lines);
    std::printf("  drop wall            %s\n", bench::Spread(dropWall, 7).c_str());
    std::printf("  paint wall           %s\n", bench::Spread(paintWall, 7).c_str());
    std::printf("  plain rewrite wall   %s\n", bench::Spread(rewriteWall, 7).c_str());
    std::printf("  drop / rewrite wall  %s\n", bench::Spread(ratioWall, 7).c_str());
    std::printf("  drop / rewrite cpu   %s\n", ratioCpu.empty() ? "-" : bench::Spread(ratioCpu, 7).c_str());
    std::filesystem::remove(r.folder.notes() + ".plain");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 11;
    Clicks(rounds);
    std::fflush(stdout);
    Drops(100'000, rounds);
    std::fflush(stdout);
    Drops(1'000'000, rounds);
    return 0;
}
