#include "editing/NoteFileEdits.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

TEST(NoteFileEdits, DeleteKeepsEveryOtherLineByteForByte) {
    struct Case {
        const char* name;
        std::string before;
        int line;
        std::string expected;
    };
    const Case cases[] = {
        {"middle", File({A, B, C}), 2, File({A, C})},
        {"first", File({A, B, C}), 1, File({B, C})},
        {"last line without a line end", A + "\r\n" + B + "\r\n" + C, 3, File({A, B})},
        {"bare line feeds become CR LF", A + "\n" + B + "\n" + C + "\n", 1, File({B, C})},
        {"empty lines before the first note go", "\r\n\r\n" + File({A, B}), 4, File({A})},
        {"empty lines between notes stay", File({A, "", B, C}), 3, File({A, "", C})},
        {"the only note leaves one line end", File({A}), 1, "\r\n"},
    };
    for (const Case& c : cases) {
        const std::string expectedLine(LineAt(c.before, c.line).value());
        NotesEdit e = DeleteNoteLine({c.before, true}, {c.line, expectedLine});
        EXPECT_EQ(e.status, EditStatus::Changed) << c.name;
        EXPECT_EQ(e.bytes, c.expected) << c.name;
    }
}

TEST(NoteFileEdits, AStaleOrUnreadFileIsNeverWritten) {
    const std::string bytes = File({A, B, C});
    // Another program changed the file: line 2 is no longer the tile's note, or there is no line 7.
    EXPECT_EQ(DeleteNoteLine({bytes, true}, {2, C}).status, EditStatus::Stale);
    EXPECT_EQ(DeleteNoteLine({bytes, true}, {7, C}).status, EditStatus::Stale);
    EXPECT_EQ(DeleteNoteLine({bytes, true}, {0, A}).status, EditStatus::Stale);
    EXPECT_EQ(ReplaceNoteText({bytes, true}, {1, B}, "new").status, EditStatus::Stale);
    EXPECT_EQ(PlaceNoteLine({bytes, true}, {3, A}, "2026120810001100dFirst", false).status, EditStatus::Stale);
    EXPECT_EQ(PlaceNoteLine({bytes, true}, {3, A}, "2026120810001100dFirst", true).status, EditStatus::Stale);
    EXPECT_TRUE(DeleteNoteLine({bytes, true}, {2, C}).bytes.empty());

    // A file read only in part: whatever it says, nothing is written or appended.
    EXPECT_EQ(DeleteNoteLine({bytes, false}, {2, B}).status, EditStatus::Unreadable);
    EXPECT_EQ(ReplaceNoteText({bytes, false}, {2, B}, "x").status, EditStatus::Unreadable);
    EXPECT_EQ(PlaceNoteLine({bytes, false}, {2, B}, A, false).status, EditStatus::Unreadable);
    EXPECT_EQ(PlaceNoteLine({bytes, false}, {2, B}, A, true).status, EditStatus::Unreadable);
    EXPECT_EQ(AppendNoteLine({bytes, false}, A).status, EditStatus::Unreadable);
}

TEST(NoteFileEdits, EditedTextMovesTheNoteToTheEnd) {
    const std::string bytes = File({A, B, C});
    NotesEdit e = ReplaceNoteText({bytes, true}, {1, A}, "Lunch with Ann");
    EXPECT_EQ(e.bytes, File({B, C, "2026120709001000dLunch with Ann"}));
    EXPECT_EQ(e.noteLine, 3);

    // An empty text keeps the header; a pasted line break never splits the note.
    EXPECT_EQ(ReplaceNoteText({bytes, true}, {2, B}, "").bytes, File({A, C, "2026120710001100e"}));
    EXPECT_EQ(ReplaceNoteText({bytes, true}, {2, B}, "one\r\ntwo\nthree\rfour").bytes,
              File({A, C, "2026120710001100eone two three four"}));
}

TEST(NoteFileEdits, MoveCopyAndAppend) {
    const std::string bytes = File({A, B, C});
    const std::string moved = "2026120814001500eSecond \xc3\xa9t\xc3\xa9";
    NotesEdit move = PlaceNoteLine({bytes, true}, {2, B}, moved, false);
    EXPECT_EQ(move.bytes, File({A, C, moved}));
    EXPECT_EQ(move.noteLine, 3);
    NotesEdit copy = PlaceNoteLine({bytes, true}, {2, B}, moved, true);
    EXPECT_EQ(copy.bytes, File({A, B, C, moved}));
    EXPECT_EQ(copy.noteLine, 4);

    const std::string placeholder = "2026120915001600fno text";
    struct Case {
        std::string before;
        std::string appended;
        int noteLine;
    };
    const Case cases[] = {
        {bytes, placeholder + "\r\n", 4},
        {A + "\r\n" + B, "\r\n" + placeholder + "\r\n", 3}, // the last note had no line end
        {"", placeholder + "\r\n", 1},
    };
    for (const Case& c : cases) {
        NotesAppend a = AppendNoteLine({c.before, true}, placeholder);
        EXPECT_EQ(a.appended, c.appended);
        EXPECT_EQ(a.bytes, c.before + c.appended);
        EXPECT_EQ(a.noteLine, c.noteLine);
        EXPECT_EQ(LineAt(a.bytes, a.noteLine), placeholder);
    }
}

TEST(NoteFileEdits, FindNoteLineAfterARewrite) {
    EXPECT_EQ(FindNoteLine(File({A, B, C}), {2, B}), 2);
    EXPECT_EQ(FindNoteLine(File({B, C, A}), {2, B}), 1); // moved up
    EXPECT_EQ(FindNoteLine(File({A, C}), {2, B}), 0);    // gone
    EXPECT_EQ(FindNoteLine(File({B, A, B}), {2, B}), 0); // two copies, neither at its number: which one?
    EXPECT_EQ(FindNoteLine(File({A, B, B}), {2, B}), 2);
}

} // namespace
