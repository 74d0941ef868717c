#include "app/MainWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/LanguageEntries.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"
#include "widgets/PictureButton.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// A data folder with options, two categories, the shipped English texts and a notes file.
struct Window : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        Dialogs::setScripting(true);
        std::vector<std::string> options = test::OptionLines();
        for (int i = 1; i < 8; ++i)
            options[static_cast<std::size_t>(i)] = "not used";
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\n");
        ReadResult english = ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng");
        dir.write("pdlang/English.lng", english.bytes);
    }
    void TearDown() override {
        window.reset();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    void start(const std::string& notes, const QDateTime& now) {
        dir.write("pdnotes/all.txt", notes);
        Clock::setFixed(now);
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
    }

    template <class T = QWidget>
    T* child(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) const { QTest::mouseClick(child(name), Qt::LeftButton); }
    const HourGridModel& model() const { return window->grid()->model(); }
};

QDateTime At(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

} // namespace

TEST_F(Window, OpensOnTodayWithTheStoredSizeAndNotesFile) {
    start("", At(2026, 12, 7, 10, 0));
    EXPECT_EQ(window->windowTitle(), "Plandeck");
    EXPECT_EQ(window->size(), QSize(900, 600));
    EXPECT_EQ(window->session().notesPath(), dir.path() + "/pdnotes/all.txt");
    EXPECT_TRUE(window->session().ready());
    EXPECT_EQ(window->session().navigation().columns()[0].day, "7");
    EXPECT_EQ(window->grid()->size(), QSize(900 - 90, 600 - 133));
    EXPECT_EQ(child<QLabel>("Label23")->text(), "New note");
    EXPECT_EQ(child<QLabel>("Label6(0)")->text(), "Mo");
    EXPECT_EQ(child<QLabel>("Label38")->text(), "7");
}

TEST_F(Window, StartsWithNoDataFilesAtAll) {
    test::TempDir empty;
    window = std::make_unique<MainWindow>(DataDirectory(empty.path()));
    ASSERT_TRUE(window->start());
    EXPECT_EQ(window->session().options(), MainOptions{});
    EXPECT_EQ(window->session().navigation().days(), 3);
    EXPECT_TRUE(window->grid()->model().tiles.empty());
}

TEST_F(Window, TilesSitOnTheirHoursInTheirColours) {
    start("2005071F09301100dMeeting\r\nyyyyyyyy12001300eLunch\r\n", At(2005, 7, 31, 10, 0));
    window->resize(1000, 700);
    QApplication::processEvents();
    ASSERT_EQ(model().tiles.size(), 4u); // the meeting on the 31st, lunch on all three days
    const NoteTile& meeting = model().tiles[0];
    const WeekView& v = model().view;
    EXPECT_EQ(meeting.caption, "9:30-11:00 Meeting");
    EXPECT_EQ(meeting.column, 0);
    EXPECT_NEAR(meeting.shape.top, v.gridTop + 1.5 * v.hourHeight, 1);
    EXPECT_NEAR(meeting.shape.height, 1.5 * v.hourHeight, 1);
    EXPECT_EQ(model().layout.todayColumn, 0);

    const QImage shot = window->grid()->grab().toImage();
    const QRectF r = HourGridWidget::ToPixels(meeting.shape);
    EXPECT_EQ(shot.pixelColor(r.center().toPoint() + QPoint(0, 8)), QColor(255, 0, 0)); // category 0: red
    const QRectF lunch = HourGridWidget::ToPixels(model().tiles[1].shape);
    EXPECT_EQ(shot.pixelColor(lunch.center().toPoint() + QPoint(0, 8)), QColor(0, 255, 0));
    // Today's column is tinted; the next column is not.
    const int emptyY = static_cast<int>(HourGridWidget::ToPixels(v.gridTop + 8.5 * v.hourHeight));
    const QColor today = shot.pixelColor(static_cast<int>(HourGridWidget::ToPixels(v.columnLeft(0) + 300)), emptyY);
    const QColor other = shot.pixelColor(static_cast<int>(HourGridWidget::ToPixels(v.columnLeft(1) + 300)), emptyY);
    EXPECT_GT(today.blue(), today.red() + 5);
    EXPECT_NE(today, other);
}

