#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plandeck::test {

// Points the user's settings folder ($XDG_CONFIG_HOME) at a temporary one for as long as it lives, so the
// log-on entry is written there and never into the real home.
struct ConfigHome {
    TempDir dir;
    std::string saved;
    bool had = false;
    ConfigHome() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            had = true;
            saved = old;
        }
        ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    }
    ~ConfigHome() {
        if (had)
            ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;
    bool entryExists() const { return std::filesystem::exists(dir.file("autostart/Plandeck.desktop")); }
};

} // namespace plandeck::test
