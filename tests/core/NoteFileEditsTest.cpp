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

} // namespace
