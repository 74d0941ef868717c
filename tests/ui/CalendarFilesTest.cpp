// Calendar files from the command bar's menu and from the command line, with the program running on the same
// folder and without it.
#include "app/MainWindow.h"
#include "base/TextFile.h"
#include "notes/ui/CalendarReportWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/LanguageEntries.h"
#include "support/TempDir.h"

#include <QMenu>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

const std::string Foreign = std::string(PLANDECK_SOURCE_DIR) + "/tests/data/ics/foreign.ics";
const std::string Notes = "2026120709001000dMonday meeting\r\nyyyyyyyy06300700eStretch\r\n";
// What foreign.ics adds, read at UTC.
const std::string ForeignLines = "2026030A13001400dCall with the New York office\r\n"
                                 "2026120808000930eA rather long summary that another program folded over two "
                                 "lines of the file\r\n"
                                 "2026120910001045dLine one Line two\r\n"
                                 "yyyyyy3407000730dRun\r\n"
                                 "yyyy040C18001900eBirthday\r\n";

// The program in a folder of its own with its data, run from the command line as a script would run it, in UTC
// and without a display.
struct ProgramFolder {
    test::TempDir dir;

    ProgramFolder() {
        std::filesystem::copy(PLANDECK_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(PLANDECK_PROGRAM, dir.file("plandeck"));
        dir.write("pdfiles/category.txt", "Work\r\n16711680\r\nHome\r\n65280\r\n");
        dir.write("pdnotes/all.txt", Notes);
    }

    struct Result {
        int exitCode = -1;
        std::string out;
        std::string err;
    };
    // Waits with the event loop running, so that a window of this process can answer the program.
    Result run(const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC0"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QString::fromStdString(dir.file("plandeck")), arguments);
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }
    std::string notes() const { return dir.read("pdnotes/all.txt"); }
};

struct CalendarProgram : ::testing::Test, ProgramFolder {};

// The program's own window over the folder, on Monday 7 December 2026, with the local time at UTC.
struct CalendarWindow : ::testing::Test, ProgramFolder {
    std::unique_ptr<MainWindow> window;
    std::optional<std::string> oldZone;

    void SetUp() override {
        if (const char* tz = std::getenv("TZ"))
            oldZone = tz;
        setenv("TZ", "UTC0", 1);
        tzset();
        Dialogs::setScripting(true);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
    }
    void TearDown() override {
        window.reset();
        Dialogs::setScripting(false);
        Clock::setFixed({});
        oldZone ? setenv("TZ", oldZone->c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    QString entry(int n) const { return QString::fromStdString(window->session().entry(n)); }
    // The report's lines as the user reads them.
    QStringList report() const {
        QStringList lines;
        if (CalendarReportWindow* r = window->calendarReport())
            for (const QString& line : r->text().split('\n', Qt::SkipEmptyParts))
                lines << line.simplified();
        return lines;
    }
    // Opens the command bar's calendar menu and picks an item, with the mouse.
    void pick(int caption) const {
        QWidget* bar = window->findChild<QWidget*>(QStringLiteral("CalendarFilesCaption"));
        ASSERT_NE(bar, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton);
        auto* menu = window->findChild<QMenu*>(QStringLiteral("CalendarMenu"));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction* a : menu->actions())
            if (a->text() == entry(caption)) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                return;
            }
        FAIL() << "no menu item " << entry(caption).toStdString();
    }
};

} // namespace

// From the menu: an import shows its report, adds the notes that fit, and Ctrl+Z takes it back byte for byte;
// an export of the shown days writes the notes of this week.
TEST_F(CalendarWindow, MenuImportShowsTheReportAndUndoTakesItBack) {
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(Foreign), {}, {}});
    pick(Entry::Calendar::Import);
    EXPECT_EQ(notes(), Notes + ForeignLines);
    ASSERT_NE(window->calendarReport(), nullptr);
    EXPECT_TRUE(window->calendarReport()->isVisible());
    const QStringList lines = report();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front(), entry(Entry::Calendar::Imported).replace("%1", "5"));
    EXPECT_TRUE(lines.contains(entry(Entry::Calendar::Refused).replace("%1", "9")));
    const QString page = window->calendarReport()->text();
    EXPECT_TRUE(page.contains("2026-12-31 23:00")) << page.toStdString();
    EXPECT_TRUE(page.contains("New Year party: " + entry(Entry::Calendar::FirstImportProblem +
                                                         static_cast<int>(ImportProblem::CrossesMidnight))));

    QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("Text1")), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(notes(), Notes);

    const std::string out = dir.file("week.ics");
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(out), {}, {}});
    pick(Entry::Calendar::ExportShown);
    const std::string ics = dir.read("week.ics");
    EXPECT_NE(ics.find("SUMMARY:Monday meeting"), std::string::npos);
    EXPECT_NE(ics.find("RRULE:FREQ=DAILY"), std::string::npos);
    EXPECT_EQ(report().front(), entry(Entry::Calendar::Exported).replace("%1", "2"));
}

// A second start with --import-ics hands the file to the running window, which imports it and shows the
// report; the second start prints it and ends with 0.
TEST_F(CalendarWindow, ImportFromTheCommandLineGoesToTheRunningWindow) {
    const Result result = run({"--import-ics", QString::fromStdString(Foreign)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(notes(), Notes + ForeignLines);
    EXPECT_NE(result.out.find(entry(Entry::Calendar::Imported).replace("%1", "5").toStdString()), std::string::npos);
    ASSERT_NE(window->calendarReport(), nullptr);
    EXPECT_TRUE(window->calendarReport()->isVisible());
    // The window's undo covers it.
    QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("Text1")), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(notes(), Notes);
}

// Without a running window: export and import print what they did, and the exit code says how it went.
TEST_F(CalendarProgram, CommandLineExitCodes) {
    const std::string out = dir.file("out.ics");
    const std::string damaged = dir.write("damaged.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:cut");
    struct Case {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{"--export-ics"}, 2},
        {{"--import-ics"}, 2},
        {{"--export-ics", "a.ics", "b.ics"}, 2},
        {{"--export-ics", QString::fromStdString(dir.file("no/such/folder/x.ics"))}, 1},
        {{"--import-ics", QString::fromStdString(dir.file("missing.ics"))}, 1},
        {{"--import-ics", QString::fromStdString(damaged)}, 1},
        {{"--export-ics", QString::fromStdString(out)}, 0},
        {{"--import-ics", QString::fromStdString(out)}, 0}, // every note is there already
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Result r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
        EXPECT_EQ(notes(), Notes);
        // A failure says why.
        EXPECT_TRUE(c.exitCode == 0 || !r.err.empty() || !r.out.empty());
    }
    EXPECT_EQ(dir.read("out.ics").rfind("BEGIN:VCALENDAR\r\n", 0), 0u);

    const Result imported = run({"--import-ics", QString::fromStdString(Foreign)});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(notes(), Notes + ForeignLines);
    EXPECT_NE(imported.out.find("Imported: 5"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("Not imported: 9"), std::string::npos) << imported.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("plandeck.lock")));
}
