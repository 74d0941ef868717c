// How long the program takes from its start to the first paint of its main window, beside a bare Qt Widgets
// window of the same size started the same way. Each round starts the bare window and the program on two data
// folders, one after the other, and takes the child's CPU time (user + system, from wait4) and the wall time;
// it prints min / median / max of each and of the ratio program / bare window within a round, since the
// machines are shared and noisy.
//
// Data folders, made afresh in a temporary folder on every run:
//   shipped: the built program folder with the shipped data copied over it;
//   100k:    the same with a notes file of 100,000 lines, made from a fixed seed: one-time notes spread over
//            the years 2010..2040, and about sixty notes of every kind in the days the program opens on.
//
//   plandeck_startup_bench [rounds] [platform] [folder]
//     rounds: 15 by default; platform: "offscreen" by default, "xcb" runs on the display of $DISPLAY (e.g.
//     under xvfb-run); folder: another build's program folder (one whose plandeck reads
//     PLANDECK_EXIT_AFTER_FIRST_PAINT), timed the same way on both data sets, to compare two versions.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

struct Run {
    double cpu = 0;  // seconds
    double wall = 0; // seconds
};

// Starts `program` with `environment` added, waits for it, and returns its CPU and wall time; exits the
// benchmark when the child does not end by itself in time or ends with an error.
Run Start(const std::string& program, const std::string& argument, const std::vector<std::string>& environment) {
    const auto begin = steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const std::string& entry : environment)
            ::putenv(const_cast<char*>(entry.c_str()));
        if (argument.empty())
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    for (int waited = 0;; ++waited) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (waited > 60'000) { // a minute
            ::kill(pid, SIGKILL);
            std::fprintf(stderr, "%s did not end within a minute\n", program.c_str());
            std::exit(1);
        }
        ::usleep(200);
    }
    const auto end = steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", program.c_str(), status);
        std::exit(1);
    }
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), duration<double>(end - begin).count()};
}

// A small deterministic generator, the same on every machine.
struct Lcg {
    std::uint64_t state;
    int next(int bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(bound));
    }
};

// 100,000 note lines. The program opens on today and the days after it, so the notes that must show are placed
// there; the rest are one-time notes of other days.
std::string NotesFile(const year_month_day& today) {
    constexpr int Lines = 100'000;
    std::vector<std::string> shown;
    char line[128];
    for (int i = 0; i < 40; ++i) {
        const year_month_day d{sys_days(today) + days(i % 8)};
        std::snprintf(line, sizeof line, "%04d%02u%02X%02d00%02d30%cAppointment in view %d", static_cast<int>(d.year()),
                      static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()), 8 + i % 10, 8 + i % 10,
                      'd' + i % 5, i);
        shown.emplace_back(line);
    }
    for (const char* repeating : {"yyyyyyyy08000830eEvery day", "yyyyyy7F12001300fEvery weekday and weekend",
                                  "yyyyyy2415001600gMondays and Wednesdays", "yyyy121818002200fEvery year"}) {
        shown.emplace_back(repeating);
    }
    for (int i = 0; i < 8; ++i) {
        const year_month_day d{sys_days(today) + days(i)};
        std::snprintf(line, sizeof line, "yyyyyy%02X16001700hMonthly on the %u", static_cast<unsigned>(d.day()),
                      static_cast<unsigned>(d.day()));
        shown.emplace_back(line);
    }
    const int every = Lines / static_cast<int>(shown.size());
    Lcg rng{20261207};
    std::string bytes;
    bytes.reserve(Lines * 56);
    std::size_t next = 0;
    for (int i = 0; i < Lines; ++i) {
        if (i % every == every / 2 && next < shown.size()) {
            bytes += shown[next++];
        } else {
            year_month_day d;
            do {
                d = year_month_day{year(2010 + rng.next(31)), month(1 + static_cast<unsigned>(rng.next(12))),
                                   day(1 + static_cast<unsigned>(rng.next(28)))};
            } while (sys_days(d) >= sys_days(today) - days(7) && sys_days(d) <= sys_days(today) + days(14));
            const int hour = 8 + rng.next(10);
            std::snprintf(line, sizeof line, "%04d%02u%02X%02d15%02d45%cAppointment number %d with someone",
                          static_cast<int>(d.year()), static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()),
                          hour, hour + 1, 'd' + rng.next(5), i);
            bytes += line;
        }
        bytes += "\r\n";
    }
    return bytes;
}

