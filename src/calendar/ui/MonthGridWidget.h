#pragma once

#include "calendar/MonthGrid.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QWidget>
#include <array>
#include <optional>

namespace plandeck {

// The month calendar: the month name "Label3" and year "Label8" between the arrows "Image7" (previous)
// and "Image6" (next), the weekday headings "Label6(0)".."Label6(6)" and the 42 day cells
// "Label5(0)".."Label5(41)", Monday first; left of the rows, unless switched off, the ISO week numbers
// "WeekNumber(0)".."WeekNumber(5)".
class MonthGridWidget : public QWidget {
    Q_OBJECT

public:
    explicit MonthGridWidget(QWidget* parent = nullptr);

    void setGrid(const MonthGrid& grid, const QString& monthName);
    void setTextColour(const QColor& colour);
    void setRowPicture(const QPixmap& picture);
    void setWeekNumbersShown(bool shown);
    QLabel* weekNumber(int row) const { return m_weeks[static_cast<std::size_t>(row)]; }
    PictureButton* nextArrow() const { return m_next; }
    PictureButton* prevArrow() const { return m_prev; }
    QLabel* cell(int index) const { return m_cells[static_cast<std::size_t>(index)]; }
    // The title: the month's name and the year.
    QLabel* monthTitle() const { return m_month; }
    QLabel* yearTitle() const { return m_year; }

signals:
    void cellClicked(int index);
    // A click on the month's name or the year.
    void titleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    // The day cells of the last grid, in the current text colour.
    void showCells();

    QLabel* m_month;
    QLabel* m_year;
    PictureButton* m_prev;
    PictureButton* m_next;
    std::array<QLabel*, 7> m_headings{};
    std::array<QLabel*, 6> m_rows{};
    std::array<QLabel*, MonthGrid::CellCount> m_cells{};
    std::array<QLabel*, MonthGrid::RowCount> m_weeks{};
    bool m_weeksShown = true;
    QColor m_text{40, 48, 60};
    std::optional<MonthGrid> m_grid;
};

} // namespace plandeck
