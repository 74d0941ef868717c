#pragma once

#include "base/DataDirectory.h"
#include "base/Date.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// What `plandeck --agenda [today|tomorrow|week|YYYY-MM-DD] [--days N] [--json]` asks for.
struct AgendaRequest {
    Date first;       // the first day listed
    int dayCount = 1; // 1..366; a week is seven days from its Monday
    bool json = false;
};

// The arguments after "--agenda" read against today's date; an error in words when they make no request.
struct AgendaArguments {
    AgendaRequest request;
    std::string error; // empty when the arguments are good
};
AgendaArguments ParseAgendaArguments(const std::vector<std::string>& arguments, const Date& today);

// How the command ends: 0 done, 1 a file could not be read, 2 a bad argument; with what to tell the user on
// standard error.
struct AgendaOutput {
    int exitCode = 0;
    std::string err;
};

// The agenda of the data folder: the options name the notes file and the language, the category file the
// names and colours. Reads only, takes no lock, so it can run beside the program. `builtInLanguage` stands
// in for a folder whose language files give no texts, as in the window. The listing goes to `print` a month
// of days at a time, so that a year of a large file is never held whole.
AgendaOutput RunAgenda(const std::vector<std::string>& arguments, const DataDirectory& dataDir, const Date& today,
                       std::string_view builtInLanguage, const std::function<void(std::string_view)>& print);

} // namespace plandeck
