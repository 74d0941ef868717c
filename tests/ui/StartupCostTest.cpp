// What start-up and a click may no longer cost, checked by what the user sees: every skin picture is
// decoded once however many controls show it, the month calendar on the screen is what a fresh drawing of
// the window shows after every move, and the chime's player is found although it is loaded only when needed.
#include "app/MainWindow.h"
#include "calendar/ui/TodayWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"
#include "settings/Skin.h"
#include "settings/ui/SkinPictureCache.h"
#include "support/TempDir.h"
#include "widgets/PictureButton.h"

#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

using namespace plandeck;

namespace {

// The main window over a copy of the shipped data folder, on Wednesday 9 December 2026, shown.
struct StartupCost : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;
    int decodesBefore = 0;

    void SetUp() override {
        Dialogs::setScripting(true);
        std::filesystem::copy(PLANDECK_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive);
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(14, 20)));
        decodesBefore = SkinPictureCache::shared().decodeCount();
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        QSignalSpy services(window.get(), &MainWindow::servicesStarted);
        window->showAsStored();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(services.count() == 1 || services.wait(2000));
    }
    void TearDown() override {
        window.reset();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    template <class T = QWidget>
    T* child(const char* name) const {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) const {
        QTest::mouseClick(child(name), Qt::LeftButton);
        QTest::qWait(20); // the repaint reaches the screen
    }
    int decodes() const { return SkinPictureCache::shared().decodeCount() - decodesBefore; }
    // The month calendar as it is on the screen, and as drawing the window afresh shows it.
    QRect calendar() const {
        QWidget* month = child("MonthGrid");
        return QRect(month->mapTo(window.get(), QPoint(0, 0)), month->size());
    }
    QImage onScreen() const {
        return window->screen()
            ->grabWindow(window->winId())
            .toImage()
            .copy(calendar())
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage drawnAfresh() const { return window->grab(calendar()).toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace

TEST_F(StartupCost, EachSkinPictureIsDecodedOncePerSkin) {
    ASSERT_NE(window->todayWindow(), nullptr);
    const int atStart = decodes();
    EXPECT_GT(atStart, 0);
    // Every window that shows a skin picture, and every move, asks the same pictures again.
    click("Image13");
    click("Image22");
    click("Image20");
    window->todayWindow()->show();
    window->openNewNoteWizard();
    click("Label31");
    const int oneSkin = decodes();
    EXPECT_LE(oneSkin, static_cast<int>(SkinPictureFileNames().size())) << "a picture was decoded twice";

    // Another skin's pictures are decoded once each as well, and they are the ones shown.
    const QImage defaultHeader = child<QLabel>("Image17")->pixmap().toImage();
    OptionsWindow* options = window->optionsWindow();
    ASSERT_NE(options, nullptr);
    auto* skins = options->findChild<QListWidget*>("File1");
    const QList<QListWidgetItem*> midnight = skins->findItems("Midnight", Qt::MatchExactly);
    ASSERT_EQ(midnight.size(), 1);
    QTest::mouseClick(skins->viewport(), Qt::LeftButton, {}, skins->visualItemRect(midnight[0]).center());
    QTest::mouseClick(options->findChild<QPushButton*>("Label5(0)"), Qt::LeftButton);
    ASSERT_EQ(window->session().shownSkin(), "Midnight");
    EXPECT_NE(child<QLabel>("Image17")->pixmap().toImage(), defaultHeader);
    click("Image22");
    EXPECT_LE(decodes() - oneSkin, static_cast<int>(SkinPictureFileNames().size()));
}

TEST_F(StartupCost, MarkedDaysLookAsTheirStyleSheetDrewThem) {
    // Today (the 9th) and the other shown days (10, 11) have a rounded ground; the calendar once drew it
    // with a style sheet set at every move, and must look the same now that it paints it. The grounds are
    // the calendar's light blue and grey deepened until white numbers read on them.
    const std::vector<std::pair<QString, QString>> marks = {
        {"9", "color: #ffffff; background: #6666ca; border-radius: 3px;"},
        {"10", "color: #ffffff; background: #6e6e6e; border-radius: 3px;"},
        {"11", "color: #ffffff; background: #6e6e6e; border-radius: 3px;"}};
    QWidget* month = child("MonthGrid");
    for (const auto& [day, style] : marks) {
        QLabel* cell = nullptr;
        for (QLabel* l : month->findChildren<QLabel*>())
            if (l->objectName().startsWith("Label5(") && l->isVisible() && l->text() == day)
                cell = l;
        ASSERT_NE(cell, nullptr) << day.toStdString();
        // The same number with that style sheet in the cell's place, over the same backdrop.
        const QRect place(cell->mapTo(window.get(), QPoint(0, 0)), cell->size());
        const QImage painted = window->grab(place).toImage();
        QLabel reference(day, month);
        reference.setFont(cell->font());
        reference.setAlignment(cell->alignment());
        reference.setGeometry(cell->geometry());
        reference.setStyleSheet(style);
        cell->hide();
        reference.show();
        EXPECT_EQ(painted, window->grab(place).toImage()) << day.toStdString();
        cell->show();
    }
}

TEST_F(StartupCost, TheCalendarOnTheScreenFollowsEveryMove) {
    const QImage atStart = onScreen();
    EXPECT_EQ(atStart, drawnAfresh());
    // Weeks and months forward and back again, in every view: the shown days' marks move, today's stays.
    const std::vector<const char*> moves = {"Image13", "Image22", "Image22", "Image22", "Image22", "Image11",
                                            "Image20", "Image12", "Image20", "Image20", "Image20", "Image21"};
    bool moved = false;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        click(moves[i]);
        const QImage shown = onScreen();
        ASSERT_EQ(shown, drawnAfresh()) << "after move " << i << " (" << moves[i] << ")";
        moved = moved || shown != atStart;
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(onScreen(), atStart) << "back on today in the N-day view";
}

#ifdef PLANDECK_HAS_CHIME
TEST(Chime, ThePlayerIsFoundThoughItIsLoadedOnlyWhenNeeded) {
    EXPECT_TRUE(Sound::playerAvailable());
}
#endif
