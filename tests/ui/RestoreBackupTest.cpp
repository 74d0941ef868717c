// Restoring a backup of the notes from the note menu, and taking it back with Ctrl+Z.
#include "app/MainWindow.h"
#include "editing/ui/NoteMenu.h"
#include "notes/ui/RestoreBackupDialog.h"
#include "platform/Clock.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

const std::string Now = "2026120709001030dMeeting\r\n2026120810501120dShort\r\n";
const std::string Older = "2026120709001030dMeeting\r\n2026120910001600eLong day\r\n2026120810501120dShort\r\n";

TEST(RestoreBackup, TheNoteMenuRestoresABackupAndCtrlZTakesItBack) {
    test::TempDir dir;
    dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\n");
    dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
    dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(test::OptionLines()));
    dir.write("pdnotes/all.txt", Now);
    dir.write("pdnotes/backups/2026-12-06_18-00-00_all.txt", Older);
    dir.write("pdnotes/backups/2026-12-05_09-30-00_all.txt", "2026120709001030dMeeting\r\n");
    Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0, 5)));
    auto window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
    ASSERT_TRUE(window->start());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    // A right click on a note, then the menu's last item.
    const NoteTile* meeting = nullptr;
    for (const NoteTile& t : window->grid()->model().tiles)
        if (t.text == "Meeting")
            meeting = &t;
    ASSERT_NE(meeting, nullptr);
    const QPoint at(static_cast<int>(meeting->label.left + 150) / 15, static_cast<int>(meeting->label.top + 60) / 15);
    QMouseEvent move(QEvent::MouseMove, at, window->grid()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(window->grid(), &move);
    QTest::mousePress(window->grid(), Qt::RightButton, {}, at);
    NoteMenu* menu = window->noteMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->item(5)->text(), QStringLiteral("Restore a backup\u2026"));
    QTest::mouseClick(menu->item(5), Qt::LeftButton);

    RestoreBackupDialog* dialog = window->restoreDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    QTreeWidget* list = dialog->list();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "2026-12-06  18:00");
    EXPECT_EQ(list->topLevelItem(0)->text(1), QLocale().formattedDataSize(static_cast<qint64>(Older.size())));
    EXPECT_EQ(list->topLevelItem(0)->text(2), "3");
    EXPECT_EQ(list->topLevelItem(1)->text(2), "1");

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("RestoreButton")), Qt::LeftButton);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), Older);
    auto* hint = window->findChild<QLabel*>(QStringLiteral("Label30"));
    EXPECT_TRUE(hint->text().startsWith(QStringLiteral("Restored the backup of 2026-12-06 18:00:00")))
        << hint->text().toStdString();
    // The notes as they were before the restore are a backup of their own.
    EXPECT_EQ(dir.read("pdnotes/backups/2026-12-07_07-00-05_all.txt"), Now);

    QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("Text1")), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), Now);
    EXPECT_EQ(hint->text(), QStringLiteral("Undone: restoring a backup"));
    window.reset();
    Clock::setFixed({});
}

} // namespace
