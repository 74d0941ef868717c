#include "calendar/ui/MonthGridWidget.h"

#include "platform/Text.h"
#include "settings/TextContrast.h"
#include "widgets/LabelLetters.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace plandeck {

namespace {

constexpr int HeaderHeight = 16;
constexpr int HeadingHeight = 13;
constexpr int WeekColumnWidth = 14;
// The calendar's designed height: a taller one has taller rows and larger letters.
constexpr int DesignedHeight = 101;

template <class Label = QLabel>
Label* MakeLabel(const QString& name, QWidget* parent, int pixelSize, bool bold = false) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

// A day of the calendar. A marked day (one shown in the columns, today) has a rounded ground behind its
// number, painted here as a style sheet's "background; border-radius: 3px" paints it, so that moving to
// another week changes the cells' values and palettes, never their style sheets.
class DayCell : public QLabel {
public:
    using QLabel::QLabel;

    void setLook(const QColor& ink, const std::optional<QColor>& ground) {
        if (palette().color(QPalette::WindowText) != ink) {
            QPalette p = palette();
            p.setColor(QPalette::WindowText, ink);
            setPalette(p);
        }
        if (ground != m_ground) {
            m_ground = ground;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (m_ground) {
            QPainter painter(this);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillPath(RoundedGround(rect(), 3), *m_ground);
        }
        QLabel::paintEvent(event);
    }

private:
    // The outline a style sheet fills for a border radius, point for point: its arcs end on the rectangle's
    // outer edges (right = x + width), and the radius is at most half the side.
    static QPainterPath RoundedGround(const QRect& r, int radius) {
        const QRectF rect(r);
        const qreal rx = std::min<qreal>(radius, rect.width() / 2);
        const qreal ry = std::min<qreal>(radius, rect.height() / 2);
        QPainterPath path;
        path.moveTo(rect.x() + rx, rect.y());
        path.lineTo(rect.right() - rx, rect.y());
        path.arcTo(rect.right() - 2 * rx, rect.y(), rx * 2, ry * 2, 90, -90);
        path.lineTo(rect.right(), rect.bottom() - ry);
        path.arcTo(rect.right() - 2 * rx, rect.bottom() - 2 * ry, rx * 2, ry * 2, 0, -90);
        path.lineTo(rect.x() + rx, rect.bottom());
        path.arcTo(rect.x(), rect.bottom() - 2 * ry, rx * 2, ry * 2, 270, -90);
        path.lineTo(rect.x(), rect.y() + ry);
        path.arcTo(rect.x(), rect.y(), rx * 2, ry * 2, 180, -90);
        path.closeSubpath();
        return path;
    }

    std::optional<QColor> m_ground;
};

// A marked day's ground, deepened until its number stands out on it.
QColor GroundUnder(const QColor& ink, QColor ground) {
    for (int i = 0; i < 12 && ContrastRatio(ToColourNumber(ink), ToColourNumber(ground)) < ReadableContrast; ++i)
        ground = ink.lightness() > ground.lightness() ? ground.darker(108) : ground.lighter(108);
    return ground;
}

} // namespace

MonthGridWidget::MonthGridWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MonthGrid"));
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        m_rows[r] = new QLabel(this);
        m_rows[r]->setObjectName(QStringLiteral("Image15(%1)").arg(r));
        m_rows[r]->setScaledContents(true);
    }
    m_prev = new PictureButton(QStringLiteral("Image7"), this);
    m_next = new PictureButton(QStringLiteral("Image6"), this);
    m_month = MakeLabel(QStringLiteral("Label3"), this, 11, true);
    m_year = MakeLabel(QStringLiteral("Label8"), this, 11, true);
    for (std::size_t c = 0; c < m_headings.size(); ++c)
        m_headings[c] = MakeLabel(QStringLiteral("Label6(%1)").arg(c), this, 9, true);
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_cells[i] = MakeLabel<DayCell>(QStringLiteral("Label5(%1)").arg(i), this, 10);
        m_cells[i]->setCursor(Qt::PointingHandCursor);
        m_cells[i]->installEventFilter(this);
        // A size before the cell is first shown (the layout gives the real one): a label shown without one
        // is first sized to its text, a text layout for nothing.
        m_cells[i]->resize(m_cells[i]->size());
    }
    for (QLabel* title : {m_month, m_year}) {
        title->setCursor(Qt::PointingHandCursor);
        title->installEventFilter(this);
    }
    for (std::size_t r = 0; r < m_weeks.size(); ++r)
        m_weeks[r] = MakeLabel(QStringLiteral("WeekNumber(%1)").arg(r), this, 8);
    setTextColour(m_text);
}

void MonthGridWidget::setGrid(const MonthGrid& grid, const QString& monthName) {
    m_grid = grid;
    m_month->setText(monthName);
    m_year->setText(QString::fromStdString(grid.yearText()));
    showCells();
}

