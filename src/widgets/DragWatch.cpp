#include "widgets/DragWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace plandeck {

DragWatch::DragWatch(QWidget* owner, std::function<void()> cancel)
    : QObject(owner), m_owner(owner), m_cancel(std::move(cancel)) {}

DragWatch::~DragWatch() {
    stop();
}

void DragWatch::start() {
    if (m_running)
        return;
    m_running = true;
    qApp->installEventFilter(this);
}

void DragWatch::stop() {
    if (!m_running)
        return;
    m_running = false;
    qApp->removeEventFilter(this);
}

void DragWatch::fire() {
    stop();
    if (m_cancel)
        m_cancel();
}

bool DragWatch::eventFilter(QObject* watched, QEvent* event) {
    const QWidget* window = m_owner ? m_owner->window() : nullptr;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            fire();
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (!(static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton))
            fire();
        break;
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        if (watched == window)
            fire();
        break;
    case QEvent::WindowStateChange:
        if (watched == window && window->isMinimized())
            fire();
        break;
    default:
        break;
    }
    return false;
}

} // namespace plandeck
