#include "calendar/ui/MonthGridWidget.h"

#include "platform/Text.h"

#include <QMouseEvent>

namespace plandeck {

namespace {

constexpr int HeaderHeight = 16;
constexpr int HeadingHeight = 13;

QLabel* MakeLabel(const QString& name, QWidget* parent, int pixelSize, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
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
        m_cells[i] = MakeLabel(QStringLiteral("Label5(%1)").arg(i), this, 10);
        m_cells[i]->setCursor(Qt::PointingHandCursor);
        m_cells[i]->installEventFilter(this);
    }
    setTextColour(m_text);
}

void MonthGridWidget::setGrid(const MonthGrid& grid, const QString& monthName) {
    m_month->setText(monthName);
    m_year->setText(QString::fromStdString(grid.yearText()));
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const MonthCell& c = grid.cell(i);
        QLabel* label = m_cells[static_cast<std::size_t>(i)];
        label->setText(QString::number(c.value));
        label->setVisible(c.visible);
        // Plain days take the skin's text colour, so a dark skin shows them light; red and white marks stay.
        const QColor ink = c.foreground == GridColour::Black ? m_text : FromColourNumber(c.foreground);
        QString style = QStringLiteral("color: %1;").arg(ink.name());
        if (c.opaque)
            style += QStringLiteral("background: %1; border-radius: 3px;").arg(FromColourNumber(c.background).name());
        if (c.border)
            style += QStringLiteral("border: 1px solid %1;").arg(m_text.name());
        label->setStyleSheet(style);
    }
}

void MonthGridWidget::setTextColour(const QColor& colour) {
    m_text = colour;
    const QString style = QStringLiteral("color: %1;").arg(colour.name());
    m_month->setStyleSheet(style);
    m_year->setStyleSheet(style);
    for (QLabel* h : m_headings)
        h->setStyleSheet(style);
}

void MonthGridWidget::setRowPicture(const QPixmap& picture) {
    for (QLabel* row : m_rows)
        row->setPixmap(picture);
}

void MonthGridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void MonthGridWidget::layOut() {
    const int w = width();
    const double cellW = w / 7.0;
    const double cellH = (height() - HeaderHeight - HeadingHeight) / 6.0;
    m_prev->move(0, (HeaderHeight - m_prev->height()) / 2);
    m_next->move(w - m_next->width(), (HeaderHeight - m_next->height()) / 2);
    const int arrows = std::max(m_prev->width(), 16);
    m_month->setGeometry(arrows, 0, (w - 2 * arrows) * 2 / 3, HeaderHeight);
    m_month->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_year->setGeometry(m_month->geometry().right() + 4, 0, w - arrows - m_month->geometry().right() - 4, HeaderHeight);
    m_year->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < 7; ++c)
        m_headings[static_cast<std::size_t>(c)]->setGeometry(static_cast<int>(c * cellW), HeaderHeight,
                                                             static_cast<int>(cellW), HeadingHeight);
    for (int r = 0; r < 6; ++r)
        m_rows[static_cast<std::size_t>(r)]->setGeometry(0, static_cast<int>(HeaderHeight + HeadingHeight + r * cellH),
                                                         w, static_cast<int>(cellH));
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const int r = i / 7;
        const int c = i % 7;
        m_cells[static_cast<std::size_t>(i)]->setGeometry(static_cast<int>(c * cellW) + 1,
                                                          static_cast<int>(HeaderHeight + HeadingHeight + r * cellH),
                                                          static_cast<int>(cellW) - 2, static_cast<int>(cellH));
    }
}

bool MonthGridWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (std::size_t i = 0; i < m_cells.size(); ++i)
            if (m_cells[i] == watched) {
                emit cellClicked(static_cast<int>(i));
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace plandeck
