// The notes file after each kind of edit, byte for byte, against files kept in tests/data/golden/. The input
// mixes CR LF and LF line ends, Latin-1 text, a lone CR inside a line, a damaged line, an empty line and a
// last line without a line end: every line an edit does not touch must come back as it was.
// PLANDECK_UPDATE_GOLDEN=1 writes the expected files anew (read them before committing).
#include "base/TextFile.h"
#include "notes/NotesFile.h"
#include "notes/NotesStore.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

const std::string Golden = std::string(PLANDECK_SOURCE_DIR) + "/tests/data/golden/";

void ExpectGolden(const std::string& name, const std::string& bytes) {
    if (std::getenv("PLANDECK_UPDATE_GOLDEN")) {
        ASSERT_TRUE(RewriteFile(Golden + name, bytes).ok);
        return;
    }
    const ReadResult expected = ReadWholeFile(Golden + name);
    ASSERT_TRUE(expected.exists) << name;
    EXPECT_EQ(bytes, expected.bytes) << name;
}

} // namespace

// Each kind of edit through the owner of the notes file, on a copy of the input; then its undo, which gives the
// input's lines back (joined by the rewrite rule).
TEST(GoldenFiles, EditsKeepEveryOtherLineByteForByte) {
    const ReadResult input = ReadWholeFile(Golden + "notes.txt");
    ASSERT_TRUE(input.exists);
    const std::string monday = "2026120709001000dMonday meeting";
    const std::string gym = "yyyyyy2918001930gGym";
    const std::string cafe = "2026120810001100eCaf\xe9 with Ren\xe9"
                             "e";
    struct Case {
        const char* golden;
        LineChange change;
    };
    const Case cases[] = {
        {"notes-after-delete.txt", {{{3, cafe}}, {}}},
        {"notes-after-typing.txt", {{{0, monday}}, {{LineChange::AtEnd, "2026120709001000dMonday meeting, room 2"}}}},
        {"notes-after-move.txt", {{{1, gym}}, {{LineChange::AtEnd, "yyyyyy2916001730gGym"}}}},
        {"notes-after-append.txt", {{}, {{LineChange::AtEnd, "2026121008000900fno text"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        test::TempDir dir;
        NotesFile notes(dir.write("all.txt", input.bytes));
        notes.refresh();
        const ChangeOutcome done = notes.apply(c.change);
        ASSERT_TRUE(done.done());
        ExpectGolden(c.golden, dir.read("all.txt"));
        ASSERT_TRUE(notes.apply(done.applied.inverse()).done());
        EXPECT_EQ(dir.read("all.txt"), NotesStore::JoinForRewrite(TextLines(input.bytes).toStrings()));
    }
}
