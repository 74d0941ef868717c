#include "app/MainWindow.h"
#include "editing/ui/EventWizard.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "support/TempDir.h"
#include "widgets/PictureButton.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

using namespace plandeck;

namespace {

// The main window over a copy of the shipped data folder (both skins, both languages), on Monday 7
// December 2026.
struct CommandBar : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        Dialogs::setScripting(true);
        Shell::setRecording(true);
        std::filesystem::copy(PLANDECK_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
    }
    void TearDown() override {
        window.reset();
        Shell::setRecording(false);
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    template <class T = QWidget>
    T* child(QObject* parent, const char* name) const {
        T* w = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class T = QWidget>
    T* child(const char* name) const {
        return child<T>(window.get(), name);
    }
    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }
    void click(const char* name) const { click(child(name)); }
    void pointAt(const char* name, QPoint at = QPoint(3, 3)) const { QTest::mouseMove(child(name), at); }
    void pickInList(QListWidget* list, const QString& text) const {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    QString text(const char* name) const { return child<QLabel>(name)->text(); }
    void deleteClosedWindows() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(CommandBar, OptionsTwiceGiveOneFreshWindow) {
    click("Label31");
    QPointer<OptionsWindow> first = window->optionsWindow();
    ASSERT_TRUE(first);
    first->findChild<QLineEdit*>("Text18")->setText("6"); // edited, never saved
    click("Label31");
    deleteClosedWindows();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(window->findChildren<OptionsWindow*>().size(), 1);
    EXPECT_EQ(window->optionsWindow()->findChild<QLineEdit*>("Text18")->text(), "3") << "filled from the files";
}

TEST_F(CommandBar, SavingInTheWeekViewKeepsTheWeek) {
    click("Image13");
    ASSERT_TRUE(window->session().navigation().weekMode());
    click("Label31");
    window->optionsWindow()->findChild<QLineEdit*>("Text18")->setText("5");
    click(window->optionsWindow()->findChild<QPushButton*>("Label5(0)"));
    EXPECT_EQ(window->session().navigation().days(), 7);
    EXPECT_TRUE(window->session().navigation().weekMode());
    EXPECT_EQ(window->grid()->model().view.days, 7);
    click("Image12");
    EXPECT_EQ(window->session().navigation().days(), 5) << "the N-day view takes the new count";
}

TEST_F(CommandBar, SkinAndLanguageChangesRebuildTheWindow) {
    const QImage defaultHeader = child<QLabel>("Image17")->pixmap().toImage();
    const QString englishHint = [&] {
        pointAt("Label23");
        return text("Label30");
    }();
    click("Label17"); // the about box stays open through the change
    ASSERT_TRUE(window->aboutBox());

    click("Label31");
    OptionsWindow* options = window->optionsWindow();
    pickInList(options->findChild<QListWidget*>("File1"), "Midnight");
    pickInList(options->findChild<QListWidget*>("File2"), "Русский");
    click(options->findChild<QPushButton*>("Label5(0)"));

    EXPECT_EQ(window->session().shownSkin(), "Midnight");
    EXPECT_NE(child<QLabel>("Image17")->pixmap().toImage(), defaultHeader) << "the header shows the new skin";
    const LanguageTable russian = LanguageTable::Load(dir.file("pdlang/Russian.lng"));
    EXPECT_EQ(text("Label31"), QString::fromStdString(russian.entry(5)));
    EXPECT_EQ(text("Label3"), QString::fromStdString(russian.monthName(12)));
    // The hint line speaks the new language at once, before the pointer moves.
    EXPECT_EQ(text("Label30"), QString::fromStdString(russian.entry(25)));
    pointAt("Label31");
    pointAt("Label23");
    EXPECT_EQ(text("Label30"), QString::fromStdString(russian.entry(25)));
    EXPECT_NE(text("Label30"), englishHint);
    EXPECT_EQ(window->aboutBox()->windowTitle(), QString::fromStdString(russian.entry(39)));

    // The next options window opens in the new language and skin.
    click("Label31");
    EXPECT_EQ(window->optionsWindow()->windowTitle(), QString::fromStdString(russian.entry(109)));
}

TEST_F(CommandBar, CommandsHighlightTheirItemAndExplainThemselves) {
    const LanguageTable english = LanguageTable::Load(dir.file("pdlang/English.lng"));
    struct Case {
        const char* control;
        int hint;
    };
    for (const Case& c :
         {Case{"Label23", 25}, Case{"Label31", 26}, Case{"Label24", 27}, Case{"Label25", 28}, Case{"Label26", 29},
          Case{"Label27", 30}, Case{"Label28", 31}, Case{"Label17", 39}, Case{"Image24", 39}, Case{"Label41", 42},
          Case{"Label9", 9}, Case{"Label13", 10}, Case{"Image13", 153}, Case{"Image17", 0}}) {
        pointAt(c.control);
        EXPECT_EQ(text("Label30").toStdString(), c.hint ? english.entry(c.hint) : "") << c.control;
    }

    // From the new-note item to the exit item: only the exit highlight stays. The icons highlight without
    // touching the hint line.
    pointAt("Label23");
    EXPECT_TRUE(child("Shape2")->isVisible());
    pointAt("Image5");
    EXPECT_FALSE(child("Shape2")->isVisible());
    EXPECT_TRUE(child("Shape5")->isVisible());
    EXPECT_EQ(text("Label30").toStdString(), english.entry(25));
    pointAt("Image31", QPoint(3, 180)); // below the category panel's backdrop
    for (const char* shape : {"Shape2", "Shape6", "Shape4", "Shape5"})
        EXPECT_FALSE(child(shape)->isVisible()) << shape;
}

TEST_F(CommandBar, HelpAboutAddressNewNoteAndExit) {
    click("Label24");
    EXPECT_EQ(Shell::openedDocuments(), QStringList{QString::fromStdString(dir.file("help/indexENG.html"))});

    click("Image24");
    click("Label17");
    deleteClosedWindows();
    EXPECT_EQ(window->findChildren<AboutBox*>().size(), 1);

    QApplication::clipboard()->clear();
    click("Label41");
    EXPECT_EQ(QApplication::clipboard()->text(), "https://plandeck.example.org");
    EXPECT_EQ(Dialogs::shown().back().toStdString(), LanguageTable::Load(dir.file("pdlang/English.lng")).entry(41));

    click("Image3"); // the icon only highlights
    EXPECT_EQ(window->wizard(), nullptr);
    click("Label23");
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_TRUE(window->wizard()->isVisible());

    click("Label25");
    EXPECT_FALSE(window->isVisible());
}
