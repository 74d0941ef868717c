#include "calendar/ui/HourGridWidget.h"

#include "platform/Text.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace plandeck {

namespace {

// The hint entries of the grid's parts.
constexpr int HintGrid = 24;
constexpr int HintTile = 40;
constexpr int HintGrip = 147;

} // namespace

HourGridWidget::HourGridWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture2"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HourGridWidget::setModel(HourGridModel model) {
    m_model = std::move(model);
    update();
}

void HourGridWidget::setLook(HourGridLook look) {
    m_look = std::move(look);
    update();
}

QRectF HourGridWidget::ToPixels(const TileRect& r) {
    return {ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height)};
}

const NoteTile* HourGridWidget::tileAt(QPoint pixel) const {
    // Later tiles are drawn on top of earlier ones, so they are hit first.
    for (auto it = m_model.tiles.rbegin(); it != m_model.tiles.rend(); ++it)
        if (it->visible && ToPixels(it->shape).adjusted(0, 0, 0, 1).contains(pixel))
            return &*it;
    return nullptr;
}

bool HourGridWidget::onGrip(const NoteTile& tile, QPoint pixel) const {
    const QRectF shape = ToPixels(tile.shape);
    return pixel.y() >= shape.bottom() - 6 && pixel.y() <= shape.bottom() + 1 && shape.contains(pixel.x(), shape.top());
}

void HourGridWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintBackground(p);
    paintTiles(p);
    if (m_model.timeLineY) {
        const double y = ToPixels(*m_model.timeLineY);
        QPen pen(m_look.timeLine, 2);
        p.setPen(pen);
        p.drawLine(QPointF(ToPixels(m_model.view.gridLeft), y), QPointF(ToPixels(m_model.view.gridRight), y));
        p.setBrush(m_look.timeLine);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(QPointF(ToPixels(m_model.view.gridLeft), y), 3.5, 3.5);
    }
}

void HourGridWidget::paintBackground(QPainter& p) const {
    const WeekView& v = m_model.view;
    const HourGridLayout& g = m_model.layout;
    if (!m_look.background.isNull())
        p.drawPixmap(rect(), m_look.background);
    else
        p.fillRect(rect(), palette().base());

    for (const SpanBand& band : m_model.spans)
        p.fillRect(
            QRectF(ToPixels(v.gridLeft), ToPixels(band.top), ToPixels(v.gridRight - v.gridLeft), ToPixels(band.height)),
            m_look.spanColours[static_cast<std::size_t>(band.span)]);

    const double headerTop = ToPixels(HourGridLayout::HeaderTop);
    const double headerHeight = ToPixels(v.gridTop - HourGridLayout::HeaderTop);
    for (int j = 0; j < v.days; ++j) {
        const double left = ToPixels(v.columnLeft(j));
        const double width = ToPixels(v.columnWidth);
        const bool today = j == g.todayColumn;
        if (today)
            p.fillRect(QRectF(left, ToPixels(v.gridTop), width, ToPixels(v.gridBottom - v.gridTop)),
                       m_look.todayColumn);
        const QPixmap& header = today ? m_look.todayHeader : m_look.otherHeader;
        if (!header.isNull())
            p.drawPixmap(QRectF(left, headerTop, width + ToPixels(10), headerHeight), header, QRectF(header.rect()));
    }

    QFont font = this->font();
    // Text grows with the grid, but more slowly: a large window shows more, not just bigger letters.
    font.setPixelSize(std::clamp(static_cast<int>(11 * std::sqrt(std::min(v.hScale, v.vScale)) + 0.5), 10, 15));
    p.setFont(font);
    p.setPen(m_look.foreground);
    const QFontMetricsF fm(font);
    for (const HourLabel& label : g.hourLabels) {
        // The label sits just left of the grid, centred on its hour line.
        const QRectF box(0, ToPixels(label.y + 50) - fm.height() / 2, ToPixels(v.gridLeft) - 6, fm.height());
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(label.text));
    }
    QFont headerFont = font;
    headerFont.setBold(true);
    p.setFont(headerFont);
    for (int j = 0; j < v.days && j < static_cast<int>(m_model.dayHeaders.size()); ++j) {
        const QRectF box(ToPixels(v.columnLeft(j)) + 4, headerTop, ToPixels(v.columnWidth) - 8, headerHeight);
        const QString text = FromFileText(m_model.dayHeaders[static_cast<std::size_t>(j)]);
        p.setPen(j == g.todayColumn ? m_look.todayHeaderText : m_look.foreground);
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(headerFont).elidedText(text, Qt::ElideRight, static_cast<int>(box.width())));
    }

    p.setPen(QPen(m_look.hourLines, 1));
    for (float y : g.hourLineYs)
        p.drawLine(QPointF(ToPixels(v.gridLeft), ToPixels(y)), QPointF(ToPixels(v.gridRight), ToPixels(y)));
    if (m_look.todayHourLines && g.todayColumn >= 0 && g.todayColumn < v.days) {
        // On a dark skin the tint of today's column would swallow the lines.
        p.setPen(QPen(*m_look.todayHourLines, 1));
        const double left = ToPixels(v.columnLeft(g.todayColumn));
        for (float y : g.hourLineYs)
            p.drawLine(QPointF(left, ToPixels(y)), QPointF(left + ToPixels(v.columnWidth), ToPixels(y)));
    }
    p.setPen(QPen(m_look.rowLines, 1));
    for (float x : g.columnLineXs)
        p.drawLine(QPointF(ToPixels(x), ToPixels(HourGridLayout::HeaderLineY)),
                   QPointF(ToPixels(x), ToPixels(v.gridBottom)));
    p.drawLine(QPointF(ToPixels(v.gridLeft), ToPixels(HourGridLayout::HeaderLineY)),
               QPointF(ToPixels(v.gridRight), ToPixels(HourGridLayout::HeaderLineY)));

    p.setFont(font);
    p.setPen(m_look.foreground);
    for (const SubColumnCaption& c : m_model.captions)
        p.drawText(QPointF(ToPixels(c.x), ToPixels(c.y) + fm.ascent()), FromFileText(c.name));
}

