#pragma once

#include <QLabel>
#include <QPixmap>

namespace plandeck {

// A skin picture that acts as a button: it shows its pressed picture while the mouse button is held, its
// release picture afterwards, and reports a click when released over itself.
class PictureButton : public QLabel {
    Q_OBJECT

public:
    explicit PictureButton(const QString& name, QWidget* parent = nullptr);

    // `normal` is shown now; `pressed` while held; `released` after a release (normally the normal one).
    void setPictures(const QPixmap& normal, const QPixmap& pressed, const QPixmap& released = {});
    void setNormalPicture(const QPixmap& normal);
    const QPixmap& pressedPicture() const { return m_pressed; }
    // What the button shows when the skin gives it no picture, so it can still be found and used.
    void setFallbackText(const QString& text);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void show(const QPixmap& picture);

    QPixmap m_normal;
    QPixmap m_pressed;
    QPixmap m_released;
    QString m_fallback;
};

} // namespace plandeck
