#pragma once

#include "calendar/HourGridModel.h"
#include "editing/DropNote.h"
#include "editing/TilePointer.h"
#include "widgets/DragWatch.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class QPainter;

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
    std::optional<QColor> tileBorder; // the tiles' outline and left strip; by default a darker shade of their fill
};

// The grid picture: background, day headers, today's column, working spans, hour labels and lines, the note
// tiles and the current-time line, painted from a model. It hit-tests the same tile rectangles it draws and
// turns presses, moves and releases into drags of a tile or of its resize grip; while a drag runs, the
// tile's outline follows the pointer. What a drag does is decided elsewhere: it only reports where it ended.
class HourGridWidget : public QWidget {
    Q_OBJECT

public:
    explicit HourGridWidget(QWidget* parent = nullptr);

    void setModel(HourGridModel model);
    const HourGridModel& model() const { return m_model; }
    void setLook(HourGridLook look);
    const HourGridLook& look() const { return m_look; }
    // The selected tile is drawn in front with a wider border, and a screen reader is told it has the focus.
    void setSelectedSlot(std::optional<int> slot);
    std::optional<int> selectedSlot() const { return m_selected; }
    // Tile drags start only while nothing else (the in-place editor) holds the tiles.
    void setNoteDragsEnabled(bool enabled) { m_dragsEnabled = enabled; }

    // Where the tile being dragged would land and what it would say; nothing while it would land nowhere.
    struct DropPreview {
        TileRect rect;
        std::string caption;
    };
    void setDropPreview(std::optional<DropPreview> preview);

    // What a tile shows, as painted: its lines in their font and colour within the text area, and whether it
    // carries its grip. The time comes first on a line of its own, the text below it, each shortened with
    // "…"; a tile too low for two lines shows one line in a smaller letter, and one too low for that only
    // its colour. Text never reaches the grip. The tooltip always holds the whole time and text.
    struct TileFace {
        QRectF textArea; // pixels
        QFont font;
        QColor ink;
        QStringList lines;
        bool grip = false;
    };
    TileFace faceOf(const NoteTile& tile) const;

    // The tile part under a point in pixels.
    PointerHit hitAt(QPointF pixel) const;
    // The resize grips as drawn, in twips.
    GripArea gripArea() const;
    bool dragging() const { return m_drag.kind != DragKind::None; }
    // Ends a tile or grip drag without a drop: the outline goes and nothing is reported. Escape, the window
    // hiding and a lost mouse grab do the same.
    void cancelDrag();

    // Paints the background and the tiles (not the current-time line or a drag) onto any painter, a printer's
    // too, over the widget's size.
    void paintGrid(QPainter& p) const;

    static QRectF ToPixels(const TileRect& r);
    static double ToPixels(double twips) { return twips / WeekView::TwipsPerPixel; }
    static QPointF ToTwips(QPointF pixel) { return pixel * WeekView::TwipsPerPixel; }

signals:
    // The pointer moved with no button held, to a point in twips.
    void pointerMoved(QPointF twips);
    // A left press on a tile's text (a drag begins).
    void notePressed(int slot);
    // A press of the left button on the empty grid, at a point in grid units (twips), and of another one.
    void emptyGridPressed(QPointF twips);
    void emptyPressed();
    // A press of another button on a tile's text, at a point in pixels.
    void menuRequested(int slot, QPoint pixel);
    // A tile drag moved on to a point on the screen.
    void noteDragged(int slot, QPoint globalPos, float grabY);
    // A tile drag ended at a point on the screen; `grabY` is how far below the tile's top it was held (twips).
    // A press and release closer together than the desktop's drag distance is no drag and reports nothing.
    void noteReleased(int slot, QPoint globalPos, float grabY, Qt::KeyboardModifiers modifiers);
    // A grip drag ended with the grip's top at `gripTop` (twips).
    void gripReleased(int slot, float gripTop);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class DragKind { None, Tile, Grip };
    struct Drag {
        DragKind kind = DragKind::None;
        int slot = 0;
        QPointF grab;    // twips inside the tile's text (tile drag) or grip (grip drag)
        QPointF pointer; // twips
        float gripTop = 0;
        bool gripFollowing = true;
        QPointF pressPixel;
        bool moved = false; // the pointer went further than the drag distance
    };
    void beginDrag(Drag drag);
    // Whether the pointer has gone far enough from the press for a drag.
    bool draggedAway(QPointF pixel);

    void paintBackground(QPainter& p) const;
    void paintTiles(QPainter& p) const;
    void paintTile(QPainter& p, const NoteTile& t, bool selected) const;
    void paintDrag(QPainter& p) const;

    HourGridModel m_model;
    HourGridLook m_look;
    std::optional<int> m_selected;
    bool m_dragsEnabled = true;
    Drag m_drag;
    std::optional<DropPreview> m_preview;
    DragWatch* m_watch;
};

} // namespace plandeck
