#include "settings/ui/OptionsWindow.h"
#include "app/MainWindow.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/LanguageEntries.h"
#include "settings/ui/AboutBox.h"
#include "support/ConfigHome.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"
#include "widgets/SpinButtons.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

using namespace plandeck;

namespace {

// The main window over a copy of the shipped data folder, and its options window opened from the command
// bar: Save goes through the program as it does for a user.
struct Options : ::testing::Test {
    test::TempDir dir;
    test::ConfigHome home;
    std::unique_ptr<MainWindow> main;
    QPointer<OptionsWindow> window;
    std::vector<int> closes;

    void SetUp() override {
        Dialogs::setScripting(true);
        std::filesystem::copy(PLANDECK_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    }
    void TearDown() override {
        main.reset();
        Dialogs::clearQueue();
        Dialogs::setScripting(false);
        SetWriteFunctionForTesting(nullptr);
        Clock::setFixed({});
    }

    DataDirectory data() const { return DataDirectory(dir.path()); }
    const Session& session() const { return main->session(); }

    void open() {
        if (!main) {
            main = std::make_unique<MainWindow>(data());
            ASSERT_TRUE(main->start());
            main->setAutorunHook(ApplyStartAtLogon);
            main->show();
        }
        QTest::mouseClick(main->findChild<QWidget*>("Label31"), Qt::LeftButton);
        window = main->optionsWindow();
        ASSERT_TRUE(window);
        QObject::connect(window, &OptionsWindow::closed, [this](int snap) { closes.push_back(snap); });
        QApplication::setActiveWindow(window);
    }

    template <class T = QWidget>
    T* child(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
    void type(const QString& name, const QString& text) const { field(name)->setText(text); }
    // Clicks into a field, selects what it holds and types over it, as a user does.
    void retype(const QString& name, const QString& text) const {
        QLineEdit* f = field(name);
        QTest::mouseClick(f, Qt::LeftButton);
        QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f, Qt::Key_Backspace);
        QTest::keyClicks(f, text);
    }
    void click(const QString& name) const { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void clickBox(const QString& name) const {
        QCheckBox* box = child<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void clickSave() const { QTest::mouseClick(child<QPushButton>("Label5(0)"), Qt::LeftButton); }
    bool saveEnabled() const { return child<QPushButton>("Label5(0)")->isEnabled(); }
    void pickInList(const QString& list, const QString& text) const {
        QListWidget* l = child<QListWidget>(list);
        const QList<QListWidgetItem*> items = l->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(items[0]).center());
    }
    // Closing deletes the window on the next turn of the event loop.
    bool closedAndGone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }
    void setSpan(int span, const char* h1, const char* m1, const char* h2, const char* m2) const {
        const SpanFieldNumbers n = SpanFields(span);
        type(QStringLiteral("Text%1").arg(n.startHour), QString::fromLatin1(h1));
        type(QStringLiteral("Text%1").arg(n.startMinute), QString::fromLatin1(m1));
        type(QStringLiteral("Text%1").arg(n.endHour), QString::fromLatin1(h2));
        type(QStringLiteral("Text%1").arg(n.endMinute), QString::fromLatin1(m2));
    }
    std::string line(int n) const { return std::string(TextLines(dir.read("pdfiles/pdopt.ini")).line(n - 1)); }
    std::string entry(const char* languageFile, int n) const {
        return LanguageTable::Load(dir.file(std::string("pdlang/") + languageFile)).entry(n);
    }
};

} // namespace

TEST_F(Options, HourFieldsAreCorrectedWhenSaved) {
    struct Case {
        const char* first;
        const char* last;
        int savedFirst, savedLast;
    };
    for (const Case& c : {Case{"30", "5", 23, 24}, Case{"12", "12", 12, 13}}) {
        open();
        type("Text19", c.first);
        type("Text20", c.last);
        clickSave();
        const MainOptions saved = LoadMainOptions(data().mainOptionsFile());
        EXPECT_EQ(saved.firstHour, c.savedFirst) << c.first << " / " << c.last;
        EXPECT_EQ(saved.lastHour, c.savedLast) << c.first << " / " << c.last;
        EXPECT_EQ(session().hours(), (HourRange{c.savedFirst, c.savedLast})) << "the grid shows the new hours";
        EXPECT_TRUE(closedAndGone());
    }
}

TEST_F(Options, WorkingSpansAreCheckedWhileShaded) {
    open();
    ASSERT_TRUE(saveEnabled()) << "loading puts a valid snap step into its field";
    EXPECT_FALSE(child<QGroupBox>("Frame1")->isVisible());
    clickBox("Check3");
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());

