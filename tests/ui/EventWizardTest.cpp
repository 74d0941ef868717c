#include "editing/ui/EventWizard.h"
#include "editing/CategoryTable.h"
#include "editing/NewNoteAt.h"
#include "notes/NotesFile.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// A wizard with the shipped English texts and the categories Work, Home and (after a gap) Sport.
struct Wizard : ::testing::Test {
    LanguageTable language = LanguageTable::Load(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng");
    std::unique_ptr<EventWizard> wizard;
    std::vector<std::string> saved;
    std::vector<int> deleted;
    int closings = 0;

    void SetUp() override {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(21, 0)));
        wizard = std::make_unique<EventWizard>(
            language, std::vector<EventWizard::CategoryItem>{{0, "Work"}, {1, "Home"}, {3, "Sport"}});
        QObject::connect(wizard.get(), &EventWizard::saveRequested,
                         [this](const std::string& l) { saved.push_back(l); });
        QObject::connect(wizard.get(), &EventWizard::deleteRequested, [this](int n) { deleted.push_back(n); });
        QObject::connect(wizard.get(), &EventWizard::closed, [this] { ++closings; });
    }
    void TearDown() override { Clock::setFixed({}); }

    void openNew(const WizardForm& form, WizardStep step = WizardStep::Year) {
        wizard->startNew(form, step);
        wizard->show();
    }
    void openNew() { openNew(NewWizardForm(2026, language.entry(62))); }

    template <class T = QWidget>
    T* child(const QString& name) const {
        T* w = wizard->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    bool red(int step) const {
        return child<QLabel>(QStringLiteral("Label33(%1)").arg(step))->styleSheet().contains("#c01010");
    }
    std::string redSteps() const {
        std::string out;
        for (int i = 0; i < WizardStepCount; ++i)
            if (red(i))
                out += std::to_string(i);
        return out;
    }
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(6, 6)); }
    // A click on the upper or lower arrow of a spinner, where the user sees it.
    void arrow(const QString& spinner, bool up) {
        QWidget* s = child(spinner);
        const QPoint at(s->width() / 2, up ? 2 : s->height() - 3);
        QWidget* target = s->childAt(at) ? s->childAt(at) : s;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(s, at));
    }
    void activate() {
        wizard->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    }
    // A key as the user types it: to whatever has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    // An Alt key: the button it names shows itself pressed for a moment, then acts.
    void alt(Qt::Key key) {
        press(key, Qt::AltModifier);
        QTest::qWait(150);
    }
    QString summary() const { return child<QLabel>("Summary")->text(); }
    void type(const QString& box, const QString& text) {
        auto* edit = child<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void chooseMonthAndCategory(int monthRow, int categoryRow) {
        child<QListWidget>("List2")->setCurrentRow(monthRow);
        child<QListWidget>("List6")->setCurrentRow(categoryRow);
    }
    std::string saveNow() {
        saved.clear();
        click("Label24");
        return saved.empty() ? std::string() : saved.back();
    }
};

} // namespace

TEST_F(Wizard, NewWizardWaitsForMonthCategoryAndText) {
    openNew();
    EXPECT_EQ(wizard->objectName(), "frmwizy");
    EXPECT_EQ(redSteps(), "145");
    EXPECT_FALSE(child("Label24")->isEnabled());
    EXPECT_FALSE(child("Frame7")->isVisible());
    EXPECT_TRUE(child<QLabel>("Label33(0)")->font().bold());
    EXPECT_FALSE(child("Check3(0)")->isEnabled());

    chooseMonthAndCategory(2, 0);
    EXPECT_EQ(redSteps(), "5");
    click("NextButton(0)");
    EXPECT_TRUE(child<QLabel>("Label33(1)")->font().bold());
    click("Label33(5)");
    ASSERT_TRUE(child("Frame6")->isVisible());
    EXPECT_EQ(child<QLineEdit>("Text7")->text(), "Type your note here");
    // The first key empties the prompt; any text, even an empty one, finishes the step.
    QTest::keyClick(child("Text7"), Qt::Key_Backspace);
    EXPECT_EQ(child<QLineEdit>("Text7")->text(), "");
    EXPECT_EQ(redSteps(), "");
    EXPECT_TRUE(child("Label24")->isEnabled());
    QTest::keyClicks(child("Text7"), "Dentist");
    QTest::keyClick(child("Text7"), Qt::Key_Return);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], "2026030108001600dDentist");
}

