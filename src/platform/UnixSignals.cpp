#include "platform/UnixSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace plandeck {

int UnixSignals::s_fds[2] = {-1, -1};

UnixSignals::UnixSignals(QObject* parent) : QObject(parent) {
    if (s_fds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, s_fds) != 0)
        return;
    m_notifier = new QSocketNotifier(s_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = &UnixSignals::handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

UnixSignals::~UnixSignals() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::signal(sig, SIG_DFL);
}

void UnixSignals::handler(int signal) {
    // Only async-signal-safe work here: hand the signal number to the event loop.
    char c = static_cast<char>(signal);
    [[maybe_unused]] ssize_t n = ::write(s_fds[0], &c, 1);
}

void UnixSignals::readSignal() {
    char c = 0;
    [[maybe_unused]] ssize_t n = ::read(s_fds[1], &c, 1);
    emit terminationRequested();
}

} // namespace plandeck
