#pragma once

#include "session/HourGridModel.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>

namespace plandeck {

// The pictures and colours the skin gives the grid.
struct HourGridLook {
    QPixmap background;
    QPixmap todayHeader;
    QPixmap otherHeader;
    QPixmap grip;
    QColor foreground{40, 48, 60};
    QColor rowLines{200, 205, 214};
    QColor hourLines{222, 226, 232};
    QColor todayColumn{128, 128, 255, 38};
    QColor todayHeaderText{26, 31, 39};   // today's day heading, set apart from the others
    std::optional<QColor> todayHourLines; // the hour lines across today's tinted column
    QColor timeLine{220, 60, 60};
    std::array<QColor, 4> spanColours{QColor(236, 242, 250), QColor(236, 242, 250), QColor(236, 242, 250),
                                      QColor(236, 242, 250)};
    QFont tileFont{QStringLiteral("DejaVu Sans"), 9};
    QColor tileText{Qt::black};
};

// The grid picture: background, day headers, today's column, working spans, hour labels and lines, the note
// tiles and the current-time line, painted from a model. It hit-tests the same tile rectangles it draws.
class HourGridWidget : public QWidget {
    Q_OBJECT

public:
    explicit HourGridWidget(QWidget* parent = nullptr);

    void setModel(HourGridModel model);
    const HourGridModel& model() const { return m_model; }
    void setLook(HourGridLook look);
    const HourGridLook& look() const { return m_look; }

    // The tile under a point in pixels, topmost first; nullptr over empty grid.
    const NoteTile* tileAt(QPoint pixel) const;
    // Whether a point in pixels lies on the resize grip of a tile.
    bool onGrip(const NoteTile& tile, QPoint pixel) const;

    static QRectF ToPixels(const TileRect& r);
    static double ToPixels(double twips) { return twips / WeekView::TwipsPerPixel; }

signals:
    // The language entry of the hint for what the pointer is over.
    void hintEntry(int entry);
    void resized();
    // The left button was pressed where no note is; the point in grid units (twips).
    void emptyGridPressed(QPointF twips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void paintBackground(QPainter& p) const;
    void paintTiles(QPainter& p) const;

    HourGridModel m_model;
    HourGridLook m_look;
};

} // namespace plandeck
