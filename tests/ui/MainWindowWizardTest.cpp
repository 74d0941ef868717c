#include "app/MainWindow.h"
#include "editing/ui/EventWizard.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// The main window on Monday 7 December 2026, three days from today, 8:00 to 20:00, categories Work and Home.
struct WindowWizard : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        Dialogs::setScripting(true);
        MainOptions options;
        options.confirmDelete = false;
        dir.write("pdfiles/pdopt.ini", FormatMainOptions(options));
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\n");
        dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
        std::filesystem::copy(std::string(PLANDECK_DATA_DIR) + "/pdskins", dir.path() + "/pdskins",
                              std::filesystem::copy_options::recursive);
    }
    void TearDown() override {
        window.reset();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }
    void start(const std::string& notes) {
        dir.write("pdnotes/all.txt", notes);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
    }
    template <class T = QWidget>
    T* in(QWidget* parent, const QString& name) const {
        T* w = parent->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    template <class T = QWidget>
    T* child(const QString& name) const {
        return in<T>(window.get(), name);
    }
    template <class T = QWidget>
    T* wizardChild(const QString& name) const {
        return in<T>(window->wizard(), name);
    }
    // A press on the grid at a time of a column.
    void pressGrid(int column, int hour, int minute) {
        const WeekView& view = window->grid()->model().view;
        const QPoint pixel(static_cast<int>((view.columnLeft(column) + view.columnWidth / 2) / 15),
                           static_cast<int>(std::ceil(view.timeTop(hour, minute) / 15)));
        QTest::mouseClick(window->grid(), Qt::LeftButton, {}, pixel);
    }
    QString wizardTimes() const {
        return wizardChild<QLineEdit>("Text3")->text() + ":" + wizardChild<QLineEdit>("Text4")->text() + "-" +
               wizardChild<QLineEdit>("Text5")->text() + ":" + wizardChild<QLineEdit>("Text6")->text();
    }
    int visibleTiles() const {
        const auto& tiles = window->grid()->model().tiles;
        return static_cast<int>(std::count_if(tiles.begin(), tiles.end(), [](auto& t) { return t.visible; }));
    }
    std::string categoryFile() const { return dir.read("pdfiles/category.txt"); }
    // The pointer rests on a note's tile, which selects it.
    void pointAt(const std::string& text) {
        for (const NoteTile& t : window->grid()->model().tiles) {
            if (t.visible && t.text == text) {
                const QPoint at(static_cast<int>((t.label.left + 150) / 15), static_cast<int>((t.label.top + 60) / 15));
                QMouseEvent move(QEvent::MouseMove, at, window->grid()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(window->grid(), &move);
                return;
            }
        }
        ADD_FAILURE() << "no tile";
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
};

} // namespace

TEST_F(WindowWizard, PressOnTheEmptyGridOpensTheCategoryStepAndSaves) {
    start("");
    pressGrid(2, 10, 45);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_TRUE(window->wizard()->isVisible());
    EXPECT_TRUE(wizardChild("Frame5")->isVisible());
    EXPECT_EQ(wizardTimes(), "10:45-11:45");
    EXPECT_EQ(wizardChild<QLineEdit>("Text2")->text(), "9");
    wizardChild<QListWidget>("List6")->setCurrentRow(1);

    // A second press reuses the open wizard: the category stays, the time follows the press.
    EventWizard* first = window->wizard();
    pressGrid(1, 14, 0);
    EXPECT_EQ(window->wizard(), first);
    EXPECT_EQ(wizardTimes(), "14:00-15:00");
    EXPECT_EQ(wizardChild<QListWidget>("List6")->currentRow(), 1);

    QTest::mouseClick(wizardChild("Label33(5)"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClicks(wizardChild("Text7"), "Dentist");
    QTest::keyClick(wizardChild("Text7"), Qt::Key_Return);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), "2026120814001500eDentist\r\n");
    EXPECT_EQ(window->wizard(), nullptr);
    EXPECT_EQ(visibleTiles(), 1);
}

TEST_F(WindowWizard, EditModeReplacesAnOpenWizardAndDeletes) {
    start("2026120709001000dA\r\n2026120810001100eB\r\n");
    window->openNewNoteWizard();
    EventWizard* fresh = window->wizard();
    ASSERT_NE(fresh, nullptr);
    const QImage newHeader = wizardChild<QLabel>("Image1")->pixmap().toImage();
    EXPECT_FALSE(newHeader.isNull());
    EXPECT_EQ(wizardChild<QLineEdit>("Text1")->text(), "2026");
    EXPECT_FALSE(wizardChild("Frame7")->isVisible());

    window->openWizardForLine(2);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_NE(window->wizard(), fresh);
    EXPECT_TRUE(window->wizard()->editMode());
    EXPECT_TRUE(wizardChild("Frame7")->isVisible());
    EXPECT_EQ(wizardChild<QLabel>("Label26")->text(), "Edit note");
    // The edit wizard has a header picture of its own.
    const QImage editHeader = wizardChild<QLabel>("Image1")->pixmap().toImage();
    EXPECT_FALSE(editHeader.isNull());
    EXPECT_NE(editHeader, newHeader);

    // Confirmation is off: delete removes the note at once and the week shows without it.
    QTest::mouseClick(wizardChild("Label32"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(dir.read("pdnotes/all.txt"), "2026120709001000dA\r\n");
    EXPECT_EQ(window->wizard(), nullptr);
    EXPECT_EQ(visibleTiles(), 1);
}

TEST_F(WindowWizard, CategoryPanelButtons) {
    start("2026120709001000dWork note\r\n");
    // "add" is bold while pointed at, "del" normal.
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(child("Label9"), &enter);
    EXPECT_TRUE(child("Label9")->font().bold());
    EXPECT_FALSE(child("Label13")->font().bold());
    EXPECT_EQ(child<QLabel>("Label30")->text(), "Add a new category");

    Dialogs::queue({Dialogs::Answer::Ok, QStringLiteral("255"), {}, {}});
    Dialogs::queue({Dialogs::Answer::Ok, {}, QColor(0, 0, 255), {}});
    QTest::mouseClick(child("Label9"), Qt::LeftButton);
    EXPECT_EQ(categoryFile(), "Work\r\n255\r\nHome\r\n65280\r\n255\r\n16711680\r\n");
    EXPECT_EQ(child<QLabel>("Label14(2)")->text(), "255");

    // The category named "255" is renamed, never the colour line of Work.
    Dialogs::queue({Dialogs::Answer::Ok, QStringLiteral("Blue"), {}, {}});
    Dialogs::queue({Dialogs::Answer::Ok, {}, QColor(0, 0, 200), {}});
    QTest::mousePress(child("Label14(2)"), Qt::RightButton);
    EXPECT_EQ(categoryFile(), "Work\r\n255\r\nHome\r\n65280\r\nBlue\r\n13107200\r\n");

    // Hiding Work hides its note; showing it brings the note back.
    child<QCheckBox>("Check1(0)")->click();
    EXPECT_EQ(visibleTiles(), 0);
    child<QCheckBox>("Check1(0)")->click();
    EXPECT_EQ(visibleTiles(), 1);

    QTest::mouseClick(child("Label13"), Qt::LeftButton);
    EXPECT_EQ(categoryFile(), "Work\r\n255\r\nHome\r\n65280\r\n");
    EXPECT_FALSE(child("Label14(2)")->isVisible());
}

TEST_F(WindowWizard, APressOnTheGridLeavesTheCategoryToTheUser) {
    start("");
    pressGrid(2, 10, 0);
    ASSERT_NE(window->wizard(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->wizard()));
    // The category list has the focus, but nothing is chosen: Enter on a typed text writes nothing.
    QTest::mouseClick(wizardChild("Label33(5)"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClicks(wizardChild("Text7"), "Dentist");
    QTest::keyClick(wizardChild("Text7"), Qt::Key_Return);
    EXPECT_EQ(dir.read("pdnotes/all.txt"), "");
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_EQ(wizardChild<QListWidget>("List6")->currentRow(), -1);
}

TEST_F(WindowWizard, LongNotesAreNeverCut) {
    const std::string text(40000, 'n');
    const std::string note = "2026120709001000d" + text;
    start(note + "\r\n");
    // Space opens the editor on the note, Enter keeps it.
    pointAt(text);
    QTest::keyClick(child("Text1"), Qt::Key_Space);
    auto* editor = child<QLineEdit>("Text2");
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Return);
    // (Compared whole, not printed: forty thousand letters say nothing.)
    EXPECT_EQ(dir.read("pdnotes/all.txt").size(), note.size() + 2);
    EXPECT_TRUE(dir.read("pdnotes/all.txt") == note + "\r\n");

    // Enter opens the wizard; a space typed at the end of the text is all that changes.
    pointAt(text);
    QTest::keyClick(child("Text1"), Qt::Key_Return);
    ASSERT_NE(window->wizard(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->wizard()));
    QTest::mouseClick(wizardChild("Label33(5)"), Qt::LeftButton, {}, QPoint(3, 3));
    key(Qt::Key_End);
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    EXPECT_EQ(dir.read("pdnotes/all.txt").size(), note.size() + 3);
    EXPECT_TRUE(dir.read("pdnotes/all.txt") == note + " \r\n");
}