void MonthGridWidget::showCells() {
    if (!m_grid)
        return;
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const MonthCell& c = m_grid->cell(i);
        QLabel* label = m_cells[static_cast<std::size_t>(i)];
        label->setText(QString::number(c.value));
        label->setVisible(c.visible);
        // Plain days take the skin's text colour, so a dark skin shows them light; red days are a light red
        // there and a deep one on a light skin, either readable; a marked day's ground is deep enough for its
        // number.
        const bool darkSkin = m_text.lightness() > 128;
        QColor ink = c.foreground == GridColour::Black ? m_text : FromColourNumber(c.foreground);
        if (c.foreground == GridColour::Red && !c.opaque)
            ink = darkSkin ? QColor(255, 138, 138) : QColor(192, 16, 16);
        const std::optional<QColor> ground =
            c.opaque ? std::optional<QColor>(GroundUnder(ink, FromColourNumber(c.background))) : std::nullopt;
        static_cast<DayCell*>(label)->setLook(ink, ground);
        // A framed day is left to a style sheet: no calendar mark asks for one today.
        const QString frame = c.border ? QStringLiteral("border: 1px solid %1;").arg(m_text.name()) : QString();
        if (label->styleSheet() != frame)
            label->setStyleSheet(frame);
    }
    const std::array<int, MonthGrid::RowCount> weeks = m_grid->weekNumbers();
    for (std::size_t r = 0; r < m_weeks.size(); ++r) {
        m_weeks[r]->setText(weeks[r] > 0 ? QString::number(weeks[r]) : QString());
        m_weeks[r]->setVisible(m_weeksShown && weeks[r] > 0);
    }
}

void MonthGridWidget::setTextColour(const QColor& colour) {
    m_text = colour;
    const QString style = QStringLiteral("color: %1;").arg(colour.name());
    m_month->setStyleSheet(style);
    m_year->setStyleSheet(style);
    for (QLabel* h : m_headings)
        h->setStyleSheet(style);
    // The week numbers stand back from the days: the skin's text colour, faded.
    const QString faded =
        QStringLiteral("color: rgba(%1, %2, %3, 150);").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    for (QLabel* w : m_weeks)
        w->setStyleSheet(faded);
    // The plain days follow the skin at once, not at the next move.
    showCells();
}

void MonthGridWidget::setRowPicture(const QPixmap& picture) {
    for (QLabel* row : m_rows)
        row->setPixmap(picture);
}

void MonthGridWidget::setWeekNumbersShown(bool shown) {
    if (shown == m_weeksShown)
        return;
    m_weeksShown = shown;
    layOut();
    showCells();
}

void MonthGridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void MonthGridWidget::layOut() {
    const int w = width();
    const double scale = std::max(1.0, static_cast<double>(height()) / DesignedHeight);
    const int headerHeight = static_cast<int>(std::lround(HeaderHeight * scale));
    const int headingHeight = static_cast<int>(std::lround(HeadingHeight * scale));
    SetPixelSize(m_month, static_cast<int>(std::lround(11 * scale)));
    SetPixelSize(m_year, static_cast<int>(std::lround(11 * scale)));
    for (QLabel* h : m_headings)
        SetPixelSize(h, static_cast<int>(std::lround(9 * scale)));
    for (QLabel* cell : m_cells)
        SetPixelSize(cell, static_cast<int>(std::lround(10 * scale)));
    for (QLabel* week : m_weeks)
        SetPixelSize(week, static_cast<int>(std::lround(8 * scale)));
    // The week numbers take a narrow column left of the days.
    const int left = m_weeksShown ? static_cast<int>(std::lround(WeekColumnWidth * scale)) : 0;
    const double cellW = (w - left) / 7.0;
    const double cellH = (height() - headerHeight - headingHeight) / 6.0;
    m_prev->move(0, (headerHeight - m_prev->height()) / 2);
    m_next->move(w - m_next->width(), (headerHeight - m_next->height()) / 2);
    const int arrows = std::max(m_prev->width(), 16);
    m_month->setGeometry(arrows, 0, (w - 2 * arrows) * 2 / 3, headerHeight);
    m_month->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_year->setGeometry(m_month->geometry().right() + 4, 0, w - arrows - m_month->geometry().right() - 4, headerHeight);
    m_year->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < 7; ++c)
        m_headings[static_cast<std::size_t>(c)]->setGeometry(left + static_cast<int>(c * cellW), headerHeight,
                                                             static_cast<int>(cellW), headingHeight);
    for (int r = 0; r < 6; ++r)
        m_rows[static_cast<std::size_t>(r)]->setGeometry(0, static_cast<int>(headerHeight + headingHeight + r * cellH),
                                                         w, static_cast<int>(cellH));
    for (int r = 0; r < MonthGrid::RowCount; ++r)
        m_weeks[static_cast<std::size_t>(r)]->setGeometry(0, static_cast<int>(headerHeight + headingHeight + r * cellH),
                                                          left, static_cast<int>(cellH));
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const int r = i / 7;
        const int c = i % 7;
        m_cells[static_cast<std::size_t>(i)]->setGeometry(left + static_cast<int>(c * cellW) + 1,
                                                          static_cast<int>(headerHeight + headingHeight + r * cellH),
                                                          static_cast<int>(cellW) - 2, static_cast<int>(cellH));
    }
}

bool MonthGridWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_month || watched == m_year) {
            emit titleClicked();
            return true;
        }
        for (std::size_t i = 0; i < m_cells.size(); ++i)
            if (m_cells[i] == watched) {
                emit cellClicked(static_cast<int>(i));
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace plandeck
