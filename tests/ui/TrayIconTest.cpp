#include "platform/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

QStringList Items(const TrayIcon& tray) {
    QStringList items;
    for (int i = 0; i < tray.menuItemCount(); ++i)
        items << tray.menuItemCaption(i) + "|" + tray.menuItemKey(i);
    return items;
}

// The menu as the main window builds it: open (default), today's notes, about, a separator, exit.
void Fill(TrayIcon& tray) {
    tray.addMenuItem("&Open Plandeck", "open", true);
    tray.addMenuItem("&Show today's notes", "showce");
    tray.addMenuItem("&About Plandeck", "about");
    tray.addMenuItem("-", "");
    tray.addMenuItem("&Exit", "close");
}

} // namespace

TEST(TrayIcon, RemovingAnItemMovesTheLaterOnesUp) {
    TrayIcon tray;
    Fill(tray);
    tray.removeMenuItem(1);
    EXPECT_EQ(Items(tray), QStringList({"&Open Plandeck|open", "&About Plandeck|about", "-|", "&Exit|close"}));
    EXPECT_TRUE(tray.menu()->actions().at(2)->isSeparator());
    EXPECT_FALSE(tray.menu()->actions().at(3)->isSeparator());
    tray.removeMenuItem(0); // item 0 stays, without its caption
    tray.removeMenuItem(9); // no such item
    EXPECT_EQ(Items(tray), QStringList({"|open", "&About Plandeck|about", "-|", "&Exit|close"}));

    tray.setDefaultMenuIndex(3);
    EXPECT_EQ(tray.defaultMenuIndex(), 3);
    tray.setDefaultMenuIndex(42);
    EXPECT_EQ(tray.defaultMenuIndex(), 0);
    tray.enableMenuItem(2, false);
    EXPECT_FALSE(tray.menuItemEnabled(2));
}

TEST(TrayIcon, AChosenItemReportsItsIndexAndKey) {
    TrayIcon tray;
    Fill(tray);
    QSignalSpy clicks(&tray, &TrayIcon::menuClick);
    tray.chooseMenuItemForTesting(2);
    tray.chooseMenuItemForTesting(4);
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0][0].toInt(), 2);
    EXPECT_EQ(clicks[0][1].toString(), "about");
    EXPECT_EQ(clicks[1][1].toString(), "close");
}

