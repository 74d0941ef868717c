#include "app/MainWindow.h"
#include "calendar/ui/TodayWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "settings/TextContrast.h"
#include "support/OptionLines.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

// A data folder with the shipped skins, languages and notes, the skin and language chosen, and as many
// categories as asked (the shipped six first).
struct Look : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;

    void SetUp() override { Dialogs::setScripting(true); }
    void TearDown() override {
        window.reset();
        Dialogs::setScripting(false);
        Clock::setFixed({});
    }

    void start(const std::string& skin, const std::string& language, const std::string& categories, QSize size) {
        std::vector<std::string> options = test::OptionLines();
        options[9] = skin;
        options[21] = language;
        dir.write("pdfiles/pdopt.ini", JoinLinesCrLf(options));
        dir.write("pdfiles/category.txt", categories);
        const std::string shipped = PLANDECK_DATA_DIR;
        dir.write("pdnotes/all.txt", ReadWholeFile(shipped + "/pdnotes/all.txt").bytes);
        std::filesystem::create_directory_symlink(shipped + "/pdskins", dir.file("pdskins"));
        std::filesystem::create_directory_symlink(shipped + "/pdlang", dir.file("pdlang"));
        std::filesystem::create_directories(dir.file("help/files"));
        std::filesystem::copy_file(shipped + "/help/files/logo2.gif", dir.file("help/files/logo2.gif"));
        std::filesystem::copy_file(shipped + "/pdfiles/opt.jpg", dir.file("pdfiles/opt.jpg"));
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(14, 20)));
        window = std::make_unique<MainWindow>(DataDirectory(dir.path()));
        ASSERT_TRUE(window->start());
        window->resize(size);
        window->show();
        QApplication::processEvents();
    }
    std::string shippedCategories() const {
        return ReadWholeFile(std::string(PLANDECK_DATA_DIR) + "/pdfiles/category.txt").bytes;
    }

    template <class T = QWidget>
    T* child(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QRect placeOf(const QString& name) const {
        QWidget* w = child(name);
        return w ? QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()) : QRect();
    }
};

std::string Categories(int count, const std::string& first = {}) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += (i == 0 && !first.empty() ? first : "Category " + std::to_string(i)) + "\r\n16303519\r\n";
    return bytes;
}

long Number(QRgb pixel) {
    return qRed(pixel) + 256L * qGreen(pixel) + 65536L * qBlue(pixel);
}

// The texts of a window a user cannot read easily, each with its contrast. Text drawn over a picture or any
// ground is measured as it is seen: the window is drawn with the text and without it, the ground is the
// mean colour under the text, the ink its pixel that stands out most. Boxes and lists, whose text Qt draws
// from the palette, are held to their palette. Disabled controls are left out.
std::vector<std::string> UnreadableTexts(QWidget* window) {
    std::vector<std::string> faults;
    auto fault = [&](const QWidget* w, const QString& what, double ratio) {
        faults.push_back(w->objectName().toStdString() + " (" + what.left(30).toStdString() +
                         "): " + std::to_string(ratio));
    };
    auto paletteHolds = [&](const QWidget* w, QPalette::ColorRole ink, QPalette::ColorRole ground, const char* what) {
        const double ratio =
            ContrastRatio(ToColourNumber(w->palette().color(ink)), ToColourNumber(w->palette().color(ground)));
        if (ratio < ReadableContrast)
            fault(w, QString::fromLatin1(what), ratio);
    };
    paletteHolds(window, QPalette::WindowText, QPalette::Window, "window");
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (qobject_cast<QAbstractItemView*>(w)) {
            paletteHolds(w, QPalette::Text, QPalette::Base, "list");
            paletteHolds(w, QPalette::HighlightedText, QPalette::Highlight, "chosen row");
        } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) {
            paletteHolds(w, QPalette::Text, QPalette::Base, "box");
        }
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.trimmed().isEmpty())
            continue;
        const QRect place = QRect(w->mapTo(window, QPoint(0, 0)), w->size()).intersected(window->rect());
        if (place.isEmpty())
            continue;
        const QImage with = window->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
        label ? label->setText(QString()) : button->setText(QString());
        const QImage without = window->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
        label ? label->setText(text) : button->setText(text);
        QRect inked;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y))
                    inked |= QRect(x, y, 1, 1);
        if (inked.isEmpty())
            continue; // covered by another control, or clipped away
        double r = 0, g = 0, b = 0;
        for (int y = inked.top(); y <= inked.bottom(); ++y)
            for (int x = inked.left(); x <= inked.right(); ++x) {
                r += qRed(without.pixel(x, y));
                g += qGreen(without.pixel(x, y));
                b += qBlue(without.pixel(x, y));
            }
        const double n = static_cast<double>(inked.width()) * inked.height();
        const long ground = std::lround(r / n) + 256L * std::lround(g / n) + 65536L * std::lround(b / n);
        double best = 1;
        for (int y = inked.top(); y <= inked.bottom(); ++y)
            for (int x = inked.left(); x <= inked.right(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y))
                    best = std::max(best, ContrastRatio(Number(with.pixel(x, y)), ground));
        if (best < ReadableContrast)
            fault(w, text, best);
    }
    return faults;
}

} // namespace

