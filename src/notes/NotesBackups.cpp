#include "notes/NotesBackups.h"

#include "base/TextFile.h"
#include "calendar/DayNumber.h"
#include "notes/Note.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TimeTextLength = 19; // "2026-12-08_09-13-05"
constexpr const char* CategorySuffix = ".category.txt";

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "all.txt" -> "all"
std::string StemOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// A backup's name without the notes file's name: the time, and "-2", "-3" … for a second one in the same
// second.
struct BackupName {
    BackupTime time;
    std::string prefix;
};

std::optional<BackupName> ParseBackupName(const std::string& name, const std::string& notesName) {
    const std::string tail = "_" + notesName;
    if (name.size() < TimeTextLength + tail.size() || !name.ends_with(tail))
        return std::nullopt;
    const std::string prefix = name.substr(0, name.size() - tail.size());
    const std::optional<BackupTime> time = ParseBackupTimeText(std::string_view(prefix).substr(0, TimeTextLength));
    if (!time)
        return std::nullopt;
    const std::string_view extra = std::string_view(prefix).substr(TimeTextLength);
    if (!extra.empty() && (extra.size() < 2 || extra[0] != '-' ||
                           !std::all_of(extra.begin() + 1, extra.end(), [](char c) { return c >= '0' && c <= '9'; })))
        return std::nullopt;
    return BackupName{*time, prefix};
}

std::size_t CountNotes(const std::string& path) {
    std::size_t notes = 0;
    ForEachLine(ReadWholeFile(path).bytes, [&](std::string_view line) {
        notes += ClassifyLine(line) == LineKind::Note ? 1 : 0;
        return true;
    });
    return notes;
}

// A copy for a file system that keeps no hard links.
int CopyFile(const std::string& from, const std::string& to) {
    const ReadResult read = ReadWholeFile(from);
    if (read.failed())
        return EIO;
    const WriteResult written = RewriteFile(to, read.bytes);
    return written.ok ? 0 : EIO;
}

} // namespace

std::int64_t BackupTime::seconds() const {
    return DayNumber(date) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string BackupTimeText(const BackupTime& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", time.date.year, time.date.month, time.date.day,
                  time.hour, time.minute, time.second);
    return text;
}

std::optional<BackupTime> ParseBackupTimeText(std::string_view text) {
    if (text.size() != TimeTextLength)
        return std::nullopt;
    constexpr std::string_view Shape = "dddd-dd-dd_dd-dd-dd";
    for (std::size_t i = 0; i < Shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Shape[i] == 'd' ? !digit : text[i] != Shape[i])
            return std::nullopt;
    }
    auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    BackupTime time{{number(0, 4), number(5, 2), number(8, 2)}, number(11, 2), number(14, 2), number(17, 2)};
    if (time.date.month < 1 || time.date.month > 12 || time.date.day < 1 || time.date.day > 31 || time.hour > 23 ||
        time.minute > 59 || time.second > 60)
        return std::nullopt;
    return time;
}

std::vector<bool> BackupsToKeep(const std::vector<BackupTime>& times, const BackupTime& now) {
    std::vector<bool> keep(times.size(), false);
    // The newest backup of each day.
    std::map<std::int64_t, std::size_t> newestOfDay;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const std::int64_t day = DayNumber(times[i].date);
        const auto found = newestOfDay.find(day);
        if (found == newestOfDay.end() || times[found->second] < times[i])
            newestOfDay[day] = i;
    }
    const std::int64_t today = DayNumber(now.date);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const std::int64_t age = now.seconds() - times[i].seconds();
        if (age < BackupHoursKept * 3600)
            keep[i] = true;
    }
    for (const auto& [day, i] : newestOfDay)
        if (today - day <= BackupDaysKept)
            keep[i] = true;
    return keep;
}

NotesBackups::NotesBackups(std::string notesPath, std::string categoryPath)
    : m_notesPath(std::move(notesPath)), m_categoryPath(std::move(categoryPath)) {}

