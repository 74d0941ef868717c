#pragma once

#include "base/TextFile.h"
#include "platform/DesktopEntry.h"

#include <string>

namespace plandeck {

// Start at log-on: a desktop entry "Plandeck.desktop" in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, or ~/.config/autostart), which desktops read when the user logs on.

// Where the entry lives; empty when neither $XDG_CONFIG_HOME nor $HOME says where the user's settings are.
std::string AutostartEntryPath();

// The text of the entry that starts the executable at `executablePath`.
std::string AutostartEntryText(const std::string& executablePath);

// Writes (or overwrites) the entry for `executablePath`, this program's own executable when empty. The
// autostart folder is made when missing.
WriteResult SetAutorun(const std::string& executablePath = {});

// Removes the entry; nothing happens when there is none. Fails only when an existing entry stays.
WriteResult ClearAutorun();

// What the options' Save does first, whether or not the box changed: writes the entry when the program is to
// start at log-on (so a moved program folder is picked up), removes it otherwise.
WriteResult ApplyStartAtLogon(bool startAtLogon);

} // namespace plandeck