TEST_F(Wizard, TimeStep) {
    openNew();
    chooseMonthAndCategory(0, 0);
    click("Label33(3)");
    struct Case {
        QString times[4];
        bool valid;
    };
    for (const Case& c : {Case{{"16", "30", "16", "30"}, false}, Case{{"16", "30", "16", "31"}, true},
                          Case{{"5", "00", "9", "00"}, false}, Case{{"6", "00", "23", "59"}, true}}) {
        for (int i = 0; i < 4; ++i)
            type(QStringLiteral("Text%1").arg(i + 3), c.times[i]);
        EXPECT_EQ(red(3), !c.valid) << c.times[0].toStdString() << ":" << c.times[1].toStdString();
    }
    // The upper arrow counts up, the lower one down; the hour spinners stop at 6 and 23, and the minute
    // spinners write two digits.
    type("Text3", "7");
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    arrow("VScroll2", true);
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "8");
    for (int i = 0; i < 3; ++i)
        arrow("VScroll2", false);
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "6");
    type("Text5", "22");
    wizard->activateWindow();
    for (int i = 0; i < 3; ++i)
        arrow("VScroll3", true);

    EXPECT_EQ(child<QLineEdit>("Text5")->text(), "23");
    type("Text6", "00");
    for (int i = 0; i < 5; ++i)
        arrow("VScroll4", true);
    EXPECT_EQ(child<QLineEdit>("Text6")->text(), "05");
    // Typing in a box that is not a spinner's value is kept until the window is activated again.
    type("Text3", "5");
    EXPECT_TRUE(red(3));

    // Two typed digits move on to the next box, so a whole time is typed in one go.
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    child("Text3")->setFocus();
    child<QLineEdit>("Text3")->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "14");
    QTest::keyClicks(QApplication::focusWidget(), "05");
    QTest::keyClicks(QApplication::focusWidget(), "15");
    EXPECT_EQ(QApplication::focusWidget(), child("Text6"));
    EXPECT_EQ(child<QLineEdit>("Text4")->text(), "05");
    EXPECT_EQ(child<QLineEdit>("Text5")->text(), "15");
}

TEST_F(Wizard, DayStepAndTheLineItWrites) {
    openNew();
    chooseMonthAndCategory(4, 1);
    click("Label33(5)");
    QTest::keyClick(child("Text7"), Qt::Key_X);

    click("Label34(24)");
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "25");
    EXPECT_EQ(child<QLabel>("Label34(24)")->palette().color(QPalette::Window), QColor(0xFF, 0xE8, 0x60));
    EXPECT_EQ(saveNow(), "2026051908001600ex");

    child<QRadioButton>("Option1")->setChecked(true);
    EXPECT_TRUE(red(2));
    EXPECT_FALSE(child("Text2")->isEnabled());
    child<QCheckBox>("Check3(0)")->setChecked(true);
    child<QCheckBox>("Check3(2)")->setChecked(true);
    const std::string weekly = saveNow();
    EXPECT_EQ(weekly, "2026052408001600ex");

    child<QCheckBox>("Check1")->setChecked(true);
    child<QCheckBox>("Check2")->setChecked(true);
    child<QRadioButton>("Option3")->setChecked(true);
    EXPECT_FALSE(child("Text1")->isEnabled());
    EXPECT_FALSE(child("List2")->isEnabled());
    EXPECT_EQ(saveNow(), "yyyyyyyy08001600ex");
    // Unticking "every year" brings back this year.
    child<QCheckBox>("Check1")->setChecked(false);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), "2026");

    // 30 February cannot be chosen for a fixed month.
    child<QCheckBox>("Check2")->setChecked(false);
    child<QListWidget>("List2")->setCurrentRow(1);
    child<QRadioButton>("Option2")->setChecked(true);
    type("Text2", "30");
    EXPECT_TRUE(red(2));
    EXPECT_FALSE(child("Label24")->isEnabled());

    // Opening the weekly note again ticks exactly Monday and Wednesday.
    CategoryTable none;
    wizard->startEdit(WizardFormFromNote(weekly, none), 4);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(child<QCheckBox>(QStringLiteral("Check3(%1)").arg(i))->isChecked(), i == 0 || i == 2) << i;
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
}