void HourGridWidget::paintTiles(QPainter& p) const {
    p.setFont(m_look.tileFont);
    const QFontMetricsF fm(m_look.tileFont);
    for (const NoteTile& t : m_model.tiles) {
        if (!t.visible)
            continue;
        const QRectF r = ToPixels(t.shape);
        const QColor fill = FromColourNumber(t.fillColour);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(fill.darker(135), 1));
        p.setBrush(fill);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        p.setRenderHint(QPainter::Antialiasing, false);
        // A darker strip on the left edge tells neighbouring tiles apart.
        p.fillRect(QRectF(r.left() + 0.5, r.top() + 1, 3, std::max(0.0, r.height() - 2)), fill.darker(150));

        const QRectF label = ToPixels(t.label).adjusted(-ToPixels(NoteTile::GripInset) + 5, 1, 0, -1);
        if (label.width() > 4 && label.height() > 2) {
            p.setPen(m_look.tileText);
            p.save();
            p.setClipRect(label);
            const QString caption = FromFileText(t.caption);
            if (label.height() < 2 * fm.height()) {
                // Room for one line only: the caption on one line, shortened with an ellipsis, and centred
                // when even that line does not fit so it is cut evenly at both edges.
                const Qt::Alignment vertical = label.height() < fm.height() ? Qt::AlignVCenter : Qt::AlignTop;
                p.drawText(label, Qt::AlignLeft | vertical, fm.elidedText(caption, Qt::ElideRight, label.width()));
            } else {
                p.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
            }
            p.restore();
        }
        if (!m_look.grip.isNull() && r.height() >= fm.height() + m_look.grip.height() + 2)
            p.drawPixmap(QPointF(ToPixels(t.gripLeft), r.bottom() - m_look.grip.height() - 1), m_look.grip);
    }
}

void HourGridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const NoteTile* tile = tileAt(pos);
    emit hintEntry(!tile ? HintGrid : onGrip(*tile, pos) ? HintGrip : HintTile);
    if (tile && onGrip(*tile, pos))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

void HourGridWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !tileAt(pos))
        emit emptyGridPressed(event->position() * WeekView::TwipsPerPixel);
    QWidget::mousePressEvent(event);
}

void HourGridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

bool HourGridWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const NoteTile* tile = tileAt(help->pos()))
            QToolTip::showText(help->globalPos(), FromFileText(tile->tooltip), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace plandeck
