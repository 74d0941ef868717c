#include "editing/CategoryFile.h"
#include "editing/CategoryTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;
using plandeck::test::TempDir;

TEST(CategoryFile, AddAndDeleteTheLast) {
    TempDir dir;
    const std::string path = dir.file("category.txt");
    // A missing file is created by the first add.
    ASSERT_TRUE(AddCategory(path, {"Work", 255}).written);
    ASSERT_TRUE(AddCategory(path, {"Home", 65280}).written);
    EXPECT_EQ(dir.read("category.txt"), "Work\r\n255\r\nHome\r\n65280\r\n");

    // A file without a final line end does not glue the new name to the last colour.
    dir.write("category.txt", "Work\r\n255");
    ASSERT_TRUE(AddCategory(path, {"Sport\n", 16711680}).written);
    EXPECT_EQ(dir.read("category.txt"), "Work\r\n255\r\nSport \r\n16711680\r\n");

    struct Case {
        std::string before, after;
    };
    CategoryTable table;
    for (const Case& c :
         {Case{"A\r\n1\r\nB\r\n2\r\n", "A\r\n1\r\n"}, Case{"A\r\n1\r\n", ""}, Case{"A\r\n", ""}, Case{"", ""},
          // A blank line left at the end is no category: it goes with the last one.
          Case{"A\r\n1\r\nB\r\n2\r\n\r\n", "A\r\n1\r\n"}}) {
        dir.write("category.txt", c.before);
        ASSERT_TRUE(DeleteLastCategory(path).written);
        EXPECT_EQ(dir.read("category.txt"), c.after) << c.before;
    }
    // The new category takes the blank line's place, so names stay on name lines and colours on colour lines;
    // a last name without its colour line gets an empty one first.
    struct Added {
        std::string before, after, rows;
    };
    for (const Added& c : {Added{"A\r\n1\r\n\r\n", "A\r\n1\r\nNew\r\n7\r\n", "A New "},
                           Added{"A\r\n1\r\nB\r\n", "A\r\n1\r\nB\r\n\r\nNew\r\n7\r\n", "A B New "}}) {
        dir.write("category.txt", c.before);
        ASSERT_TRUE(AddCategory(path, {"New", 7}).written);
        EXPECT_EQ(dir.read("category.txt"), c.after) << c.before;
        std::string rows;
        for (const CategoryRow& row : table.LoadCategories(path, 0).rows)
            if (row.visible)
                rows += row.caption + " ";
        EXPECT_EQ(rows, c.rows);
    }
    // An empty file loads as no categories at all.
    dir.write("category.txt", "");
    EXPECT_EQ(table.LoadCategories(path, 0).rows[0].visible, false);
}

TEST(CategoryFile, RenameMatchesNameLinesOnly) {
    TempDir dir;
    const std::string path = dir.file("category.txt");
    struct Case {
        const char* name;
        std::string file;
        std::string renamed;
        std::vector<std::optional<CategoryRename>> answers;
        std::string after;
        int asked;
    };
    const std::vector<Case> cases = {
        {"plain rename keeps the place",
         "A\r\n1\r\nB\r\n2\r\nC\r\n3\r\n",
         "B",
         {CategoryRename{"Bee", 99}},
         "A\r\n1\r\nBee\r\n99\r\nC\r\n3\r\n",
         1},
        // A category named like another category's colour line.
        {"named like a colour",
         "Red\r\n255\r\n255\r\n65280\r\n",
         "255",
         {CategoryRename{"Green", 65280}},
         "Red\r\n255\r\nGreen\r\n65280\r\n",
         1},
        {"colour line equal to the name",
         "Red\r\n255\r\nBlue\r\n16711680\r\n255\r\n7\r\n",
         "255",
         {CategoryRename{"Seven", 8}},
         "Red\r\n255\r\nBlue\r\n16711680\r\nSeven\r\n8\r\n",
         1},
        {"two of the same name, one asked each",
         "X\r\n1\r\nX\r\n2\r\n",
         "X",
         {CategoryRename{"Y", 3}, CategoryRename{"Z", 4}},
         "Y\r\n3\r\nZ\r\n4\r\n",
         2},
        {"cancel on the second leaves all",
         "X\r\n1\r\nX\r\n2\r\n",
         "X",
         {CategoryRename{"Y", 3}, std::nullopt},
         "X\r\n1\r\nX\r\n2\r\n",
         2},
        {"empty name leaves all", "X\r\n1\r\n", "X", {CategoryRename{"", 3}}, "X\r\n1\r\n", 1},
        {"no such name", "X\r\n1\r\n", "Q", {}, "X\r\n1\r\n", 0},
        {"last name without colour", "X\r\n1\r\nW", "W", {CategoryRename{"V", 5}}, "X\r\n1\r\nV\r\n5\r\n", 1},
        // The colour picker cancelled: the new name with the colour line exactly as it was.
        {"colour kept", "A\r\n1\r\nB\r\n 2 \r\n", "B", {CategoryRename{"Bee", {}}}, "A\r\n1\r\nBee\r\n 2 \r\n", 1},
        {"colour kept, none there", "X\r\n1\r\nW", "W", {CategoryRename{"V", {}}}, "X\r\n1\r\nV\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("category.txt", c.file);
        std::size_t asked = 0;
        std::vector<std::string> colourLines;
        const CategoryFileChange change =
            RenameCategory(path, c.renamed, [&](std::string_view colourLine) -> std::optional<CategoryRename> {
                colourLines.emplace_back(colourLine);
                return asked < c.answers.size() ? c.answers[asked++] : std::nullopt;
            });
        EXPECT_EQ(dir.read("category.txt"), c.after);
        EXPECT_EQ(static_cast<int>(asked), c.asked);
        EXPECT_EQ(change.written, c.file != c.after);
        // Each question is asked with the colour of the category it is about.
        if (c.renamed == "B") {
            EXPECT_EQ(colourLines, (std::vector<std::string>{c.file.ends_with(" 2 \r\n") ? " 2 " : "2"}));
        }
    }
}
