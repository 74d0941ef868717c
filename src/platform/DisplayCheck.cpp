#include "platform/DisplayCheck.h"

#include <cstdlib>
#include <string_view>
#include <sys/stat.h>

namespace plandeck {

std::string MissingDisplayMessage() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    // An explicitly chosen Qt platform (offscreen, vnc, ...) knows what it needs.
    if (set("QT_QPA_PLATFORM") || set("WAYLAND_DISPLAY"))
        return {};
    if (set("DISPLAY")) {
        // A local X display ":N" listens on a socket; when it is gone Qt would only abort with a trace.
        std::string_view display = std::getenv("DISPLAY");
        if (display.front() != ':')
            return {};
        std::string number(display.substr(1, display.find('.') == std::string_view::npos ? std::string_view::npos
                                                                                         : display.find('.') - 1));
        struct stat st {};
        if (::stat(("/tmp/.X11-unix/X" + number).c_str(), &st) == 0)
            return {};
        return "Plandeck cannot reach the X display \"" + std::string(display) +
               "\": no X server is running there.\n"
               "Start it from a running desktop session, or on a virtual display:\n"
               "    xvfb-run -a build/Plandeck/plandeck\n";
    }
    return "Plandeck needs a graphical desktop, but no display was found (neither DISPLAY nor WAYLAND_DISPLAY "
           "is set).\n"
           "Start it from a desktop session, or over SSH with X forwarding (ssh -X), or on a virtual display:\n"
           "    xvfb-run -a build/Plandeck/plandeck\n";
}

} // namespace plandeck
