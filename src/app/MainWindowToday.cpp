#include "app/MainWindow.h"
#include "app/WindowLook.h"

#include "calendar/ui/TodayWindow.h"
#include "platform/DesktopNotifications.h"
#include "platform/Text.h"
#include "platform/TrayIcon.h"
#include "settings/Skin.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace plandeck {

using namespace window;

namespace {

// A tray menu item's key is the command it gives; a separator has none.
QVariant TrayKey(const TrayMenuItem& item) {
    return item.command ? QVariant::fromValue(*item.command) : QVariant();
}

} // namespace

// ---- The today window and the tray icon

void MainWindow::startServices() {
    if (m_servicesStarted)
        return;
    m_servicesStarted = true;
    createTodayWindow();
    watchFiles();
    // An activation before now put up no tray icon.
    if (isActiveWindow())
        recreateTrayIcon();
    emit servicesStarted();
}

void MainWindow::createTodayWindow() {
    if (m_todayWindow)
        return;
    TodayWindowSetup setup;
    setup.dataDirectory = m_session->dataDirectory();
    setup.notesPath = m_session->notesPath();
    setup.language = m_session->language();
    setup.skinName = m_session->shownSkin();
    // Reminders reach the desktop too, where it has a notification service.
    setup.notify = [this, notifications = std::make_shared<DesktopNotifications>()](const QString& summary,
                                                                                    const QString& body) {
        if (m_session->features().notifications)
            notifications->show(summary, body);
    };
    // Its own top-level window, kept apart from this one so that hiding this one leaves it alone.
    m_todayWindow = new TodayWindow(std::move(setup));
    connect(m_todayWindow, &TodayWindow::closedByUser, this, [this] {
        if (trayShown())
            refreshTrayMenu(m_session->trayMenuTail(false));
    });
    auto* trayWatch = new QTimer(this);
    trayWatch->setObjectName(QStringLiteral("trayWatch"));
    trayWatch->setInterval(TodayWindow::TickMilliseconds);
    connect(trayWatch, &QTimer::timeout, this, [this] {
        if (!m_closing)
            carryOut(m_session->trayWatch(isVisible(), trayShown()));
    });
    trayWatch->start();
}

bool MainWindow::trayShown() const {
    return m_tray && m_tray->shown() && TrayIcon::available();
}

void MainWindow::removeTrayIcon() {
    if (!m_tray)
        return;
    // The old icon may still be busy delivering the event that led here.
    m_tray->remove();
    m_tray->deleteLater();
    m_tray = nullptr;
}

void MainWindow::recreateTrayIcon() {
    if (m_closing)
        return;
    const bool todayVisible = m_todayWindow && m_todayWindow->isVisible();
    const auto items = m_session->trayMenuOnActivation(TrayIcon::available(), todayVisible);
    removeTrayIcon();
    if (!items)
        return;
    m_tray = new TrayIcon(this);
    for (const TrayMenuItem& item : *items)
        m_tray->addMenuItem(FromFileText(item.caption), TrayKey(item), item.isDefault);
    m_tray->setToolTip(QStringLiteral("Plandeck"));
    m_tray->setIcon(windowIcon());
    connect(m_tray, &TrayIcon::mouseDown, this, [this](int button) {
        if (button == TrayIcon::RightButton && m_tray)
            m_tray->showMenu();
    });
    connect(m_tray, &TrayIcon::doubleClick, this, [this] { run(Command::ShowOrHideWindow); });
    connect(m_tray, &TrayIcon::menuClick, this, [this](int, const QVariant& key) {
        if (key.metaType() == QMetaType::fromType<Command>())
            run(key.value<Command>());
    });
}

void MainWindow::refreshTrayMenu(const std::vector<TrayMenuItem>& tail) {
    if (!m_tray)
        return;
    for (int index = m_tray->menuItemCount() - 1; index >= 1; --index)
        m_tray->removeMenuItem(index);
    for (const TrayMenuItem& item : tail)
        m_tray->addMenuItem(FromFileText(item.caption), TrayKey(item), item.isDefault);
    m_tray->setToolTip(QStringLiteral("Plandeck"));
}

void MainWindow::showOrHideTodayWindow() {
    if (m_todayWindow)
        carryOut(m_session->showOrHideTodayWindow(m_todayWindow->isVisible(), trayShown()));
}

void MainWindow::hideOrRestore() {
    carryOut(m_session->hideOrRestoreMainWindow(isVisible(), trayShown()));
}

void MainWindow::bringToFront() {
    if (m_closing)
        return;
    // Before the first show the window stays as start-up leaves it; a question start-up asks comes forward.
    if (m_shownAsStored) {
        if (!isVisible())
            carryOut(m_session->hideOrRestoreMainWindow(false, trayShown()));
        setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
    }
    if (QWidget* question = QApplication::activeModalWidget()) {
        question->raise();
        question->activateWindow();
    }
    emit broughtToFront();
}

void MainWindow::carryOut(const WindowPlan& plan) {
    if (plan.hideMainWindow) {
        m_placeBeforeHiding = normalGeometry();
        hide();
    }
    if (plan.restoreMainWindow) {
        setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) |
                       (plan.restoreMaximised ? Qt::WindowMaximized : Qt::WindowNoState));
        if (!plan.restoreMaximised && m_placeBeforeHiding.isValid())
            setGeometry(m_placeBeforeHiding);
        show();
        // Some window managers place a window that comes back from hiding as if it were new, a moment after
        // it is shown: it goes back where it was.
        if (!plan.restoreMaximised && m_placeBeforeHiding.isValid())
            QTimer::singleShot(150, this, [this, place = m_placeBeforeHiding] {
                if (isVisible() && windowState() == Qt::WindowNoState && geometry() != place)
                    setGeometry(place);
            });
        raise();
        activateWindow();
    }
    if (m_todayWindow && plan.showToday) {
        m_todayWindow->BuildTodayList();
        m_todayWindow->show();
    }
    if (m_todayWindow && plan.hideToday)
        m_todayWindow->hide();
    if (plan.trayMenuTail)
        refreshTrayMenu(*plan.trayMenuTail);
}

} // namespace plandeck
