#include "app/MainWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// An option file with the given lines changed from the shipped defaults.
std::string OptionsWith(std::initializer_list<std::pair<int, std::string>> changes) {
    std::vector<std::string> lines =
        TextLines(ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdfiles/pdopt.ini").bytes).toStrings();
    for (const auto& [line, text] : changes)
        lines[static_cast<std::size_t>(line - 1)] = text;
    return JoinLinesCrLf(lines);
}

struct Startup : ::testing::Test {
    test::TempDir dir;
    void SetUp() override {
        Dialogs::setScripting(true);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\nSport\r\n16711680\r\n");
        dir.write("pdnotes/all.txt", "yyyyyyyy08001000eDaily\r\n");
    }
    void TearDown() override {
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }
    std::unique_ptr<MainWindow> load() {
        auto w = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        EXPECT_TRUE(w->start());
        return w;
    }
};

} // namespace

TEST_F(Startup, WindowSizeComesFromTheOptions) {
    dir.write("pdfiles/pdopt.ini", OptionsWith({{19, "max"}, {20, " 9000 "}}));
    auto maximised = load();
    maximised->showAsStored();
    EXPECT_TRUE(maximised->isMaximized());
    maximised->close();
    TextLines saved(dir.read("pdfiles/pdopt.ini"));
    EXPECT_EQ(saved.line(18), "max");
    EXPECT_EQ(saved.line(19), "max");

    maximised.reset();
    dir.write("pdfiles/pdopt.ini", OptionsWith({{19, " 10500 "}, {20, " 15000 "}}));
    auto sized = load();
    EXPECT_EQ(sized->size(), QSize(1000, 700)); // height first, then width
    sized.reset();
    dir.write("pdfiles/pdopt.ini", OptionsWith({{19, " 30000 "}, {20, " 30000 "}}));
    sized = load();
    sized->show();
    QApplication::processEvents();
    EXPECT_EQ(sized->size(), QSize(1600, 1200));
}

TEST_F(Startup, CategoryFilterAndNotesPath) {
    dir.write("pdfiles/pdopt.ini", OptionsWith({{1, " 1 "}, {9, "101"}, {26, dir.path() + "/missing.txt"}}));
    dir.write("pdfiles/category.txt", "A\r\n255\r\nB\r\n255\r\nC\r\n255\r\nD\r\n255\r\n");
    auto w = load();
    EXPECT_EQ(w->session().categories().shown(0), "1");
    EXPECT_EQ(w->session().categories().shown(1), "0");
    EXPECT_EQ(w->session().categories().shown(2), "1");
    EXPECT_FALSE(w->session().categories().isShown(3)); // an empty flag hides
    EXPECT_TRUE(w->session().categories().isShown(4));  // no record: shown
    EXPECT_EQ(w->session().notesPath(), dir.path() + "/pdnotes/all.txt");
    for (const NoteTile& t : w->grid()->model().tiles)
        ADD_FAILURE() << t.caption << " in category " << t.category;
}

TEST_F(Startup, MissingLanguageAndSkinStillGiveAUsableWindow) {
    dir.write("pdfiles/pdopt.ini", OptionsWith({{10, "NoSuchSkin"}, {22, "NoSuchLanguage.lng"}}));
    auto w = load();
    EXPECT_EQ(w->session().language().entry(4), "New note"); // the built-in English texts
    EXPECT_EQ(w->findChild<QLabel*>("Label23")->text(), "New note");
    EXPECT_FALSE(w->findChild<QLabel*>("Image20")->text().isEmpty()); // a button without a picture
}

TEST_F(Startup, SecondCopyIsRefusedAndTheFirstRunsOn) {
    dir.write("pdfiles/pdopt.ini", OptionsWith({}));
    auto first = load();
    Dialogs::clearQueue();
    MainWindow second{DataDirectory(dir.path())};
    EXPECT_FALSE(second.start());
    ASSERT_EQ(Dialogs::shown().size(), 1u);
    EXPECT_EQ(Dialogs::shown()[0].toStdString(), first->session().language().entry(161));
    EXPECT_TRUE(first->session().ready());
    // Another folder is another copy of the program.
    test::TempDir elsewhere;
    MainWindow third{DataDirectory(elsewhere.path())};
    EXPECT_TRUE(third.start());
}

TEST_F(Startup, ShutdownSavesTheOptionsAndNeverTheNotes) {
    dir.write("pdfiles/pdopt.ini", OptionsWith({}));
    const std::string notes = dir.read("pdnotes/all.txt");
    const auto notesTime = std::filesystem::last_write_time(dir.file("pdnotes/all.txt"));
    auto w = load();
    w->resize(1000, 700);
    w->show();
    QTest::mouseClick(w->findChild<QWidget*>("Check1(1)"), Qt::LeftButton); // hide category 1
    w->close();
    TextLines saved(dir.read("pdfiles/pdopt.ini"));
    ASSERT_EQ(saved.size(), 26u);
    EXPECT_EQ(saved.line(8), "101" + std::string(98, '1'));
    EXPECT_EQ(saved.line(18), " 10500 ");
    EXPECT_EQ(saved.line(19), " 15000 ");
    EXPECT_EQ(saved.line(25), "");
    EXPECT_EQ(dir.read("pdnotes/all.txt"), notes);
    EXPECT_EQ(std::filesystem::last_write_time(dir.file("pdnotes/all.txt")), notesTime);
}

