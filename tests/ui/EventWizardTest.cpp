#include "editing/ui/EventWizard.h"
#include "editing/CategoryTable.h"
#include "editing/NewNoteAt.h"
#include "editing/WizardNotes.h"
#include "platform/Clock.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
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
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(4, 4)); }
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
    // The hour spinners stop at 6; the minute spinners write two digits.
    auto* startHour = child<QScrollBar>("VScroll2");
    startHour->setValue(7);
    startHour->triggerAction(QAbstractSlider::SliderSingleStepSub);
    startHour->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(child<QLineEdit>("Text3")->text(), "6");
    EXPECT_EQ(child<QScrollBar>("VScroll3")->minimum(), 6);
    child<QScrollBar>("VScroll4")->setValue(5);
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
    const NotesStore store(dir.file("all.txt"));
    CategoryTable categories;
    categories.LoadCategories(dir.write("c.txt", "Work\r\n255\r\nHome\r\n65280\r\n"), 0);

    const EditedNote edited{1, a};
    QObject::connect(wizard.get(), &EventWizard::saveRequested, [&](const std::string& line) {
        if (SaveWizardNote(store, edited, line).written)
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
