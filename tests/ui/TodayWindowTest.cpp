#include "calendar/ui/TodayWindow.h"
#include "platform/Sound.h"
#include "support/TempDir.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

std::string Shipped(const std::string& relative) {
    return ReadWholeFile(std::string(PLANDECK_DATA_DIR) + relative).bytes;
}

struct Today : ::testing::Test {
    test::TempDir dir;
    QDateTime now{QDate(2026, 12, 7), QTime(9, 59, 0)};
    std::vector<std::string> played;

    void SetUp() override {
        dir.write("pdfiles/sys.ini", " 0 \r\n 1 \r\n 1 \r\n 1 \r\n");
        dir.write("pdfiles/notify.wav", Shipped("/pdfiles/notify.wav"));
        dir.write("pdskins/Default/today.gif", Shipped("/pdskins/Default/today.gif"));
        dir.write("pdnotes/all.txt", "2026120710001100dMeeting\r\n2026120710301200eReview\r\n");
        Sound::setTestPlayer([this](const std::string& path) { played.push_back(path); });
    }
    void TearDown() override {
        Sound::setTestPlayer({});
        Sound::setTestDevicePresent({});
    }

    std::unique_ptr<TodayWindow> make(const std::string& language = "English.lng") {
        TodayWindowSetup setup;
        setup.dataDirectory = DataDirectory(dir.path());
        setup.notesPath = dir.file("pdnotes/all.txt");
        setup.language = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/" + language);
        setup.skinName = "Default";
        setup.clock = [this] { return now; };
        return std::make_unique<TodayWindow>(std::move(setup));
    }

    // Ticks every two seconds for `seconds`.
    void run(TodayWindow& w, int seconds) {
        for (int s = 0; s < seconds; s += 2) {
            w.tick();
            now = now.addSecs(2);
        }
    }

    static QString text(TodayWindow& w, const char* label) {
        return w.findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
};

} // namespace

TEST_F(Today, ShowsTheListsTimeAndHeadings) {
    auto w = make();
    EXPECT_EQ(w->objectName(), "frmtoday");
    EXPECT_GE(w->width(), 200); // 3000 x 1050 twips at least
    EXPECT_EQ(w->height(), 70);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    w->tick();
    EXPECT_EQ(text(*w, "Label2"), "Now:");
    EXPECT_EQ(text(*w, "Label3"), "Next:");
    EXPECT_EQ(text(*w, "Label6"), "9:59");
    EXPECT_EQ(text(*w, "Label1"), "");
    EXPECT_EQ(text(*w, "Label4"), "10:00 Meeting");
    EXPECT_EQ(text(*w, "Label5"), "10:30 Review");
    EXPECT_EQ(w->findChild<QLabel*>("Label4")->toolTip(), "10:00 Meeting");
    EXPECT_EQ(w->windowTitle(), "7 December - Monday");

    now = QDateTime(QDate(2026, 12, 7), QTime(10, 45));
    w->tick();
    EXPECT_EQ(text(*w, "Label1"), "10:00 Meeting\n10:30 Review");
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->toolTip(), "10:00 Meeting\n10:30 Review");
    EXPECT_EQ(text(*w, "Label4"), "");
    EXPECT_EQ(w->findChild<QLabel*>("Label4")->toolTip(), "");

    // A text too long for the window is shortened on show and whole in the tooltip.
    const std::string longText = "Quarterly planning with the whole department and guests";
    dir.write("pdnotes/all.txt", "2026120711001200d" + longText + "\r\n");
    w->tick();
    EXPECT_TRUE(text(*w, "Label4").endsWith(QChar(0x2026)));
    EXPECT_EQ(w->findChild<QLabel*>("Label4")->toolTip(), QString::fromStdString("11:00 " + longText));
}

TEST_F(Today, ChimesOnceWhenTheNextNoteStarts) {
    auto w = make();
    run(*w, 4 * 60); // 9:59 to 10:03
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0], dir.file("pdfiles/notify.wav"));
}

TEST_F(Today, ChimesWhileHiddenButNotWithTheOptionOff) {
    auto w = make();
    EXPECT_FALSE(w->isVisible());
    run(*w, 70);
    EXPECT_EQ(played.size(), 1u);

    // The option is read afresh: switched off, the 10:30 note passes in silence.
    dir.write("pdfiles/sys.ini", " 0 \r\n 1 \r\n 1 \r\n 0 \r\n");
    now = QDateTime(QDate(2026, 12, 7), QTime(10, 29, 0));
    run(*w, 120);
    EXPECT_EQ(played.size(), 1u);
}

