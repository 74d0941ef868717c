#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace plandeck::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "plandeck-test-XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path p = std::filesystem::path(m_path) / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(std::filesystem::path(m_path) / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string RandomBytes(unsigned seed, std::size_t maxLength) {
    std::mt19937 rng(seed);
    static const std::string alphabet = "\r\n\r\n 0123456789.-+yAFdefmax\t";
    std::string out(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), '\0');
    for (char& c : out) {
        if (rng() % 3 == 0)
            c = static_cast<char>(rng() % 256);
        else
            c = alphabet[rng() % alphabet.size()];
    }
    return out;
}

} // namespace plandeck::test