    setSpan(1, "6", "00", "6", "30");
    QTest::qWait(250);
    EXPECT_FALSE(saveEnabled()) << "06:00-06:30";
    setSpan(1, "6", "00", "6", "01");
    QTest::qWait(250);
    EXPECT_TRUE(saveEnabled()) << "06:00-06:01";

    // Clearing a span's box resets it to 06:00-07:00 and disables it; ticking it again gives 08:00-16:00.
    setSpan(2, "9", "", "", "");
    QTest::qWait(250);
    EXPECT_FALSE(saveEnabled());
    clickBox("Check4(2)");
    EXPECT_EQ(field("Text10")->text() + field("Text9")->text() + field("Text12")->text() + field("Text11")->text(),
              "600700");
    EXPECT_FALSE(field("Text10")->isEnabled());
    QTest::qWait(250);
    EXPECT_TRUE(saveEnabled());
    clickBox("Check4(2)");
    EXPECT_EQ(field("Text10")->text() + ":" + field("Text9")->text() + "-" + field("Text12")->text(), "8:00-16");
    EXPECT_TRUE(field("Text10")->isEnabled());

    // An invalid snap step keeps Save disabled, whatever the span check or a box says.
    type("Text17", "0");
    QTest::qWait(250);
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(field("Text17")->palette().color(QPalette::Text), QColor(255, 0, 0));
    clickBox("Check1");
    EXPECT_FALSE(saveEnabled());
    child<QPushButton>("Label5(1)")->click();
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0], 5) << "the step in use stays when the field holds none";
}

TEST_F(Options, SystemBoxesAloneCanBeSaved) {
    const std::string mainBefore = dir.read("pdfiles/pdopt.ini");
    open();
    ASSERT_TRUE(saveEnabled());
    child<QWidget>("Label30")->setFocus();
    click("Label30");
    EXPECT_TRUE(child<QWidget>("Frame6")->isVisible());
    EXPECT_FALSE(child<QWidget>("Frame5")->isVisible());
    EXPECT_TRUE(child<QWidget>("Shape11")->isVisible());
    EXPECT_FALSE(child<QWidget>("Shape10")->isVisible());

    // A file where the autostart folder should be: the log-on entry cannot be written.
    home.dir.write("autostart", "");
    const bool trayBefore = child<QCheckBox>("Check7")->isChecked();
    clickBox("Check7");
    clickBox("Check6");
    const std::size_t toldBefore = Dialogs::shown().size();
    clickSave();
    ASSERT_EQ(Dialogs::shown().size(), toldBefore + 1) << "a failed autorun is told";
    EXPECT_TRUE(Dialogs::shown().back().contains("autostart"));
    EXPECT_EQ(LoadSystemOptions(data().systemOptionsFile()).useTrayIcon, !trayBefore) << "the files stay saved";
    EXPECT_TRUE(LoadSystemOptions(data().systemOptionsFile()).startAtLogon);
    EXPECT_EQ(session().systemOptions().useTrayIcon, !trayBefore);
    for (int n : {1, 9, 10, 12, 13, 21, 22, 23, 24, 25})
        EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).line(n - 1), TextLines(mainBefore).line(n - 1))
            << "line " << n << " is written back unchanged";
}