// Every window of the program, in both shipped skins and both languages, has text that reads: the main
// window, the options window's four pages, the wizard's six steps, the about box, a message box and the
// today window.
TEST_F(Look, EveryWindowReadsInEverySkin) {
    for (const char* skin : {"Default", "Midnight"}) {
        for (const char* language : {"English.lng", "Russian.lng"}) {
            SCOPED_TRACE(std::string(skin) + " " + language);
            window.reset();
            std::filesystem::remove_all(dir.path());
            std::filesystem::create_directories(dir.path());
            start(skin, language, shippedCategories(), QSize(1100, 720));
            ASSERT_FALSE(HasFatalFailure());
            QTest::mouseMove(child("Label23")); // a hint in the hint line
            EXPECT_EQ(UnreadableTexts(window.get()), std::vector<std::string>()) << "main window";

            QTest::mouseClick(child("Label31"), Qt::LeftButton);
            OptionsWindow* options = window->optionsWindow();
            ASSERT_NE(options, nullptr);
            for (const char* page : {"Label12", "Label30", "Label29", "Label36"}) {
                QTest::mouseClick(options->findChild<QWidget*>(QString::fromLatin1(page)), Qt::LeftButton);
                EXPECT_EQ(UnreadableTexts(options), std::vector<std::string>()) << "options, page " << page;
            }
            options->close();

            QTest::mouseClick(child("Label23"), Qt::LeftButton);
            EventWizard* wizard = window->wizard();
            ASSERT_NE(wizard, nullptr);
            for (int step = 0; step < 6; ++step) {
                QTest::mouseClick(wizard->findChild<QWidget*>(QStringLiteral("Label33(%1)").arg(step)), Qt::LeftButton);
                EXPECT_EQ(UnreadableTexts(wizard), std::vector<std::string>()) << "wizard, step " << step;
            }
            wizard->close();

            QTest::mouseClick(child("Label17"), Qt::LeftButton);
            ASSERT_NE(window->aboutBox(), nullptr);
            EXPECT_EQ(UnreadableTexts(window->aboutBox()), std::vector<std::string>()) << "about box";
            window->aboutBox()->close();

            // A question as the program asks it: a box over the main window, in the application's colours.
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Plandeck"), QStringLiteral("Delete this note?"),
                            QMessageBox::Yes | QMessageBox::No, window.get());
            box.show();
            QApplication::processEvents();
            EXPECT_EQ(UnreadableTexts(&box), std::vector<std::string>()) << "message box";
            box.close();

            if (TodayWindow* today = window->todayWindow()) {
                today->show();
                today->tick();
                QApplication::processEvents();
                EXPECT_EQ(UnreadableTexts(today), std::vector<std::string>()) << "today window";
                today->hide();
            }
        }
    }
}

