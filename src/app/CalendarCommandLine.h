#pragma once

namespace plandeck {

// Whether the command line asks for a calendar file: "plandeck --export-ics FILE" or "--import-ics FILE".
bool IsCalendarCommandLine(int argc, char* argv[]);

// Exports or imports and gives the exit code (0 done, 1 a file could not be read or written, 2 a bad
// argument). Needs no display. An import is handed to the copy of the program that runs on the same folder,
// which shows its report; with none running it is done here, under the single-instance lock.
int RunCalendarCommandLine(int argc, char* argv[]);

} // namespace plandeck
