#include "settings/StartupFallbacks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;

TEST(StartupFallbacks, MissingSkinOrLanguageFallsBackToWhatIsThere) {
    test::TempDir dir;
    DataDirectory data(dir.path());
    // Nothing installed: the chosen names stand, and the program uses its built-in look and texts.
    EXPECT_EQ(ChooseSkinName(data, "Gone"), "Gone");
    EXPECT_EQ(ChooseLanguageFile(data, "Gone.lng"), "");

    dir.write("pdlang/Russian.lng", "x\r\n");
    dir.write("pdlang/German.lng", "x\r\n");
    EXPECT_EQ(ChooseLanguageFile(data, "Gone.lng"), "German.lng"); // the first in name order
    dir.write("pdlang/English.lng", "x\r\n");
    EXPECT_EQ(ChooseLanguageFile(data, "Gone.lng"), "English.lng");
    EXPECT_EQ(ChooseLanguageFile(data, "Russian.lng"), "Russian.lng");
    EXPECT_EQ(ChooseLanguageFile(data, "../pdlang/Russian.lng"), "English.lng");

    dir.write("pdskins/Default/colors.txt", "0\r\n");
    dir.write("pdskins/Midnight/colors.txt", "0\r\n");
    EXPECT_EQ(ChooseSkinName(data, "Midnight"), "Midnight");
    EXPECT_EQ(ChooseSkinName(data, "Gone"), "Default");
    EXPECT_EQ(ChooseSkinName(data, "Default.pds"), "Default"); // a file is no skin folder
}
