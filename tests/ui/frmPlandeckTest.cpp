#include "app/frmPlandeck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;

TEST(frmPlandeck, OpensTitledWithTheStoredSizeAndNotesFile) {
    test::TempDir dir;
    std::vector<std::string> lines(26, " 0 ");
    lines[18] = " 9000 ";  // height in twips
    lines[19] = " 13500 "; // width
    lines[25] = dir.path() + "/mine.txt";
    dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
    dir.write("mine.txt", "");

    frmPlandeck window{DataDirectory(dir.path())};
    EXPECT_EQ(window.windowTitle(), "Plandeck");
    EXPECT_EQ(window.size(), QSize(900, 600));
    EXPECT_EQ(window.notesPath(), dir.path() + "/mine.txt");
}

TEST(frmPlandeck, StartsWithNoDataFilesAtAll) {
    test::TempDir dir;
    frmPlandeck window{DataDirectory(dir.path())};
    EXPECT_EQ(window.options(), MainOptions{});
    EXPECT_EQ(window.notesPath(), dir.path() + "/pdnotes/all.txt");
}
