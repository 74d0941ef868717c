// What a keystroke in the find box costs at 100,000 lines, through the session and the box as the window uses
// them.
//
// - The first search after the notes changed decodes and folds every text once; beside it, the floor of
//   reading the same bytes: splitting them into lines.
// - Each keystroke after that (typing "планёрка" letter by letter, and a word most notes hold) through the
//   session, and through the find box (the search and the list of at most 200 notes); beside it, the floor of
//   any search: one pass of the typed bytes over the file's bytes.
//
// Every figure is min / median / max over the rounds, wall time and CPU time, in ms.
#include "BenchFolder.h"
#include "BenchTiming.h"
#include "NoQuestions.h"
#include "base/TextFile.h"
#include "notes/ui/FindBox.h"
#include "session/Session.h"

#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plandeck;
using plandeck::bench::BenchFolder;
using plandeck::bench::Measure;
using plandeck::bench::NoQuestions;
using plandeck::bench::Spread;
using plandeck::bench::Timing;

namespace {

// One-time and weekly notes with texts in Latin and Cyrillic letters; one line in a thousand holds "Планёрка".
std::string NotesBytes(int lines) {
    std::string bytes;
    char line[160];
    for (int i = 0; i < lines; ++i) {
        if (i % 1000 == 7)
            std::snprintf(line, sizeof line, "2026%02d%02X09001000%cПланёрка отдела продаж %d\r\n", 1 + i % 12,
                          1 + i % 28, 'd' + i % 3, i);
        else if (i % 3 == 0)
            std::snprintf(line, sizeof line, "yyyyyy%02X10001100%cВстреча с клиентом номер %d, переговорная\r\n",
                          32 + i % 100, 'd' + i % 3, i);
        else
            std::snprintf(line, sizeof line, "20%02d%02d%02X%02d001100%cAppointment number %d with someone\r\n",
                          10 + i % 30, 1 + i % 12, 1 + i % 28, 8 + i % 10, 'd' + i % 3, i);
        bytes += line;
    }
    return bytes;
}

// The floor of any search: every byte of the file looked at once for the typed bytes.
std::size_t PlainScan(std::string_view bytes, std::string_view typed) {
    std::size_t n = 0;
    for (std::size_t at = bytes.find(typed); at != std::string_view::npos; at = bytes.find(typed, at + 1))
        ++n;
    return n;
}

void Print(const char* what, const std::vector<double>& wall, const std::vector<double>& cpu) {
    std::printf("  %-34s wall %s   cpu %s\n", what, Spread(wall, 7).c_str(), Spread(cpu, 7).c_str());
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    constexpr int Lines = 100'000;
    const std::string bytes = NotesBytes(Lines);
    const std::string changed = bytes + "2026121010001100dПланёрка итогов\r\n";
    BenchFolder folder("plandeck-find-bench", "Work\r\n255\r\nHome\r\n65280\r\nSport\r\n16711680\r\n", bytes);
    NoQuestions questions;
    Session session(DataDirectory(folder.root), questions, std::string());
    session.loadSettings();
    session.setGridSize(900, 560);
    const TodayStamp now{{2026, 12, 8}, 10, 0};
    session.openWeek(now);
    FindBox box(session.language(),
                [&](const std::string& q, std::size_t limit) { return session.findNotes(q, limit); });
    auto* field = box.findChild<QLineEdit*>(QStringLiteral("FindText"));

    std::printf("find at %d lines (%zu bytes), %d rounds: min / median / max ms\n", Lines, bytes.size(), rounds);
    std::vector<double> buildWall, buildCpu, splitWall, splitCpu;
    for (int r = 0; r < rounds; ++r) {
        // Another program changed the file: the next search takes the texts afresh.
        folder.writeNotes(r % 2 ? bytes : changed);
        session.outsideChanges();
        const Timing build = Measure([&] { session.findNotes("п", 200); });
        buildWall.push_back(build.wall);
        buildCpu.push_back(build.cpu);
        const Timing split = Measure([&] { TextLines lines{std::string(bytes)}; });
        splitWall.push_back(split.wall);
        splitCpu.push_back(split.cpu);
    }
    Print("first search after a change", buildWall, buildCpu);
    Print("floor: splitting the bytes", splitWall, splitCpu);

    const char* typed[] = {"п", "пл", "пла", "план", "планё", "планёр", "планёрка", "ПЛАНЁРКА", "number"};
    std::vector<double> sessionWall, sessionCpu, boxWall, boxCpu, scanWall, scanCpu;
    std::size_t found = 0;
    for (int r = 0; r < rounds; ++r)
        for (const char* t : typed) {
            const Timing s = Measure([&] { found += session.findNotes(t, FindBox::ListLimit).total; });
            sessionWall.push_back(s.wall);
            sessionCpu.push_back(s.cpu);
            const Timing b = Measure([&] { field->setText(QString::fromUtf8(t)); });
            boxWall.push_back(b.wall);
            boxCpu.push_back(b.cpu);
            const Timing p = Measure([&] { found += PlainScan(bytes, t); });
            scanWall.push_back(p.wall);
            scanCpu.push_back(p.cpu);
        }
    Print("keystroke: session", sessionWall, sessionCpu);
    Print("keystroke: find box (search + list)", boxWall, boxCpu);
    Print("floor: one scan of the bytes", scanWall, scanCpu);
    std::vector<double> ratio;
    for (std::size_t i = 0; i < boxWall.size(); ++i)
        ratio.push_back(boxWall[i] / std::max(scanWall[i], 1e-3));
    std::printf("  find box / floor (wall)              %s\n", Spread(ratio, 7).c_str());
    std::printf("  (%zu notes found in all)\n", found);
    return 0;
}