TEST_F(Today, NoAudioDeviceSkipsTheChimeAndKeepsTicking) {
    Sound::setTestDevicePresent(false);
    auto w = make();
    int reminded = 0;
    QObject::connect(w.get(), &TodayWindow::reminded, [&] { ++reminded; });
    run(*w, 70);
    EXPECT_EQ(reminded, 1);
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(Sound::play(dir.file("pdfiles/notify.wav")), Sound::Outcome::NoDevice);
    EXPECT_TRUE(w->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_EQ(text(*w, "Label1"), "10:00 Meeting");
}

TEST_F(Today, RemembersWhereItWasMoved) {
    const std::string file = dir.file("pdfiles/frmtoday.ini");
    auto w = make();
    w->show();
    // Nothing stored: near the lower right corner of the screen.
    const QRect screen = w->screen()->geometry();
    EXPECT_EQ(w->geometry().topLeft(), QPoint(screen.right() + 1 - 3500 / 15, screen.bottom() + 1 - 120));
    w->tick();
    QTest::qWait(TodayWindow::SettleMilliseconds + 100);
    w->tick();
    w->tick();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file))) << "written without a move";

    w->setGeometry(QRect(QPoint(100, 200), w->size()));
    w->tick();
    EXPECT_EQ(dir.read("pdfiles/frmtoday.ini"), " 1500 \r\n 3000 \r\n");
    w->tick();
    EXPECT_EQ(w->positionSaves(), 1);

    // Shown again, it goes back there.
    w->hide();
    w->setGeometry(QRect(QPoint(0, 0), w->size()));
    w->show();
    EXPECT_EQ(w->geometry().topLeft(), QPoint(100, 200));
}

TEST_F(Today, APositionOffEveryScreenFallsBackToTheDefault) {
    dir.write("pdfiles/frmtoday.ini", " 900000 \r\n 3000 \r\n");
    auto w = make();
    w->show();
    const QRect screen = w->screen()->geometry();
    EXPECT_EQ(w->geometry().topLeft(), QPoint(screen.right() + 1 - 3500 / 15, screen.bottom() + 1 - 120));
}

TEST_F(Today, ClosingOnlyHidesItAndTheTimerGoesOn) {
    auto w = make();
    int closed = 0;
    QObject::connect(w.get(), &TodayWindow::closedByUser, [&] { ++closed; });
    w->show();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(w->findChild<QTimer*>("Timer1")->isActive());
    run(*w, 70);
    EXPECT_EQ(played.size(), 1u);
}

TEST_F(Today, GrowsWithItsTitleAndNotesAndStaysOnTheScreen) {
    const std::string meeting = "10:30 Встреча с клиентом по проекту";
    dir.write("pdnotes/all.txt", "2026120710001100dПланёрка\r\n2026120710301200e" + meeting.substr(6) +
                                     "\r\n2026120710301100fЗвонок\r\n2026120710351100fОбед\r\n");
    auto w = make("Russian.lng");
    w->show(); // at the default place, near the right edge of the screen
    w->tick();
    // The day number takes the month in the genitive.
    EXPECT_EQ(w->windowTitle().toStdString(), "7 декабря - Понедельник");
    EXPECT_EQ(text(*w, "Label5").toStdString(), meeting) << "a note that fits the widest window is shown whole";
    const auto fits = [&](const char* name) {
        SCOPED_TRACE(name);
        const QLabel* label = w->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_TRUE(w->rect().contains(label->geometry()));
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->width()) << line.toStdString();
    };
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
        fits(name);
    QFont titleFont = w->font();
    titleFont.setBold(true);
    EXPECT_GT(w->width(), QFontMetrics(titleFont).horizontalAdvance(w->windowTitle()) + 40) << "room for the title";
    EXPECT_LE(w->geometry().right(), w->screen()->availableGeometry().right());

    // Four notes running: three lines, the last saying there are more; the tooltip lists them all.
    now = QDateTime(QDate(2026, 12, 7), QTime(10, 40));
    w->tick();
    const QStringList running = text(*w, "Label1").split(QLatin1Char('\n'));
    ASSERT_EQ(running.size(), TodayWindow::MaximumRunningLines);
    EXPECT_EQ(running.back(), QString(QChar(0x2026)));
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->toolTip().count(QLatin1Char('\n')), 3);
    for (const char* name : {"Label1", "Label3", "Label4"})
        fits(name);
    EXPECT_LE(w->width(), TodayWindow::MaximumWidth);
    EXPECT_LE(w->geometry().right(), w->screen()->availableGeometry().right());
}