TEST_F(Window, HidingACategoryRemovesItsTilesEverywhere) {
    start("yyyyyyyy08001000eDaily\r\n2026120709001000dWork\r\n", At(2026, 12, 7, 10, 0));
    EXPECT_EQ(model().tiles.size(), 4u);
    QTest::mouseClick(child("Check1(1)"), Qt::LeftButton);
    EXPECT_EQ(model().tiles.size(), 1u);
    EXPECT_EQ(window->session().categories().shown(1), "0");
    QTest::mouseClick(child("Check1(1)"), Qt::LeftButton);
    EXPECT_EQ(model().tiles.size(), 4u);
}

TEST_F(Window, MalformedLineQuestionHasThreeAnswers) {
    const std::string notes = "2026120709001000dGood\r\nbad\r\n";
    {
        Dialogs::queueAnswer(Dialogs::Answer::No); // keep: told so, asked again on the next refresh
        start(notes, At(2026, 12, 7, 10, 0));
        EXPECT_EQ(dir.read("pdnotes/all.txt"), notes);
        ASSERT_GE(Dialogs::shown().size(), 2u);
        EXPECT_EQ(Dialogs::shown()[1].toStdString(), window->session().language().entry(139));
        EXPECT_EQ(model().tiles.size(), 1u);
        window.reset();
    }
    {
        Dialogs::clearQueue();
        Dialogs::queueAnswer(Dialogs::Answer::Yes);
        start(notes, At(2026, 12, 7, 10, 0));
        EXPECT_EQ(dir.read("pdnotes/all.txt"), "2026120709001000dGood\r\n");
        window.reset();
    }
    {
        dir.write("pdnotes/all.txt", notes);
        Dialogs::clearQueue();
        Dialogs::queueAnswer(Dialogs::Answer::Cancel);
        Clock::setFixed(At(2026, 12, 7, 10, 0));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        EXPECT_FALSE(window->start());
        EXPECT_TRUE(window->session().quitRequested());
        EXPECT_EQ(dir.read("pdnotes/all.txt"), notes);
    }
}

TEST_F(Window, HourButtonsStopAtTheirLimitsAndTheTimeLineFollows) {
    start("", At(2026, 12, 7, 20, 15));
    EXPECT_FALSE(model().timeLineY); // after the last hour
    for (int i = 0; i < 6; ++i)
        click("Image18");
    EXPECT_EQ(window->session().hours(), (HourRange{12, 24}));
    click("Image18");
    EXPECT_EQ(window->session().hours(), (HourRange{12, 24}));
    EXPECT_TRUE(model().timeLineY);
    EXPECT_EQ(model().layout.hourLabels.size(), 13u);
    click("Image23");
    EXPECT_EQ(window->session().hours(), (HourRange{8, 20}));
    for (int i = 0; i < 4; ++i)
        click("Image33");
    EXPECT_EQ(window->session().hours(), (HourRange{6, 18}));
    // Moving away from today's week leaves no today column.
    EXPECT_EQ(model().layout.todayColumn, 0);
    click("Image13");
    click("Image22");
    EXPECT_EQ(model().layout.todayColumn, -1);
}

TEST_F(Window, GridButtonsShowTheirOwnHintAndTooltip) {
    start("", At(2026, 12, 7, 10, 0));
    const std::pair<const char*, int> buttons[] = {{"Image20", 37},  {"Image11", 154}, {"Image12", 155},
                                                   {"Image13", 153}, {"Image22", 38},  {"Image21", 35},
                                                   {"Image33", 156}, {"Image18", 157}, {"Image23", 158}};
    const QString gridHint = QString::fromStdString(window->session().entry(24));
    for (const auto& [name, entry] : buttons) {
        SCOPED_TRACE(name);
        QWidget* b = child(name);
        QTest::mouseMove(window->grid(), QPoint(300, 200)); // the grid's own hint first
        ASSERT_EQ(child<QLabel>("Label30")->text(), gridHint);
        QTest::mouseMove(b, QPoint(5, 5));
        const QString own = QString::fromStdString(window->session().entry(entry));
        EXPECT_EQ(child<QLabel>("Label30")->text(), own);
        // The tooltip names the keys that do the same after the hint; a screen reader reads the hint.
        EXPECT_TRUE(b->toolTip().startsWith(own)) << b->toolTip().toStdString();
        EXPECT_EQ(b->accessibleName(), own);
    }
}

