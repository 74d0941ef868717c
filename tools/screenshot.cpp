// Renders the main window to a PNG file without a display, for reviewing the look and for the README.
//
//   screenshot --data build/Plandeck --now 2026-12-07T10:30 --size 1100x720 [--view day|days|week]
//              [--skin NAME] [--language FILE] --out shot.png [--today today.png]
//              [--pdf page.pdf [--black-on-white]]
//
// The data folder is used as the program would use it (its notes, options, skins and languages); the
// window's own settings file is not written.
#include "app/MainWindow.h"
#include "calendar/ui/GridPrint.h"
#include "calendar/ui/TodayWindow.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "widgets/PictureButton.h"

#include "FolderCopy.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

using namespace plandeck;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the Plandeck main window to a PNG file."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("The data folder."), QStringLiteral("folder")});
    parser.addOption(
        {QStringLiteral("now"), QStringLiteral("The moment shown, as 2026-12-07T10:30."), QStringLiteral("time")});
    parser.addOption({QStringLiteral("size"), QStringLiteral("Window size, as 1100x720."), QStringLiteral("size"),
                      QStringLiteral("1100x720")});
    parser.addOption(
        {QStringLiteral("view"), QStringLiteral("day, days or week."), QStringLiteral("view"), QStringLiteral("days")});
    parser.addOption({QStringLiteral("skin"), QStringLiteral("Show this skin instead of the one the options name."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("language"),
                      QStringLiteral("Show this language file instead of the one the options name."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("The PNG file to write."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("today"),
                      QStringLiteral("Also render the today window, under a title bar as a desktop would draw it."),
                      QStringLiteral("file")});
    parser.addOption(
        {QStringLiteral("pdf"), QStringLiteral("Also print the shown days to this PDF file."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("black-on-white"), QStringLiteral("Print the PDF black on white.")});
    parser.process(app);

    const QString data = parser.value(QStringLiteral("data"));
    const QString out = parser.value(QStringLiteral("out"));
    if (data.isEmpty() || out.isEmpty()) {
        std::fputs("screenshot: --data and --out are needed (see --help)\n", stderr);
        return 2;
    }
    if (parser.isSet(QStringLiteral("now"))) {
        const QDateTime now = QDateTime::fromString(parser.value(QStringLiteral("now")), Qt::ISODate);
        if (!now.isValid()) {
            std::fputs("screenshot: --now takes a moment such as 2026-12-07T10:30\n", stderr);
            return 2;
        }
        Clock::setFixed(now);
    }
    const QStringList size = parser.value(QStringLiteral("size")).split(QLatin1Char('x'));
    if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0) {
        std::fputs("screenshot: --size takes WIDTHxHEIGHT\n", stderr);
        return 2;
    }

    // Another skin or language is shown from a copy of the data folder, so the user's options stay as they
    // are.
    QTemporaryDir copy;
    QString folder = QDir(data).absolutePath();
    const bool skin = parser.isSet(QStringLiteral("skin"));
    const bool language = parser.isSet(QStringLiteral("language"));
    if (skin || language) {
        if (!copy.isValid() || !CopyFolder(folder, copy.path())) {
            std::fputs("screenshot: cannot copy the data folder\n", stderr);
            return 1;
        }
        folder = copy.path();
        MainOptions options = LoadMainOptions((folder + QStringLiteral("/pdfiles/pdopt.ini")).toStdString());
        if (skin)
            options.skinName = parser.value(QStringLiteral("skin")).toStdString();
        if (language)
            options.languageFile = parser.value(QStringLiteral("language")).toStdString();
        RewriteFile((folder + QStringLiteral("/pdfiles/pdopt.ini")).toStdString(), FormatMainOptions(options));
    }
    // Nobody is there to answer a question (a damaged line in the notes, say): every one takes the answer
    // that changes nothing, so a screenshot never waits and never touches the data.
    Dialogs::endAll();
    MainWindow window{DataDirectory(folder.toStdString())};
    if (!window.start()) {
        std::fputs("screenshot: the window did not start (is Plandeck running on that folder?)\n", stderr);
        return 1;
    }
    window.resize(size[0].toInt(), size[1].toInt());
    window.show();
    const QString view = parser.value(QStringLiteral("view"));
    const char* button = view == QLatin1String("day") ? "Image11" : view == QLatin1String("week") ? "Image13" : nullptr;
    if (button)
        emit window.findChild<PictureButton*>(QString::fromLatin1(button))->clicked();
    QApplication::processEvents();
    if (!window.grab().save(out)) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(out));
        return 1;
    }
    if (parser.isSet(QStringLiteral("pdf"))) {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(parser.value(QStringLiteral("pdf")));
        const PrintColours colours =
            parser.isSet(QStringLiteral("black-on-white")) ? PrintColours::BlackOnWhite : PrintColours::Skin;
        if (!PrintGrid(
                printer, QStringLiteral("Plandeck \u2014 ") + FromFileText(window.session().shownRangeCaption()),
                [&window](int width, int height) { return window.session().pageGrid(width, height); },
                window.grid()->look(), colours)) {
            std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(parser.value(QStringLiteral("pdf"))));
            return 1;
        }
    }
    if (parser.isSet(QStringLiteral("today")) && window.todayWindow()) {
        TodayWindow* today = window.todayWindow();
        today->show();
        today->tick(); // the time caption and the lists
        QApplication::processEvents();
        const QImage body = today->grab().toImage();
        // A plain title bar: the title as wide as the bar leaves it beside a close button.
        constexpr int Bar = 24, CloseButton = 24;
        QImage shot(body.width(), body.height() + Bar, QImage::Format_RGB32);
        shot.fill(QColor(60, 64, 67));
        QPainter p(&shot);
        p.drawImage(0, Bar, body);
        QFont font = today->font();
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        const QRect title(8, 0, body.width() - 16 - CloseButton, Bar);
        p.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(font).elidedText(today->windowTitle(), Qt::ElideRight, title.width()));
        p.drawText(QRect(body.width() - CloseButton - 4, 0, CloseButton, Bar), Qt::AlignCenter,
                   QStringLiteral("\u00D7"));
        p.end();
        if (!shot.save(parser.value(QStringLiteral("today")))) {
            std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(parser.value(QStringLiteral("today"))));
            return 1;
        }
    }
    return 0;
}
