#include "base/TextFile.h"
#include "notes/NotesStore.h"
#include "support/TempDir.h"

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
        NotesStore store(dir.write("all.txt", old));
        SetWriteFunctionForTesting(failing);
        WriteResult r = store.rewrite({"2005071F09301100dMeeting", std::string(5000, 'x')});
        SetWriteFunctionForTesting(nullptr);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(dir.read("all.txt"), old);
        // No temporary file is left behind.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST_F(WriteFailure, FailedAppendTakesBackThePartialLine) {
    TempDir dir;
    const std::string old = "2005071F09301100dMeeting\r\n";
    NotesStore store(dir.write("all.txt", old));
    SetWriteFunctionForTesting(&FullDiskWrite);
    WriteResult r = store.append("2005071F12001300dA long line that does not fit");
    SetWriteFunctionForTesting(nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(dir.read("all.txt"), old);
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
        const std::string bytes = test::RandomBytes(seed, 400);
        TextLines lines(bytes);
        // Joining the lines with LF gives back the bytes with every CR LF folded to LF.
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            joined += lines.line(i);
            if (i + 1 < lines.size() || (!bytes.empty() && bytes.back() == '\n'))
                joined += '\n';
        }
        std::string folded;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                folded += bytes[i];
        EXPECT_EQ(joined, folded) << "seed " << seed;
    }
}