TEST_F(Window, RussianCaptionsFitAt800x600) {
    dir.write("pdlang/Russian.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/Russian.lng").bytes);
    std::string options = dir.read("pdfiles/pdopt.ini");
    options.replace(options.find("English.lng"), 11, "Russian.lng");
    dir.write("pdfiles/pdopt.ini", options);
    start("", At(2026, 12, 9, 10, 0));
    window->resize(800, 600);
    QApplication::processEvents();
    // The command bar ends left of the calendar, every caption whole or ending in an ellipsis.
    const int calendarLeft = child("Image16")->x();
    for (const char* name : {"Label23", "Label31", "Label24", "Label25", "Label17", "Label10", "Label42"}) {
        SCOPED_TRACE(name);
        auto* label = child<QLabel>(name);
        const QString full = label->property("fullText").toString();
        ASSERT_FALSE(full.isEmpty());
        EXPECT_TRUE(label->text() == full || label->text().endsWith(QChar(0x2026)));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    }
    EXPECT_LE(child("Label25")->geometry().right(), calendarLeft);
    EXPECT_EQ(child<QLabel>("Label17")->text().toStdString(), window->session().entry(39));
    // Today's month follows the day number in the genitive; the panel's buttons speak Russian.
    EXPECT_EQ(child<QLabel>("Label39")->text().toStdString(), "декабря");
    EXPECT_EQ(child<QLabel>("Label9")->text().toStdString(), window->session().entry(Entry::AddCategoryCaption));
    EXPECT_EQ(child<QLabel>("Label13")->text().toStdString(), window->session().entry(Entry::DeleteCategoryCaption));
    EXPECT_NE(child<QLabel>("Label9")->text(), "add");
    // The shown range names the month as a day number wants it, and the week in Russian.
    EXPECT_EQ(child<QLabel>("Label10")->text().toStdString(),
              "9 \u2013 11 " + window->session().entry(124) + " 2026 \u00B7 Неделя 50");
}

TEST_F(Window, DarkSkinSetsTodayApartWithoutLosingItsLines) {
    // A skin whose grid draws light on dark, like the shipped Midnight.
    const std::string skin = std::string(PLANDECK_DATA_DIR) + "/pdskins/Midnight/colors.txt";
    dir.write("pdskins/Dark/colors.txt", ReadWholeFile(skin).bytes);
    std::string options = dir.read("pdfiles/pdopt.ini");
    options.replace(options.find("Default"), 7, "Dark");
    dir.write("pdfiles/pdopt.ini", options);
    start("", At(2026, 12, 7, 10, 0));
    const HourGridLook& look = window->grid()->look();
    EXPECT_GT(look.todayHeaderText.lightness(), look.foreground.lightness());
    ASSERT_TRUE(look.todayHourLines.has_value());
    const QImage shot = window->grid()->grab().toImage();
    const WeekView& v = model().view;
    const int y = static_cast<int>(HourGridWidget::ToPixels(model().layout.hourLineYs[3]));
    const int x = static_cast<int>(HourGridWidget::ToPixels(v.columnLeft(0) + v.columnWidth / 2));
    // The hour line across today's column differs clearly from the column around it.
    EXPECT_GT(std::abs(shot.pixelColor(x, y).lightness() - shot.pixelColor(x, y + 6).lightness()), 12);
}

