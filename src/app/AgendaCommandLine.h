#pragma once

#include <string>

namespace plandeck {

// The English texts built into the program, for a program folder whose language files went missing.
std::string BuiltInEnglish();

// Whether the command line asks for the agenda: "plandeck --agenda …".
bool IsAgendaCommandLine(int argc, char* argv[]);

// Prints the agenda of the program's folder and gives the exit code. Needs no display: it makes no GUI
// object, only the core application that tells where the program lies.
int RunAgendaCommandLine(int argc, char* argv[]);

} // namespace plandeck
