#pragma once

#include "base/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plandeck {

// A reading of the local clock to the second: when a backup was made, and its name.
struct BackupTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;

    std::int64_t seconds() const; // since 1 January 1970, for spans
    friend bool operator==(const BackupTime&, const BackupTime&) = default;
    friend bool operator<(const BackupTime& a, const BackupTime& b) { return a.seconds() < b.seconds(); }
};

// "2026-12-08_09-13-05", as backups are named; and back (nothing for any other text).
std::string BackupTimeText(const BackupTime& time);
std::optional<BackupTime> ParseBackupTimeText(std::string_view text);

// Which backups are kept at `now`, for their times: every one of the last 24 hours (one an hour, and the
// ones a restore made), and beyond that the newest of each of the 14 days before today. A backup from the
// future (the clock was set back) is kept.
inline constexpr int BackupHoursKept = 24;
inline constexpr int BackupDaysKept = 14;
std::vector<bool> BackupsToKeep(const std::vector<BackupTime>& times, const BackupTime& now);

// A backup of the notes file, as the restore command lists it.
struct NotesBackup {
    std::string path;         // the notes as they were
    std::string categoryPath; // the category file beside them (it may be missing)
    BackupTime time;
    std::int64_t size = 0;
    std::size_t notes = 0; // lines that hold a note
};

// The backups of one notes file, in the folder `backups/` beside it. Before the first rewrite of the notes
// file in each hour, the file about to be replaced is hard-linked there (it is never written again, so the
// link is the old content and costs no copy), with a copy of the category file; old backups are pruned
// by BackupsToKeep. A backup of "all.txt" is "backups/2026-12-08_09-13-05_all.txt", its categories
// "backups/2026-12-08_09-13-05_all.category.txt".
class NotesBackups {
public:
    NotesBackups(std::string notesPath, std::string categoryPath);

    void setNotesPath(std::string notesPath);
    const std::string& notesPath() const { return m_notesPath; }
    std::string folder() const;

    struct Outcome {
        bool made = false;
        std::string error; // why no backup could be made, for the user
    };
    // The notes file is about to be replaced; `replacedFile` is the file the rename will take away (the
    // notes path with symbolic links followed). A backup is made unless one was made in this clock hour
    // already, or always when `force`.
    Outcome beforeReplace(const std::string& replacedFile, const BackupTime& now, bool force);

    // The backups of this notes file, newest first; with `countNotes` the notes of each are counted (each
    // file is read).
    std::vector<NotesBackup> list(bool countNotes) const;

private:
    Outcome make(const std::string& replacedFile, const BackupTime& now);
    void prune(const BackupTime& now) const;

    std::string m_notesPath;
    std::string m_categoryPath;
    // The clock hour of the newest backup, once looked at or made: the folder is not read on every save.
    std::optional<std::int64_t> m_lastHour;
};

} // namespace plandeck