TEST_F(Window, RenamingACategoryStartsFromItsNameAndColourAndNoColourHidesTheText) {
    start("2026120709001100dPiano lesson\r\n", At(2026, 12, 7, 10, 0));
    // The name box opens on the name, the picker on the category's red; its Cancel keeps the new name and red.
    Dialogs::queue({Dialogs::Answer::Ok, QStringLiteral("Music"), {}, {}});
    Dialogs::queueAnswer(Dialogs::Answer::Cancel);
    QTest::mousePress(child("Label14(0)"), Qt::RightButton);
    EXPECT_EQ(Dialogs::lastInitialText(), "Work");
    EXPECT_EQ(Dialogs::lastInitialColour(), QColor(255, 0, 0));
    EXPECT_EQ(dir.read("pdfiles/category.txt"), "Music\r\n255\r\nHome\r\n65280\r\n");
    EXPECT_EQ(child<QLabel>("Label14(0)")->text(), "Music");

    // OK on the name as it stands, then black: the note's text turns white, as black would not show.
    Dialogs::queueAnswer(Dialogs::Answer::Ok);
    Dialogs::queue({Dialogs::Answer::Ok, {}, QColor(Qt::black), {}});
    QTest::mousePress(child("Label14(0)"), Qt::RightButton);
    EXPECT_EQ(Dialogs::lastInitialText(), "Music");
    EXPECT_EQ(dir.read("pdfiles/category.txt"), "Music\r\n0\r\nHome\r\n65280\r\n");
    ASSERT_EQ(model().tiles.size(), 1u);
    const QImage shot = window->grid()->grab().toImage();
    const QRect text = HourGridWidget::ToPixels(model().tiles[0].label).toRect().adjusted(2, 2, -2, -2);
    int light = 0;
    for (int y = text.top(); y <= text.bottom(); ++y)
        for (int x = text.left(); x <= text.right(); ++x)
            light += shot.pixelColor(x, y).lightness() > 200;
    EXPECT_GT(light, 20) << "white letters on the black tile";

    // A new category's picker opens on a light colour, never on black.
    Dialogs::queue({Dialogs::Answer::Ok, QStringLiteral("Sport"), {}, {}});
    Dialogs::queueAnswer(Dialogs::Answer::Cancel);
    QTest::mouseClick(child("Label9"), Qt::LeftButton);
    EXPECT_EQ(Dialogs::lastInitialText(), "");
    EXPECT_GT(Dialogs::lastInitialColour().lightness(), 180);
    EXPECT_EQ(dir.read("pdfiles/category.txt"), "Music\r\n0\r\nHome\r\n65280\r\n");
}

TEST_F(Window, CrowdedTilesShowTheirTimeThenTheirTextAndNeverWriteUnderTheGrip) {
    std::vector<std::string> options = test::OptionLines();
    options[22] = " 8 ";
    dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
    const std::string grip = std::string(PLANDECK_DATA_DIR) + "/pdskins/Default/resize.gif";
    dir.write("pdskins/Default/resize.gif", ReadWholeFile(grip).bytes);
    const std::string notes = "2026120712001400dPiano lesson with Maria and her little sister\r\n"
                              "2026120817001800eTeam meeting about the budget\r\n"
                              "2026120909000915dStand-up\r\n";
    start(notes, At(2026, 12, 7, 10, 0));
    window->resize(800, 600);
    QApplication::processEvents();
    ASSERT_EQ(model().view.days, 8);
    ASSERT_EQ(model().tiles.size(), 3u);
    HourGridWidget& grid = *window->grid();
    const auto faceOf = [&](int i) { return grid.faceOf(model().tiles[static_cast<std::size_t>(i)]); };
    const auto fitsItsLines = [&](const HourGridWidget::TileFace& face) {
        const QFontMetricsF fm(face.font);
        for (const QString& line : face.lines)
            EXPECT_LE(fm.horizontalAdvance(line), face.textArea.width()) << line.toStdString();
        EXPECT_LE(face.lines.size() * fm.height(), face.textArea.height() + 0.5);
    };

    // Two hours: the time whole (or its start when the column is too narrow) on a line of its own, then the
    // text, shortened with an ellipsis, all above the grip.
    const HourGridWidget::TileFace piano = faceOf(0);
    ASSERT_GE(piano.lines.size(), 2);
    EXPECT_TRUE(piano.lines[0] == "12:00-14:00" || piano.lines[0] == "12:00") << piano.lines[0].toStdString();
    EXPECT_TRUE(piano.lines[1].startsWith("Piano"));
    EXPECT_TRUE(piano.lines.back().endsWith(QChar(0x2026)));
    EXPECT_TRUE(piano.grip);
    const QRectF pianoTile = HourGridWidget::ToPixels(model().tiles[0].shape);
    EXPECT_LE(piano.textArea.bottom(), pianoTile.bottom() - grid.look().grip.height() - 1);
    fitsItsLines(piano);
    // As painted: no letter in the grip's strip beside the grip picture.
    const QImage shot = grid.grab().toImage();
    int ink = 0;
    const int stripLeft =
        static_cast<int>(HourGridWidget::ToPixels(model().tiles[0].gripLeft)) + grid.look().grip.width() + 2;
    for (int y = static_cast<int>(pianoTile.bottom()) - grid.look().grip.height() - 1; y <= pianoTile.bottom() - 3; ++y)
        for (int x = stripLeft; x < piano.textArea.right(); ++x)
            ink += shot.pixelColor(x, y).lightness() < 50;
    EXPECT_EQ(ink, 0);

    // One hour, lower than two lines: one line in a smaller letter that starts with the time.
    const HourGridWidget::TileFace meeting = faceOf(1);
    ASSERT_EQ(meeting.lines.size(), 1);
    EXPECT_TRUE(meeting.lines[0].startsWith("17:00")) << meeting.lines[0].toStdString();
    EXPECT_NEAR(meeting.font.pointSizeF(), 9 * 0.8, 0.01);
    fitsItsLines(meeting);

    // A quarter of an hour: only the colour; the tooltip tells the whole note.
    EXPECT_TRUE(faceOf(2).lines.isEmpty());
    EXPECT_EQ(model().tiles[2].tooltip, "9:00-9:15 Stand-up");
}

