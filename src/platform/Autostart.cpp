#include "platform/Autostart.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

namespace {

constexpr const char* kEntryName = "Plandeck.desktop";

std::string ConfigHome() {
    // An empty or relative $XDG_CONFIG_HOME is to be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config";
    return {};
}

// Makes a folder and the folders above it that are missing.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

} // namespace

std::string AutostartEntryPath() {
    const std::string config = ConfigHome();
    return config.empty() ? std::string() : config + "/autostart/" + kEntryName;
}

std::string DesktopEntryExec(const std::string& executablePath) {
    // Inside double quotes the command line needs a backslash before ", `, $ and \ . The value is then
    // written as a desktop-entry string, whose own escapes double every backslash and spell out control
    // characters. A literal % is %% so that it is not taken for a field code.
    std::string quoted = "\"";
    for (char c : executablePath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        case '%':
            value += "%%";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string AutostartEntryText(const std::string& executablePath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Plandeck\n"
           "Comment=Weekly planner\n"
           "Exec=" +
           DesktopEntryExec(executablePath) +
           "\n"
           "Terminal=false\n";
}

WriteResult SetAutorun(const std::string& executablePath) {
    const std::string path = AutostartEntryPath();
    if (path.empty())
        return WriteResult::Failure("Could not start at log-on: no home folder is set");
    const std::string program =
        executablePath.empty() ? QCoreApplication::applicationFilePath().toStdString() : executablePath;
    const std::string folder = path.substr(0, path.rfind('/'));
    if (!MakeFolders(folder))
        return WriteResult::Failure("Could not make \"" + folder + "\": " + std::strerror(errno));
    return RewriteFile(path, AutostartEntryText(program));
}

WriteResult ClearAutorun() {
    const std::string path = AutostartEntryPath();
    if (path.empty() || ::unlink(path.c_str()) == 0 || errno == ENOENT)
        return {};
    return WriteResult::Failure("Could not remove \"" + path + "\": " + std::strerror(errno));
}

WriteResult ApplyStartAtLogon(bool startAtLogon) {
    return startAtLogon ? SetAutorun() : ClearAutorun();
}

} // namespace plandeck
