#include "app/MainWindow.h"
#include "calendar/ui/TodayWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/TrayIcon.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// The command a tray menu item gives, in a word.
QString CommandWord(const QVariant& key) {
    if (key.metaType() != QMetaType::fromType<Command>())
        return {};
    switch (key.value<Command>()) {
    case Command::ShowOrHideWindow:
        return QStringLiteral("open");
    case Command::ShowOrHideToday:
        return QStringLiteral("today");
    case Command::About:
        return QStringLiteral("about");
    case Command::Exit:
        return QStringLiteral("exit");
    default:
        return QStringLiteral("other");
    }
}

// The main window over a data folder whose system options are given per test.
struct TrayAndToday : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        Dialogs::setScripting(true);
        dir.write("pdfiles/pdopt.ini", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdfiles/pdopt.ini").bytes);
        dir.write("pdfiles/category.txt", "Work\r\n255\r\n");
        dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
        dir.write("pdnotes/all.txt", "2026120710001100dMeeting\r\n");
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    }
    void TearDown() override {
        window.reset();
        TrayIcon::setAvailableForTesting({});
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    // sys.ini: tray icon and today window on hide; the desktop has a notification area or not.
    void start(bool trayOption, bool todayOnHide, bool desktopHasTray) {
        dir.write("pdfiles/sys.ini", std::string(" 0 \r\n") + (trayOption ? " 1 " : " 0 ") + "\r\n" +
                                         (todayOnHide ? " 1 " : " 0 ") + "\r\n 1 \r\n");
        TrayIcon::setAvailableForTesting(desktopHasTray);
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
        // The today window and the tray come after the first paint, which a loaded machine may delay.
        for (int waited = 0; waited < 3000 && !window->todayWindow(); waited += 10)
            QTest::qWait(10);
        ASSERT_NE(window->todayWindow(), nullptr);
        activate();
    }
    void activate() {
        QApplication::setActiveWindow(window.get());
        settle();
    }
    // Window-state changes are carried out right after the event that reported them.
    static void settle() { QTest::qWait(10); }

    TodayWindow* today() const { return window->todayWindow(); }
    QStringList trayMenu() const {
        QStringList items;
        TrayIcon* tray = window->trayIcon();
        for (int i = 0; tray && i < tray->menuItemCount(); ++i)
            items << tray->menuItemCaption(i) + "|" + CommandWord(tray->menuItemKey(i));
        return items;
    }
};

} // namespace

TEST_F(TrayAndToday, ActivationPutsUpTheTrayMenu) {
    start(true, true, true);
    ASSERT_NE(window->trayIcon(), nullptr);
    EXPECT_EQ(window->trayIcon()->objectName(), "frmSysTray");
    EXPECT_EQ(window->trayIcon()->toolTip(), "Plandeck");
    EXPECT_EQ(trayMenu(),
              QStringList({"&Open Plandeck|open", "&Show today's notes|today",
                           QStringLiteral("&Restore a backup…|other"), "&About Plandeck|about", "-|", "&Exit|exit"}));
    EXPECT_EQ(window->trayIcon()->defaultMenuIndex(), 0);

    // Each activation puts up a new icon; with the option switched off it goes.
    QPointer<TrayIcon> first = window->trayIcon();
    QApplication::setActiveWindow(nullptr);
    activate();
    EXPECT_NE(window->trayIcon(), first.data());
    dir.write("pdfiles/sys.ini", " 0 \r\n 0 \r\n 1 \r\n 1 \r\n");
    QApplication::setActiveWindow(nullptr);
    activate();
    EXPECT_EQ(window->trayIcon(), nullptr);
}