// ---- Week numbers, print and PDF

namespace {

// What a command-line tool prints, or empty when it cannot be run.
QString ToolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pixels of a PDF's first page.
QImage PdfPage(const QString& pdf, const QString& png) {
    ToolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                            QStringLiteral("-singlefile"), pdf, png.chopped(4)});
    return QImage(png);
}

int ColouredPixels(const QImage& image) {
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            coloured += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 60;
        }
    return coloured;
}

constexpr const char* kPrintNotes =
    "2026120709001000dStand-up meeting\r\n2026120811001200eDentist visit\r\n2026121514001500dReview of the year\r\n";

} // namespace

TEST_F(Window, WeekNumbersBesideTheCalendarRowsAndInTheRangeCaption) {
    start("", At(2026, 12, 13, 10, 0)); // a Sunday: three days reach into the next week
    window->resize(800, 600);
    QApplication::processEvents();
    const int weeks[] = {49, 50, 51, 52, 53};
    for (int r = 0; r < 5; ++r) {
        auto* label = child<QLabel>(QStringLiteral("WeekNumber(%1)").arg(r).toLatin1().constData());
        EXPECT_EQ(label->text(), QString::number(weeks[r]));
        EXPECT_TRUE(label->isVisible());
        // At the smallest window the column stands clear of the days, which keep room for two digits.
        const QLabel* monday = child<QLabel>(QStringLiteral("Label5(%1)").arg(r * 7).toLatin1().constData());
        EXPECT_LE(label->geometry().right(), monday->geometry().left());
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_GE(monday->width(), monday->fontMetrics().horizontalAdvance(QStringLiteral("28")) + 4);
    }
    EXPECT_FALSE(child<QLabel>("WeekNumber(5)")->isVisible()); // January's days only
    const QLabel* sunday = child<QLabel>("Label5(34)");
    EXPECT_LE(sunday->geometry().right(), child("MonthGrid")->width());
    EXPECT_EQ(child<QLabel>("Label10")->property("fullText").toString(),
              QStringLiteral("13 \u2013 15 Dec 2026 \u00B7 Weeks 50\u201351"));
    click("Image13"); // the week view: one week
    EXPECT_TRUE(child<QLabel>("Label10")->property("fullText").toString().endsWith(QStringLiteral("Week 50")));

    // The options' tick takes them away at once, and the days take the room.
    const int mondayWidth = child("Label5(7)")->width();
    click("Label31");
    QWidget* options = window->optionsWindow();
    QTest::mouseClick(options->findChild<QWidget*>("Label29"), Qt::LeftButton);
    auto* tick = options->findChild<QCheckBox*>("WeekNumbersCheck");
    QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(8, tick->height() / 2));
    QTest::mouseClick(options->findChild<QPushButton*>("Label5(0)"), Qt::LeftButton);
    ASSERT_FALSE(window->session().features().weekNumbers);
    for (int r = 0; r < 6; ++r)
        EXPECT_FALSE(child(QStringLiteral("WeekNumber(%1)").arg(r).toLatin1().constData())->isVisible());
    EXPECT_EQ(child<QLabel>("Label10")->property("fullText").toString(), QStringLiteral("7 \u2013 13 Dec 2026"));
    EXPECT_GT(child("Label5(7)")->width(), mondayWidth);
}