TEST_F(Options, FeatureTicksAreSavedInTheirOwnFileKeepingItsOtherLines) {
    const std::string mainBefore = dir.read("pdfiles/pdopt.ini");
    const std::string systemBefore = dir.read("pdfiles/sys.ini");
    dir.write("pdfiles/plandeck.conf",
              "# written by hand\r\ntheme-of-tomorrow = blue\r\n Backups=No\r\nbackups = on\r\n");
    open();
    click("Label30");
    EXPECT_TRUE(child<QCheckBox>("NotificationsCheck")->isChecked()) << "a missing key is its default";
    EXPECT_FALSE(child<QCheckBox>("BackupsCheck")->isChecked());
    clickBox("NotificationsCheck");
    clickBox("BackupsCheck");
    click("Label29");
    clickBox("WeekNumbersCheck");
    clickSave();
    EXPECT_EQ(dir.read("pdfiles/plandeck.conf"), "# written by hand\ntheme-of-tomorrow = blue\nbackups = on\n"
                                                 "notifications = off\nweek-numbers = off\n");
    EXPECT_FALSE(session().features().notifications);
    EXPECT_TRUE(session().features().backups);
    EXPECT_EQ(dir.read("pdfiles/sys.ini"), systemBefore) << "the original option files keep exactly their lines";
    for (int n = 1; n <= 25; ++n)
        EXPECT_EQ(TextLines(dir.read("pdfiles/pdopt.ini")).line(n - 1), TextLines(mainBefore).line(n - 1)) << n;

    // A file that cannot be written keeps the ticks in use as they were, and says so.
    test::ReadOnlyFile locked("plandeck.conf");
    open();
    click("Label30");
    clickBox("NotificationsCheck");
    const std::size_t toldBefore = Dialogs::shown().size();
    clickSave();
    EXPECT_EQ(Dialogs::shown().size(), toldBefore + 1);
    EXPECT_FALSE(session().features().notifications);
    EXPECT_EQ(dir.read("pdfiles/plandeck.conf"), "# written by hand\ntheme-of-tomorrow = blue\nbackups = on\n"
                                                 "notifications = off\nweek-numbers = off\n");
}

TEST_F(Options, TheLauncherButtonPutsThePlandeckInTheDesktopsMenuAndTakesItOut) {
    const std::string entryFile = home.dir.file("share/applications/Plandeck.desktop");
    open();
    click("Label30");
    auto* button = child<QPushButton>("LauncherButton");
    EXPECT_EQ(button->text().toStdString(), entry("English.lng", Entry::Launcher::Add));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(entryFile));
    EXPECT_NE(home.dir.read("share/applications/Plandeck.desktop").find("Exec="), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(home.dir.file("share/icons/hicolor/48x48/apps/plandeck.png")));
    EXPECT_EQ(button->text().toStdString(), entry("English.lng", Entry::Launcher::Remove));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(entryFile));
    EXPECT_EQ(button->text().toStdString(), entry("English.lng", Entry::Launcher::Add));

    // A file where the applications folder should be: the user is told, and nothing claims success.
    std::filesystem::remove_all(home.dir.file("share/applications"));
    home.dir.write("share/applications", "");
    const std::size_t toldBefore = Dialogs::shown().size();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Dialogs::shown().size(), toldBefore + 1);
    EXPECT_EQ(button->text().toStdString(), entry("English.lng", Entry::Launcher::Add));
}

TEST_F(Options, SpanFieldsAreSavedWithTwoDigits) {
    open();
    type("Text3", "7");
    clickSave();
    EXPECT_EQ(LoadMainOptions(data().mainOptionsFile()).workSpans.substr(0, 4), "0700");
    open();
    EXPECT_EQ(field("Text3")->text(), "07");
}

