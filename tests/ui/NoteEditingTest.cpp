#include "app/MainWindow.h"
#include "editing/ui/EventWizard.h"
#include "editing/ui/NoteMenu.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/LanguageEntries.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"

#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

#include <filesystem>

using namespace plandeck;

namespace {

const std::string Meeting = "2026120709001030dMeeting"; // Monday, the first column
const std::string Short = "2026120810501120dShort";     // Tuesday
const std::string Long = "2026120910001600eLong day";   // Wednesday
const std::string Weekly = "yyyyyy2009001000dWeekly";   // every Monday
const std::string Daily = "yyyyyyyy08000830eStand-up";  // every day

std::string File(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// The main window over a data folder of its own, three days from Monday 7 December 2026, hours 8..20.
struct NoteEditing : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> options = test::OptionLines();

    void SetUp() override {
        Dialogs::setScripting(true);
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\nSport\r\n16776960\r\n");
        dir.write("pdlang/English.lng", ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng").bytes);
    }
    void TearDown() override {
        window.reset();
        Dialogs::clearQueue();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    void start(const std::string& notes, int snap = 15, int confirmDelete = 0) {
        options[20] = " " + std::to_string(snap) + " ";
        options[11] = " " + std::to_string(confirmDelete) + " ";
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
        dir.write("pdnotes/all.txt", notes);
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::string notes() const { return dir.read("pdnotes/all.txt"); }
    HourGridWidget* grid() const { return window->grid(); }
    const WeekView& view() const { return grid()->model().view; }
    template <class T = QWidget>
    T* child(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* editor() const { return child<QLineEdit>(QStringLiteral("Text2")); }
    QLineEdit* keys() const { return child<QLineEdit>(QStringLiteral("Text1")); }

    const NoteTile& tile(const std::string& text) const {
        for (const NoteTile& t : grid()->model().tiles)
            if (t.text == text)
                return t;
        throw std::runtime_error("no tile " + text);
    }
    static QPoint Pixel(double x, double y) {
        return {static_cast<int>(std::lround(x / 15)), static_cast<int>(std::lround(y / 15))};
    }
    // A point on a tile's text, a little inside its top-left corner.
    static QPoint OnText(const NoteTile& t) { return Pixel(t.label.left + 150, t.label.top + 60); }
    // The pixel row where a tile held at `held` has its top at the given time.
    QPoint TopAt(const NoteTile& t, QPoint held, int column, int hour, int minute) const {
        const double grabY = held.y() * 15.0 - t.label.top;
        return Pixel(view().columnLeft(column) + 500, view().timeTop(hour, minute) + grabY);
    }

    void hover(QWidget* w, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    // Press, two moves and a release, all delivered to the widget that was pressed, as under a mouse grab.
    void drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(w, Qt::LeftButton, {}, from);
        QTest::mouseMove(w, (from + to) / 2);
        QTest::mouseMove(w, to);
        QTest::mouseRelease(w, Qt::LeftButton, modifiers, to);
    }
    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(w, k, modifiers); }
    std::string line(int n) const { return std::string(TextLines(notes()).line(static_cast<std::size_t>(n - 1))); }
    std::size_t lineCount() const { return TextLines(notes()).size(); }
};

TEST_F(NoteEditing, DraggedNotesSnapKeepTheirLengthAndStopAtMidnight) {
    start(File({Meeting, Short, Long}));
    // 9:00-10:30 on Monday, let go with its top at 14:07 on Tuesday: the start snaps down to 14:00.
    const NoteTile& meeting = tile("Meeting");
    QPoint held = OnText(meeting);
    drag(grid(), held, TopAt(meeting, held, 1, 14, 7));
    EXPECT_EQ(notes(), File({Short, Long, "2026120814001530dMeeting"}));

    // 10:50-11:20 keeps its half hour: at 11:00 and at 10:15.
    const NoteTile& shortNote = tile("Short");
    held = OnText(shortNote);
    drag(grid(), held, TopAt(shortNote, held, 1, 11, 2));
    EXPECT_EQ(line(3), "2026120811001130dShort");
    held = OnText(tile("Short"));
    drag(grid(), held, TopAt(tile("Short"), held, 1, 10, 17));
    EXPECT_EQ(line(3), "2026120810151045dShort");

    // Six hours from 19:00 would end past midnight.
    held = OnText(tile("Long day"));
    drag(grid(), held, TopAt(tile("Long day"), held, 2, 19, 2));
    EXPECT_EQ(line(3), "2026120919002359eLong day");
    EXPECT_EQ(lineCount(), 3u);
}

TEST_F(NoteEditing, WithoutSnappingTheMinuteIsKept) {
    start(File({Meeting}), 0); // a step of 0 in the option file snaps nothing
    const NoteTile& meeting = tile("Meeting");
    const QPoint held = OnText(meeting);
    drag(grid(), held, TopAt(meeting, held, 1, 14, 7));
    // A pixel spans almost two minutes here: the start is the minute under the pixel, the length stays.
    const std::string moved = line(1);
    ASSERT_EQ(moved.size(), Meeting.size());
    const int start = std::stoi(moved.substr(8, 2)) * 60 + std::stoi(moved.substr(10, 2));
    const int end = std::stoi(moved.substr(12, 2)) * 60 + std::stoi(moved.substr(14, 2));
    EXPECT_EQ(moved.substr(0, 8), "20261208");
    EXPECT_NEAR(start, 14 * 60 + 7, 1);
    EXPECT_EQ(end - start, 90);
}

TEST_F(NoteEditing, CtrlCopiesInsteadOfMoving) {
    start(File({Meeting, Short}));
    QPoint held = OnText(tile("Meeting"));
    drag(grid(), held, TopAt(tile("Meeting"), held, 2, 12, 2), Qt::ControlModifier);
    EXPECT_EQ(notes(), File({Meeting, Short, "2026120912001330dMeeting"}));

    // Ctrl held on the key field counts the same.
    QTest::keyPress(keys(), Qt::Key_Control);
    held = OnText(tile("Short"));
    drag(grid(), held, TopAt(tile("Short"), held, 0, 16, 2));
    QTest::keyRelease(keys(), Qt::Key_Control);
    EXPECT_EQ(lineCount(), 4u);
    EXPECT_EQ(line(4), "2026120716001630dShort");
}

TEST_F(NoteEditing, DropOnTheHeaderLandsInTheColumnBelowIt) {
    start(File({Meeting}));
    QWidget* header = child(QStringLiteral("Image17"));
    // Above the second column, below the command bar.
    const QPoint inGrid = Pixel(view().columnLeft(1) + 600, 0);
    const QPoint overHeader(grid()->mapTo(window.get(), inGrid).x(), header->height() - 4);
    ASSERT_EQ(window->childAt(overHeader), header);
    const QPoint held = OnText(tile("Meeting"));
    drag(grid(), held, grid()->mapFrom(window.get(), overHeader));
    // The first hour of that column's date: the point lies above the grid.
    EXPECT_EQ(notes(), File({"2026120808000930dMeeting"}));
}

TEST_F(NoteEditing, RepeatingNotesKeepWhatRepeats) {
    // The weekly note, written first, is pushed to the right of its column by the two later ones.
    start(File({Weekly, Meeting, "2026120709001000dOther", Daily}));
    const NoteTile& weekly = tile("Weekly");
    ASSERT_GT(weekly.shape.left, view().columnLeft(0) + 300); // further than a column edge test would allow
    QPoint held = OnText(weekly);
    drag(grid(), held, Pixel(weekly.label.left + 150, view().timeTop(13, 2) + held.y() * 15.0 - weekly.label.top));
    EXPECT_EQ(line(4), "yyyyyy2013001400dWeekly");

    // One column to the right it becomes a note for that date alone, not one for that day of every month.
    held = OnText(tile("Weekly"));
    drag(grid(), held, TopAt(tile("Weekly"), held, 1, 13, 2));
    EXPECT_EQ(line(4), "2026120813001400dWeekly");

    // The every-day note only changes its times (it shows in every column: take the last one).
    held = OnText(tile("Stand-up"));
    drag(grid(), held, TopAt(tile("Stand-up"), held, 2, 17, 2));
    EXPECT_EQ(line(4), "yyyyyyyy17001730eStand-up");
}

TEST_F(NoteEditing, CategoryDraggedOntoTheGridMakesANoteToType) {
    start(File({Meeting}));
    QWidget* name = child(QStringLiteral("Label14(2)"));
    QWidget* ghost = child(QStringLiteral("Frame4"));
    const QPoint pressAt(10, 5);
    // Where 15:30 of the third column lies, in the name's own coordinates (the name holds the mouse).
    const QPoint target = grid()->mapToGlobal(Pixel(view().columnLeft(2) + 800, view().timeTop(15, 30)));
    const QPoint to = name->mapFromGlobal(target);
    QTest::mousePress(name, Qt::LeftButton, {}, pressAt);
    QTest::mouseMove(name, to);
    EXPECT_TRUE(ghost->isVisible());
    EXPECT_EQ(child<QLabel>(QStringLiteral("Label30"))->text().toStdString(), window->session().entry(148));
    EXPECT_NEAR(window->mapToGlobal(ghost->geometry().center()).y(), target.y(), 1); // centred on the pointer
    QTest::mouseRelease(name, Qt::LeftButton, {}, to);
    EXPECT_FALSE(ghost->isVisible());
    EXPECT_EQ(notes(), File({Meeting, "2026120915001600fno text"}));

    // The editor opens on the new note; what the user types becomes its text.
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), "no text");
    editor()->selectAll();
    QTest::keyClicks(editor(), "Swimming");
    // A refresh while typing (the window is resized) leaves the typed text alone.
    window->resize(950, 620);
    QApplication::processEvents();
    EXPECT_EQ(editor()->text(), "Swimming");
    key(editor(), Qt::Key_Return);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(notes(), File({Meeting, "2026120915001600fSwimming"}));
}

TEST_F(NoteEditing, CategoryLetGoOutsideTheGridMakesNothing) {
    start(File({Meeting}));
    QWidget* name = child(QStringLiteral("Label14(1)"));
    QTest::mousePress(name, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(name, QPoint(20, 40));
    QTest::mouseRelease(name, Qt::LeftButton, {}, QPoint(20, 40)); // still over the category panel
    EXPECT_FALSE(child(QStringLiteral("Frame4"))->isVisible());
    EXPECT_EQ(notes(), File({Meeting}));
}

TEST_F(NoteEditing, DeleteKeyFollowsTheConfirmSetting) {
    struct Case {
        int setting;
        std::optional<Dialogs::Answer> answer;
        std::string expected;
        bool unreadable = false; // the option file cannot be read when Delete is pressed
    };
    const Case cases[] = {
        {0, std::nullopt, File({Short})},
        {1, Dialogs::Answer::Yes, File({Short})},
        {1, Dialogs::Answer::No, File({Meeting, Short})},
        {2, std::nullopt, File({Meeting, Short})},
        // A setting that cannot be read never deletes unasked.
        {0, Dialogs::Answer::No, File({Meeting, Short}), true},
        {2, Dialogs::Answer::Yes, File({Short}), true},
    };
    for (const Case& c : cases) {
        start(File({Meeting, Short}), 15, c.setting);
        if (c.unreadable) {
            std::filesystem::remove(dir.file("pdfiles/pdopt.ini"));
            std::filesystem::create_directory(dir.file("pdfiles/pdopt.ini"));
        }
        Dialogs::clearQueue();
        if (c.answer)
            Dialogs::queueAnswer(*c.answer);
        const std::size_t shownBefore = Dialogs::shown().size();
        hover(grid(), OnText(tile("Meeting")));
        key(keys(), Qt::Key_Delete);
        EXPECT_EQ(notes(), c.expected) << c.setting << (c.unreadable ? " unreadable" : "");
        EXPECT_EQ(Dialogs::shown().size() - shownBefore, c.answer ? 1u : 0u) << c.setting;
        if (c.unreadable) {
            window.reset(); // its exit save is refused: the folder stays
            std::filesystem::remove(dir.file("pdfiles/pdopt.ini"));
        }
    }
}

TEST_F(NoteEditing, NoteMenuDeletesAndEdits) {
    start(File({Meeting, Short}));
    const QPoint at = OnText(tile("Meeting"));
    hover(grid(), at);
    QTest::mousePress(grid(), Qt::RightButton, {}, at);
    auto* menu = child<NoteMenu>(QStringLiteral("Frame3"));
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(grid()->mapFromGlobal(menu->pos()), at);
    EXPECT_EQ(menu->item(2)->text().toStdString(), window->session().entry(163));
    hover(menu->item(2), QPoint(5, 5));
    EXPECT_EQ(child(QStringLiteral("Shape7"))->y(), menu->item(2)->y());
    QTest::mouseClick(menu->item(2), Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), "Meeting");

    // Escape in the editor cancels the edit without minimising the window.
    key(editor(), Qt::Key_Escape);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_FALSE(window->isMinimized());

    hover(grid(), OnText(tile("Short")));
    QTest::mousePress(grid(), Qt::RightButton, {}, OnText(tile("Short")));
    // On the way to the menu the pointer crosses the other note: the menu still acts on its own.
    hover(grid(), OnText(tile("Meeting")));
    QTest::mouseClick(menu->item(3), Qt::LeftButton);
    EXPECT_EQ(notes(), File({Meeting}));
}

TEST_F(NoteEditing, SpaceEditsInPlaceAndEscapeMinimises) {
    start(File({Meeting, Short, Long}));
    // Over the empty grid nothing is selected: Space does nothing.
    hover(grid(), Pixel(view().columnLeft(2) + 500, view().timeTop(18, 30)));
    key(keys(), Qt::Key_Space);
    EXPECT_FALSE(editor()->isVisible());

    hover(grid(), OnText(tile("Meeting")));
    key(keys(), Qt::Key_Space);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), "Meeting");
    editor()->setText("Board meeting");
    key(editor(), Qt::Key_Return);
    EXPECT_EQ(notes(), File({Short, Long, "2026120709001030dBoard meeting"}));

