// The owner of the notes file: every write goes through it, builds its bytes from the lines it holds, and never
// writes over what another program put in the file.
#include "notes/NotesFile.h"
#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

const std::string A = "2026120709001000dFirst";
const std::string B = "2026120710001100eSecond \xc3\xa9t\xc3\xa9";
const std::string C = "yyyyyy2412001300fThird";

std::string File(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

LineChange Remove(std::size_t index, std::string text) {
    LineChange change;
    change.removed.push_back({index, std::move(text)});
    return change;
}

LineChange Add(LineChange change, std::string text) {
    change.added.push_back({LineChange::AtEnd, std::move(text)});
    return change;
}

struct Owned {
    TempDir dir;
    std::string path = dir.file("all.txt");
    NotesFile notes{path};

    explicit Owned(const std::string& bytes) {
        dir.write("all.txt", bytes);
        notes.refresh();
    }
    std::string bytes() const { return dir.read("all.txt"); }
};

TEST(NotesOwner, EveryEditFollowsTheRewriteAndAppendRules) {
    const std::string P = "2026120915001600fno text";
    struct Case {
        const char* name;
        std::string before;
        LineChange change;
        std::string expected;
    };
    const Case cases[] = {
        {"delete in the middle", File({A, B, C}), Remove(1, B), File({A, C})},
        {"delete the first", File({A, B, C}), Remove(0, A), File({B, C})},
        {"last line without a line end", A + "\r\n" + B + "\r\n" + C, Remove(2, C), File({A, B})},
        {"bare line feeds become CR LF", A + "\n" + B + "\n" + C + "\n", Remove(0, A), File({B, C})},
        {"empty lines before the first note go", "\r\n\r\n" + File({A, B}), Remove(3, B), File({A})},
        {"empty lines between notes stay", File({A, "", B, C}), Remove(2, B), File({A, "", C})},
        {"the only note leaves one line end", File({A}), Remove(0, A), "\r\n"},
        {"an edited note moves to the end", File({A, B, C}), Add(Remove(0, A), "2026120709001000dLunch"),
         File({B, C, "2026120709001000dLunch"})},
        {"a copy keeps the old note", File({A, B, C}), Add({}, B), File({A, B, C, B})},
        // New lines at the end only are appended in place, in the file's own line ends.
        {"append to CR LF", File({A, B}), Add({}, P), File({A, B, P})},
        {"append after a last line without a line end", A + "\r\n" + B, Add({}, P), File({A, B, P})},
        {"append to LF", A + "\n" + B + "\n", Add({}, P), A + "\n" + B + "\n" + P + "\n"},
        {"append to lone CR", A + "\r" + B + "\r", Add({}, P), A + "\r" + B + "\r" + P + "\r"},
        {"append to lone CR without a last line end", A + "\r" + B, Add({}, P), A + "\r" + B + "\r" + P + "\r"},
        {"append to a new file", "", Add({}, P), File({P})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owned file(c.before);
        const ChangeOutcome outcome = file.notes.apply(c.change);
        EXPECT_TRUE(outcome.done());
        EXPECT_EQ(file.bytes(), c.expected);
        // What the owner holds is what the file holds: the next edit needs no second read.
        EXPECT_EQ(file.notes.lines().bytes(), c.expected);
        EXPECT_FALSE(file.notes.changedOnDisk());
    }
}

TEST(NotesOwner, AnotherProgramsChangeIsReadNeverWrittenOver) {
    struct Case {
        const char* name;
        std::function<void(TempDir&)> meanwhile;
        ChangeStatus status;
        std::string expected; // empty: the file as the other program left it
    };
    const std::string path = "all.txt";
    const Case cases[] = {
        {"replaced by rename, the note still there: the delete goes into the new content",
         [&](TempDir& d) {
             d.write("new.txt", File({C, A, B}));
             std::filesystem::rename(d.file("new.txt"), d.file(path));
         },
         ChangeStatus::Done, File({C, A})},
        {"appended to: the delete keeps the new line",
         [&](TempDir& d) {
             const int fd = ::open(d.file(path).c_str(), O_WRONLY | O_APPEND);
             ASSERT_EQ(::write(fd, "X\r\n", 3), 3);
             ::close(fd);
         },
         ChangeStatus::Done, File({A, "X"})},
        {"replaced without the note",
         [&](TempDir& d) {
             d.write(path, File({A, C}));
         },
         ChangeStatus::Stale, ""},
        {"truncated", [&](TempDir& d) { d.write(path, ""); }, ChangeStatus::Stale, ""},
        {"turned into a folder",
         [&](TempDir& d) {
             std::filesystem::remove(d.file(path));
             std::filesystem::create_directory(d.file(path));
         },
         ChangeStatus::Unreadable, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owned file(File({A, B}));
        c.meanwhile(file.dir);
        const std::string theirs = std::filesystem::is_directory(file.path) ? "" : file.bytes();
        const ChangeOutcome outcome = file.notes.apply(Remove(1, B));
        EXPECT_EQ(outcome.status, c.status);
        if (std::filesystem::is_directory(file.path))
            continue;
        EXPECT_EQ(file.bytes(), c.expected.empty() ? theirs : c.expected);
    }

    // A file that can no longer be read whole is never replaced by what could be read.
    Owned file(File({A, B, C}));
    file.dir.write("all.txt", File({A, B, C, "2026121012001300dMore"}));
    SetReadFunctionForTesting([](int, void*, std::size_t) -> ssize_t {
        errno = EIO;
        return -1;
    });
    const ChangeOutcome outcome = file.notes.apply(Remove(0, A));
    SetReadFunctionForTesting(nullptr);
    EXPECT_EQ(outcome.status, ChangeStatus::Unreadable);
    EXPECT_EQ(file.bytes(), File({A, B, C, "2026121012001300dMore"}));
}

TEST(NotesOwner, LinesAppendedToTheReplacedFileAreCarriedOver) {
    Owned file(File({A, B}));
    // Another program opened the file to append just before it was replaced, and writes after.
    const int late = ::open(file.path.c_str(), O_WRONLY | O_APPEND);
    ASSERT_TRUE(file.notes.apply(Remove(0, A)).done());
    ASSERT_EQ(::write(late, "2026121012001300dLate\r\n", 23), 23);
    ::close(late);
    file.notes.carryLateAppends(true);
    EXPECT_EQ(file.bytes(), File({B, "2026121012001300dLate"}));
}

// A second program appends one whole line every 5 ms (open, append, close) while 2,000 edits run: no line is
// lost, five times over.
TEST(NotesOwner, ASecondWriterLosesNoLine) {
    constexpr int Appends = 300;
    for (int run = 0; run < 5; ++run) {
        SCOPED_TRACE(run);
        Owned file(File({A, B, C}));
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int n = 0; n < Appends; ++n) {
                const std::string line = "2026121108000900dOther " + std::to_string(n) + "\r\n";
                const int fd = ::open(file.path.c_str(), O_WRONLY | O_APPEND);
                if (fd < 0 || ::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                    ::_exit(1);
                ::close(fd);
                ::usleep(5000);
            }
            ::_exit(0);
        }
        std::string moving = A;
        int status = 0;
        bool writerDone = false;
        for (int edit = 0; edit < 2000 || !writerDone; ++edit) {
            const std::string next = "20261207" + std::string(edit % 2 ? "09001000" : "10001100") + "dFirst";
            const ChangeOutcome outcome = file.notes.apply(Add(Remove(0, moving), next));
            ASSERT_TRUE(outcome.done()) << outcome.error;
            moving = next;
            if (!writerDone && ::waitpid(writer, &status, WNOHANG) == writer)
                writerDone = true;
        }
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        file.notes.carryLateAppends(true);
        const TextLines lines(file.bytes());
        std::vector<int> seen(Appends, 0);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view line = lines.line(i);
            if (line.starts_with("2026121108000900dOther "))
                ++seen[static_cast<std::size_t>(std::stoi(std::string(line.substr(23))))];
        }
        for (int n = 0; n < Appends; ++n)
            EXPECT_EQ(seen[static_cast<std::size_t>(n)], 1) << "line " << n;
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(Appends) + 3);
    }
}

} // namespace
