#include "support/SessionFixture.h"

using namespace plandeck;
using plandeck::test::SessionFixture;

namespace {

// sys.ini: start at log-on, tray icon, today window on hide, reminder sound.
std::string SystemOptionsFile(bool tray, bool todayOnHide) {
    return std::string(" 0 \r\n") + (tray ? " 1 " : " 0 ") + "\r\n" + (todayOnHide ? " 1 " : " 0 ") + "\r\n 1 \r\n";
}

std::vector<std::optional<Command>> Commands(const std::vector<TrayMenuItem>& items) {
    std::vector<std::optional<Command>> commands;
    for (const TrayMenuItem& item : items)
        commands.push_back(item.command);
    return commands;
}

struct TodayAndTray : SessionFixture {
    void options(bool tray, bool todayOnHide) { dir.write("pdfiles/sys.ini", SystemOptionsFile(tray, todayOnHide)); }
};

} // namespace

TEST_F(TodayAndTray, TrayMenuOnActivation) {
    start();
    options(true, true);
    const auto items = session->trayMenuOnActivation(true, false);
    ASSERT_TRUE(items);
    EXPECT_EQ(*items, (std::vector<TrayMenuItem>{{"&Open Plandeck", Command::ShowOrHideWindow, true},
                                                 {"&Show today's notes", Command::ShowOrHideToday, false},
                                                 {"&Restore a backup…", Command::RestoreBackup, false},
                                                 {"&About Plandeck", Command::About, false},
                                                 {"-", std::nullopt, false},
                                                 {"&Exit", Command::Exit, false}}));
    // A today window already on show is offered for hiding.
    EXPECT_EQ(session->trayMenuOnActivation(true, true)->at(1).caption, "&Hide today's notes");
    // No icon when the options want none, or when the desktop has nowhere to put it.
    EXPECT_FALSE(session->trayMenuOnActivation(false, false));
    options(false, true);
    EXPECT_FALSE(session->trayMenuOnActivation(true, false));
}

TEST_F(TodayAndTray, MainWindowStates) {
    start();
    struct Case {
        const char* name;
        MainWindowState state;
        bool tray;
        bool todayOnHide;
        bool trayShown;
        bool hideMain;
        bool showToday;
        bool hideToday;
    };
    const Case cases[] = {
        {"minimised to the tray with the today window", MainWindowState::Minimised, true, true, true, true, true,
         false},
        {"minimised to the tray alone", MainWindowState::Minimised, true, false, true, true, false, false},
        {"minimised without the tray option", MainWindowState::Minimised, false, true, false, false, true, false},
        {"minimised with the option on but no tray on the desktop", MainWindowState::Minimised, true, true, false,
         false, true, false},
        {"back to normal", MainWindowState::Normal, true, true, true, false, false, true},
        {"maximised", MainWindowState::Maximised, true, true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options(c.tray, c.todayOnHide);
        const WindowPlan plan = session->mainWindowStateChanged(c.state, false, c.trayShown);
        EXPECT_EQ(plan.hideMainWindow, c.hideMain);
        EXPECT_EQ(plan.showToday, c.showToday);
        EXPECT_EQ(plan.hideToday, c.hideToday);
        EXPECT_FALSE(plan.restoreMainWindow);
        // The tray menu follows the today window, where there is a tray.
        EXPECT_EQ(plan.trayMenuTail.has_value(), c.trayShown);
        if (plan.trayMenuTail) {
            EXPECT_EQ(plan.trayMenuTail->front().caption, c.showToday ? "&Hide today's notes" : "&Show today's notes");
            EXPECT_EQ(Commands(*plan.trayMenuTail),
                      (std::vector<std::optional<Command>>{Command::ShowOrHideToday, Command::RestoreBackup,
                                                           Command::About, std::nullopt, Command::Exit}));
        }
    }
}

TEST_F(TodayAndTray, HideAndRestoreKeepsTheMaximisedState) {
    start();
    options(true, true);
    session->mainWindowStateChanged(MainWindowState::Maximised, false, true);
    EXPECT_TRUE(session->wasMaximised());

    const WindowPlan hidden = session->hideOrRestoreMainWindow(true, true);
    EXPECT_TRUE(hidden.hideMainWindow);
    EXPECT_TRUE(hidden.showToday);
    EXPECT_EQ(hidden.trayMenuTail->front().command, Command::ShowOrHideToday);
    EXPECT_EQ(hidden.trayMenuTail->front().caption, "&Hide today's notes");

    // Minimised while it was maximised: it comes back maximised.
    session->mainWindowStateChanged(MainWindowState::Minimised, true, true);
    const WindowPlan restored = session->hideOrRestoreMainWindow(false, true);
    EXPECT_TRUE(restored.restoreMainWindow);
    EXPECT_TRUE(restored.restoreMaximised);
    EXPECT_TRUE(restored.hideToday);
    EXPECT_EQ(restored.trayMenuTail->front().caption, "&Show today's notes");

    session->mainWindowStateChanged(MainWindowState::Normal, false, true);
    EXPECT_FALSE(session->hideOrRestoreMainWindow(false, true).restoreMaximised);

    // Without the today option the window goes alone; without an icon it does not go at all.
    options(true, false);
    const WindowPlan alone = session->hideOrRestoreMainWindow(true, true);
    EXPECT_TRUE(alone.hideMainWindow);
    EXPECT_FALSE(alone.showToday);
    EXPECT_EQ(session->hideOrRestoreMainWindow(true, false), WindowPlan{});
}
