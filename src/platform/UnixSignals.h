#pragma once

#include <QObject>

class QSocketNotifier;

namespace plandeck {

// Turns SIGTERM, SIGINT and SIGHUP (a log-out, a kill, Ctrl+C) into a Qt signal on the event loop, so the
// program can shut down in order and save its settings.
class UnixSignals : public QObject {
    Q_OBJECT

public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

signals:
    void terminationRequested();

private:
    static void handler(int signal);
    void readSignal();

    static int s_fds[2];
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace plandeck
