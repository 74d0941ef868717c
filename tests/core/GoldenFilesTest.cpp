// The notes file after each kind of edit, byte for byte, against files kept in tests/data/golden/. The input
// mixes CR LF and LF line ends, Latin-1 text, a lone CR inside a line, a damaged line, an empty line and a
// last line without a line end: every line an edit does not touch must come back as it was.
// PLANDECK_UPDATE_GOLDEN=1 writes the expected files anew (read them before committing).
#include "base/TextFile.h"
#include "editing/NoteFileEdits.h"

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

TEST(GoldenFiles, EditsKeepEveryOtherLineByteForByte) {
    const ReadResult input = ReadWholeFile(Golden + "notes.txt");
    ASSERT_TRUE(input.exists);
    const NotesContent file{input.bytes, true};
    const NoteRef monday{1, "2026120709001000dMonday meeting"};
    const NoteRef gym{2, "yyyyyy2918001930gGym"};
    const NoteRef cafe{4, "2026120810001100eCaf\xe9 with Ren\xe9"
                          "e"};

    const NotesEdit deleted = DeleteNoteLine(file, cafe);
    ASSERT_EQ(deleted.status, EditStatus::Changed);
    ExpectGolden("notes-after-delete.txt", deleted.bytes);

    const NotesEdit typed = ReplaceNoteText(file, monday, "Monday meeting, room 2");
    ASSERT_EQ(typed.status, EditStatus::Changed);
    ExpectGolden("notes-after-typing.txt", typed.bytes);

    const NotesEdit moved = PlaceNoteLine(file, gym, "yyyyyy2916001730gGym", false);
    ASSERT_EQ(moved.status, EditStatus::Changed);
    ExpectGolden("notes-after-move.txt", moved.bytes);

    const NotesAppend appended = AppendNoteLine(file, "2026121008000900fno text");
    ASSERT_EQ(appended.status, EditStatus::Changed);
    ExpectGolden("notes-after-append.txt", appended.bytes);
}
