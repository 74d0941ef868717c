#include "widgets/SpinButtons.h"

#include <QBoxLayout>
#include <QToolButton>

#include <algorithm>

namespace plandeck {

SpinButtons::SpinButtons(const QString& name, Qt::Orientation orientation, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_minimum(minimum), m_maximum(maximum), m_value(minimum) {
    setObjectName(name);
    const bool vertical = orientation == Qt::Vertical;
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("up"));
    m_up->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("down"));
    m_down->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(7, 7));
        b->setFixedSize(vertical ? QSize(16, 11) : QSize(14, 22));
    }
    QBoxLayout* layout = new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (vertical) {
        layout->addWidget(m_up);
        layout->addWidget(m_down);
    } else {
        layout->addWidget(m_down);
        layout->addWidget(m_up);
    }
    connect(m_up, &QToolButton::clicked, this, &SpinButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &SpinButtons::stepDown);
}

void SpinButtons::setValue(int value) {
    m_value = std::clamp(value, m_minimum, m_maximum);
}

void SpinButtons::stepUp() {
    step(1);
}

void SpinButtons::stepDown() {
    step(-1);
}

void SpinButtons::step(int by) {
    const int next = std::clamp(m_value + by, m_minimum, m_maximum);
    if (next == m_value)
        return;
    m_value = next;
    emit stepped(m_value);
}

} // namespace plandeck
