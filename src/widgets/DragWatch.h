#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace plandeck {

// Ends a mouse drag that must not drop. While it runs it watches the whole program for Escape, for the
// window of the widget that owns the drag hiding, being minimised or losing the activation, and for a
// pointer that moves with the left button no longer held (the release went elsewhere: the grab was lost).
// Any of them calls `cancel` once and stops the watch; Escape goes no further.
class DragWatch : public QObject {
public:
    DragWatch(QWidget* owner, std::function<void()> cancel);
    ~DragWatch() override;

    void start();
    void stop();
    bool running() const { return m_running; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fire();

    QPointer<QWidget> m_owner;
    std::function<void()> m_cancel;
    bool m_running = false;
};

} // namespace plandeck
