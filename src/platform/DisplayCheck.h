#pragma once

#include <string>

namespace plandeck {

// Whether a graphical session can be reached before Qt is asked to open one. Returns an empty string when
// it can, otherwise a message telling the user what is missing and how to start the program.
std::string MissingDisplayMessage();

} // namespace plandeck
