#include "platform/Autostart.h"
#include "support/ConfigHome.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace plandeck;

using plandeck::test::ConfigHome;

TEST(Autostart, QuotesTheProgramPath) {
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/Plandeck/plandeck", R"("/opt/Plandeck/plandeck")"},
        {"/home/a b/plandeck", R"("/home/a b/plandeck")"},
        {"/x/say \"hi\"/p", R"("/x/say \\"hi\\"/p")"},
        {"/x/$HOME/`p`", R"("/x/\\$HOME/\\`p\\`")"},
        {"/x/back\\slash", R"("/x/back\\\\slash")"},
        {"/x/100%/p", R"("/x/100%%/p")"},
    };
    for (const auto& [path, exec] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(DesktopEntryExec(path), exec);
    }
}

TEST(Autostart, WritesOverwritesAndRemovesTheEntry) {
    ConfigHome home;
    const std::string entry = home.dir.file("autostart/Plandeck.desktop");
    EXPECT_EQ(AutostartEntryPath(), entry);

    // Clearing when there is no entry changes nothing.
    EXPECT_TRUE(ClearAutorun().ok);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(entry)));

    // The folder is made when missing; a second save with a moved program replaces the entry.
    ASSERT_TRUE(SetAutorun("/old/place/plandeck").ok);
    ASSERT_TRUE(SetAutorun("/new place/plandeck").ok);
    EXPECT_EQ(home.dir.read("autostart/Plandeck.desktop"), "[Desktop Entry]\n"
                                                           "Type=Application\n"
                                                           "Name=Plandeck\n"
                                                           "Comment=Weekly planner\n"
                                                           "Exec=\"/new place/plandeck\"\n"
                                                           "Terminal=false\n");

    EXPECT_TRUE(ClearAutorun().ok);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(entry)));
}

TEST(Autostart, FallsBackToTheHomeFolder) {
    ConfigHome home;
    ::setenv("XDG_CONFIG_HOME", "relative/path", 1);
    const char* userHome = std::getenv("HOME");
    ASSERT_NE(userHome, nullptr);
    EXPECT_EQ(AutostartEntryPath(), std::string(userHome) + "/.config/autostart/Plandeck.desktop");
}
