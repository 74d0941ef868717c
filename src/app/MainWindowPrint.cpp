#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "calendar/CalendarMath.h"
#include "calendar/ui/GridPrint.h"
#include "calendar/ui/HourGridWidget.h"
#include "platform/Dialogs.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace plandeck {

using namespace window;

namespace {

// A small printer in the grid's text colour: the skins have no picture for the print button.
QPixmap PrinterIcon(const QColor& ink, int shift) {
    QPixmap icon(24, 24);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(shift, shift);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(7.5, 3.5, 9, 6)); // the paper going in
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(3.5, 9.5, 17, 8), 2, 2); // the body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 14.5, 9, 6)); // the page coming out
    return icon;
}

} // namespace

void MainWindow::showPrintButton() {
    const QColor ink = m_grid->look().foreground;
    m_print->setPictures(PrinterIcon(ink, 0), PrinterIcon(ink, 1));
}

void MainWindow::printShownDays(bool pdf) {
    const QString title = entry(Entry::Print::Title);
    const Dialogs::Answer colours =
        Dialogs::message(this, entry(Entry::Print::AskColours), title, Dialogs::Buttons::YesNoCancel);
    if (colours == Dialogs::Answer::Cancel)
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Plandeck"));
    if (pdf) {
        const Date first = ColumnDate(m_session->navigation().columns()[0]);
        const QString suggested = QDir::home().filePath(QStringLiteral("Plandeck %1-%2-%3.pdf")
                                                            .arg(first.year)
                                                            .arg(first.month, 2, 10, QLatin1Char('0'))
                                                            .arg(first.day, 2, 10, QLatin1Char('0')));
        std::optional<QString> path =
            Dialogs::saveFile(this, entry(Entry::Print::SavePdfTitle), suggested, {entry(Entry::Print::PdfFilter)});
        if (!path)
            return;
        if (!path->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            *path += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*path);
    } else if (!Dialogs::print(this, printer)) {
        return;
    }
    const QString where =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    const bool printed = PrintGrid(
        printer, QStringLiteral("Plandeck \u2014 ") + FromFileText(m_session->shownRangeCaption()),
        [this](int width, int height) { return m_session->pageGrid(width, height); }, m_grid->look(),
        colours == Dialogs::Answer::Yes ? PrintColours::Skin : PrintColours::BlackOnWhite);
    if (!printed) {
        Dialogs::message(this,
                         FromFileText(ReplacePlaceholder(m_session->entry(Entry::Print::Failed), where.toStdString())),
                         title, Dialogs::Buttons::Ok, true);
        return;
    }
    const int done = printer.outputFormat() == QPrinter::PdfFormat ? Entry::Print::PdfSaved : Entry::Print::Printed;
    SetFittedText(m_hint, FromFileText(ReplacePlaceholder(m_session->entry(done), where.toStdString())));
}

} // namespace plandeck
