#pragma once

#include <QString>
#include <memory>

namespace plandeck {

// Pop-up messages on the desktop through the freedesktop notification service on the session bus (the
// service most Linux desktops run: GNOME Shell, Plasma, dunst, mako, xfce4-notifyd…). Sending never waits
// for the service and never fails the caller: without a bus or a service nothing is shown.
class DesktopNotifications {
public:
    static constexpr const char* Service = "org.freedesktop.Notifications";

    // On the user's session bus, or on the bus of a connection made with QDBusConnection::connectToBus under
    // `connectionName` (the tests' private bus).
    explicit DesktopNotifications(QString connectionName = {});

    // Whether the service runs on the bus or the bus can start it.
    bool available() const;
    // Shows a notification with a title and a text (plain text: characters the service would take as
    // markup are escaped when it reads markup). False when it was not sent.
    bool show(const QString& summary, const QString& body);

private:
    QString m_connectionName;
    // Whether the service reads markup in the text, as it answered when asked (once).
    bool m_askedCapabilities = false;
    std::shared_ptr<bool> m_markup = std::make_shared<bool>(true);
};

} // namespace plandeck
