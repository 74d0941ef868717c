#pragma once

#include <string>

namespace plandeck {

// The program's data folder (the folder of the executable) and the fixed places of the files inside it.
class DataDirectory {
public:
    explicit DataDirectory(std::string root);

    const std::string& root() const { return m_root; }
    // `relative` starts with a slash: "/pdfiles/sys.ini".
    std::string path(const std::string& relative) const { return m_root + relative; }

    std::string defaultNotesFile() const { return path("/pdnotes/all.txt"); }
    std::string mainOptionsFile() const { return path("/pdfiles/pdopt.ini"); }
    std::string systemOptionsFile() const { return path("/pdfiles/sys.ini"); }
    std::string categoryFile() const { return path("/pdfiles/category.txt"); }
    std::string featureSettingsFile() const { return path("/pdfiles/plandeck.conf"); }
    std::string todayWindowFile() const { return path("/pdfiles/frmtoday.ini"); }
    std::string reminderSound() const { return path("/pdfiles/notify.wav"); }
    std::string optionsPicture() const { return path("/pdfiles/opt.jpg"); }
    std::string skinsFolder() const { return path("/pdskins"); }
    std::string languageFolder() const { return path("/pdlang"); }
    std::string helpPage() const { return path("/help/indexENG.html"); }
    std::string aboutLogo() const { return path("/help/files/logo2.gif"); }

    // The notes file in use: the file named by the options when it exists and can be read, otherwise the
    // default one.
    std::string resolveNotesFile(const std::string& configuredPath) const;

private:
    std::string m_root;
};

} // namespace plandeck
