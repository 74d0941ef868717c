#include "editing/CategoryTable.h"
#include "settings/Options.h"
#include "support/TempDir.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// A category file of `count` records "cat<i>" with colour i + 1000, CR LF ended.
std::string CategoryFile(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "cat" + std::to_string(i) + "\r\n" + std::to_string(i + 1000) + "\r\n";
    return out;
}

int VisibleRows(const CategoryPanel& panel) {
    int n = 0;
    for (const CategoryRow& row : panel.rows)
        n += row.visible ? 1 : 0;
    return n;
}

} // namespace

TEST(CategoryTable, PanelRowsAndScrollBarFollowTheNumberOfCategories) {
    struct Case {
        int categories;
        int first;
        int rows;
        bool scrollBar;
        int scrollMaximum;
        int shownFirst; // category in row 0
    };
    const Case cases[] = {
        {0, 0, 0, false, 0, 0}, {1, 0, 1, false, 0, 0},     {5, 0, 5, false, 0, 0},   {6, 0, 6, true, 0, 0},
        {8, 2, 6, true, 2, 2},  {8, 0, 6, true, 2, 0},      {8, 5, 6, true, 2, 2},    {5, 3, 5, false, 0, 0},
        {8, -4, 6, true, 2, 0}, {101, 95, 6, true, 95, 95}, {150, 0, 6, true, 95, 0}, {150, INT_MAX, 6, true, 95, 95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.categories) + " categories from " + std::to_string(c.first));
        TempDir dir;
        CategoryTable table;
        CategoryPanel panel = table.LoadCategories(dir.write("category.txt", CategoryFile(c.categories)), c.first);
        EXPECT_EQ(VisibleRows(panel), c.rows);
        EXPECT_EQ(panel.scrollBarVisible, c.scrollBar);
        EXPECT_EQ(panel.scrollMaximum, c.scrollMaximum);
        EXPECT_EQ(panel.first, c.shownFirst);
        for (int r = 0; r < c.rows; ++r) {
            const CategoryRow& row = panel.rows[static_cast<std::size_t>(r)];
            EXPECT_EQ(row.caption, "cat" + std::to_string(c.shownFirst + r));
            EXPECT_EQ(row.colour, 1000 + c.shownFirst + r);
            EXPECT_TRUE(row.ticked);
        }
        for (int r = c.rows; r < CategoryPanel::RowCount; ++r)
            EXPECT_FALSE(panel.rows[static_cast<std::size_t>(r)].visible) << r;
        EXPECT_EQ(table.recordCount(), std::min(c.categories, 101));
    }
}

TEST(CategoryTable, IndicesWithoutARecordAreEmptyAndShown) {
    TempDir dir;
    CategoryTable table;
    std::vector<std::string> flags(101, "0");
    flags[1] = "1";
    table.setShownFlags(flags);
    CategoryPanel panel = table.LoadCategories(dir.write("category.txt", CategoryFile(7)), 0);

    // Records keep the flags they were given; the rows tick accordingly.
    EXPECT_FALSE(panel.rows[0].ticked);
    EXPECT_TRUE(panel.rows[1].ticked);
    EXPECT_FALSE(table.isShown(0));
    EXPECT_EQ(table.shown(6), "0");
    // Index 7 has no record: no name, no colour, shown, white tiles.
    EXPECT_EQ(table.name(7), "");
    EXPECT_EQ(table.colour(7), "");
    EXPECT_EQ(table.shown(7), "1");
    EXPECT_TRUE(table.isShown(7));
    EXPECT_EQ(table.tileColour(7), CategoryTable::White);
    EXPECT_EQ(table.tileColour(3), 1003);
    // Codes outside the table read as no category instead of reading past it.
    for (int outside : {-1, 101, 155, INT_MIN, INT_MAX}) {
        EXPECT_EQ(table.name(outside), "");
        EXPECT_TRUE(table.isShown(outside));
        EXPECT_EQ(table.tileColour(outside), CategoryTable::White);
    }

    // A flag only counts as shown when it reads exactly 1; the flags go back out as they came in.
    table.setShown(2, true);
    table.setShown(500, false);
    std::vector<std::string> saved = table.shownFlags();
    ASSERT_EQ(saved.size(), 101u);
    EXPECT_EQ(saved[2], "1");
    EXPECT_EQ(saved[0], "0");

    MainOptions options;
    options.keepCategoryFilter = true;
    options.categoryShownFlags = "101";
    table.setShownFlags(StartupCategoryFlags(options));
    table.LoadCategories(dir.file("category.txt"), 0);
    EXPECT_TRUE(table.isShown(0));
    EXPECT_FALSE(table.isShown(1));
    EXPECT_FALSE(table.isShown(3)) << "a flag missing from the option line hides the category";
    EXPECT_TRUE(table.isShown(8)) << "an index without a record is shown";
}

