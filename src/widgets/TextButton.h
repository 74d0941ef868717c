#pragma once

#include <QLabel>

namespace plandeck {

// A text that acts as a button: underlined while the pointer is over it, and a click when the left button
// is released over it. A disabled one is drawn greyed and ignores the mouse.
class TextButton : public QLabel {
    Q_OBJECT

public:
    explicit TextButton(const QString& name, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUnderline(bool on);
};

} // namespace plandeck
