#include "base/TextFile.h"
#include "editing/CategoryTable.h"
#include "notes/NotesFile.h"
#include "notes/NotesStore.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/SkinColours.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// Writes a few bytes and then reports a full disk, as a nearly full file system does.
ssize_t FullDiskWrite(int fd, const void* data, std::size_t size) {
    static thread_local int calls = 0;
    if (calls++ % 2 == 0)
        return ::write(fd, data, size < 7 ? size : 7);
    errno = ENOSPC;
    return -1;
}

ssize_t ZeroWrite(int, const void*, std::size_t) {
    return 0;
}

struct WriteFailure : ::testing::Test {
    void TearDown() override { SetWriteFunctionForTesting(nullptr); }
};

} // namespace

TEST_F(WriteFailure, FailedRewriteKeepsTheOldFileAndSaysSo) {
    for (WriteFunction failing : {&FullDiskWrite, &ZeroWrite}) {
        TempDir dir;
        const std::string old = "2005071F09301100dMeeting\r\nyyyyyyyy08001000eDaily\r\n";
        NotesFile notes(dir.write("all.txt", old));
        notes.refresh();
        SetWriteFunctionForTesting(failing);
        const ChangeOutcome r =
            notes.apply({{{1, "yyyyyyyy08001000eDaily"}}, {{LineChange::AtEnd, std::string(5000, 'x')}}});
        SetWriteFunctionForTesting(nullptr);
        EXPECT_EQ(r.status, ChangeStatus::Failed);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(dir.read("all.txt"), old);
        EXPECT_EQ(notes.lines().bytes(), old); // the notes shown are the file's
        // No temporary file is left behind.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST_F(WriteFailure, FailedAppendTakesBackThePartialLine) {
    TempDir dir;
    const std::string old = "2005071F09301100dMeeting\r\n";
    NotesFile notes(dir.write("all.txt", old));
    SetWriteFunctionForTesting(&FullDiskWrite);
    const ChangeOutcome r = notes.apply({{}, {{LineChange::AtEnd, "2005071F12001300dA long line that does not fit"}}});
    SetWriteFunctionForTesting(nullptr);
    EXPECT_EQ(r.status, ChangeStatus::Failed);
    EXPECT_EQ(dir.read("all.txt"), old);
    EXPECT_EQ(notes.lines().bytes(), old);
}

TEST(RewriteFile, FailsWhenTheFolderIsMissing) {
    TempDir dir;
    WriteResult r = RewriteFile(dir.file("no/such/folder/all.txt"), "x\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("all.txt"), std::string::npos);
}

TEST(RewriteFile, KeepsSymbolicLinksAndPermissions) {
    TempDir dir;
    std::string target = dir.write("real/notes.txt", "old\r\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_directories(dir.file("program"));
    std::filesystem::create_symlink("../real/notes.txt", dir.file("program/all.txt"));

    ASSERT_TRUE(RewriteFile(dir.file("program/all.txt"), "new\r\n").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("program/all.txt")));
    EXPECT_EQ(dir.read("real/notes.txt"), "new\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(TextLines, AnyBytesSplitWithoutLosingOne) {
    for (unsigned seed = 0; seed < 300; ++seed) {
        std::string bytes = test::RandomBytes(seed, 400);
        // Every third sample without LFs: lone CRs are then the line ends.
        if (seed % 3 == 0)
            std::replace(bytes.begin(), bytes.end(), '\n', '\r');
        const bool loneCr = bytes.find('\n') == std::string::npos;
        TextLines lines(bytes);
        // Joining the lines with LF gives back the bytes with every line end folded to LF.
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            joined += lines.line(i);
            if (i + 1 < lines.size() || (!bytes.empty() && (bytes.back() == '\n' || (loneCr && bytes.back() == '\r'))))
                joined += '\n';
        }
        std::string folded;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (loneCr)
                folded += bytes[i] == '\r' ? '\n' : bytes[i];
            else if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                folded += bytes[i];
        }
        EXPECT_EQ(joined, folded) << "seed " << seed;
    }
}

TEST(TextFiles, LoneCarriageReturnsEndLinesInEveryReader) {
    TempDir dir;
    // Options: the settings of a file saved with CR line ends are read, not replaced by the defaults.
    MainOptions o;
    o.skinName = "Midnight";
    o.configuredDays = 5;
    o.firstHour = 7;
    std::string text = FormatMainOptions(o);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    EXPECT_EQ(ParseMainOptions(TextLines(text)), ParseMainOptions(TextLines(FormatMainOptions(o))));
    EXPECT_EQ(LoadMainOptions(dir.write("pdopt.ini", text)).configuredDays, 5);
    EXPECT_TRUE(LoadSystemOptions(dir.write("sys.ini", " 1 \r 0 \r")).startAtLogon);
    EXPECT_FALSE(LoadSystemOptions(dir.file("sys.ini")).useTrayIcon);

    // Notes: one note per line; a note appended keeps the file's line ends, so it stays readable.
    NotesStore store(dir.write("all.txt", "2005071F09301100dA\r2005071F10001100dB\r"));
    ASSERT_EQ(store.read().size(), 2u);
    EXPECT_EQ(store.read().line(1), "2005071F10001100dB");
    ASSERT_TRUE(NotesFile(store.path()).apply({{}, {{LineChange::AtEnd, "2005071F12001300dC"}}}).done());
    ASSERT_EQ(store.read().size(), 3u);
    EXPECT_EQ(store.read().line(2), "2005071F12001300dC");

    // Language, categories and a skin's colour list.
    LanguageTable language = LanguageTable::FromBytes("\rPlandeck\rEditor\r");
    EXPECT_EQ(language.entry(2), "Plandeck");
    EXPECT_EQ(language.entry(3), "Editor");
    CategoryTable categories;
    categories.LoadCategories(dir.write("category.txt", "Work\r255\rHome\r65280\r"), 0);
    EXPECT_EQ(categories.recordCount(), 2);
    EXPECT_EQ(categories.tileColour(1), 65280);
    EXPECT_EQ(ParseSkinColours("1\r2\r3\r").linesApplied, 3);
}

TEST(TextFiles, ReadsTellMissingFromUnreadable) {
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.file("none")).status, ReadStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir.file("none/deeper")).status, ReadStatus::Missing);
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_EQ(ReadWholeFile(dir.file("folder")).status, ReadStatus::Failed);
    const std::string path = dir.write("data.txt", std::string(10000, 'x'));
    ReadResult whole = ReadWholeFile(path);
    EXPECT_EQ(whole.status, ReadStatus::Read);
    EXPECT_EQ(whole.bytes.size(), 10000u);
    EXPECT_EQ(ReadFileStart(path, 100).bytes.size(), 100u);

    // A read that stops part way is a failure, with what was read.
    SetReadFunctionForTesting([](int fd, void* data, std::size_t size) -> ssize_t {
        static int calls = 0;
        if (calls++ % 2 == 0)
            return ::read(fd, data, size < 300 ? size : 300);
        return 0; // the end comes early, as on a file cut short while being read
    });
    ReadResult cut = ReadWholeFile(path);
    SetReadFunctionForTesting(nullptr);
    EXPECT_EQ(cut.status, ReadStatus::Failed);
    EXPECT_EQ(cut.bytes.size(), 300u);
    EXPECT_NE(cut.error.find("data.txt"), std::string::npos);
}

