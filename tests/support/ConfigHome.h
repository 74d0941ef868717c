#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plandeck::test {

// Points the user's settings and data folders ($XDG_CONFIG_HOME, and $XDG_DATA_HOME at its "share") at a
// temporary one for as long as it lives, so the log-on entry and the launcher are written there and never
// into the real home.
struct ConfigHome {
    TempDir dir;
    std::string saved[2];
    bool had[2] = {false, false};
    static constexpr const char* Names[2] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    ConfigHome() {
        for (int i = 0; i < 2; ++i) {
            if (const char* old = std::getenv(Names[i])) {
                had[i] = true;
                saved[i] = old;
            }
        }
        ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", dir.file("share").c_str(), 1);
    }
    ~ConfigHome() {
        for (int i = 0; i < 2; ++i) {
            if (had[i])
                ::setenv(Names[i], saved[i].c_str(), 1);
            else
                ::unsetenv(Names[i]);
        }
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;
    bool entryExists() const { return std::filesystem::exists(dir.file("autostart/Plandeck.desktop")); }
};

} // namespace plandeck::test