TEST_F(TrayAndToday, HideToTheTrayAndBack) {
    start(true, true, true);
    ASSERT_NE(today(), nullptr);
    EXPECT_FALSE(today()->isVisible());

    window->hideOrRestore();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(today()->isVisible());
    EXPECT_EQ(trayMenu().at(1), "&Hide today's notes|today");

    // The tray's "open" brings it back and puts the today window away.
    window->trayIcon()->chooseMenuItemForTesting(0);
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(today()->isVisible());
    EXPECT_EQ(trayMenu().at(1), "&Show today's notes|today");

    // The today item shows and hides the today window; closing the window marks it hidden in the menu.
    window->trayIcon()->chooseMenuItemForTesting(1);
    EXPECT_TRUE(today()->isVisible());
    EXPECT_EQ(trayMenu().at(1), "&Hide today's notes|today");
    today()->close();
    EXPECT_FALSE(today()->isVisible());
    EXPECT_EQ(trayMenu().at(1), "&Show today's notes|today");
}

TEST_F(TrayAndToday, MinimisingHidesToTheTrayAndRestoresMaximised) {
    start(true, true, true);
    window->showMaximized();
    settle();
    EXPECT_TRUE(window->session().wasMaximised());
    window->showMinimized();
    settle();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(today()->isVisible());

    window->hideOrRestore();
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMaximized());
    EXPECT_FALSE(today()->isVisible());
}

TEST_F(TrayAndToday, WithoutATrayMinimisingNeverHidesTheWindow) {
    start(true, true, false);
    EXPECT_EQ(window->trayIcon(), nullptr);
    window->showMinimized();
    settle();
    // Still on the task bar, where the user can get it back.
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(today()->isVisible());

    window->showNormal();
    settle();
    EXPECT_FALSE(today()->isVisible());
}

TEST_F(TrayAndToday, AWindowHiddenInATrayThatWentComesBack) {
    start(true, true, true);
    window->hideOrRestore();
    EXPECT_FALSE(window->isVisible());
    TrayIcon::setAvailableForTesting(false);
    QMetaObject::invokeMethod(window->findChild<QTimer*>("trayWatch"), "timeout");
    settle();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(today()->isVisible());
}

TEST_F(TrayAndToday, TheTodayTimerRunsWhileEverythingIsHidden) {
    start(true, false, true);
    window->hideOrRestore();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(today()->isVisible());
    EXPECT_TRUE(today()->findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(TrayAndToday, ExitFromTheTrayEndsEverything) {
    start(true, true, true);
    window->hideOrRestore();
    QPointer<TrayIcon> tray = window->trayIcon();
    tray->chooseMenuItemForTesting(tray->menuItemCount() - 1); // Exit, the last item
    settle();
    EXPECT_TRUE(tray.isNull());
    EXPECT_EQ(window->todayWindow(), nullptr);
    // The options were saved on the way out.
    EXPECT_FALSE(dir.read("pdfiles/pdopt.ini").empty());
}

TEST_F(TrayAndToday, EachTrayMenuItemGivesItsCommand) {
    start(true, false, true);
    // The menu as the user opens it, each item clicked with the mouse.
    auto choose = [&](const char* caption) {
        QMenu* menu = window->trayIcon()->menu();
        menu->popup(QPoint(100, 100));
        for (QAction* action : menu->actions())
            if (action->text() == QLatin1String(caption)) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                settle();
                return;
            }
        ADD_FAILURE() << "no item " << caption;
    };
    choose("&Show today's notes");
    EXPECT_TRUE(today()->isVisible());
    choose("&Hide today's notes");
    EXPECT_FALSE(today()->isVisible());
    choose("&About Plandeck");
    ASSERT_NE(window->aboutBox(), nullptr);
    EXPECT_TRUE(window->aboutBox()->isVisible());
    choose("&Open Plandeck");
    EXPECT_FALSE(window->isVisible());
    choose("&Open Plandeck");
    EXPECT_TRUE(window->isVisible());
    QPointer<TrayIcon> tray = window->trayIcon();
    choose("&Exit");
    EXPECT_TRUE(tray.isNull());
    EXPECT_EQ(window->todayWindow(), nullptr);
}
