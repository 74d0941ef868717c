#include "settings/VersionLine.h"

namespace plandeck {

std::string VersionLine(int major, int minor, int /*build*/, int revision) {
    return "v. " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

} // namespace plandeck
