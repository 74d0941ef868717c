#pragma once

#include "base/TextFile.h"

#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// The launcher: a desktop entry "Plandeck.desktop" in the user's applications folder
// ($XDG_DATA_HOME/applications, or ~/.local/share/applications) and the program's icon in several sizes in
// the user's icon theme folder ($XDG_DATA_HOME/icons/hicolor/<size>x<size>/apps/plandeck.png), so that the
// desktop's menu and dock show the program.

// The icon sizes written, in pixels.
inline constexpr int LauncherIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Where the entry and each icon (in the order of LauncherIconSizes) live; empty when neither $XDG_DATA_HOME
// nor $HOME says where the user's data is.
std::vector<std::string> LauncherFiles();

// The text of the entry that starts the executable at `executablePath`.
std::string LauncherEntryText(const std::string& executablePath);

// Writes the entry for `executablePath` and the icons scaled from the picture at `logoPath`, making the
// folders that are missing. Each file written is said in `report`, one line each. Stops at the first failure.
WriteResult InstallLauncher(const std::string& executablePath, const std::string& logoPath,
                            std::vector<std::string>& report);

// Removes the entry and the icons; what was there and is gone is said in `report`. Fails only when a file
// stays.
WriteResult RemoveLauncher(std::vector<std::string>& report);

// The command lines "--install-launcher" and "--remove-launcher": carries them out for this program, prints
// what was done and gives the exit code (0 done, 1 a file could not be written or removed). Nothing when the
// command line is neither, for the program to start as usual.
std::optional<int> RunLauncherCommand(int argc, char* argv[]);

} // namespace plandeck
