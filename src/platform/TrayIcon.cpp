#include "platform/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QStyle>

namespace plandeck {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("frmSysTray"));
    m_menu = new QMenu(QStringLiteral("&Popup"));
    m_menu->setObjectName(QStringLiteral("mnuPopup"));
    auto* first = m_menu->addAction(QString());
    first->setObjectName(QStringLiteral("mnuSysTray(0)"));
    first->setVisible(false);
    m_items.push_back(first);
    connect(m_menu, &QMenu::triggered, this, [this](QAction* action) {
        for (int i = 0; i < menuItemCount(); ++i) {
            if (m_items[static_cast<std::size_t>(i)] == action) {
                emit menuClick(i, menuItemKey(i));
                return;
            }
        }
    });

    // Until the owner sets its own, the icon is the application's (or a plain one) and the tip describes it.
    QIcon initial = QApplication::windowIcon();
    if (initial.isNull())
        initial = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    m_tray = new QSystemTrayIcon(initial, this);
    m_tray->setToolTip(QStringLiteral("Plandeck weekly planner"));
    // The notification area opens the menu itself on a right-button press; on desktops that export menus
    // over D-Bus that is the only way it can open.
    m_tray->setContextMenu(m_menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, &TrayIcon::balloonClicked);
    if (available())
        m_tray->show();
}

TrayIcon::~TrayIcon() {
    m_tray->hide();
    delete m_menu.data();
}

bool TrayIcon::available() {
    if (s_availableForTesting)
        return *s_availableForTesting;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::setAvailableForTesting(std::optional<bool> available) {
    s_availableForTesting = available;
}

void TrayIcon::remove() {
    m_tray->hide();
}

QString TrayIcon::toolTip() const {
    return m_tray->toolTip();
}

void TrayIcon::setToolTip(const QString& tip) {
    if (tip != m_tray->toolTip())
        m_tray->setToolTip(tip);
}

QIcon TrayIcon::icon() const {
    return m_tray->icon();
}

void TrayIcon::setIcon(const QIcon& icon) {
    if (!icon.isNull())
        m_tray->setIcon(icon);
}

void TrayIcon::showBalloonTip(const QString& message, const QString& title, BalloonIcon icon, int timeoutMs) {
    if (!m_tray->isVisible() || !QSystemTrayIcon::supportsMessages())
        return;
    QSystemTrayIcon::MessageIcon kind = QSystemTrayIcon::NoIcon;
    switch (icon) {
    case BalloonIcon::None:
        break;
    case BalloonIcon::Information:
        kind = QSystemTrayIcon::Information;
        break;
    case BalloonIcon::Warning:
        kind = QSystemTrayIcon::Warning;
        break;
    case BalloonIcon::Error:
        kind = QSystemTrayIcon::Critical;
        break;
    }
    m_tray->showMessage(title, message, kind, timeoutMs);
}

int TrayIcon::addMenuItem(const QString& caption, const QVariant& key, bool isDefault) {
    QAction* item = m_items.front();
    if (!m_menuStarted) {
        m_menuStarted = true;
    } else {
        item = m_menu->addAction(QString());
        item->setObjectName(QStringLiteral("mnuSysTray(%1)").arg(menuItemCount()));
        m_items.push_back(item);
    }
    item->setVisible(true);
    setItemCaption(item, caption);
    item->setData(key);
    const int index = menuItemCount() - 1;
    if (isDefault)
        setDefaultMenuIndex(index);
    else
        showDefault();
    return index;
}

void TrayIcon::enableMenuItem(int index, bool enabled) {
    if (validIndex(index))
        m_items[static_cast<std::size_t>(index)]->setEnabled(enabled);
}

void TrayIcon::removeMenuItem(int index) {
    if (!validIndex(index))
        return;
    if (index == 0) {
        setItemCaption(m_items.front(), QString());
        return;
    }
    for (int i = index; i + 1 < menuItemCount(); ++i) {
        QAction* to = m_items[static_cast<std::size_t>(i)];
        QAction* from = m_items[static_cast<std::size_t>(i) + 1];
        setItemCaption(to, from->isSeparator() ? QStringLiteral("-") : from->text());
        to->setData(from->data());
    }
    QAction* last = m_items.back();
    m_items.pop_back();
    m_menu->removeAction(last);
    delete last;
    if (!validIndex(m_defaultIndex))
        m_defaultIndex = 0;
    showDefault();
}

void TrayIcon::setDefaultMenuIndex(int index) {
    m_defaultIndex = validIndex(index) ? index : 0;
    showDefault();
}

void TrayIcon::showMenu() {
    if (m_menu->isVisible())
        return;
    showDefault();
    m_menu->popup(QCursor::pos());
    m_menu->activateWindow();
}

QString TrayIcon::menuItemCaption(int index) const {
    if (!validIndex(index))
        return {};
    const QAction* item = m_items[static_cast<std::size_t>(index)];
    return item->isSeparator() ? QStringLiteral("-") : item->text();
}

QVariant TrayIcon::menuItemKey(int index) const {
    return validIndex(index) ? m_items[static_cast<std::size_t>(index)]->data() : QVariant();
}

bool TrayIcon::menuItemEnabled(int index) const {
    return validIndex(index) && m_items[static_cast<std::size_t>(index)]->isEnabled();
}

bool TrayIcon::shown() const {
    return m_tray->isVisible();
}

void TrayIcon::chooseMenuItemForTesting(int index) {
    if (validIndex(index))
        m_items[static_cast<std::size_t>(index)]->trigger();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context:
        emit mouseDown(RightButton);
        break;
    case QSystemTrayIcon::Trigger:
        emit mouseDown(LeftButton);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit doubleClick(LeftButton);
        break;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TrayIcon::setItemCaption(QAction* item, const QString& caption) {
    const bool separator = caption == QStringLiteral("-");
    item->setSeparator(separator);
    item->setText(separator ? QString() : caption);
}

void TrayIcon::showDefault() {
    m_menu->setDefaultAction(validIndex(m_defaultIndex) ? m_items[static_cast<std::size_t>(m_defaultIndex)] : nullptr);
}

} // namespace plandeck