TEST_F(Options, SpinnersWriteTheirFields) {
    open();
    struct Case {
        const char* spinner;
        const char* field;
        int steps;
        const char* shown;
    };
    // Span 0 starts at 08:00 in the shipped options; the days field holds 3.
    for (const Case& c : {Case{"VScroll2", "Text3", 1, "9"}, Case{"VScroll1", "Text4", 5, "05"},
                          Case{"VScroll1", "Text4", -9, "00"}, Case{"VScroll3", "Text5", 30, "23"},
                          Case{"HScroll1", "Text18", 9, "8"}, Case{"VScroll17", "Text19", -5, "6"}}) {
        SpinButtons* s = child<SpinButtons>(c.spinner);
        for (int i = 0; i < std::abs(c.steps); ++i)
            QTest::mouseClick(s->findChild<QWidget*>(c.steps > 0 ? "up" : "down"), Qt::LeftButton);
        EXPECT_EQ(field(c.field)->text(), c.shown) << c.spinner;
    }
    // The day count is corrected while typed; the hour fields are emptied when they get the focus.
    field("Text18")->setText("9");
    QTest::keyRelease(field("Text18"), Qt::Key_9);
    EXPECT_EQ(field("Text18")->text(), "8");
    QApplication::setActiveWindow(window);
    QTest::mouseClick(field("Text19"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(field("Text19")->text(), "");
}

TEST_F(Options, SkinLanguageAndFontChoicesAreSaved) {
    open();
    click("Label29");
    QListWidget* skins = child<QListWidget>("File1");
    const QList<QListWidgetItem*> midnight = skins->findItems("Midnight", Qt::MatchExactly);
    ASSERT_EQ(midnight.size(), 1);
    const QLabel* description = child<QLabel>("Label25");
    const QString before = description->text();
    QTest::mouseClick(skins->viewport(), Qt::LeftButton, {}, skins->visualItemRect(midnight[0]).center());
    EXPECT_NE(description->text(), before);
    EXPECT_EQ(description->text(), "Dark and quiet, easy on the eyes at night");
    EXPECT_FALSE(child<QLabel>("Image2")->pixmap().isNull());

    click("Label36");
    pickInList("File2", "Русский");

    // A font bigger than the tiles allow is brought down to 22 points; the colour comes from the colour dialog.
    Dialogs::queue({Dialogs::Answer::Ok, {}, {}, QFont("DejaVu Serif", 30)});
    Dialogs::queue({Dialogs::Answer::Ok, {}, QColor(0, 0, 255), {}});
    click("Label20");
    EXPECT_EQ(child<QLabel>("Label18")->text(), "DejaVu Serif");

    clickSave();
    const MainOptions saved = LoadMainOptions(data().mainOptionsFile());
    EXPECT_EQ(saved.skinName, "Midnight");
    EXPECT_EQ(saved.languageFile, "Russian.lng");
    EXPECT_EQ(saved.tileFontName, "DejaVu Serif");
    EXPECT_EQ(saved.tileFontSize, 22);
    EXPECT_EQ(saved.tileForeColor, 16711680);
    EXPECT_EQ(session().shownSkin(), "Midnight") << "the main window takes the new skin";
    EXPECT_EQ(session().language().monthName(12), "Декабрь");
    EXPECT_EQ(main->grid()->look().tileFont.family(), "DejaVu Serif");
}

TEST_F(Options, NotesFileChoiceKeepsTheOldFileWhenTheNewOneIsNoNotesFile) {
    open();
    click("Label30");
    const QString shownBefore = child<QLabel>("Label22")->toolTip();
    const std::string letter = dir.write("letter.txt", "Dear Anna,\r\nthank you for the lovely evening.\r\n");
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(letter), {}, {}});
    click("Command1");
    EXPECT_EQ(Dialogs::lastFolder(), QDir::homePath()) << "the dialog starts in the user's home";
    EXPECT_EQ(Dialogs::lastFilter(), "Text files (*.txt)");
    EXPECT_EQ(Dialogs::shown().back().toStdString(), LanguageTable::Load(dir.file("pdlang/English.lng")).entry(165));
    EXPECT_EQ(child<QLabel>("Label22")->toolTip(), shownBefore);
    EXPECT_EQ(session().notesPath(), data().defaultNotesFile());
    EXPECT_FALSE(closedAndGone());

    const std::string notes = dir.write("elsewhere/plans.txt", "yyyyyyyy08000830eMorning walk\r\n");
    type("Text18", "5");
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(notes), {}, {}});
    click("Command1");
    const MainOptions saved = LoadMainOptions(data().mainOptionsFile());
    EXPECT_EQ(saved.notesFilePath, notes);
    EXPECT_EQ(saved.configuredDays, 5) << "the window's fields are saved with the new path";
    EXPECT_EQ(session().notesPath(), notes) << "the program reads the new file at once";
    EXPECT_TRUE(closedAndGone());
}

