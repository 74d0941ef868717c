#include "platform/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace plandeck {

namespace {

constexpr const char* Path = "/org/freedesktop/Notifications";

QDBusMessage Call(const char* method) {
    return QDBusMessage::createMethodCall(QString::fromLatin1(DesktopNotifications::Service), QString::fromLatin1(Path),
                                          QString::fromLatin1(DesktopNotifications::Service),
                                          QString::fromLatin1(method));
}

// Only these three characters mean markup to the services that read it; the others show entities as typed.
QString EscapeMarkup(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QStringLiteral("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

DesktopNotifications::DesktopNotifications(QString connectionName) : m_connectionName(std::move(connectionName)) {}

static QDBusConnection BusOf(const QString& name) {
    return name.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(name);
}

bool DesktopNotifications::available() const {
    const QDBusConnection bus = BusOf(m_connectionName);
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QString service = QString::fromLatin1(Service);
    if (bus.interface()->isServiceRegistered(service).value())
        return true;
    return bus.interface()->activatableServiceNames().value().contains(service);
}

bool DesktopNotifications::show(const QString& summary, const QString& body) {
    if (!available())
        return false;
    QDBusConnection bus = BusOf(m_connectionName);
    if (!m_askedCapabilities) {
        // Asked once and not waited for; until the answer comes, the text is escaped as for the services of
        // the common desktops, which all read markup.
        m_askedCapabilities = true;
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(Call("GetCapabilities")));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [markup = m_markup](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<QStringList> reply = *w;
            *markup = !reply.isValid() || reply.value().contains(QStringLiteral("body-markup"));
            w->deleteLater();
        });
    }
    QDBusMessage notify = Call("Notify");
    QVariantMap hints;
    // The program plays its own chime.
    hints.insert(QStringLiteral("suppress-sound"), true);
    hints.insert(QStringLiteral("desktop-entry"),
                 QStringLiteral("Plandeck")); // Plandeck.desktop, where the launcher put it
    notify << QStringLiteral("Plandeck") << 0u << QStringLiteral("plandeck") << summary
           << (*m_markup ? EscapeMarkup(body) : body) << QStringList() << hints << -1;
    // Not waited for: a busy service must not hold up the window.
    return bus.send(notify);
}

} // namespace plandeck