// The program as a user runs it: a copy in a folder of its own, which holds its data.
struct Program : ::testing::Test {
    test::TempDir dir;
    QString lock = QString::fromStdString(dir.file("plandeck.lock"));

    Program() { std::filesystem::copy_file(PLANDECK_PROGRAM, dir.file("plandeck")); }

    // Starts the program on the offscreen platform and waits until it holds its lock: by then its
    // termination handler is in place.
    void start(QProcess& process) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(QString::fromStdString(dir.file("plandeck")), {});
        ASSERT_TRUE(process.waitForStarted(10000));
        for (int i = 0; i < 200 && !QFile::exists(lock); ++i)
            QTest::qWait(50);
    }
};

TEST_F(Program, TerminationSignalSavesTheOptions) {
    // SIGTERM must close the program in order.
    dir.write("pdfiles/pdopt.ini", " 0 \r\n"); // a short file: the shutdown save writes all 26 lines
    dir.write("pdnotes/all.txt", "yyyyyyyy08001000dDaily\r\n");
    QProcess process;
    start(process);
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).size(), 26u);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), "yyyyyyyy08001000dDaily\r\n");
    EXPECT_FALSE(QFile::exists(lock));
}

TEST_F(Program, LockLeftByACrashedCopyIsTakenOver) {
    QProcess crashed;
    start(crashed);
    crashed.kill(); // no chance to remove its lock
    ASSERT_TRUE(crashed.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(lock));

    QProcess next;
    start(next);
    // The lock names its owner's process id on its first line: the new copy must take it over.
    auto owner = [&] {
        QFile file(lock);
        return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed().toLongLong() : 0;
    };
    for (int i = 0; i < 200 && owner() != next.processId(); ++i)
        QTest::qWait(50);
    EXPECT_EQ(owner(), next.processId());
    EXPECT_EQ(next.state(), QProcess::Running);
    next.terminate();
    EXPECT_TRUE(next.waitForFinished(10000));
}

TEST_F(Program, TerminationWhileAQuestionIsOpenKeepsTheLineSavesAndEnds) {
    // Start-up stops at the damaged-line question; a log-out then must neither hang nor remove the line.
    dir.write("pdfiles/pdopt.ini", " 0 \r\n");
    const std::string notes = "yyyyyyyy08001000dDaily\r\nbad\r\n";
    dir.write("pdnotes/all.txt", notes);
    QProcess process;
    start(process);
    QTest::qWait(300); // the question is open by now
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).size(), 26u);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), notes);
}

TEST_F(Program, SecondStartBringsTheRunningWindowToTheFront) {
    // The running copy is a window of this test; the second start is the real program on the same folder.
    Dialogs::setScripting(true);
    dir.write("pdfiles/pdopt.ini", OptionsWith({}));
    enum class Before { Shown, Minimised, Hidden };
    for (const Before before : {Before::Shown, Before::Minimised, Before::Hidden}) {
        SCOPED_TRACE(static_cast<int>(before));
        MainWindow first{DataDirectory(dir.path())};
        ASSERT_TRUE(first.start());
        first.showAsStored();
        QWidget other; // the window in front
        other.show();
        other.activateWindow();
        if (before == Before::Minimised)
            first.showMinimized();
        if (before == Before::Hidden)
            first.hide(); // as in the tray
        QApplication::processEvents();
        ASSERT_NE(QApplication::activeWindow(), &first);

        int requests = 0;
        QObject::connect(&first, &MainWindow::broughtToFront, [&] { ++requests; });
        QProcess second;
        QElapsedTimer clock;
        clock.start();
        start(second);
        // The running copy answers from its event loop, which runs while the test waits.
        while (second.state() != QProcess::NotRunning && clock.elapsed() < 20000)
            QTest::qWait(10);
        const qint64 took = clock.elapsed();
        if (second.state() != QProcess::NotRunning) {
            second.kill();
            second.waitForFinished();
            FAIL() << "the second start did not end";
        }
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_LT(took, 5000);
        std::printf("second start ended after %lld ms\n", static_cast<long long>(took));
        EXPECT_EQ(requests, 1);
        EXPECT_TRUE(first.isVisible());
        EXPECT_FALSE(first.isMinimized());
        EXPECT_EQ(QApplication::activeWindow(), &first);
        EXPECT_TRUE(QFile::exists(lock)); // the running copy keeps the folder
        first.close();
    }
    Dialogs::setScripting(false);
}

TEST(SingleInstance, OneFolderHasOneSocketHoweverItIsSpelled) {
    test::TempDir a, b;
    std::filesystem::create_symlink(a.path(), b.file("link"));
    const QString name = SingleInstance::socketPath(QString::fromStdString(a.path()));
    for (const std::string& spelling : {a.path() + "/", a.path() + "/.", b.file("link"),
                                        b.path() + "/../" + std::filesystem::path(a.path()).filename().string()})
        EXPECT_EQ(SingleInstance::socketPath(QString::fromStdString(spelling)), name) << spelling;
    EXPECT_NE(SingleInstance::socketPath(QString::fromStdString(b.path())), name);
}