TEST_F(Window, SavesTheShownDaysAsOnePdfPageInTheSkinsColours) {
    start(kPrintNotes, At(2026, 12, 7, 10, 0));
    QTest::mouseClick(child("Check1(1)"), Qt::LeftButton); // "Home" hidden: the dentist stays off the page
    const QString pdf = QString::fromStdString(dir.path()) + "/week.pdf";
    Dialogs::queueAnswer(Dialogs::Answer::Yes); // the skin's colours
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(dir.path()) + "/week", {}, {}});
    QTest::keyClick(child("Text1"), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(QFile::exists(pdf)); // ".pdf" added to the name typed
    EXPECT_EQ(child<QLabel>("Label30")->property("fullText").toString(), "Saved as PDF: " + pdf);

    const QString info = ToolOutput(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()); // landscape

    const QString text = ToolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* shown : {"Mon, 7 Dec", "Tue, 8 Dec", "Wed, 9 Dec", "Stand-up meeting", "9:00-10:00",
                              "7 \u2013 9 Dec 2026", "Week 50", "8:00", "20:00"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    for (const char* left : {"Dentist", "Review of the year", "Thu, 10 Dec"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(left))) << left;
    // The work category's red tile is on the page.
    EXPECT_GT(ColouredPixels(PdfPage(pdf, QString::fromStdString(dir.path()) + "/page.png")), 20);

    // A file that cannot be made is told, never reported as saved.
    const QString nowhere = QString::fromStdString(dir.path()) + "/no such folder/week.pdf";
    Dialogs::queueAnswer(Dialogs::Answer::Yes);
    Dialogs::queue({Dialogs::Answer::Ok, nowhere, {}, {}});
    QTest::keyClick(child("Text1"), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Dialogs::shown().back(), "The page could not be printed or saved: " + nowhere);
    EXPECT_EQ(child<QLabel>("Label30")->property("fullText").toString(), "Saved as PDF: " + pdf);
}

TEST_F(Window, PrintsBlackOnWhiteFromTheButtonAndCtrlP) {
    start(kPrintNotes, At(2026, 12, 7, 10, 0));
    // Ctrl+P asks for the colours first; Cancel ends there.
    QTest::keyClick(child("Text1"), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(Dialogs::shown().size(), 1u);
    EXPECT_EQ(Dialogs::shown().back(), "Print in the skin's colours? No prints black on white.");

    // The print button's hint names both keys; a click prints through the print dialog.
    EXPECT_TRUE(child("PrintButton")->toolTip().contains("Ctrl+P"));
    const QString pdf = QString::fromStdString(dir.path()) + "/printed.pdf";
    Dialogs::queueAnswer(Dialogs::Answer::No); // black on white
    Dialogs::queue({Dialogs::Answer::Ok, pdf, {}, {}});
    click("PrintButton");
    ASSERT_EQ(Dialogs::shown().size(), 3u);
    EXPECT_EQ(Dialogs::shown().back(), "print");
    const QString text = ToolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* shown : {"Mon, 7 Dec", "Stand-up meeting", "Dentist visit"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    const QImage page = PdfPage(pdf, QString::fromStdString(dir.path()) + "/printed.png");
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(ColouredPixels(page), 0);
    EXPECT_EQ(page.pixelColor(page.width() / 2, page.height() - 5), QColor(Qt::white));
}
