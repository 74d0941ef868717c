#include "platform/Autostart.h"
#include "platform/DesktopEntry.h"

#include <QCoreApplication>

namespace plandeck {

std::string AutostartEntryPath() {
    const std::string config = XdgUserFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? std::string() : config + "/autostart/" + DesktopEntryName;
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
    return WriteMakingFolders(path, AutostartEntryText(program));
}

WriteResult ClearAutorun() {
    const std::string path = AutostartEntryPath();
    return path.empty() ? WriteResult() : RemoveFile(path);
}

WriteResult ApplyStartAtLogon(bool startAtLogon) {
    return startAtLogon ? SetAutorun() : ClearAutorun();
}

} // namespace plandeck
