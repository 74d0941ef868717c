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

    // Entry 2 is shown; entry 1 is not, so a file holding only that has no text to give.
    const std::string texts = "\r\nPlandeck\r\n";
    dir.write("pdlang/Russian.lng", texts);
    dir.write("pdlang/German.lng", texts);
    // Another language the user did not choose is never taken: the built-in English texts are.
    EXPECT_EQ(ChooseLanguageFile(data, "Gone.lng"), "");
    dir.write("pdlang/English.lng", texts);
    EXPECT_EQ(ChooseLanguageFile(data, "Gone.lng"), "English.lng");
    EXPECT_EQ(ChooseLanguageFile(data, "Russian.lng"), "Russian.lng");
    EXPECT_EQ(ChooseLanguageFile(data, "../pdlang/Russian.lng"), "English.lng");
    // A file of no bytes, or one without a text in any entry the program shows, counts as missing.
    struct Case {
        const char* russian;
        const char* english;
        const char* chosen;
    };
    const Case cases[] = {
        {"", "\r\nPlandeck\r\n", "English.lng"},
        {"Unused entry 1\r\n", "\r\nPlandeck\r\n", "English.lng"},
        {"\r\n\r\n\r\n", "\r\nPlandeck\r\n", "English.lng"},
        {"", "", ""},
        {"\r\nPlandeck\r\n", "", "Russian.lng"},
    };
    for (const Case& c : cases) {
        dir.write("pdlang/Russian.lng", c.russian);
        dir.write("pdlang/English.lng", c.english);
        EXPECT_EQ(ChooseLanguageFile(data, "Russian.lng"), c.chosen) << c.russian << "|" << c.english;
    }

    dir.write("pdskins/Default/colors.txt", "0\r\n");
    dir.write("pdskins/Midnight/colors.txt", "0\r\n");
    EXPECT_EQ(ChooseSkinName(data, "Midnight"), "Midnight");
    EXPECT_EQ(ChooseSkinName(data, "Gone"), "Default");
    EXPECT_EQ(ChooseSkinName(data, "Default.pds"), "Default"); // a file is no skin folder
}
