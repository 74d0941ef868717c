#include "calendar/ui/HourGridWidget.h"

#include "calendar/ui/HourGridAccessible.h"
#include "platform/Text.h"
#include "settings/TextContrast.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <utility>

namespace plandeck {

namespace {

// A grip strip at least this tall (pixels) whatever its picture, so it can be taken with the mouse.
constexpr int MinimumGripHeight = 6;
// A tile too low for two lines writes one line in this share of the tile font, but never below the least
// point size.
constexpr double SmallLetterShare = 0.8;
constexpr double SmallestPointSize = 7;

// A tile's time, "9:30-11:00": its caption without the note's text.
QString TileTime(const NoteTile& t) {
    std::string_view caption = t.caption;
    if (!t.text.empty() && caption.ends_with(t.text))
        caption.remove_suffix(t.text.size());
    while (caption.ends_with(' '))
        caption.remove_suffix(1);
    return FromFileText(caption);
}

// The time as it fits `width`: whole, or only its start ("9:30"), or nothing in a tile too narrow for that.
QString FittedTime(const QString& time, const QFontMetricsF& fm, double width) {
    if (fm.horizontalAdvance(time) <= width)
        return time;
    const QString start = time.section(QLatin1Char('-'), 0, 0);
    return fm.horizontalAdvance(start) <= width ? start : QString();
}

// The text broken into at most `maxLines` lines of `width`, the last one shortened with "…" when the text
// goes on.
QStringList WrappedLines(const QString& text, const QFont& font, double width, int maxLines) {
    QStringList lines;
    if (text.isEmpty() || maxLines < 1)
        return lines;
    const QFontMetricsF fm(font);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (static_cast<int>(lines.size()) == maxLines - 1) {
            lines << fm.elidedText(text.mid(line.textStart()).trimmed(), Qt::ElideRight, width);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

} // namespace

HourGridWidget::HourGridWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture2"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_watch = new DragWatch(this, [this] { cancelDrag(); });
    HourGridAccessible::install();
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

void HourGridWidget::setSelectedSlot(std::optional<int> slot) {
    if (slot == m_selected)
        return;
    m_selected = slot;
    update();
    if (!slot || !QAccessible::isActive())
        return;
    // The tile's place among the grid's accessible children, which list the tiles first.
    const std::vector<int> order = TilesInReadingOrder(m_model.tiles);
    const auto at = std::find(order.begin(), order.end(), *slot);
    if (at == order.end())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(static_cast<int>(at - order.begin()));
    QAccessible::updateAccessibility(&focus);
}

void HourGridWidget::setDropPreview(std::optional<DropPreview> preview) {
    m_preview = std::move(preview);
    update();
}

GripArea HourGridWidget::gripArea() const {
    const QFontMetricsF fm(m_look.tileFont);
    const int picture = m_look.grip.isNull() ? 0 : m_look.grip.height();
    // Tiles too short for their text and the grip picture show no grip; they can still be moved.
    return GripArea{static_cast<float>(std::max(picture + 2, MinimumGripHeight) * WeekView::TwipsPerPixel),
                    static_cast<float>((fm.height() + picture + 2) * WeekView::TwipsPerPixel)};
}

PointerHit HourGridWidget::hitAt(QPointF pixel) const {
    const QPointF t = ToTwips(pixel);
    return HitTest(m_model.tiles, static_cast<float>(t.x()), static_cast<float>(t.y()), m_selected, gripArea());
}

void HourGridWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    // On a scaled screen the skin's pictures are stretched smoothly, not in blocks of screen pixels.
    p.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() > 1);
    paintGrid(p);
    paintDrag(p);
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

void HourGridWidget::paintGrid(QPainter& p) const {
    paintBackground(p);
    paintTiles(p);
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
    // The selected tile was brought to the front: it is drawn last.
    const NoteTile* selected = m_selected ? TileInSlot(m_model.tiles, *m_selected) : nullptr;
    for (const NoteTile& t : m_model.tiles)
        if (t.visible && &t != selected)
            paintTile(p, t, false);
    if (selected && selected->visible)
        paintTile(p, *selected, true);
}

HourGridWidget::TileFace HourGridWidget::faceOf(const NoteTile& t) const {
    TileFace face;
    const QFontMetricsF fm(m_look.tileFont);
    const QRectF r = ToPixels(t.shape);
    face.ink = FromColourNumber(ReadableTextColour(ToColourNumber(m_look.tileText), t.fillColour));
    face.font = m_look.tileFont;
    face.grip = !m_look.grip.isNull() && r.height() >= fm.height() + m_look.grip.height() + 2;
    // The text starts right of the darker strip on the left edge and ends above the grip.
    face.textArea = ToPixels(t.label).adjusted(-ToPixels(NoteTile::GripInset) + 5, 1, 0, -1);
    if (face.grip)
        face.textArea.setBottom(std::min(face.textArea.bottom(), r.bottom() - m_look.grip.height() - 2));
    const double width = face.textArea.width();
    if (width <= 4)
        return face;
    const QString time = TileTime(t);
    const QString text = FromFileText(t.text);
    if (face.textArea.height() >= 2 * fm.height()) {
        const QString fitted = FittedTime(time, fm, width);
        if (!fitted.isEmpty())
            face.lines << fitted;
        const int room = static_cast<int>(face.textArea.height() / fm.height()) - static_cast<int>(face.lines.size());
        face.lines << WrappedLines(text, face.font, width, room);
        return face;
    }
    // Too low for two lines: one line in a smaller letter, the time first and as much of the text as fits.
    QFont small = m_look.tileFont;
    if (small.pointSizeF() > 0)
        small.setPointSizeF(std::max(SmallestPointSize, small.pointSizeF() * SmallLetterShare));
    else
        small.setPixelSize(std::max(9, static_cast<int>(small.pixelSize() * SmallLetterShare)));
    const QFontMetricsF sm(small);
    if (face.textArea.height() < sm.height())
        return face; // only the colour, and the tooltip
    face.font = small;
    const QString whole = text.isEmpty() ? time : time + QLatin1Char(' ') + text;
    if (sm.horizontalAdvance(whole) <= width) {
        face.lines << whole;
        return face;
    }
    // The start time leaves the text more room; the end is in the tooltip.
    QString line = FittedTime(time.section(QLatin1Char('-'), 0, 0), sm, width);
    const double rest = line.isEmpty() ? width : width - sm.horizontalAdvance(line + QLatin1Char(' '));
    if (!text.isEmpty() && rest > sm.horizontalAdvance(QStringLiteral("w\u2026")))
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + sm.elidedText(text, Qt::ElideRight, rest);
    if (!line.isEmpty())
        face.lines << line;
    return face;
}

void HourGridWidget::paintTile(QPainter& p, const NoteTile& t, bool selected) const {
    const QRectF r = ToPixels(t.shape);
    const QColor fill = FromColourNumber(t.fillColour);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double border = selected ? 2 : 1;
    p.setPen(QPen(m_look.tileBorder.value_or(selected ? fill.darker(220) : fill.darker(135)), border));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(border / 2, border / 2, -border / 2, -border / 2), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A darker strip on the left edge tells neighbouring tiles apart.
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 1, 3, std::max(0.0, r.height() - 2)),
               m_look.tileBorder.value_or(fill.darker(150)));

