#pragma once

#include "session/Command.h"

#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// One item of the tray icon's menu and the command it gives. The caption is language-file bytes with "&"
// before the letter that chooses it; "-" is a separator, which gives none.
struct TrayMenuItem {
    std::string caption;
    std::optional<Command> command;
    bool isDefault = false;

    friend bool operator==(const TrayMenuItem&, const TrayMenuItem&) = default;
};

// What the main window's state became, as far as the today window and the tray care.
enum class MainWindowState { Minimised, Normal, Maximised };

// What the main window does with itself, the today window and the tray menu after a window event, in this
// order: hide or restore itself, fill and show or hide the today window, rebuild the tray menu's items
// after the first.
struct WindowPlan {
    bool hideMainWindow = false;
    bool restoreMainWindow = false;
    bool restoreMaximised = false; // with restoreMainWindow
    bool showToday = false;        // the lists are filled first
    bool hideToday = false;
    std::optional<std::vector<TrayMenuItem>> trayMenuTail;

    friend bool operator==(const WindowPlan&, const WindowPlan&) = default;
};

} // namespace plandeck
