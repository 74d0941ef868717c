#include "editing/NoteFileEdits.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// A pasted line break never splits a note.
TEST(NoteFileEdits, TypedTextStaysOneLine) {
    EXPECT_EQ(NoteTextFromTyped("one\r\ntwo\nthree\rfour"), "one two three four");
    EXPECT_EQ(NoteTextFromTyped(""), "");
}

TEST(NoteFileEdits, DeleteConfirmationFromOptionLineTwelve) {
    TempDir dir;
    const std::string eleven = " 0 \r\n \r\n \r\n \r\n \r\n \r\n \r\n \r\n111\r\nDefault\r\n 0 \r\n";
    struct Case {
        std::string line12;
        DeleteConfirmation expected;
    };
    const Case cases[] = {
        {" 0 ", DeleteConfirmation::DeleteAtOnce}, {" 1 ", DeleteConfirmation::Ask},
        {" 2 ", DeleteConfirmation::Never},        {"1.5", DeleteConfirmation::Never},
        {"yes", DeleteConfirmation::DeleteAtOnce}, // not a number: reads 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadDeleteConfirmation(dir.write("pdopt.ini", eleven + c.line12 + "\r\n")), c.expected) << c.line12;
    EXPECT_EQ(ReadDeleteConfirmation(dir.file("missing.ini")), DeleteConfirmation::DeleteAtOnce);
}

} // namespace
