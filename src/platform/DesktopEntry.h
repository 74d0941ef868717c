#pragma once

#include "base/TextFile.h"

#include <string>
#include <string_view>

namespace plandeck {

// The file name of both entries.
inline constexpr const char* DesktopEntryName = "Plandeck.desktop";

// What the desktop-entry files this program writes (the log-on entry and the menu launcher) have in common.

// One of the user's XDG base folders: the absolute path in `variable` ($XDG_CONFIG_HOME, $XDG_DATA_HOME), or
// `underHome` inside $HOME when that is unset, empty or relative. Empty when neither says where it is.
std::string XdgUserFolder(const char* variable, const char* underHome);

// Writes (or overwrites) the file at the absolute `path`, making the folders above it that are missing.
WriteResult WriteMakingFolders(const std::string& path, std::string_view bytes);

// Removes the file at `path`. Fails only when an existing file stays; `removed` says whether there was one.
WriteResult RemoveFile(const std::string& path, bool* removed = nullptr);

// The Exec value for a program path: the path in double quotes, escaped as desktop entries require.
std::string DesktopEntryExec(const std::string& executablePath);

} // namespace plandeck
