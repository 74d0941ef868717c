#include "widgets/TextButton.h"

#include <QMouseEvent>

namespace plandeck {

TextButton::TextButton(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void TextButton::setUnderline(bool on) {
    QFont f = font();
    if (f.underline() == on)
        return;
    f.setUnderline(on);
    setFont(f);
}

void TextButton::enterEvent(QEnterEvent* event) {
    setUnderline(isEnabled());
    QLabel::enterEvent(event);
}

void TextButton::leaveEvent(QEvent* event) {
    setUnderline(false);
    QLabel::leaveEvent(event);
}

void TextButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setUnderline(false);
    QLabel::changeEvent(event);
}

void TextButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace plandeck
