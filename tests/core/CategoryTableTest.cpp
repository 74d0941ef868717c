#include "editing/CategoryTable.h"
#include "settings/Options.h"
#include "support/TempDir.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

// `count` records "cat<i>" with colour 1000 + i.
std::string CategoryFile(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "cat" + std::to_string(i) + "\r\n" + std::to_string(i + 1000) + "\r\n";
    return out;
}

int VisibleRows(const CategoryPanel& panel) {
    return static_cast<int>(std::count_if(panel.rows.begin(), panel.rows.end(), [](auto& r) { return r.visible; }));
}

} // namespace

TEST(CategoryTable, PanelRowsAndScrollBarFollowTheNumberOfCategories) {
    struct Case {
        int categories, first, rows;
        bool scrollBar;
        int scrollMaximum, shownFirst;
        int room = CategoryPanel::RowCount; // the rows a taller window has room for
        int slots = CategoryPanel::RowCount;
    };
    for (Case c :
         {Case{0, 0, 0, false, 0, 0}, Case{5, 0, 5, false, 0, 0}, Case{6, 0, 6, true, 0, 0}, Case{8, 2, 6, true, 2, 2},
          Case{8, 5, 6, true, 2, 2}, Case{5, 3, 5, false, 0, 0}, Case{8, -4, 6, true, 2, 0},
          Case{150, INT_MAX, 6, true, 95, 95},
          // Room for more: every category and an empty row, the scroll bar only beyond.
          Case{12, 0, 12, false, 0, 0, 20, 13}, Case{12, 3, 12, false, 0, 0, 13, 13}, Case{12, 1, 9, true, 3, 1, 9, 9},
          Case{80, 90, 30, true, 50, 50, 30, 30}, Case{3, 0, 3, false, 0, 0, 40, 6}, Case{8, 0, 6, true, 2, 0, 2, 6}}) {
        SCOPED_TRACE(std::to_string(c.categories) + " categories from " + std::to_string(c.first) + " in " +
                     std::to_string(c.room) + " rows");
        TempDir dir;
        CategoryTable table;
        const CategoryPanel panel =
            table.LoadCategories(dir.write("c.txt", CategoryFile(c.categories)), c.first, c.room);
        EXPECT_EQ(panel.rows.size(), static_cast<std::size_t>(c.slots));
        EXPECT_EQ(VisibleRows(panel), c.rows);
        EXPECT_EQ(panel.scrollBarVisible, c.scrollBar);
        EXPECT_EQ(panel.scrollMaximum, c.scrollMaximum);
        EXPECT_EQ(panel.first, c.shownFirst);
        for (int r = 0; r < c.rows; ++r) {
            const CategoryRow& row = panel.rows[static_cast<std::size_t>(r)];
            EXPECT_EQ(row,
                      (CategoryRow{"cat" + std::to_string(c.shownFirst + r), true, 1000 + c.shownFirst + r, true}));
        }
        EXPECT_EQ(table.recordCount(), std::min(c.categories, 101));
    }
}

TEST(CategoryTable, ShownFlagsAndIndicesWithoutARecord) {
    TempDir dir;
    MainOptions options;
    options.keepCategoryFilter = true;
    options.categoryShownFlags = "101";
    CategoryTable table;
    table.setShownFlags(StartupCategoryFlags(options));
    const CategoryPanel panel = table.LoadCategories(dir.write("c.txt", CategoryFile(7)), 0);
    EXPECT_TRUE(panel.rows[0].ticked);
    EXPECT_FALSE(panel.rows[1].ticked);
    EXPECT_FALSE(table.isShown(3)) << "a flag missing from the option line hides its category";
    // Index 7 has no record: no name, no colour, shown with a white tile; so have codes outside the table.
    for (int none : {7, 100, -1, 101, INT_MIN, INT_MAX}) {
        EXPECT_EQ(table.name(none) + table.colour(none), "") << none;
        EXPECT_TRUE(table.isShown(none)) << none;
        EXPECT_EQ(table.tileColour(none), CategoryTable::White) << none;
    }
    EXPECT_EQ(table.tileColour(3), 1003);
}

TEST(CategoryTable, OddColourLinesGiveWhiteInsteadOfBlack) {
    const long white = CategoryTable::White;
    for (const char* bad : {"", "red", "&HFF00", "-1", "16777216", "99999999999999999999"})
        EXPECT_EQ(CategoryColourValue(bad), white) << '"' << bad << '"';
    EXPECT_EQ(CategoryColourValue("16303519"), 16303519);
    EXPECT_EQ(CategoryColourValue(" 0 "), 0) << "black is a colour";
    // A last name without its colour line is a category with an empty colour.
    TempDir dir;
    CategoryTable table;
    const CategoryPanel panel = table.LoadCategories(dir.write("c.txt", "Work\r\nblue\r\nHome"), 0);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(table.colour(1), "");
    EXPECT_EQ(panel.rows[0], (CategoryRow{"Work", true, white, true}));
    EXPECT_EQ(panel.rows[1], (CategoryRow{"Home", true, white, true}));
}

TEST(CategoryTable, MissingFileIsCreatedEmptyAndOnlyThen) {
    TempDir dir;
    CategoryTable table;
    table.LoadCategories(dir.write("c.txt", CategoryFile(8)), 0);
    EXPECT_FALSE(table.LoadCategories(dir.file("pdfiles/c.txt"), 0).creation.ok) << "no folder to create it in";
    std::filesystem::create_directory(dir.file("pdfiles"));
    const CategoryPanel panel = table.LoadCategories(dir.file("pdfiles/c.txt"), 0);
    EXPECT_TRUE(panel.fileCreated && std::filesystem::exists(dir.file("pdfiles/c.txt")));
    EXPECT_EQ(VisibleRows(panel) + panel.scrollBarVisible, 0);
    EXPECT_EQ(table.name(0), "") << "the earlier categories are gone from the table";

    // A folder where the file should be is not a missing file: nothing replaces it.
    std::filesystem::create_directory(dir.file("folder.txt"));
    EXPECT_FALSE(table.LoadCategories(dir.file("folder.txt"), 0).fileCreated);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.txt")));
}

// Loading never changes the file, whatever it holds, and never reads past the table.
TEST(CategoryTable, AnyBytesLoadWithoutHarm) {
    TempDir dir;
    for (unsigned seed = 0; seed <= 300; ++seed) {
        const std::string bytes = seed == 0 ? CategoryFile(150) : test::RandomBytes(seed, 2000);
        const std::string path = dir.write("c.txt", bytes);
        const auto written = std::filesystem::last_write_time(path);
        CategoryTable table;
        const CategoryPanel panel = table.LoadCategories(path, static_cast<int>(seed % 120) - 10);
        ASSERT_EQ(dir.read("c.txt"), bytes);
        ASSERT_EQ(std::filesystem::last_write_time(path), written);
        ASSERT_FALSE(panel.fileCreated);
        ASSERT_TRUE(panel.first >= 0 && panel.first <= panel.scrollMaximum);
        ASSERT_EQ(VisibleRows(panel), std::min(table.recordCount(), CategoryPanel::RowCount));
        for (const CategoryRow& row : panel.rows)
            ASSERT_TRUE(row.colour >= 0 && row.colour <= CategoryTable::White);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