void NotesBackups::setNotesPath(std::string notesPath) {
    if (notesPath == m_notesPath)
        return;
    m_notesPath = std::move(notesPath);
    m_lastHour.reset();
}

std::string NotesBackups::folder() const {
    return FolderOf(m_notesPath) + "/backups";
}

NotesBackups::Outcome NotesBackups::beforeReplace(const std::string& replacedFile, const BackupTime& now, bool force) {
    const std::int64_t hour = now.seconds() / 3600;
    if (!force) {
        if (!m_lastHour) {
            const std::vector<NotesBackup> made = list(false);
            if (!made.empty())
                m_lastHour = made.front().time.seconds() / 3600;
        }
        if (m_lastHour && *m_lastHour == hour)
            return {};
    }
    Outcome outcome = make(replacedFile, now);
    if (outcome.made) {
        m_lastHour = hour;
        prune(now);
    }
    return outcome;
}

NotesBackups::Outcome NotesBackups::make(const std::string& replacedFile, const BackupTime& now) {
    const std::string dir = folder();
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST)
        return {false, SaveErrorText(dir, errno)};
    const std::string notesName = NameOf(m_notesPath);
    const std::string time = BackupTimeText(now);
    std::string prefix = time;
    std::string target;
    int err = 0;
    for (int n = 1; n < 100; ++n) {
        prefix = n == 1 ? time : time + "-" + std::to_string(n);
        target = dir + "/" + prefix + "_" + notesName;
        if (::link(replacedFile.c_str(), target.c_str()) == 0) {
            err = 0;
            break;
        }
        err = errno;
        if (err == EEXIST)
            continue;
        // A file system without hard links (or a backup folder on another one) gets a copy.
        if (err == EPERM || err == EXDEV || err == EMLINK || err == ENOTSUP || err == ENOSYS) {
            if (::access(target.c_str(), F_OK) == 0)
                continue;
            err = CopyFile(replacedFile, target);
        }
        break;
    }
    if (err != 0)
        return {false, SaveErrorText(target, err)};
    const ReadResult categories = ReadWholeFile(m_categoryPath);
    if (categories.exists)
        RewriteFile(dir + "/" + prefix + "_" + StemOf(notesName) + CategorySuffix, categories.bytes);
    return {true, {}};
}

void NotesBackups::prune(const BackupTime& now) const {
    const std::vector<NotesBackup> backups = list(false);
    std::vector<BackupTime> times;
    for (const NotesBackup& b : backups)
        times.push_back(b.time);
    const std::vector<bool> keep = BackupsToKeep(times, now);
    for (std::size_t i = 0; i < backups.size(); ++i) {
        if (keep[i])
            continue;
        ::unlink(backups[i].path.c_str());
        ::unlink(backups[i].categoryPath.c_str());
    }
}

std::vector<NotesBackup> NotesBackups::list(bool countNotes) const {
    std::vector<NotesBackup> backups;
    const std::string dir = folder();
    const std::string notesName = NameOf(m_notesPath);
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec)
        return backups;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        const std::optional<BackupName> name = ParseBackupName(entry.path().filename().string(), notesName);
        if (!name)
            continue;
        NotesBackup backup;
        backup.path = entry.path().string();
        backup.categoryPath = dir + "/" + name->prefix + "_" + StemOf(notesName) + CategorySuffix;
        backup.time = name->time;
        backup.size = static_cast<std::int64_t>(entry.file_size(typeError));
        if (countNotes)
            backup.notes = CountNotes(backup.path);
        backups.push_back(std::move(backup));
    }
    // Newest first; names order the backups of one second.
    std::sort(backups.begin(), backups.end(), [](const NotesBackup& a, const NotesBackup& b) {
        return a.time != b.time ? b.time < a.time : a.path < b.path;
    });
    return backups;
}

} // namespace plandeck
