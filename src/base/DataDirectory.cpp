#include "base/DataDirectory.h"

#include "base/TextFile.h"

namespace plandeck {

DataDirectory::DataDirectory(std::string root) : m_root(std::move(root)) {
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
}

std::string DataDirectory::resolveNotesFile(const std::string& configuredPath) const {
    // A named file that cannot be read is not switched to: every note command would then work on a file
    // whose notes it cannot see.
    return FileExists(configuredPath) && IsReadableFile(configuredPath) ? configuredPath : defaultNotesFile();
}

} // namespace plandeck
