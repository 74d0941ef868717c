#include "calendar/ui/ClockWidget.h"

#include <QPainter>
#include <QtMath>

namespace plandeck {

ClockWidget::ClockWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Clock"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ClockWidget::setHands(const ClockHands& hands) {
    m_hands = hands;
    update();
}

void ClockWidget::setHandColour(const QColor& colour) {
    m_handColour = colour;
    update();
}

void ClockWidget::setDrawFace(bool on) {
    m_drawFace = on;
    update();
}

void ClockWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(ClockHands::CentreX, ClockHands::CentreY);
    if (m_drawFace) {
        p.setPen(QPen(QColor(0, 0, 0, 40), 1));
        p.setBrush(QColor(255, 255, 255, 235));
        p.drawEllipse(centre, 36, 36);
        p.setPen(QPen(m_handColour, 1.2));
        for (int i = 0; i < 12; ++i) {
            const double a = qDegreesToRadians(30.0 * i);
            const double inner = i % 3 == 0 ? 29 : 32;
            p.drawLine(centre + QPointF(inner * std::sin(a), -inner * std::cos(a)),
                       centre + QPointF(34 * std::sin(a), -34 * std::cos(a)));
        }
    }
    p.setPen(QPen(m_handColour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, QPointF(m_hands.minuteX, m_hands.minuteY));
    p.setPen(QPen(m_handColour, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, QPointF(m_hands.hourX, m_hands.hourY));
    p.setBrush(m_handColour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 2.5, 2.5);
}

} // namespace plandeck
