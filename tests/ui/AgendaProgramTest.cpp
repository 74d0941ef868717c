#include "base/TextFile.h"
#include "support/TempDir.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// The program in a folder of its own with its data files, run for its agenda as a script would run it.
struct AgendaProgram : ::testing::Test {
    test::TempDir dir;

    AgendaProgram() {
        std::filesystem::copy_file(PLANDECK_PROGRAM, dir.file("plandeck"));
        dir.write("pdfiles/category.txt", "Work\r\n16711680\r\nHome\r\n65280\r\n");
        dir.write("pdnotes/all.txt", "2026120809001000dTeam \"stand-up\"\r\n"
                                     "yyyyyy0C07000730eEvery 12th\r\n"
                                     "bad line\r\n"
                                     "yyyyyy2412001300dMon and Wed\r\n");
    }

    struct Run {
        int exitCode = -1;
        std::string out;
        std::string err;
    };
    // Without any display: the agenda must not need one.
    Run agenda(const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QString::fromStdString(dir.file("plandeck")), QStringList{"--agenda"} + arguments);
        if (!process.waitForFinished(10000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }
    std::vector<std::filesystem::path> files() const {
        return {std::filesystem::recursive_directory_iterator(dir.path()), {}};
    }
};

const std::string TwoDays =
    "[\n"
    R"({"date":"2026-12-08","start":"09:00","end":"10:00","category":"Work","colour":"#0000FF","text":"Team \"stand-up\"","repeats":"once"},)"
    "\n"
    R"({"date":"2026-12-09","start":"12:00","end":"13:00","category":"Work","colour":"#0000FF","text":"Mon and Wed","repeats":"weekly"})"
    "\n]\n";

} // namespace

TEST_F(AgendaProgram, PrintsTheDaysWithoutADisplayWritesNothingAndRunsBesideTheProgram) {
    const auto before = files();
    const Run json = agenda({"2026-12-08", "--days", "2", "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, TwoDays);
    EXPECT_EQ(json.err, "plandeck: line 3 of " + dir.file("pdnotes/all.txt") + " is damaged; skipped\n");

    // No language file in the folder: the built-in English names.
    const Run plain = agenda({"2026-12-12"});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.out, "Sat 12 Dec 2026 07:00–07:30 [Home] Every 12th\n");

    const Run refused = agenda({"2026-12-08", "--days", "0"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("--days"), std::string::npos);
    EXPECT_EQ(agenda({"--weeks"}).exitCode, 2);
    // No lock, no created file, no option file written.
    EXPECT_EQ(files(), before);

    // With the program running on the same folder (holding its lock), the agenda reads the same.
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QString::fromStdString(dir.file("plandeck")), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const QString lock = QString::fromStdString(dir.file("plandeck.lock"));
    for (int i = 0; i < 200 && !QFile::exists(lock); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(lock));
    EXPECT_EQ(agenda({"2026-12-08", "--days", "2", "--json"}).out, TwoDays);
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(10000));

    // A notes file that cannot be read: exit 1.
    std::filesystem::remove(dir.file("pdnotes/all.txt"));
    std::filesystem::create_directory(dir.file("pdnotes/all.txt"));
    const Run unreadable = agenda({"2026-12-08"});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.out.empty());
}
