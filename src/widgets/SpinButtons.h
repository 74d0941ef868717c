#pragma once

#include <QWidget>

class QToolButton;

namespace plandeck {

// A pair of arrow buttons that step a whole number within a range: the up (or right) arrow increases it.
// Only the arrows report a change; setting the value from a field is silent, so field and spinner never
// echo each other.
class SpinButtons : public QWidget {
    Q_OBJECT

public:
    SpinButtons(const QString& name, Qt::Orientation orientation, int minimum, int maximum, QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Clamped into the range.
    void setValue(int value);

    void stepUp();
    void stepDown();

signals:
    // The user stepped to a new value.
    void stepped(int value);

private:
    void step(int by);

    int m_minimum;
    int m_maximum;
    int m_value;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace plandeck
