#include "app/MainWindow.h"
#include "base/CaseFold.h"
#include "calendar/DateEntry.h"
#include "calendar/DayColumns.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// Types a text key by key, as a keyboard of any layout would (QTest::keyClicks takes Latin letters only).
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The main window over a data folder of its own, three days from Monday 7 December 2026, hours 8..20, the
// third category (Sport) hidden.
struct FindInWindow : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        Dialogs::setScripting(true);
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\nSport\r\n16776960\r\n");
        dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
        std::vector<std::string> options = test::OptionLines();
        options[0] = " 1 "; // the category filter is kept
        options[8][2] = '0';
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
        dir.write("pdnotes/all.txt", "2026120709001000dMeeting\r\n"
                                     "yyyyyy2710001100eХор: репетиция\r\n" // every Thursday
                                     "2027010D14001500dВстреча с Иваном\r\n"
                                     "2026120812001300fTennis with Ivan\r\n");
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        Dialogs::clearQueue();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    template <class T = QWidget>
    T* child(QObject* parent, const QString& name) const {
        T* w = parent->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* keys() const { return child<QLineEdit>(window.get(), QStringLiteral("Text1")); }
    Date first() const { return ColumnDate(window->session().navigation().columns()[0]); }
    QString shownRange() const { return child<QLabel>(window.get(), QStringLiteral("Label10"))->text(); }
    // The text of the tile drawn as selected on the grid; empty for none.
    std::string selectedTile() const {
        const std::optional<int> slot = window->grid()->selectedSlot();
        if (!slot)
            return {};
        for (const NoteTile& t : window->grid()->model().tiles)
            if (t.slot == *slot && t.visible)
                return t.text;
        return {};
    }
    // Ctrl+F on the main window, then the text typed into the find box.
    QTreeWidget* find(const QString& typed) {
        QTest::keyClick(keys(), Qt::Key_F, Qt::ControlModifier);
        FindBox* box = window->findBox();
        EXPECT_TRUE(box && box->isVisible());
        auto* field = child<QLineEdit>(box, QStringLiteral("FindText"));
        Type(field, typed);
        return child<QTreeWidget>(box, QStringLiteral("FindResults"));
    }
    QString entry(int n) const { return FromFileText(window->session().entry(n)); }
};

} // namespace

// Find what was typed in any letter case, Enter: the note's day is shown and its tile is selected; a repeating
// note is shown on its next day after the first day shown.
TEST_F(FindInWindow, TypedTextFoundAndChosenWithEnter) {
    QTreeWidget* list = find(QStringLiteral("ВСТРЕЧА"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Wed 13 Jan 2027"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("14:00\u201315:00"));
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Work"));
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("Встреча с Иваном"));
    QTest::keyClick(child<QLineEdit>(window->findBox(), QStringLiteral("FindText")), Qt::Key_Return);
    EXPECT_FALSE(window->findBox()->isVisible());
    EXPECT_EQ(first(), (Date{2027, 1, 13}));
    EXPECT_EQ(shownRange(), QStringLiteral("13 \u2013 15 Jan 2027"));
    EXPECT_EQ(selectedTile(), "Встреча с Иваном");

    // The box opens again on what was typed; a new text searches again.
    list = find(QStringLiteral("хор"));
    EXPECT_EQ(child<QLineEdit>(window->findBox(), QStringLiteral("FindText"))->text(), QStringLiteral("хор"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Every Thursday"));
    QTest::keyClick(child<QLineEdit>(window->findBox(), QStringLiteral("FindText")), Qt::Key_Enter);
    EXPECT_EQ(first(), (Date{2027, 1, 14})); // the Thursday after Wednesday 13 January
    EXPECT_EQ(selectedTile(), "Хор: репетиция");
    // The keys of the notes act on the note found: Delete takes it out.
    QTest::keyClick(keys(), Qt::Key_Delete);
    EXPECT_EQ(dir.read("pdnotes/all.txt").find("Хор"), std::string::npos);
}

// A note of a hidden category is found and marked hidden; nothing found says so.
TEST_F(FindInWindow, HiddenCategoryMarkedAndNothingFoundSaid) {
    QTreeWidget* list = find(QStringLiteral("ivan"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Sport ") + entry(Entry::Find::Hidden));
    EXPECT_EQ(child<QLabel>(window->findBox(), QStringLiteral("FindCount"))->text(), entry(Entry::Find::Count).arg(1));
    QTest::keyClicks(child<QLineEdit>(window->findBox(), QStringLiteral("FindText")), QStringLiteral("xyz"));
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(child<QLabel>(window->findBox(), QStringLiteral("FindCount"))->text(), entry(Entry::Find::NoneFound));
    QTest::keyClick(child<QLineEdit>(window->findBox(), QStringLiteral("FindText")), Qt::Key_Escape);
    EXPECT_FALSE(window->findBox()->isVisible());
    EXPECT_EQ(first(), (Date{2026, 12, 7}));
}

// A click on the month calendar's title (or Ctrl+G) asks for a date; a bad one is said and changes nothing, a
// good one is shown as the first day; a day picked in the calendar and Enter go there too.
TEST_F(FindInWindow, GoToADate) {
    QTest::mouseClick(child<QLabel>(window.get(), QStringLiteral("Label3")), Qt::LeftButton);
    GoToDateBox* box = window->goToDateBox();
    ASSERT_TRUE(box && box->isVisible());
    auto* field = child<QLineEdit>(box, QStringLiteral("DateText"));
    QTest::keyClicks(field, QStringLiteral("31 Apr 2027"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(child<QLabel>(box, QStringLiteral("DateMessage"))->text(),
              entry(Entry::Find::FirstDateError + static_cast<int>(DateEntryError::NoSuchDay) - 1));
    EXPECT_EQ(first(), (Date{2026, 12, 7}));

    field->clear();
    QTest::keyClicks(field, QStringLiteral("20 jan 2027"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(!window->goToDateBox() || !window->goToDateBox()->isVisible());
    EXPECT_EQ(first(), (Date{2027, 1, 20}));
    EXPECT_EQ(child<QLabel>(window.get(), QStringLiteral("Label3"))->text(), QStringLiteral("January"));

    QTest::keyClick(keys(), Qt::Key_G, Qt::ControlModifier);
    box = window->goToDateBox();
    ASSERT_TRUE(box && box->isVisible());
    auto* picker = child<QCalendarWidget>(box, QStringLiteral("DatePicker"));
    EXPECT_EQ(picker->selectedDate(), QDate(2027, 1, 20));
    picker->setFocus();
    QTest::keyClick(picker->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview")), Qt::Key_Right);
    QTest::keyClick(picker->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview")), Qt::Key_Return);
    EXPECT_EQ(first(), (Date{2027, 1, 21}));
}

// The folding the find box and the date field use is Qt's, for every code point.
TEST(CaseFold, AgreesWithQt) {
    int differ = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (FoldCodePoint(c) != QChar::toCaseFolded(c) && ++differ < 10)
            ADD_FAILURE() << std::hex << static_cast<unsigned>(c) << " folds to "
                          << static_cast<unsigned>(FoldCodePoint(c)) << ", Qt "
                          << static_cast<unsigned>(QChar::toCaseFolded(c));
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(FoldCase("ÀÉÎ Ωmega ДЕКАБРЯ ǅ 𐐀"),
              QString::fromUtf8("ÀÉÎ Ωmega ДЕКАБРЯ ǅ 𐐀").toCaseFolded().toStdString());
}
