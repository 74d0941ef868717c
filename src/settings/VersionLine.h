#pragma once

#include <string>

namespace plandeck {

// The about box's version line: "v. " and the major, minor and revision numbers. The build number (third of
// the four) is not shown, so 1.9.0.3 reads "v. 1.9.3".
std::string VersionLine(int major, int minor, int build, int revision);

} // namespace plandeck
