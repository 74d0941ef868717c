#include "session/Session.h"

#include "settings/LanguageEntries.h"

namespace plandeck {

namespace {

std::string Accelerated(const std::string& caption) {
    return "&" + caption;
}

} // namespace

std::optional<std::vector<TrayMenuItem>> Session::trayMenuOnActivation(bool trayAvailable, bool todayVisible) const {
    if (!trayAvailable || !LoadSystemOptions(m_dataDir.systemOptionsFile()).useTrayIcon)
        return std::nullopt;
    std::vector<TrayMenuItem> items{{Accelerated(entry(Entry::TrayOpen)), Command::ShowOrHideWindow, true}};
    for (TrayMenuItem& item : trayMenuTail(todayVisible))
        items.push_back(std::move(item));
    return items;
}

std::vector<TrayMenuItem> Session::trayMenuTail(bool todayVisible) const {
    return {
        {Accelerated(entry(todayVisible ? Entry::TrayHideToday : Entry::TrayShowToday)), Command::ShowOrHideToday,
         false},
        {Accelerated(entry(Entry::Alerts::RestoreCommand)), Command::RestoreBackup, false},
        {Accelerated(entry(Entry::TrayAbout)), Command::About, false},
        {"-", std::nullopt, false},
        {Accelerated(entry(Entry::TrayExit)), Command::Exit, false},
    };
}

WindowPlan Session::mainWindowStateChanged(MainWindowState state, bool todayVisible, bool trayShown) {
    WindowPlan plan;
    bool todayShown = todayVisible;
    switch (state) {
    case MainWindowState::Minimised: {
        const SystemOptions system = LoadSystemOptions(m_dataDir.systemOptionsFile());
        // Only an icon that is really there may stand in for the window.
        plan.hideMainWindow = system.useTrayIcon && trayShown;
        if (system.todayOnHide)
            plan.showToday = todayShown = true;
        break;
    }
    case MainWindowState::Normal:
    case MainWindowState::Maximised:
        m_wasMaximised = state == MainWindowState::Maximised;
        plan.hideToday = true;
        todayShown = false;
        break;
    }
    if (trayShown)
        plan.trayMenuTail = trayMenuTail(todayShown);
    return plan;
}

WindowPlan Session::hideOrRestoreMainWindow(bool mainVisible, bool trayShown) const {
    WindowPlan plan;
    if (mainVisible) {
        // Without an icon to bring it back from, the window stays.
        if (!trayShown)
            return plan;
        plan.hideMainWindow = true;
        if (LoadSystemOptions(m_dataDir.systemOptionsFile()).todayOnHide) {
            plan.showToday = true;
            plan.trayMenuTail = trayMenuTail(true);
        }
        return plan;
    }
    plan.restoreMainWindow = true;
    plan.restoreMaximised = m_wasMaximised;
    plan.hideToday = true;
    if (trayShown)
        plan.trayMenuTail = trayMenuTail(false);
    return plan;
}

WindowPlan Session::trayWatch(bool mainVisible, bool trayShown) const {
    if (mainVisible || trayShown || !m_ready || m_quitRequested)
        return {};
    return hideOrRestoreMainWindow(false, false);
}

WindowPlan Session::showOrHideTodayWindow(bool todayVisible, bool trayShown) const {
    WindowPlan plan;
    plan.hideToday = todayVisible;
    plan.showToday = !todayVisible;
    if (trayShown)
        plan.trayMenuTail = trayMenuTail(!todayVisible);
    return plan;
}

} // namespace plandeck
