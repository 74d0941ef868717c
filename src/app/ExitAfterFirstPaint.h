#pragma once

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>
#include <cstdlib>

namespace plandeck {

// For the start-up benchmark: ends the program as soon as the first paint of `window` is on the screen,
// without any shutdown, so nothing is saved. The benchmark's bare window leaves the same way.
class ExitAfterFirstPaint : public QObject {
public:
    explicit ExitAfterFirstPaint(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint event comes before the window's pixels are flushed: leave once that is done.
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace plandeck