TEST_F(Options, AFailedSaveIsToldAndKeepsTheWindowOpen) {
    const std::string before = dir.read("pdfiles/pdopt.ini");
    open();
    type("Text18", "6");
    SetWriteFunctionForTesting([](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    clickSave();
    SetWriteFunctionForTesting(nullptr);
    EXPECT_EQ(dir.read("pdfiles/pdopt.ini"), before);
    EXPECT_FALSE(Dialogs::shown().empty());
    EXPECT_EQ(session().options().configuredDays, 3);
    EXPECT_FALSE(closedAndGone());
    clickSave();
    EXPECT_EQ(LoadMainOptions(data().mainOptionsFile()).configuredDays, 6) << "saving again works";
}

TEST_F(Options, AnEmptiedSpanFieldIsNeverSaved) {
    // Shading on or off: the emptied field keeps Save disabled, and once it is filled again line 13 holds
    // sixteen two-digit fields.
    const std::string before = dir.read("pdfiles/pdopt.ini");
    for (bool shadedAtSave : {true, false}) {
        SCOPED_TRACE(shadedAtSave ? "shaded" : "not shaded");
        dir.write("pdfiles/pdopt.ini", before);
        open();
        clickBox("Check3");
        retype("Text1", ""); // span 1's start minute
        if (!shadedAtSave)
            clickBox("Check3");
        QTest::qWait(150);
        EXPECT_FALSE(saveEnabled());
        clickSave();
        EXPECT_FALSE(closedAndGone());
        EXPECT_EQ(dir.read("pdfiles/pdopt.ini"), before);

        if (!shadedAtSave)
            clickBox("Check3");
        retype("Text1", "5");
        if (!shadedAtSave)
            clickBox("Check3");
        QTest::qWait(150);
        ASSERT_TRUE(saveEnabled());
        clickSave();
        EXPECT_TRUE(closedAndGone());
        EXPECT_EQ(line(13), "08000805080008001600160016001600");
        EXPECT_EQ(line(14), shadedAtSave ? " 1 " : " 0 ");
    }
}

TEST_F(Options, ASpansLineDamagedByAnOlderSaveReadsAsDefaults) {
    // An older version saved an emptied field as nothing: 30 characters, every later field shifted.
    std::vector<std::string> lines = TextLines(dir.read("pdfiles/pdopt.ini")).toStrings();
    lines[12] = "080008000800080016001600160016";
    lines[13] = " 1 ";
    dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
    open();
    QTest::qWait(150);
    EXPECT_EQ(field("Text14")->text() + ":" + field("Text13")->text() + "-" + field("Text16")->text() + ":" +
                  field("Text15")->text(),
              "08:00-16:00");
    ASSERT_TRUE(saveEnabled());
    clickSave();
    EXPECT_TRUE(closedAndGone());
    EXPECT_EQ(line(13), "08000800080008001600160016001600");
}

TEST_F(Options, StartAtLogonFollowsTheSavedFilesOnly) {
    // The program starts at log-on: the files say so and the entry is there.
    dir.write("pdfiles/sys.ini", FormatSystemOptions(SystemOptions{true, false, false, false}));
    ASSERT_TRUE(SetAutorun("/opt/Plandeck/plandeck").ok);
    const std::string entryBefore = home.dir.read("autostart/Plandeck.desktop");
    const std::string systemBefore = dir.read("pdfiles/sys.ini");

    // The main option file cannot be written: the entry, the system file and the box stay as they were.
    open();
    click("Label30");
    ASSERT_TRUE(child<QCheckBox>("Check6")->isChecked());
    clickBox("Check6");
    auto readOnly = std::make_unique<test::ReadOnlyFile>("pdopt.ini");
    const std::size_t told = Dialogs::shown().size();
    clickSave();
    EXPECT_EQ(Dialogs::shown().size(), told + 1) << "the failure is told";
    EXPECT_EQ(home.dir.read("autostart/Plandeck.desktop"), entryBefore);
    EXPECT_EQ(dir.read("pdfiles/sys.ini"), systemBefore);
    EXPECT_FALSE(closedAndGone()) << "the window stays open with the user's choices";
    click("Label5(1)");
    open();
    click("Label30");
    EXPECT_TRUE(child<QCheckBox>("Check6")->isChecked()) << "the box shows what the files hold";

    // Writable again: Save removes the entry, and a later Save writes it for this program.
    readOnly.reset();
    clickBox("Check6");
    clickSave();
    EXPECT_FALSE(home.entryExists());
    EXPECT_FALSE(LoadSystemOptions(data().systemOptionsFile()).startAtLogon);
    open();
    click("Label30");
    clickBox("Check6");
    clickSave();
    EXPECT_EQ(home.dir.read("autostart/Plandeck.desktop"),
              AutostartEntryText(QCoreApplication::applicationFilePath().toStdString()));
    EXPECT_EQ(dir.read("pdfiles/sys.ini"), FormatSystemOptions(SystemOptions{true, false, false, false}));
}

TEST_F(Options, RowsAreNamedLanguagesListedByNameAndTheNotesPathShortenedInTheMiddle) {
    dir.write("pdlang/Deutsch.lng", "\r\nMotto\r\n"); // a language file that does not name its language
    const std::string notes =
        dir.write("a folder with a rather long name/and another one below it/plans for the year.txt",
                  "yyyyyyyy08000830eMorning walk\r\n");
    std::vector<std::string> lines = TextLines(dir.read("pdfiles/pdopt.ini")).toStrings();
    lines[25] = notes;
    dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(lines));
    open();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(child<QCheckBox>(QStringLiteral("Check4(%1)").arg(i))->text().toStdString(),
                  entry("English.lng", Entry::OptionsText::EntryFirstSpanRow + i));

    QListWidget* languages = child<QListWidget>("File2");
    QStringList names;
    for (int row = 0; row < languages->count(); ++row)
        names << languages->item(row)->text();
    EXPECT_EQ(names, (QStringList{"Deutsch", "English", "Русский"}));
    EXPECT_EQ(languages->currentItem()->text(), "English") << "the language in use is marked";

    click("Label30");
    const QLabel* path = child<QLabel>("Label22");
    EXPECT_EQ(path->toolTip().toStdString(), notes);
    EXPECT_TRUE(path->text().startsWith(QString::fromStdString(dir.path()).left(4))) << path->text().toStdString();
    EXPECT_TRUE(path->text().endsWith("year.txt")) << path->text().toStdString();
    EXPECT_TRUE(path->text().contains(QChar(0x2026)));
    EXPECT_LE(path->fontMetrics().horizontalAdvance(path->text()), path->width());
}

TEST_F(Options, TheFontDialogOpensOnTheTilesFontUpright) {
    open();
    click("Label29");
    // The real dialogs: the user changes only the size and presses OK, then closes the colour picker.
    Dialogs::setScripting(false);
    QFont openedOn;
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* fonts = qobject_cast<QFontDialog*>(modal)) {
            openedOn = fonts->currentFont();
            for (QLineEdit* edit : fonts->findChildren<QLineEdit*>()) {
                if (edit->text() == QString::number(openedOn.pointSize())) {
                    edit->selectAll();
                    QTest::keyClicks(edit, QStringLiteral("14"));
                }
            }
            fonts->accept();
        } else if (auto* other = qobject_cast<QDialog*>(modal)) {
            other->reject();
        }
    });
    answer.start();
    click("Label20");
    answer.stop();
    Dialogs::setScripting(true);

    EXPECT_EQ(openedOn.family(), "DejaVu Sans");
    EXPECT_FALSE(openedOn.italic()) << openedOn.styleName().toStdString();
    EXPECT_EQ(openedOn.weight(), QFont::Normal) << openedOn.styleName().toStdString();
    const QFont sample = child<QLabel>("Label18")->font();
    EXPECT_FALSE(sample.italic());
    EXPECT_EQ(sample.pointSize(), 14);
    clickSave();
    EXPECT_EQ(line(16), "DejaVu Sans");
    EXPECT_EQ(line(17), " 14 ");
    EXPECT_FALSE(main->grid()->look().tileFont.italic());
}

