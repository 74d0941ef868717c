#include "platform/DesktopEntry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

std::string XdgUserFolder(const char* variable, const char* underHome) {
    // An empty or relative value is to be ignored.
    const char* xdg = std::getenv(variable);
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/" + underHome;
    return {};
}

namespace {

// Makes a folder and the folders above it that are missing. False (with errno set) when one cannot be made.
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

WriteResult WriteMakingFolders(const std::string& path, std::string_view bytes) {
    const std::string folder = path.substr(0, path.rfind('/'));
    if (!MakeFolders(folder))
        return WriteResult::Failure("Could not make \"" + folder + "\": " + std::strerror(errno));
    return RewriteFile(path, bytes);
}

WriteResult RemoveFile(const std::string& path, bool* removed) {
    const bool gone = ::unlink(path.c_str()) == 0;
    if (removed)
        *removed = gone;
    if (gone || errno == ENOENT)
        return {};
    return WriteResult::Failure("Could not remove \"" + path + "\": " + std::strerror(errno));
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

} // namespace plandeck