    const TileFace face = faceOf(t);
    if (!face.lines.isEmpty()) {
        p.save();
        p.setClipRect(face.textArea);
        p.setPen(face.ink);
        p.setFont(face.font);
        const QFontMetricsF fm(face.font);
        QRectF line = face.textArea;
        line.setHeight(fm.height());
        // A single line sits in the middle of a low tile; more lines run from the top.
        if (face.lines.size() == 1 && face.textArea.height() < 2 * fm.height())
            line.moveTop(face.textArea.top() + (face.textArea.height() - fm.height()) / 2);
        for (const QString& text : face.lines) {
            p.drawText(line, Qt::AlignLeft | Qt::AlignTop, text);
            line.translate(0, fm.height());
        }
        p.restore();
    }
    const bool gripMoving = m_drag.kind == DragKind::Grip && m_drag.moved && m_drag.slot == t.slot;
    if (face.grip && !gripMoving)
        p.drawPixmap(QPointF(ToPixels(t.gripLeft), r.bottom() - m_look.grip.height() - 1), m_look.grip);
}

void HourGridWidget::paintDrag(QPainter& p) const {
    const NoteTile* tile =
        m_drag.kind == DragKind::None || !m_drag.moved ? nullptr : TileInSlot(m_model.tiles, m_drag.slot);
    if (!tile)
        return;
    const QColor fill = FromColourNumber(tile->fillColour);
    QRectF outline;
    QString caption = FromFileText(tile->caption);
    if (m_drag.kind == DragKind::Tile && m_preview) {
        // Where the note will land, in its column at its snapped time, with its new times.
        outline = ToPixels(m_preview->rect);
        caption = FromFileText(m_preview->caption);
    } else if (m_drag.kind == DragKind::Tile) {
        // Over a place that takes no drop: the tile simply follows the pointer.
        const QPointF textTopLeft = m_drag.pointer - m_drag.grab;
        outline = ToPixels(TileRect{static_cast<float>(textTopLeft.x()) - NoteTile::GripInset,
                                    static_cast<float>(textTopLeft.y()), tile->shape.width, tile->shape.height});
    } else {
        // The tile stretched down to the grip, or pulled up to it.
        const float bottom = m_drag.gripTop + gripArea().height;
        outline = ToPixels(
            TileRect{tile->shape.left, tile->shape.top, tile->shape.width, std::max(bottom - tile->shape.top, 0.0f)});
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor translucent = fill;
    translucent.setAlpha(150);
    p.setBrush(translucent);
    p.setPen(QPen(fill.darker(220), 2, Qt::DashLine));
    p.drawRoundedRect(outline.adjusted(1, 1, -1, -1), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (m_drag.kind == DragKind::Tile) {
        p.setPen(FromColourNumber(ReadableTextColour(ToColourNumber(m_look.tileText), tile->fillColour)));
        p.setFont(m_look.tileFont);
        const QFontMetricsF fm(m_look.tileFont);
        const QRectF text = outline.adjusted(5, 2, -2, -2);
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop,
                   fm.elidedText(caption, Qt::ElideRight, std::max(0.0, text.width())));
    } else if (!m_look.grip.isNull()) {
        p.drawPixmap(QPointF(ToPixels(tile->gripLeft), outline.bottom() - m_look.grip.height() - 1), m_look.grip);
    }
}

void HourGridWidget::beginDrag(Drag drag) {
    m_drag = drag;
    m_watch->start();
    update();
}

void HourGridWidget::cancelDrag() {
    m_watch->stop();
    if (m_drag.kind == DragKind::None)
        return;
    m_drag = Drag{};
    m_preview.reset();
    update();
}

bool HourGridWidget::draggedAway(QPointF pixel) {
    if (!m_drag.moved && (pixel - m_drag.pressPixel).manhattanLength() >= QApplication::startDragDistance())
        m_drag.moved = true;
    return m_drag.moved;
}

void HourGridWidget::mousePressEvent(QMouseEvent* event) {
    // A drag whose release never came (it went to another program) ends here.
    cancelDrag();
    const QPointF pos = event->position();
    const PointerHit hit = hitAt(pos);
    if (event->button() != Qt::LeftButton) {
        if (hit.part == PointerPart::TileText)
            emit menuRequested(hit.slot, pos.toPoint());
        else if (hit.part == PointerPart::EmptyGrid)
            emit emptyPressed();
        return;
    }
    const NoteTile* tile = TileInSlot(m_model.tiles, hit.slot);
    if (hit.part == PointerPart::EmptyGrid || !tile) {
        emit emptyGridPressed(ToTwips(pos));
        return;
    }
    const QPointF twips = ToTwips(pos);
    if (hit.part == PointerPart::Grip) {
        const float gripTop = tile->shape.bottom() - gripArea().height;
        beginDrag({DragKind::Grip, tile->slot, QPointF(0, twips.y() - gripTop), twips, gripTop, true, pos});
        return;
    }
    emit notePressed(tile->slot);
    if (!m_dragsEnabled)
        return;
    beginDrag({DragKind::Tile, tile->slot, twips - QPointF(tile->label.left, tile->label.top), twips, 0, true, pos});
}

void HourGridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF twips = ToTwips(event->position());
    switch (m_drag.kind) {
    case DragKind::None:
        emit pointerMoved(twips);
        break;
    case DragKind::Tile:
        if (!draggedAway(event->position()))
            break;
        m_drag.pointer = twips;
        update();
        emit noteDragged(m_drag.slot, event->globalPosition().toPoint(), static_cast<float>(m_drag.grab.y()));
        break;
    case DragKind::Grip:
        if (!draggedAway(event->position()))
            break;
        if (const NoteTile* tile = TileInSlot(m_model.tiles, m_drag.slot); tile && m_drag.gripFollowing) {
            const GripPosition grip = FollowGrip(static_cast<float>(twips.y()), static_cast<float>(m_drag.grab.y()),
                                                 tile->label.top, m_model.view.gridBottom);
            m_drag.gripTop = grip.top;
            m_drag.gripFollowing = grip.following;
            update();
        }
        break;
    }
    QWidget::mouseMoveEvent(event);
}

void HourGridWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_watch->stop();
    const Drag drag = std::exchange(m_drag, Drag{});
    m_preview.reset();
    update();
    if (drag.kind != DragKind::None && !drag.moved) {
        // A click: the note stays as it is, selected as pointing at it selects it.
        emit pointerMoved(ToTwips(event->position()));
        return;
    }
    if (drag.kind == DragKind::Tile)
        emit noteReleased(drag.slot, event->globalPosition().toPoint(), static_cast<float>(drag.grab.y()),
                          event->modifiers());
    else if (drag.kind == DragKind::Grip)
        emit gripReleased(drag.slot, drag.gripTop);
}

void HourGridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

bool HourGridWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const PointerHit hit = hitAt(help->pos());
        if (const NoteTile* tile = TileInSlot(m_model.tiles, hit.slot); tile && hit.part != PointerPart::EmptyGrid)
            QToolTip::showText(help->globalPos(), FromFileText(tile->tooltip), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace plandeck
