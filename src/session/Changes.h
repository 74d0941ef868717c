#pragma once

#include <string>
#include <vector>

namespace plandeck {

// A file that could not be read or written, with the reason in words a user can be shown.
struct Failure {
    std::string path;
    std::string reason;
    friend bool operator==(const Failure&, const Failure&) = default;
};

// What a command of the session changed, so the main window redraws only that.
struct Changes {
    bool dates = false;               // the shown columns, the month calendar and the date captions
    bool calendar = false;            // only the month calendar turned
    bool clock = false;               // the current-time line, the clock and today's date
    bool hours = false;               // the hour range or the grid's size: the grid is laid out again
    bool notes = false;               // the tiles were rebuilt from the notes file
    bool categories = false;          // the rows of the category panel
    bool look = false;                // the skin's pictures and colours
    bool words = false;               // the language's captions
    bool quit = false;                // the user chose to end the program; nothing more is shown or saved
    std::vector<Failure> failures;    // shown to the user, each in a message
    std::vector<std::string> notices; // texts (file bytes) to show the user, each in a message
    std::string hint;                 // a word for the hint line (file bytes), such as what was undone
    bool writePending = false;        // a change is shown but not yet written: the window paints, then writes

    Changes& operator|=(const Changes& other) {
        dates |= other.dates;
        calendar |= other.calendar;
        clock |= other.clock;
        hours |= other.hours;
        notes |= other.notes;
        categories |= other.categories;
        look |= other.look;
        words |= other.words;
        quit |= other.quit;
        failures.insert(failures.end(), other.failures.begin(), other.failures.end());
        notices.insert(notices.end(), other.notices.begin(), other.notices.end());
        if (!other.hint.empty())
            hint = other.hint;
        writePending |= other.writePending;
        return *this;
    }
};

} // namespace plandeck
