#include "app/MainWindow.h"
#include "platform/Dialogs.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Whether a picture drawn at twice the screen's pixels came out in blocks: every aligned 2 x 2 square of
// one colour, as plain doubling draws it. A picture without any edge tells nothing and counts as smooth.
bool Blocky(const QImage& shot, const QImage& source) {
    bool edges = false;
    for (int y = 0; y + 1 < source.height() && !edges; ++y)
        for (int x = 0; x + 1 < source.width() && !edges; ++x)
            edges = source.pixel(x, y) != source.pixel(x + 1, y) || source.pixel(x, y) != source.pixel(x, y + 1);
    if (!edges)
        return false;
    for (int y = 0; y + 1 < shot.height(); y += 2)
        for (int x = 0; x + 1 < shot.width(); x += 2) {
            const QRgb c = shot.pixel(x, y);
            if (shot.pixel(x + 1, y) != c || shot.pixel(x, y + 1) != c || shot.pixel(x + 1, y + 1) != c)
                return false;
        }
    return true;
}

QString Line(const char* what, const QRect& r) {
    return QStringLiteral("%1 %2 %3 %4 %5\n")
        .arg(QLatin1String(what))
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QRect ParseRect(const QString& output, const char* what) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^%1 (-?\\d+) (-?\\d+) (\\d+) (\\d+)$").arg(QLatin1String(what)),
                           QRegularExpression::MultilineOption)
            .match(output);
    return m.hasMatch()
               ? QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt())
               : QRect();
}

} // namespace

// The program's side of the test below, run by it in a process of its own on an X server with the scale
// it sets. It opens the main window as a start does and reports where it is and which pictures came out in
// blocks.
TEST(HighDpi, WindowOnTheGivenScreen) {
    const QString data = qEnvironmentVariable("PLANDECK_HIGH_DPI_DATA");
    if (data.isEmpty())
        GTEST_SKIP() << "run by HighDpi.OpensWithinTheScreenAndDrawsSharpAtTwiceTheScale on its own X server";
    Dialogs::setScripting(true);
    MainWindow window{DataDirectory(data.toStdString())};
    ASSERT_TRUE(window.start());
    window.showAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    QString report = Line("area", window.screen()->availableGeometry()) + Line("frame", window.frameGeometry()) +
                     Line("minimum", QRect(QPoint(0, 0), window.minimumSize())) +
                     QStringLiteral("ratio %1\n").arg(window.devicePixelRatioF());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->pixmap().isNull() || label->width() < 2 || label->height() < 2)
            continue;
        if (Blocky(label->grab().toImage(), label->pixmap().toImage()))
            report += QStringLiteral("blocky %1\n").arg(label->objectName());
    }
    std::fputs(qPrintable(report), stdout);
    std::fflush(stdout);
    window.close();
}

// At twice the scale, on screens of 2560 x 1440 and 1920 x 1080 (1280 x 720 and 960 x 540 to the window), the
// main window opens within the screen's free area, its smallest size shrinks where 800 x 600 does not fit,
// and every picture of the window is drawn smoothly.
TEST(HighDpi, OpensWithinTheScreenAndDrawsSharpAtTwiceTheScale) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed (scripts/deps.sh installs it): the window at twice the scale is not "
                        "checked";
    struct Case {
        QSize screen;
        QSize minimum; // the smallest window at twice the scale
    };
    for (const Case& c : {Case{{2560, 1440}, {800, 600}}, Case{{1920, 1080}, {800, 540}}}) {
        SCOPED_TRACE(c.screen.width());
        QProcess server;
        server.setProgram(xvfb);
        server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"),
                             QStringLiteral("%1x%2x24").arg(c.screen.width()).arg(c.screen.height()),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server.start();
        ASSERT_TRUE(server.waitForStarted(5000));
        QString display;
        for (int i = 0; i < 100 && display.isEmpty(); ++i) {
            server.waitForReadyRead(100);
            display = QString::fromLatin1(server.readAllStandardOutput()).trimmed();
        }
        ASSERT_FALSE(display.isEmpty()) << "Xvfb gave no display";

        // A stored size larger than either screen at this scale.
        test::TempDir dir;
        std::vector<std::string> options = test::OptionLines();
        options[18] = " 16500 ";
        options[19] = " 21000 ";
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
        dir.write("pdfiles/category.txt", "Work\r\n16303519\r\n");
        dir.write("pdnotes/all.txt", "");
        std::filesystem::create_directory_symlink(std::string(PLANDECK_DATA_DIR) + "/pdskins", dir.file("pdskins"));
        std::filesystem::create_directory_symlink(std::string(PLANDECK_DATA_DIR) + "/pdlang", dir.file("pdlang"));

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":") + display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        env.insert(QStringLiteral("PLANDECK_HIGH_DPI_DATA"), QString::fromStdString(dir.path()));
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=HighDpi.WindowOnTheGivenScreen")});
        ASSERT_TRUE(program.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
        server.terminate();
        server.waitForFinished(5000);
        EXPECT_EQ(program.exitCode(), 0) << output.toStdString() << program.readAllStandardError().toStdString();

        EXPECT_TRUE(output.contains(QStringLiteral("ratio 2"))) << output.toStdString();
        const QRect area = ParseRect(output, "area");
        EXPECT_EQ(area.size(), c.screen / 2) << output.toStdString();
        const QRect frame = ParseRect(output, "frame");
        EXPECT_TRUE(area.contains(frame)) << output.toStdString();
        EXPECT_EQ(ParseRect(output, "minimum").size(), c.minimum) << output.toStdString();
        EXPECT_FALSE(output.contains(QStringLiteral("blocky"))) << output.toStdString();
    }
}
