#include "settings/ui/OptionsWindow.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/ui/AboutBox.h"
#include "support/TempDir.h"
#include "widgets/SpinButtons.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using namespace plandeck;

namespace {

// A copy of the shipped data folder, and an options window opened on it.
struct Options : ::testing::Test {
    test::TempDir dir;
    QPointer<OptionsWindow> window;
    std::vector<OptionsSavePlan> saves;
    std::vector<int> closes;

    void SetUp() override {
        Dialogs::setScripting(true);
        std::filesystem::copy(PLANDECK_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
    }
    void TearDown() override {
        delete window;
        Dialogs::setScripting(false);
        SetWriteFunctionForTesting(nullptr);
    }

    DataDirectory data() const { return DataDirectory(dir.path()); }

    void open(const std::string& languageFile = "English.lng") {
        OptionsWindowSetup setup;
        setup.dataDir = data();
        setup.language = LanguageTable::Load(LanguageTable::FilePath(data(), languageFile));
        setup.current = LoadMainOptions(data().mainOptionsFile());
        setup.current.languageFile = languageFile;
        setup.notesPath = data().defaultNotesFile();
        window = new OptionsWindow(setup);
        QObject::connect(window, &OptionsWindow::saved, [this](const OptionsSavePlan& p) { saves.push_back(p); });
        QObject::connect(window, &OptionsWindow::closed, [this](int snap) { closes.push_back(snap); });
        window->show();
    }

    template <class T = QWidget>
    T* child(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
    void type(const QString& name, const QString& text) const { field(name)->setText(text); }
    void click(const QString& name) const { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void clickBox(const QString& name) const {
        QCheckBox* box = child<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void clickSave() const { QTest::mouseClick(child<QPushButton>("Label5(0)"), Qt::LeftButton); }
    bool saveEnabled() const { return child<QPushButton>("Label5(0)")->isEnabled(); }
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
        ASSERT_FALSE(saves.empty());
        EXPECT_TRUE(saves.back().changes.hours);
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

    std::vector<bool> autorun;
    window->setAutorunHook([&](bool on) {
        autorun.push_back(on);
        return WriteResult::Failure("The log-on entry could not be written.");
    });
    const bool trayBefore = child<QCheckBox>("Check7")->isChecked();
    clickBox("Check7");
    clickBox("Check6");
    clickSave();
    EXPECT_EQ(autorun, std::vector<bool>{true});
    EXPECT_EQ(Dialogs::shown().back(), "The log-on entry could not be written.") << "a failed autorun is told";
    EXPECT_EQ(LoadSystemOptions(data().systemOptionsFile()).useTrayIcon, !trayBefore) << "and the save goes on";
    EXPECT_TRUE(LoadSystemOptions(data().systemOptionsFile()).startAtLogon);
    EXPECT_EQ(dir.read("pdfiles/pdopt.ini"), mainBefore) << "the main file is written back unchanged";
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_TRUE(saves[0].changes.trayIcon);
    EXPECT_FALSE(saves[0].changes.rebuild());
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
    QListWidget* languages = child<QListWidget>("File2");
    const QList<QListWidgetItem*> russian = languages->findItems("Russian.lng", Qt::MatchExactly);
    ASSERT_EQ(russian.size(), 1);
    QTest::mouseClick(languages->viewport(), Qt::LeftButton, {}, languages->visualItemRect(russian[0]).center());

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
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_TRUE(saves[0].changes.skin && saves[0].changes.language && saves[0].changes.font);
    EXPECT_TRUE(saves[0].changes.rebuild());
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
    EXPECT_TRUE(saves.empty());
    EXPECT_FALSE(closedAndGone());

    const std::string notes = dir.write("elsewhere/plans.txt", "yyyyyyyy08000830eMorning walk\r\n");
    type("Text18", "5");
    Dialogs::queue({Dialogs::Answer::Ok, QString::fromStdString(notes), {}, {}});
    click("Command1");
    const MainOptions saved = LoadMainOptions(data().mainOptionsFile());
    EXPECT_EQ(saved.notesFilePath, notes);
    EXPECT_EQ(saved.configuredDays, 5) << "the window's fields are saved with the new path";
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_TRUE(saves[0].changes.notesFile);
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
    EXPECT_TRUE(saves.empty());
    EXPECT_FALSE(closedAndGone());
    clickSave();
    EXPECT_EQ(LoadMainOptions(data().mainOptionsFile()).configuredDays, 6) << "saving again works";
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