TEST_F(Options, ALanguageSwitchShowsEverywhereAtOnce) {
    open();
    // The pointer rests on the options command: the hint line explains it.
    QTest::mouseMove(main->findChild<QWidget*>("Label31"), QPoint(3, 3));
    const int optionsHint = Entry::HintCommandNewNote + 1;
    ASSERT_EQ(main->findChild<QLabel*>("Label30")->text().toStdString(), entry("English.lng", optionsHint));
    click("Label36");
    pickInList("File2", "Русский");
    clickSave();
    EXPECT_EQ(main->findChild<QLabel*>("Label30")->text().toStdString(), entry("Russian.lng", optionsHint));

    // The notes-file dialog names its filters in the new language.
    open();
    click("Label30");
    Dialogs::queueAnswer(Dialogs::Answer::Cancel);
    click("Command1");
    EXPECT_EQ(Dialogs::lastFilter().toStdString(),
              entry("Russian.lng", Entry::OptionsText::EntryTextFilesFilter) + " (*.txt)");
}

TEST(AboutBox, ShowsTheVersionAndCopiesTheWebAddress) {
    Dialogs::setScripting(true);
    const DataDirectory data(PLANDECK_DATA_DIR);
    const LanguageTable english = LanguageTable::Load(LanguageTable::FilePath(data, "English.lng"));
    auto* box = new AboutBox(data, english);
    QPointer<AboutBox> guard(box);
    box->show();
    EXPECT_EQ(box->objectName(), "frmaboutpd");
    EXPECT_EQ(box->findChild<QLabel*>("Label2")->text(), QStringLiteral("v. %1.%2.%3")
                                                             .arg(PLANDECK_VERSION_MAJOR)
                                                             .arg(PLANDECK_VERSION_MINOR)
                                                             .arg(PLANDECK_VERSION_REVISION));
    EXPECT_FALSE(box->findChild<QLabel*>("Image1")->pixmap().isNull());
    EXPECT_EQ(box->windowTitle().toStdString(), english.entry(39));

    // Twice: the message both times and the same text on the clipboard.
    QApplication::clipboard()->setText("something else");
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(box->findChild<QLabel*>("Label3"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), "https://plandeck.example.org");
    ASSERT_EQ(Dialogs::shown().size(), 2u);
    EXPECT_EQ(Dialogs::shown()[1].toStdString(), english.entry(41));

    Shell::setRecording(true);
    OpenHelp(nullptr, data, english);
    EXPECT_EQ(Shell::openedDocuments(), QStringList{QString::fromStdString(data.helpPage())});
    // A help page that is gone is not a silent click: the user is told where it should be.
    const std::size_t told = Dialogs::shown().size();
    const test::TempDir empty;
    OpenHelp(nullptr, DataDirectory(empty.path()), english);
    ASSERT_EQ(Dialogs::shown().size(), told + 1);
    EXPECT_TRUE(Dialogs::shown().back().startsWith(QString::fromStdString(english.entry(166))));
    EXPECT_EQ(Shell::openedDocuments().size(), 1);
    Shell::setRecording(false);
    delete guard;
    Dialogs::setScripting(false);
}
