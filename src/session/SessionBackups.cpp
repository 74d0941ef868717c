#include "session/Session.h"

#include "settings/LanguageEntries.h"

#include <cstdio>
#include <utility>

namespace plandeck {

void Session::backUpNotes(const std::string& replacedFile) {
    // A restore keeps the notes it replaces even with backups switched off.
    const bool force = std::exchange(m_forceBackup, false);
    if (!force && !m_features.backups)
        return;
    const BackupTime now = m_backupClock ? m_backupClock() : BackupTime{m_clock.date, m_clock.hour, m_clock.minute, 0};
    m_backups.setNotesPath(m_notes.path());
    const NotesBackups::Outcome outcome = m_backups.beforeReplace(replacedFile, now, force);
    // A folder that cannot be written is said once; the save itself goes on either way.
    if (!outcome.error.empty() && !m_backupFailureTold)
        m_backupFailure = outcome.error;
}

Changes Session::takeBackupNotice() {
    Changes changes;
    if (m_backupFailure.empty())
        return changes;
    changes.notices.push_back(ReplacePlaceholder(entry(Entry::Alerts::BackupFailed), m_backupFailure));
    m_backupFailure.clear();
    m_backupFailureTold = true;
    return changes;
}

std::vector<NotesBackup> Session::notesBackups() const {
    return NotesBackups(m_notesPath, m_dataDir.categoryFile()).list(true);
}

Changes Session::restoreBackup(const std::string& backupPath) {
    Changes changes = finishWrites();
    const ReadResult backup = ReadWholeFile(backupPath);
    if (!backup.exists) {
        changes.failures.push_back({backupPath, backup.error.empty() ? "The backup is gone." : backup.error});
        return changes;
    }
    // The notes as the file holds them now, every line of which the backup's lines replace.
    changes |= refreshNotes();
    const TextLines& current = m_notes.lines();
    const TextLines restored(backup.bytes);
    LineChange change;
    change.removed.reserve(current.size());
    for (std::size_t i = 0; i < current.size(); ++i)
        change.removed.push_back({i, std::string(current.line(i))});
    change.added.reserve(restored.size());
    for (std::size_t i = 0; i < restored.size(); ++i)
        change.added.push_back({i, std::string(restored.line(i))});
    m_forceBackup = true;
    bool refusedChange = false;
    changes |= changeNotes(change, EditKind::RestoreBackup, &refusedChange);
    if (!m_notes.hasPending())
        m_forceBackup = false;
    if (!refusedChange && changes.failures.empty()) {
        const std::size_t slash = backupPath.rfind('/');
        const std::string name = slash == std::string::npos ? backupPath : backupPath.substr(slash + 1);
        const std::optional<BackupTime> time = ParseBackupTimeText(std::string_view(name).substr(0, 19));
        char when[40];
        if (time)
            std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", time->date.year, time->date.month,
                          time->date.day, time->hour, time->minute, time->second);
        changes.hint = ReplacePlaceholder(entry(Entry::Alerts::Restored), time ? std::string(when) : name);
    }
    return changes;
}

} // namespace plandeck