TEST(TextFiles, LeftoverTemporaryFilesOfRewritesAreRemovedAndNothingElse) {
    TempDir dir;
    const std::vector<std::string> kept = {"pdopt.ini",          ".pdopt.ini",        ".pdopt.ini.abc",
                                           ".pdopt.ini.abcdefg", ".pdopt.ini.ab-de1", "pdopt.ini.Ab12Cd",
                                           ".other.txt.Ab12Cd",  ".sys.ini.Ab12Cd~"};
    for (const std::string& name : kept)
        dir.write(name, "keep");
    dir.write(".pdopt.ini.Ab12Cd", "left by a killed save");
    dir.write(".sys.ini.zzzzzz", "left by a killed save");
    std::filesystem::create_directory(dir.file(".all.txt.Folder"));
    // The name a real rewrite gives its temporary file is one of those that are cleared away.
    static std::string temporaryName;
    SetWriteFunctionForTesting([](int fd, const void*, std::size_t) -> ssize_t {
        temporaryName = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).filename().string();
        errno = EIO;
        return -1;
    });
    EXPECT_FALSE(RewriteFile(dir.file("all.txt"), "x").ok);
    SetWriteFunctionForTesting(nullptr);
    EXPECT_TRUE(IsRewriteTemporaryName(temporaryName, "all.txt")) << temporaryName;

    EXPECT_EQ(RemoveLeftoverTemporaryFiles(dir.path(), {"pdopt.ini", "sys.ini", "all.txt"}), 2);
    for (const std::string& name : kept)
        EXPECT_EQ(dir.read(name), "keep") << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file(".all.txt.Folder")));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".pdopt.ini.Ab12Cd")));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(dir.file("missing"), {"pdopt.ini"}), 0);
}
