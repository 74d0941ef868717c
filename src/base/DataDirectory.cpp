#include "base/DataDirectory.h"

#include "base/TextFile.h"

namespace plandeck {

DataDirectory::DataDirectory(std::string root) : m_root(std::move(root)) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
}

std::string DataDirectory::resolveNotesFile(const std::string& configuredPath) const {
    return FileExists(configuredPath) ? configuredPath : defaultNotesFile();
}

} // namespace plandeck