// A dark skin leaves no light panel: the windows' grounds, the month calendar's card and the boxes in them
// are dark.
TEST_F(Look, ADarkSkinLeavesNoLightPanel) {
    start("Midnight", "English.lng", shippedCategories(), QSize(800, 600));
    ASSERT_FALSE(HasFatalFailure());
    auto lightness = [](const QImage& image, const QRect& r) {
        return image.copy(r).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0).lightness();
    };
    const QImage shot = window->grab().toImage();
    EXPECT_LT(lightness(shot, placeOf(QStringLiteral("MonthGrid"))), 90) << "the month calendar";
    QTest::mouseClick(child("Label31"), Qt::LeftButton);
    ASSERT_NE(window->optionsWindow(), nullptr);
    EXPECT_LT(lightness(window->optionsWindow()->grab().toImage(), window->optionsWindow()->rect()), 90);
    window->optionsWindow()->close();
    QTest::mouseClick(child("Label23"), Qt::LeftButton);
    ASSERT_NE(window->wizard(), nullptr);
    EXPECT_LT(lightness(window->wizard()->grab().toImage(), window->wizard()->rect()), 90);
    window->wizard()->close();
    QTest::mouseClick(child("Label17"), Qt::LeftButton);
    ASSERT_NE(window->aboutBox(), nullptr);
    EXPECT_LT(lightness(window->aboutBox()->grab().toImage(), window->aboutBox()->rect()), 90);
}

// At the smallest size every part keeps its designed place; a larger window gives the month calendar, the
// left panel and the category rows more room, so long names show whole and every category has a row.
TEST_F(Look, TheWindowUsesItsSpace) {
    const std::string longName = "Correspondence and taxes";
    start("Default", "English.lng", Categories(12, longName), QSize(800, 600));
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(placeOf(QStringLiteral("MonthGrid")), QRect(800 - 270, 14, 148, 101));
    EXPECT_EQ(placeOf(QStringLiteral("Picture2")), QRect(90, 117, 710, 467));
    EXPECT_EQ(placeOf(QStringLiteral("Image1")), QRect(0, 117, 90, 176));
    EXPECT_TRUE(child("Label14(5)")->isVisible());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("Label14(6)")), nullptr) << "six rows";
    EXPECT_TRUE(child("VScroll1")->isVisible());

    window->resize(1600, 1200);
    QApplication::processEvents();
    const QRect month = placeOf(QStringLiteral("MonthGrid"));
    EXPECT_GE(month.width(), 200);
    EXPECT_GE(month.height(), 140);
    EXPECT_LE(month.right(), placeOf(QStringLiteral("Image9")).left()) << "beside today's card";
    EXPECT_LE(month.bottom(), placeOf(QStringLiteral("Picture2")).top()) << "above the grid";
    auto* first = child<QLabel>(QStringLiteral("Label14(0)"));
    EXPECT_LE(first->fontMetrics().horizontalAdvance(QString::fromStdString(longName)),
              first->contentsRect().width() - first->indent())
        << "a long name shows whole";
    for (int r = 0; r < 12; ++r)
        EXPECT_TRUE(child(QStringLiteral("Label14(%1)").arg(r))->isVisible()) << r;
    EXPECT_FALSE(child("VScroll1")->isVisible()) << "every category has a row";
    EXPECT_LE(placeOf(QStringLiteral("Label13")).bottom(), window->height() - 16) << "the panel's buttons show";

    // A row past the first six hides its category, as the first six do.
    QTest::mouseClick(child("Check1(9)"), Qt::LeftButton);
    EXPECT_EQ(window->session().categories().shown(9), "0");

    // Back at the smallest size the panel is as designed again.
    window->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(placeOf(QStringLiteral("MonthGrid")), QRect(800 - 270, 14, 148, 101));
    EXPECT_EQ(placeOf(QStringLiteral("Image1")), QRect(0, 117, 90, 176));
    EXPECT_FALSE(child("Label14(6)")->isVisible());
    EXPECT_TRUE(child("VScroll1")->isVisible());
}

// Many categories fill the rows there is room for, and the scroll bar reaches the rest.
TEST_F(Look, ManyCategoriesFillTheRoomAndScroll) {
    start("Default", "English.lng", Categories(80), QSize(1600, 1200));
    ASSERT_FALSE(HasFatalFailure());
    auto* scroll = child<QScrollBar>(QStringLiteral("VScroll1"));
    ASSERT_TRUE(scroll->isVisible());
    const int rows = static_cast<int>(window->session().categoryPanel().rows.size());
    EXPECT_GT(rows, 20);
    EXPECT_EQ(scroll->maximum(), 80 - rows);
    EXPECT_LE(placeOf(QStringLiteral("Label13")).bottom(), window->height() - 16);
    scroll->setValue(scroll->maximum());
    EXPECT_EQ(child<QLabel>(QStringLiteral("Label14(%1)").arg(rows - 1))->text(), "Category 79");
}