TEST_F(Wizard, CategoryListSkipsEmptyNamesButWritesTheIndex) {
    openNew();
    chooseMonthAndCategory(0, 2);
    click("Label33(5)");
    QTest::keyClick(child("Text7"), Qt::Key_X);
    EXPECT_EQ(saveNow().substr(16, 1), "g"); // Sport is category 3
}

TEST_F(Wizard, EditModeSavesInPlaceOfTheNoteAndDeletes) {
    test::TempDir dir;
    const std::string a = "2006031609001000dA", b = "yyyyyyyy08001000eB", c = "2006yy2410051130dC";
    dir.write("all.txt", a + "\r\n" + b + "\r\n" + c + "\r\n");
    NotesFile notes(dir.file("all.txt"));
    CategoryTable categories;
    categories.LoadCategories(dir.write("c.txt", "Work\r\n255\r\nHome\r\n65280\r\n"), 0);

    // The session's save: the edited note's line goes, the wizard's line comes at the end.
    QObject::connect(wizard.get(), &EventWizard::saveRequested, [&](const std::string& line) {
        if (notes.apply({{{0, a}}, {{LineChange::AtEnd, line}}}).done())
            wizard->close();
    });
    wizard->startEdit(WizardFormFromNote(a, categories), 1);
    wizard->show();
    EXPECT_EQ(wizard->windowTitle(), "Edit note");
    EXPECT_EQ(child<QLabel>("Label31")->text(), "1");
    EXPECT_TRUE(child("Frame7")->isVisible());
    EXPECT_EQ(redSteps(), "");
    click("Label24");
    EXPECT_EQ(dir.read("all.txt"), b + "\r\n" + c + "\r\n" + a + "\r\n");
    EXPECT_EQ(closings, 1);

    wizard->startEdit(WizardFormFromNote(c, categories), 2);
    wizard->show();
    click("Label32");
    EXPECT_EQ(deleted, std::vector<int>{2});
    click("CancelButton(3)");
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(closings, 2);
}

TEST_F(Wizard, PressOnTheGridOpensTheCategoryStep) {
    const WeekView view = WeekView::Compute(708, 443, 3, 8, 20);
    const GridPressTime time = NewNoteAt(view, view.columnLeft(2) + 100, view.timeTop(10, 45));
    openNew(WizardFormAt(time, DayColumn{"9", "12", "2026", "Wed", 3}, language.entry(62)), WizardStep::Category);
    EXPECT_TRUE(child("Frame5")->isVisible());
    EXPECT_FALSE(child("Frame1")->isVisible());
    EXPECT_EQ(child<QLineEdit>("Text3")->text() + ":" + child<QLineEdit>("Text4")->text() + "-" +
                  child<QLineEdit>("Text5")->text() + ":" + child<QLineEdit>("Text6")->text(),
              "10:45-11:45");
    EXPECT_EQ(child<QListWidget>("List2")->currentRow(), 11);
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "9");
    EXPECT_EQ(redSteps(), "45");
}

TEST_F(Wizard, NoMonthOrCategoryIsChosenUntilTheUserPicksOne) {
    const GridPressTime time{0, 10, 0, 11, 0};
    openNew(WizardFormAt(time, DayColumn{"9", "12", "2026", "Wed", 3}, language.entry(62)), WizardStep::Category);
    activate();
    // The list has the focus, and yet no category is chosen: the text's Enter saves nothing.
    auto* categories = child<QListWidget>("List6");
    EXPECT_EQ(QApplication::focusWidget(), categories);
    EXPECT_EQ(categories->currentRow(), -1);
    click("Label33(5)");
    QTest::keyClicks(child("Text7"), "Dentist");
    QTest::keyClick(child("Text7"), Qt::Key_Return);
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(redSteps(), "4");
    // A click on Home chooses it.
    click("Label33(4)");
    const QRect home = categories->visualItemRect(categories->item(1));
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {}, home.center());
    click("Label33(5)");
    QTest::keyClick(child("Text7"), Qt::Key_Return);
    EXPECT_EQ(saved, std::vector<std::string>{"2026120910001100eDentist"});

    // The month list likewise; the keys start at January.
    openNew();
    activate();
    click("NextButton(0)");
    auto* months = child<QListWidget>("List2");
    EXPECT_EQ(QApplication::focusWidget(), months);
    EXPECT_EQ(months->currentRow(), -1);
    EXPECT_TRUE(red(1));
    press(Qt::Key_Down);
    EXPECT_EQ(months->currentRow(), 0);
    EXPECT_FALSE(red(1));
}

