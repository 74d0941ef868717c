// Reminders on the desktop: a notification beside the chime, received by a notification service of the
// test's own on a private session bus, and the reminders a sleeping computer missed, caught up once.
#include "calendar/ui/TodayWindow.h"
#include "platform/DesktopNotifications.h"
#include "platform/Sound.h"
#include "settings/LanguageEntries.h"
#include "support/TempDir.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Stands in for the desktop's notification service and keeps what it is sent.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Received {
        QString application, summary, body;
        QVariantMap hints;
    };
    std::vector<Received> received;

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("body-markup")}; }
    uint Notify(const QString& application, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap& hints, int) {
        received.push_back({application, summary, body, hints});
        return static_cast<uint>(received.size());
    }
};

// A session bus of the test's own, with the program's connection and the service's.
struct PrivateBus : ::testing::Test {
    QProcess daemon;
    QString address;
    static inline const QString Client = QStringLiteral("plandeck-client");
    static inline const QString Server = QStringLiteral("notification-service");

    void SetUp() override {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is needed (package dbus)";
        while (!daemon.canReadLine() && daemon.waitForReadyRead(5000)) {
        }
        address = QString::fromLocal8Bit(daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
        ASSERT_TRUE(QDBusConnection::connectToBus(address, Client).isConnected());
        ASSERT_TRUE(QDBusConnection::connectToBus(address, Server).isConnected());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(Client);
        QDBusConnection::disconnectFromBus(Server);
        daemon.kill();
        daemon.waitForFinished(5000);
        Sound::setTestPlayer({});
        Sound::setTestDevicePresent({});
    }
    void serve(NotificationService& service) {
        QDBusConnection bus(Server);
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                       QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService(QString::fromLatin1(DesktopNotifications::Service)));
    }
};

TEST_F(PrivateBus, RemindersAndMissedRemindersReachTheNotificationService) {
    DesktopNotifications notifications(Client);
    // No service on the bus: nothing is sent, and nothing waits.
    EXPECT_FALSE(notifications.available());
    EXPECT_FALSE(notifications.show(QStringLiteral("9:00"), QStringLiteral("Nobody listens")));

    NotificationService service;
    serve(service);
    ASSERT_TRUE(notifications.available());

    test::TempDir dir;
    dir.write("pdfiles/sys.ini", " 0 \r\n 1 \r\n 1 \r\n 1 \r\n");
    dir.write("pdfiles/notify.wav", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdfiles/notify.wav").bytes);
    dir.write("pdnotes/all.txt", "2026120709001000dStand-up <b>&</b> coffee\r\n"
                                 "2026120709301000dReview\r\n"
                                 "2026120710001100eDentist\r\n"
                                 "2026120711301200dLunch\r\n");
    int chimes = 0;
    Sound::setTestPlayer([&](const std::string&) { ++chimes; });
    Sound::setTestDevicePresent(true);
    QDateTime now(QDate(2026, 12, 7), QTime(8, 59, 30));
    TodayWindowSetup setup;
    setup.dataDirectory = DataDirectory(dir.path());
    setup.notesPath = dir.file("pdnotes/all.txt");
    setup.language = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng");
    setup.skinName = "Default";
    setup.clock = [&] { return now; };
    setup.notify = [&](const QString& summary, const QString& body) { notifications.show(summary, body); };
    TodayWindow window(std::move(setup));
    window.show();
    auto* missedList = window.findChild<QLabel*>(QStringLiteral("MissedList"));
    ASSERT_NE(missedList, nullptr);

    // The minute the note starts: the chime and a notification with its time and text.
    window.tick();
    now = now.addSecs(30);
    window.tick();
    QTRY_COMPARE_WITH_TIMEOUT(service.received.size(), std::size_t{1}, 5000);
    EXPECT_EQ(service.received[0].application, "Plandeck");
    EXPECT_EQ(service.received[0].summary, "9:00");
    // The service reads markup: the note's own brackets are shown, not taken as markup.
    EXPECT_EQ(service.received[0].body, "Stand-up &lt;b&gt;&amp;&lt;/b&gt; coffee");
    EXPECT_EQ(service.received[0].hints.value(QStringLiteral("suppress-sound")).toBool(), true);
    EXPECT_EQ(chimes, 1);
    EXPECT_FALSE(missedList->isVisible());

    // The computer sleeps from 9:01 to 11:45: one notification for the three notes it slept through, no chime,
    // and the today window lists them as missed.
    now = QDateTime(QDate(2026, 12, 7), QTime(9, 1, 0));
    window.tick();
    now = QDateTime(QDate(2026, 12, 7), QTime(11, 45, 10));
    window.tick();
    QTRY_COMPARE_WITH_TIMEOUT(service.received.size(), std::size_t{2}, 5000);
    EXPECT_EQ(service.received[1].summary, "Missed reminders");
    EXPECT_EQ(service.received[1].body, "9:30 Review\n10:00 Dentist\n11:30 Lunch");
    EXPECT_EQ(chimes, 1);
    EXPECT_TRUE(missedList->isVisible());
    EXPECT_EQ(missedList->toolTip(), "Missed 9:30 Review\nMissed 10:00 Dentist\nMissed 11:30 Lunch");
    EXPECT_GE(window.findChild<QLabel*>(QStringLiteral("Label1"))->y(), missedList->geometry().bottom());

    // Never twice: the next minutes tell nothing more.
    for (int i = 0; i < 40; ++i) {
        now = now.addSecs(2);
        window.tick();
    }
    QTest::qWait(200);
    EXPECT_EQ(service.received.size(), std::size_t{2});
    EXPECT_EQ(chimes, 1);

    // Closing the window: the missed ones have been seen.
    window.close();
    window.show();
    EXPECT_FALSE(missedList->isVisible());
}

} // namespace

#include "RemindersReachTheUserTest.moc"