TEST(CategoryTable, OddColourLinesGiveWhiteInsteadOfBlack) {
    struct Case {
        const char* line;
        long colour;
    };
    for (Case c :
         {Case{"16303519", 16303519}, Case{"0", 0}, Case{" 255 ", 255}, Case{"16777215", 16777215},
          Case{"", CategoryTable::White}, Case{"red", CategoryTable::White}, Case{"&HFF00", CategoryTable::White},
          Case{"-1", CategoryTable::White}, Case{"16777216", CategoryTable::White},
          Case{"99999999999999999999", CategoryTable::White}, Case{"12abc", 12}, Case{"2.5", 2}})
        EXPECT_EQ(CategoryColourValue(c.line), c.colour) << '"' << c.line << '"';

    // A last name without its colour line is a category with an empty colour.
    TempDir dir;
    CategoryTable table;
    CategoryPanel panel = table.LoadCategories(dir.write("category.txt", "Work\r\nblue\r\nPersonal"), 0);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(table.name(1), "Personal");
    EXPECT_EQ(table.colour(1), "");
    EXPECT_EQ(panel.rows[0].colour, CategoryTable::White);
    EXPECT_EQ(panel.rows[1].colour, CategoryTable::White);
    EXPECT_TRUE(panel.rows[1].visible);
}

TEST(CategoryTable, LoadingNeverChangesTheFile) {
    const std::string files[] = {
        CategoryFile(150),                        // more records than the table holds
        "Work\n16303519\nHome\n255\n",            // LF line ends
        "Work\r\n16303519\r\nLast name only\r\n", // a name without colour
        "\r\n",
        CategoryFile(3).substr(0, 20), // cut in the middle of a line
    };
    for (const std::string& bytes : files) {
        TempDir dir;
        const std::string path = dir.write("category.txt", bytes);
        const auto before = std::filesystem::last_write_time(path);
        CategoryTable table;
        CategoryPanel panel = table.LoadCategories(path, 0);
        EXPECT_FALSE(panel.fileCreated);
        EXPECT_EQ(dir.read("category.txt"), bytes);
        EXPECT_EQ(std::filesystem::last_write_time(path), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
    // Only the first 101 records are loaded.
    TempDir dir;
    CategoryTable table;
    table.LoadCategories(dir.write("category.txt", CategoryFile(150)), 0);
    EXPECT_EQ(table.name(100), "cat100");
    EXPECT_EQ(table.recordCount(), 101);
}

TEST(CategoryTable, MissingFileIsCreatedEmptyAndOnlyThen) {
    TempDir dir;
    CategoryTable table;
    table.LoadCategories(dir.write("category.txt", CategoryFile(8)), 0);
    ASSERT_EQ(table.recordCount(), 8);

    CategoryPanel panel = table.LoadCategories(dir.file("pdfiles/category.txt"), 0);
    EXPECT_FALSE(panel.fileCreated) << "no folder to create it in";
    EXPECT_FALSE(panel.creation.ok);

    std::filesystem::create_directory(dir.file("pdfiles"));
    panel = table.LoadCategories(dir.file("pdfiles/category.txt"), 0);
    EXPECT_TRUE(panel.fileCreated);
    EXPECT_TRUE(panel.creation.ok);
    EXPECT_TRUE(std::filesystem::exists(dir.file("pdfiles/category.txt")));
    EXPECT_EQ(dir.read("pdfiles/category.txt"), "");
    EXPECT_EQ(VisibleRows(panel), 0);
    EXPECT_FALSE(panel.scrollBarVisible);
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_EQ(table.name(0), "") << "the earlier categories are gone from the table";

    // A folder in the file's place is not a missing file: nothing is created or replaced.
    std::filesystem::create_directory(dir.file("folder.txt"));
    panel = table.LoadCategories(dir.file("folder.txt"), 0);
    EXPECT_FALSE(panel.fileCreated);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.txt")));
}

TEST(CategoryTable, AnyBytesLoadWithoutHarm) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string bytes = test::RandomBytes(seed, 2000);
        const std::string path = dir.write("category.txt", bytes);
        CategoryTable table;
        CategoryPanel panel = table.LoadCategories(path, static_cast<int>(seed % 120) - 10);
        ASSERT_EQ(dir.read("category.txt"), bytes);
        ASSERT_LE(table.recordCount(), CategoryTable::Count);
        ASSERT_GE(panel.first, 0);
        ASSERT_LE(panel.first, panel.scrollMaximum);
        ASSERT_EQ(VisibleRows(panel), std::min(table.recordCount(), CategoryPanel::RowCount));
        for (const CategoryRow& row : panel.rows) {
            ASSERT_GE(row.colour, 0);
            ASSERT_LE(row.colour, CategoryTable::White);
            ASSERT_EQ(row.caption.find('\n'), std::string::npos);
        }
    }
}