    // An empty text keeps the header.
    hover(grid(), OnText(tile("Short")));
    key(keys(), Qt::Key_Space);
    editor()->clear();
    key(editor(), Qt::Key_Return);
    EXPECT_EQ(line(3), "2026120810501120d");

    key(keys(), Qt::Key_Escape);
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(NoteEditing, EnterAsksForTheWizardOnTheSelectedNote) {
    start(File({Meeting, Short}));
    std::vector<int> asked;
    QObject::connect(window.get(), &MainWindow::editInWizardRequested, [&](int line) { asked.push_back(line); });
    key(keys(), Qt::Key_Return); // nothing selected
    EXPECT_EQ(window->wizard(), nullptr);
    hover(grid(), OnText(tile("Short")));
    key(keys(), Qt::Key_Return);
    EXPECT_EQ(asked, std::vector<int>{2});
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_TRUE(window->wizard()->editMode());
    EXPECT_EQ(notes(), File({Meeting, Short}));
}

TEST_F(NoteEditing, DeleteTakesThePointedNoteAfterAnotherProgramMovedIt) {
    start(File({Meeting, Short}));
    hover(grid(), OnText(tile("Short")));
    // Another program puts a note in front: line 2 is now the meeting, and the short note is line 3.
    dir.write("pdnotes/all.txt", File({Long, Meeting, Short}));
    const std::size_t shownBefore = Dialogs::shown().size();
    key(keys(), Qt::Key_Delete);
    EXPECT_EQ(notes(), File({Long, Meeting}));
    EXPECT_EQ(Dialogs::shown().size(), shownBefore);
    EXPECT_EQ(grid()->model().tiles.size(), 2u);
}

TEST_F(NoteEditing, GripStretchesTheNote) {
    start(File({Meeting}));
    const NoteTile& meeting = tile("Meeting");
    const QPoint grip = Pixel(meeting.label.left + 150, meeting.shape.bottom() - 30);
    hover(grid(), grip);
    EXPECT_EQ(child<QLabel>(QStringLiteral("Label30"))->text().toStdString(), window->session().entry(147));
    EXPECT_EQ(grid()->cursor().shape(), Qt::SizeVerCursor);
    // Pulled down by about an hour and a quarter: the end snaps down to the quarter.
    const int down = static_cast<int>(std::lround(view().hourHeight * 1.3 / 15));
    drag(grid(), grip, grip + QPoint(0, down));
    EXPECT_EQ(notes(), File({"2026120709001145dMeeting"}));
}

TEST_F(NoteEditing, TheNoteMenuIsAPopUpAndItsChoiceLeavesNoDrag) {
    const std::string alpha = "2026120809001000dAlpha"; // Tuesday
    start(File({alpha}));
    auto* menu = child<NoteMenu>(QStringLiteral("Frame3"));
    QWindow* screen = window->windowHandle();
    const QPoint empty = Pixel(view().columnLeft(2) + 500, view().timeTop(12, 0)); // Wednesday 12:00
    auto openMenu = [&] {
        const QPoint at = OnText(tile("Alpha"));
        hover(grid(), at);
        QTest::mousePress(grid(), Qt::RightButton, {}, at);
        QTest::mouseRelease(grid(), Qt::RightButton, {}, at);
        EXPECT_TRUE(menu->isVisible());
    };

    // Escape closes it; the window stays.
    openMenu();
    QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(window->isMinimized());

    // A press outside closes it and does nothing else: no wizard for the empty grid under the pointer.
    openMenu();
    QTest::mouseClick(screen, Qt::LeftButton, {}, grid()->mapTo(window.get(), empty));
    QApplication::processEvents();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(window->wizard(), nullptr);

    // "Edit the text", Escape, then a click on the empty grid: the wizard opens there and the note stays.
    openMenu();
    QTest::mouseClick(menu->item(2), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(editor()->isVisible());
    key(editor(), Qt::Key_Escape);
    hover(grid(), empty);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, empty);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_FALSE(window->wizard()->editMode());
    EXPECT_EQ(notes(), File({alpha}));
}

TEST_F(NoteEditing, EscapeHidingOrALostGrabCancelsEveryDrag) {
    enum class Kind { Tile, Grip, Category };
    const std::pair<const char*, std::function<void()>> interruptions[] = {
        {"Escape", [&] { key(keys(), Qt::Key_Escape); }},
        {"window hidden",
         [&] {
             window->hide();
             window->show();
         }},
        {"window minimised",
         [&] {
             window->showMinimized();
             QTest::qWait(10);
             window->showNormal();
             QTest::qWait(10);
         }},
        {"release went elsewhere", [] {}},
    };
    for (const Kind kind : {Kind::Tile, Kind::Grip, Kind::Category}) {
        for (const auto& [name, interrupt] : interruptions) {
            SCOPED_TRACE(std::string(name) + ", drag " + std::to_string(static_cast<int>(kind)));
            start(File({Meeting}));
            const NoteTile& meeting = tile("Meeting");
            const QPoint target = Pixel(view().columnLeft(1) + 500, view().timeTop(15, 0)); // empty Tuesday
            hover(grid(), target);
            const QImage before = grid()->grab().toImage();

            QWidget* pressed = grid();
            QPoint from = OnText(meeting);
            if (kind == Kind::Grip)
                from = Pixel(meeting.label.left + 150, meeting.shape.bottom() - 30);
            if (kind == Kind::Category) {
                pressed = child(QStringLiteral("Label14(1)"));
                from = QPoint(10, 5);
            }
            const QPoint to = pressed->mapFromGlobal(grid()->mapToGlobal(target));
            QTest::mousePress(pressed, Qt::LeftButton, {}, from);
            QTest::mouseMove(pressed, (from + to) / 2);
            QTest::mouseMove(pressed, to);
            interrupt();
            hover(pressed, to); // the pointer moves on with no button held
            EXPECT_FALSE(window->isMinimized());
            EXPECT_FALSE(child(QStringLiteral("Frame4"))->isVisible());
            EXPECT_EQ(grid()->grab().toImage(), before) << "no outline follows the pointer";
            QTest::mouseRelease(pressed, Qt::LeftButton, {}, to);
            EXPECT_EQ(notes(), File({Meeting}));
        }
    }
}

TEST_F(NoteEditing, AClickOnANoteOnlySelectsIt) {
    const std::string swim = "yyyyyy2007000830dSwim"; // every Monday, from before the first hour shown
    const std::string odd = "2026120810071107dOdd";   // Tuesday, off the snap step
    const int near = QApplication::startDragDistance() - 1;
    struct Case {
        const char* name;
        std::string line;
        std::string text;
        int snap;
        bool grip;
        QPoint twitch;
    };
    const Case cases[] = {
        {"a note that starts above the grid", swim, "Swim", 15, false, {}},
        {"a note off the snap step", odd, "Odd", 5, false, {}},
        {"moved less than the drag distance", odd, "Odd", 5, false, {near, 0}},
        {"its grip", odd, "Odd", 5, true, {}},
        {"its grip moved less than the drag distance", odd, "Odd", 5, true, {near, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(File({c.line, Long}), c.snap);
        const NoteTile& t = tile(c.text);
        const QPoint at = c.grip ? Pixel(t.label.left + 150, t.shape.bottom() - 30) : OnText(t);
        QTest::mousePress(grid(), Qt::LeftButton, {}, at);
        QTest::mouseMove(grid(), at + c.twitch);
        QTest::mouseRelease(grid(), Qt::LeftButton, {}, at + c.twitch);
        EXPECT_EQ(notes(), File({c.line, Long}));
        EXPECT_EQ(child<QLabel>(QStringLiteral("Label30"))->text().toStdString(),
                  window->session().entry(c.grip ? 147 : 40));
        if (c.grip)
            continue;
        // The note is selected: Space edits its text.
        key(keys(), Qt::Key_Space);
        ASSERT_TRUE(editor()->isVisible());
        EXPECT_EQ(editor()->text().toStdString(), c.text);
        key(editor(), Qt::Key_Escape);
    }
}

TEST_F(NoteEditing, AClickOnTheEmptyGridStartsOnTheSnapStep) {
    start(File({Meeting}), 15);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, Pixel(view().columnLeft(1) + 500, view().timeTop(14, 9)));
    ASSERT_NE(window->wizard(), nullptr);
    QStringList times;
    for (const char* name : {"Text3", "Text4", "Text5", "Text6"})
        times << window->wizard()->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    EXPECT_EQ(times, QStringList({"14", "00", "15", "00"}));
}

} // namespace

namespace {

bool HasTile(const HourGridWidget* grid, const std::string& text) {
    const auto& tiles = grid->model().tiles;
    return std::any_of(tiles.begin(), tiles.end(), [&](const NoteTile& t) { return t.text == text; });
}

} // namespace

TEST_F(NoteEditing, UndoRedoAndAnotherProgramsLinesWithoutAClick) {
    start(File({Meeting, Short}));
    // A delete, taken back with Ctrl+Z: the hint line says what was undone; Ctrl+Y does it again.
    hover(grid(), OnText(tile("Short")));
    key(keys(), Qt::Key_Delete);
    EXPECT_EQ(notes(), File({Meeting}));
    key(keys(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(notes(), File({Meeting, Short}));
    EXPECT_TRUE(child<QLabel>(QStringLiteral("Label30"))->text().startsWith(QStringLiteral("Undone: deleting")));
    key(keys(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(notes(), File({Meeting}));
    // The note menu's last item undoes as well.
    hover(grid(), OnText(tile("Meeting")));
    QTest::mousePress(grid(), Qt::RightButton, {}, OnText(tile("Meeting")));
    auto* menu = child<NoteMenu>(QStringLiteral("Frame3"));
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->item(4)->text(), QStringLiteral("Undo"));
    QTest::mouseClick(menu->item(4), Qt::LeftButton);
    EXPECT_EQ(notes(), File({Meeting, Short}));

    // Another process appends a line: the week shows it within a second, without any action of the user.
    const std::string path = dir.file("pdnotes/all.txt");
    ASSERT_EQ(std::system(("printf '2026120812001300eFrom a script\\r\\n' >> '" + path + "'").c_str()), 0);
    QTRY_VERIFY_WITH_TIMEOUT(HasTile(grid(), "From a script"), 3000);
    EXPECT_EQ(notes(), File({Meeting, Short, "2026120812001300eFrom a script"}));
}

namespace {

// The wheel turned by `eighths` of a degree (120 a notch, away from the user positive) over a widget.
void Wheel(QWidget* w, int eighths, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(w, &wheel);
}

} // namespace

TEST_F(NoteEditing, KeysAndTheWheelMoveTheShownDaysAndHours) {
    start(File({Meeting}));
    auto shown = [this] {
        const std::vector<std::string>& headers = grid()->model().dayHeaders;
        return headers.front() + " +" + std::to_string(headers.size());
    };
    auto hours = [this] { return window->session().hours(); };
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::string expected; // the first day heading and the number of columns
    };
    const Step steps[] = {
        {Qt::Key_PageDown, {}, "Thu, 10 Dec +3"}, // by the view's three days
        {Qt::Key_PageUp, {}, "Mon, 7 Dec +3"},    {Qt::Key_Right, Qt::AltModifier, "Thu, 10 Dec +3"},
        {Qt::Key_Home, {}, "Mon, 7 Dec +3"},      {Qt::Key_3, {}, "Mon, 7 Dec +7"},
        {Qt::Key_PageDown, {}, "Mon, 14 Dec +7"}, {Qt::Key_Left, Qt::AltModifier, "Mon, 7 Dec +7"},
        {Qt::Key_PageUp, {}, "Mon, 30 Nov +7"},   {Qt::Key_T, {}, "Mon, 7 Dec +7"},
        {Qt::Key_1, {}, "Mon, 7 Dec +1"},         {Qt::Key_PageDown, {}, "Tue, 8 Dec +1"},
        {Qt::Key_2, {}, "Mon, 7 Dec +3"},
    };
    for (const Step& s : steps) {
        key(keys(), s.key, s.modifiers);
        EXPECT_EQ(shown(), s.expected) << QKeySequence(static_cast<int>(s.modifiers) | s.key).toString().toStdString();
    }
    EXPECT_EQ(lineCount(), 1u);

    // The wheel over the grid moves the hours as the hour buttons do; half notches add up.
    Wheel(grid(), -120);
    EXPECT_EQ(hours(), (HourRange{9, 21}));
    Wheel(grid(), 60);
    EXPECT_EQ(hours(), (HourRange{9, 21}));
    Wheel(grid(), 180);
    EXPECT_EQ(hours(), (HourRange{7, 19}));
    EXPECT_EQ(grid()->model().layout.hourLabels.size(), 13u);
    // With Ctrl over the grid, and over the month calendar, it steps the days as the back and forward buttons.
    Wheel(grid(), -120, Qt::ControlModifier);
    EXPECT_EQ(shown(), "Tue, 8 Dec +3");
    Wheel(child(QStringLiteral("MonthGrid")), 240); // where a turn over one of its days arrives too
    EXPECT_EQ(shown(), "Sun, 6 Dec +3");
    EXPECT_EQ(hours(), (HourRange{7, 19}));

    // Each of these keys is named on its button.
    for (const char* name : {"Image20", "Image22", "Image21", "Image11", "Image12", "Image13"})
        EXPECT_TRUE(child(QString::fromLatin1(name))->toolTip().contains(QStringLiteral("Keys: "))) << name;
    EXPECT_TRUE(child(QStringLiteral("Image20"))->toolTip().contains(QStringLiteral("PgUp, Alt+Left")));
    EXPECT_TRUE(child(QStringLiteral("Image18"))->toolTip().contains(QStringLiteral("wheel over the grid")));
}

TEST_F(NoteEditing, ArrowKeysSelectTheNeighbourThatTheNoteKeysThenTake) {
    start(File({Meeting, Short, Long, Daily}));
    // Reading order: Monday 8:00 stand-up, the meeting at 9:00; Tuesday's stand-up, the 10:50 note; Wednesday's
    // stand-up and the long day.
    auto selected = [this] {
        const std::optional<int> slot = grid()->selectedSlot();
        const NoteTile* t = slot ? TileInSlot(grid()->model().tiles, *slot) : nullptr;
        return t ? t->caption : std::string("none");
    };
    struct Step {
        Qt::Key key;
        std::string expected;
    };
    const Step steps[] = {
        {Qt::Key_Down, "8:00-8:30 Stand-up"},  {Qt::Key_Down, "9:00-10:30 Meeting"},
        {Qt::Key_Down, "9:00-10:30 Meeting"},  // the last of its column
        {Qt::Key_Right, "8:00-8:30 Stand-up"}, // Tuesday's: an hour from 9:00, nearer than 10:50
        {Qt::Key_Down, "10:50-11:20 Short"},   {Qt::Key_Right, "10:00-16:00 Long day"},
        {Qt::Key_Up, "8:00-8:30 Stand-up"},    {Qt::Key_Left, "8:00-8:30 Stand-up"},
        {Qt::Key_Tab, "10:50-11:20 Short"},    {Qt::Key_Backtab, "8:00-8:30 Stand-up"},
    };
    for (const Step& s : steps) {
        key(keys(), s.key);
        EXPECT_EQ(selected(), s.expected) << QKeySequence(s.key).toString().toStdString();
    }
    EXPECT_EQ(child<QLabel>(QStringLiteral("Label30"))->property("fullText").toString(),
              QString::fromStdString(window->session().entry(Entry::Keys::HintSelected)));

    // Space and Enter act on the note the keys chose.
    key(keys(), Qt::Key_Down);
    key(keys(), Qt::Key_Space);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), "Short");
    key(editor(), Qt::Key_Down); // the arrows belong to the editor while it is open
    EXPECT_TRUE(editor()->isVisible());
    editor()->setText("Shorter");
    key(editor(), Qt::Key_Return);
    EXPECT_EQ(notes(), File({Meeting, Long, Daily, "2026120810501120dShorter"}));
    key(keys(), Qt::Key_Down); // the edited note is another tile now: the keys start afresh
    key(keys(), Qt::Key_Down);
    EXPECT_EQ(selected(), "9:00-10:30 Meeting");
    key(keys(), Qt::Key_Return);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_TRUE(window->wizard()->editMode());
    key(window->wizard(), Qt::Key_Escape);
    EXPECT_TRUE(!window->wizard() || !window->wizard()->isVisible());

    // Delete takes the selected note; the slot then shows another note, so the keys start afresh again.
    key(keys(), Qt::Key_Delete);
    EXPECT_EQ(notes(), File({Long, Daily, "2026120810501120dShorter"}));
    key(keys(), Qt::Key_Right);
    EXPECT_EQ(selected(), "8:00-8:30 Stand-up");
    key(keys(), Qt::Key_Delete);
    EXPECT_EQ(notes(), File({Long, "2026120810501120dShorter"}));
}

TEST_F(NoteEditing, CtrlNOpensANewNoteAndCtrlQEnds) {
    start(File({Meeting}));
    key(keys(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_TRUE(window->wizard()->isVisible());
    EXPECT_FALSE(window->wizard()->editMode());
    key(keys(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(notes(), File({Meeting}));
}

TEST_F(NoteEditing, AScreenReaderFindsEveryTileByNameAndFollowsTheSelection) {
    start(File({Meeting, Short, Daily}));
    QAccessibleInterface* gridAccess = QAccessible::queryAccessibleInterface(grid());
    ASSERT_NE(gridAccess, nullptr);
    EXPECT_EQ(gridAccess->text(QAccessible::Name), "Notes of the shown days");
    // The tiles come first, in reading order, each with its rectangle on the screen; the buttons follow.
    const std::vector<std::string> names = {
        "Monday 7 December, 8:00 to 8:30, Home: Stand-up", "Monday 7 December, 9:00 to 10:30, Work: Meeting",
        "Tuesday 8 December, 8:00 to 8:30, Home: Stand-up", "Tuesday 8 December, 10:50 to 11:20, Work: Short",
        "Wednesday 9 December, 8:00 to 8:30, Home: Stand-up"};
    ASSERT_GT(gridAccess->childCount(), static_cast<int>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        QAccessibleInterface* item = gridAccess->child(static_cast<int>(i));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(QAccessible::Name).toStdString(), names[i]);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->parent(), gridAccess);
        EXPECT_EQ(gridAccess->indexOfChild(item), static_cast<int>(i));
        const QRect r = item->rect();
        EXPECT_EQ(gridAccess->childAt(r.center().x(), r.center().y() - r.height() / 4), item) << names[i];
    }
    // The picture buttons are buttons named by their hints, and their press action clicks them.
    QAccessibleInterface* forward = QAccessible::queryAccessibleInterface(child(QStringLiteral("Image22")));
    EXPECT_GE(gridAccess->indexOfChild(forward), static_cast<int>(names.size())); // after the tiles
    EXPECT_EQ(forward->role(), QAccessible::Button);
    EXPECT_EQ(forward->text(QAccessible::Name), QString::fromStdString(window->session().entry(Entry::HintForward)));
    forward->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(grid()->model().dayHeaders.front(), "Tue, 8 Dec");
    forward->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    key(keys(), Qt::Key_Home);

    // An arrow key makes the tile it selects the focus. (The focus event a screen reader hears then needs a
    // platform with accessibility on: the test on the accessibility bus covers it.)
    key(keys(), Qt::Key_Down);
    EXPECT_EQ(gridAccess->focusChild(), gridAccess->child(0));
    key(keys(), Qt::Key_Right);
    QAccessibleInterface* focus = gridAccess->focusChild();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->text(QAccessible::Name).toStdString(), names[2]);
    EXPECT_TRUE(focus->state().focused);
    EXPECT_FALSE(gridAccess->child(0)->state().focused);

    // A deleted note's item is gone; the others keep their names.
    key(keys(), Qt::Key_Delete);
    EXPECT_FALSE(focus->isValid());
    EXPECT_EQ(gridAccess->child(1)->text(QAccessible::Name).toStdString(), names[3]);
}
