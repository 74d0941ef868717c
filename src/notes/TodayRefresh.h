#pragma once

#include "base/FileStamp.h"
#include "calendar/TodayStamp.h"
#include "notes/TodayList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// The today window's periodic work without the window: the time caption, the reminder, and the lists,
// which are rebuilt only when the notes file changed or the minute turned, so a tick in which nothing
// happened costs one stat of the file.
class TodayRefresh {
public:
    struct Tick {
        bool captionChanged = false;
        bool remind = false;      // the reminder sound is due now
        bool listChanged = false; // the lists were rebuilt and read differently
        // The entries of the notes that start now (as listed before this minute), whether or not the sound
        // is on: what a reminder tells.
        std::vector<std::string> due;
        // After the clock jumped ahead (the computer slept, the program was stopped): the notes that started
        // meanwhile, told once, in one go.
        std::vector<std::string> missed;
    };

    // One tick at `now`. When the time caption turns, the reminder is checked against the lists built
    // before this minute (in which a note starting now is still the first to come); `reminderSound` is asked
    // only then. The lists are rebuilt afterwards. When the clock jumped ahead since the last tick, the notes
    // that started in between are given as missed, and a note that starts now is judged against the list of
    // the minute before.
    Tick tick(const TodayStamp& now, const std::string& notesPath, const std::function<bool()>& reminderSound);

    // Rebuilds the lists now, whatever the file's stamp says (before the window is shown). True when they
    // changed.
    bool rebuild(const TodayStamp& now, const std::string& notesPath);

    const std::string& caption() const { return m_caption; }
    const TodayList& list() const { return m_list; }

private:
    bool rebuildIfStale(const TodayStamp& now, const std::string& notesPath, bool force);

    std::string m_caption;
    TodayList m_list;
    bool m_built = false;
    FileStamp m_stamp;
    std::string m_builtPath;
    TodayStamp m_builtFor;
    std::optional<TodayStamp> m_lastTick;
};

} // namespace plandeck
