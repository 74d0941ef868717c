#pragma once

#include <filesystem>
#include <string>

namespace plandeck::test {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    // Writes bytes to a file below the folder, creating folders on the way.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string m_path;
};

// Random bytes for robustness tests: mostly line ends, digits, blanks and printable text, some noise.
std::string RandomBytes(unsigned seed, std::size_t maxLength);

} // namespace plandeck::test