TEST_F(Wizard, SummarySaysWhatASaveWrites) {
    openNew();
    activate();
    // Every step shows the sentence.
    for (int step = 0; step < WizardStepCount; ++step) {
        click(QStringLiteral("Label33(%1)").arg(step));
        EXPECT_TRUE(child("Summary")->isVisible()) << step;
        EXPECT_EQ(summary(), "Once, on 1 … 2026") << step;
    }
    // Weekly on untouched year and month steps repeats every year and every month.
    click("Label33(2)");
    click("Option1");
    EXPECT_TRUE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("Check2")->isChecked());
    click("Check3(1)");
    click("Check3(3)");
    EXPECT_EQ(summary(), "Every Tuesday and Thursday");
    // The user may untick them again.
    click("Label33(1)");
    click("Check2");
    EXPECT_EQ(summary(), "Every Tuesday and Thursday in …, every year");
    const QRect march = child<QListWidget>("List2")->visualItemRect(child<QListWidget>("List2")->item(2));
    QTest::mouseClick(child<QListWidget>("List2")->viewport(), Qt::LeftButton, {}, march.center());
    EXPECT_EQ(summary(), "Every Tuesday and Thursday in March, every year");
    child<QListWidget>("List6")->setCurrentRow(0);
    click("Label33(5)");
    QTest::keyClick(child("Text7"), Qt::Key_X);
    EXPECT_EQ(saveNow(), "yyyy032908001600dx");

    // Once the user has chosen on the month step, the year is left as it is.
    openNew();
    activate();
    click("Label33(1)");
    click("Check2");
    click("Label33(2)");
    click("Option1");
    click("Check3(1)");
    click("Check3(3)");
    EXPECT_FALSE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(summary(), "Every Tuesday and Thursday of every month, in 2026 only");
    click("Option3");
    EXPECT_EQ(summary(), "Every day, in 2026 only");
}

TEST_F(Wizard, ButtonsAndKeys) {
    openNew();
    activate();
    // Next, Back and Cancel take the focus and have Alt keys.
    EXPECT_EQ(QApplication::focusWidget(), child("Text1"));
    QWidget* next = child("NextButton(0)");
    for (int i = 0; i < 8 && QApplication::focusWidget() != next; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), next);
    press(Qt::Key_Space);
    EXPECT_TRUE(child("Frame2")->isVisible());
    alt(Qt::Key_N);
    EXPECT_TRUE(child("Frame3")->isVisible());
    alt(Qt::Key_B);
    EXPECT_TRUE(child("Frame2")->isVisible());

    // The last step shows Save where the other steps show Next.
    click("Label33(4)");
    const QPoint nextSpot = child("NextButton(4)")->geometry().center() + child("Frame5")->pos();
    click("Label33(5)");
    QWidget* atNextSpot = wizard->childAt(nextSpot);
    ASSERT_NE(atNextSpot, nullptr);
    EXPECT_EQ(atNextSpot->objectName(), "Label24");
    EXPECT_FALSE(atNextSpot->isEnabled());

    // Entering a time box selects it, so typing replaces it; Ctrl+A selects within the box.
    click("Label33(3)");
    auto* endHour = child<QLineEdit>("Text5");
    QTest::mouseClick(endHour, Qt::LeftButton, {}, QPoint(endHour->width() - 4, endHour->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), endHour);
    press(Qt::Key_1);
    press(Qt::Key_8);
    EXPECT_EQ(endHour->text(), "18");
    QTest::mouseClick(endHour, Qt::LeftButton, {}, QPoint(4, endHour->height() / 2));
    press(Qt::Key_End);
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), endHour);
    EXPECT_EQ(endHour->selectedText(), "18");

    // Alt+S saves once every step is valid.
    chooseMonthAndCategory(0, 0);
    click("Label33(5)");
    press(Qt::Key_X);
    alt(Qt::Key_S);
    EXPECT_EQ(saved, std::vector<std::string>{"2026010108001800dx"});

    // Escape closes the wizard as Cancel does.
    EXPECT_EQ(closings, 0);
    press(Qt::Key_Escape);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(closings, 1);
}