// The built program folder with the shipped data laid over it, so files a user changed there do not count.
fs::path ProgramFolder(const fs::path& built, const fs::path& work, const std::string& name) {
    const fs::path folder = work / name;
    fs::copy(built, folder, fs::copy_options::recursive);
    fs::copy(PLANDECK_SHIPPED_DATA, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return folder;
}

struct Spread {
    double min, median, max;
};

Spread Of(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const std::string platform = argc > 2 ? argv[2] : "offscreen";

    const fs::path work = fs::temp_directory_path() / ("plandeck-startup-bench-" + std::to_string(::getpid()));
    fs::create_directories(work / "runtime");
    fs::permissions(work / "runtime", fs::perms::owner_all);
    const fs::path shipped = ProgramFolder(PLANDECK_APP_DIR, work, "shipped");
    const fs::path large = ProgramFolder(PLANDECK_APP_DIR, work, "100k");
    const std::string other = argc > 3 ? argv[3] : "";
    // The program opens on today's date by the local clock.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const year_month_day today{year(local.tm_year + 1900), month(static_cast<unsigned>(local.tm_mon + 1)),
                               day(static_cast<unsigned>(local.tm_mday))};
    const std::string notes = NotesFile(today);
    std::ofstream(large / "pdnotes" / "all.txt", std::ios::binary | std::ios::trunc) << notes;

    const std::string runtime = "XDG_RUNTIME_DIR=" + (work / "runtime").string();
    struct Subject {
        std::string name;
        std::string program;
        std::string argument;
        std::string exitAfter; // the first paint, or the services started right after it
        std::vector<Run> runs;
    };
    std::vector<Subject> subjects = {
        {"bare window", PLANDECK_BARE_WINDOW, "", "1", {}},
        {"shipped data", (shipped / "plandeck").string(), "", "1", {}},
        {"100k lines", (large / "plandeck").string(), "", "1", {}},
        // For comparison: the bare window with one line of text (the font set-up any text costs), and the
        // program until the services it starts after the first paint (today window, tray) are in place.
        {"bare + text", PLANDECK_BARE_WINDOW, "--text", "1", {}},
        {"shipped+serv.", (shipped / "plandeck").string(), "", "services", {}},
    };
    if (!other.empty()) {
        const fs::path otherShipped = ProgramFolder(other, work, "other-shipped");
        const fs::path otherLarge = ProgramFolder(other, work, "other-100k");
        std::ofstream(otherLarge / "pdnotes" / "all.txt", std::ios::binary | std::ios::trunc) << notes;
        subjects.push_back({"other: shipped", (otherShipped / "plandeck").string(), "", "1", {}});
        subjects.push_back({"other: 100k", (otherLarge / "plandeck").string(), "", "1", {}});
    }
    auto start = [&](const Subject& s) {
        // The program leaves without its shutdown, so its single-instance lock stays behind; a normal start
        // finds none.
        std::error_code ignored;
        fs::remove(fs::path(s.program).parent_path() / "plandeck.lock", ignored);
        return Start(s.program, s.argument,
                     {"QT_QPA_PLATFORM=" + platform, runtime, "PLANDECK_EXIT_AFTER_FIRST_PAINT=" + s.exitAfter});
    };
    // One round unmeasured: the page cache and the font cache are warm for everybody after it.
    for (const Subject& s : subjects)
        start(s);
    for (int r = 0; r < rounds; ++r)
        for (Subject& s : subjects)
            s.runs.push_back(start(s));

    std::printf("start-up to first paint, %d rounds, platform %s; milliseconds min / median / max\n", rounds,
                platform.c_str());
    std::printf("%-14s %26s %26s %20s %20s\n", "", "CPU (user+sys)", "wall", "CPU / bare", "wall / bare");
    const Subject& bare = subjects.front();
    for (const Subject& s : subjects) {
        std::vector<double> cpu, wall, cpuRatio, wallRatio;
        for (std::size_t i = 0; i < s.runs.size(); ++i) {
            cpu.push_back(s.runs[i].cpu * 1e3);
            wall.push_back(s.runs[i].wall * 1e3);
            cpuRatio.push_back(s.runs[i].cpu / bare.runs[i].cpu);
            wallRatio.push_back(s.runs[i].wall / bare.runs[i].wall);
        }
        const Spread c = Of(cpu), w = Of(wall), cr = Of(cpuRatio), wr = Of(wallRatio);
        std::printf("%-14s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %6.2f %6.2f %6.2f %6.2f %6.2f %6.2f\n", s.name.c_str(),
                    c.min, c.median, c.max, w.min, w.median, w.max, cr.min, cr.median, cr.max, wr.min, wr.median,
                    wr.max);
    }
    fs::remove_all(work);
    return 0;
}
