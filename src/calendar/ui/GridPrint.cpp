#include "calendar/ui/GridPrint.h"

#include <QPainter>
#include <QPrinter>

namespace plandeck {

HourGridLook PrintLook(const HourGridLook& skin, PrintColours colours) {
    if (colours == PrintColours::Skin)
        return skin;
    HourGridLook look;
    look.tileFont = skin.tileFont;
    look.foreground = Qt::black;
    look.todayHeaderText = Qt::black;
    look.rowLines = Qt::black;
    look.hourLines = QColor(150, 150, 150);
    look.todayColumn = Qt::transparent;
    look.spanColours.fill(Qt::white);
    look.tileText = Qt::black;
    look.tileBorder = QColor(Qt::black);
    return look;
}

bool PrintGrid(QPrinter& printer, const QString& title, const std::function<HourGridModel(int, int)>& modelFor,
               const HourGridLook& look, PrintColours colours) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int width = printer.width();
    const int height = printer.height();

    // The grid is painted by a grid widget of the page's size that is never shown: the same painter code,
    // the same layout rules, on paper.
    HourGridWidget grid;
    QPalette white = grid.palette();
    white.setColor(QPalette::Base, Qt::white);
    if (colours == PrintColours::BlackOnWhite)
        grid.setPalette(white);
    grid.setLook(PrintLook(look, colours));

    QFont titleFont = grid.font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    const int titleHeight = QFontMetrics(titleFont).height() + 8;
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignTop, title);

    const int room = std::max(1, height - titleHeight);
    // Below its last hour the grid keeps a strip for the window's buttons. On paper the hours reach down to
    // the page's foot instead, leaving room for the last hour's label: the grid is laid out taller and the
    // strip falls outside the page.
    constexpr int Foot = 10;
    int gridHeight = room;
    HourGridModel model = modelFor(width, gridHeight);
    const double bottom = HourGridWidget::ToPixels(model.view.gridBottom);
    if (bottom > Foot && bottom < room - Foot) {
        gridHeight = static_cast<int>(room * (room - Foot) / bottom);
        model = modelFor(width, gridHeight);
    }
    if (colours == PrintColours::BlackOnWhite)
        for (NoteTile& tile : model.tiles)
            tile.fillColour = 0xFFFFFF;
    grid.resize(width, gridHeight);
    grid.setModel(std::move(model));
    painter.translate(0, titleHeight);
    painter.setClipRect(QRect(0, 0, width, room));
    grid.paintGrid(painter);
    return painter.end();
}

} // namespace plandeck
