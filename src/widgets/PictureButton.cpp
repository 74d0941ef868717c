#include "widgets/PictureButton.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace plandeck {

namespace {

// A screen reader sees a button (not a picture) that its press action clicks.
class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            emit static_cast<PictureButton*>(widget())->clicked();
    }
};

QAccessibleInterface* PictureButtonFactory(const QString&, QObject* object) {
    if (auto* button = qobject_cast<PictureButton*>(object))
        return new PictureButtonAccessible(button);
    return nullptr;
}

} // namespace

PictureButton::PictureButton(const QString& name, QWidget* parent) : QLabel(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(PictureButtonFactory);
        return true;
    }();
    (void)accessible;
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // The button is as large as its picture; on a scaled screen the label then draws the picture smoothly
    // at the screen's pixels instead of in blocks.
    setScaledContents(true);
}

void PictureButton::setPictures(const QPixmap& normal, const QPixmap& pressed, const QPixmap& released) {
    m_normal = normal;
    m_pressed = pressed.isNull() ? normal : pressed;
    m_released = released.isNull() ? normal : released;
    show(m_normal);
}

void PictureButton::setNormalPicture(const QPixmap& normal) {
    m_normal = normal;
    show(normal);
}

void PictureButton::setFallbackText(const QString& text) {
    m_fallback = text;
    show(m_normal);
}

void PictureButton::show(const QPixmap& picture) {
    if (picture.isNull()) {
        setText(m_fallback);
        return;
    }
    setPixmap(picture);
    if (!picture.isNull() && size() != picture.size() / picture.devicePixelRatio())
        resize(picture.size() / picture.devicePixelRatio());
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    show(m_pressed);
    emit pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    show(m_released);
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace plandeck
