#pragma once

#include "calendar/HourGrid.h"

#include <QColor>
#include <QWidget>

namespace plandeck {

// The small analog clock at the top left of the main window: its face and the hands "Line16" (minutes)
// and "Line17" (hours), drawn from their end points.
class ClockWidget : public QWidget {
    Q_OBJECT

public:
    explicit ClockWidget(QWidget* parent = nullptr);

    void setHands(const ClockHands& hands);
    const ClockHands& hands() const { return m_hands; }
    void setHandColour(const QColor& colour);
    // Whether a face is drawn; a skin with its own clock picture behind the widget turns it off.
    void setDrawFace(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ClockHands m_hands;
    QColor m_handColour{45, 55, 72};
    bool m_drawFace = true;
};

} // namespace plandeck
