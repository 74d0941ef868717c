#include "notes/TodayRefresh.h"

#include "base/TextFile.h"
#include "calendar/DayNumber.h"

namespace plandeck {

TodayRefresh::Tick TodayRefresh::tick(const TodayStamp& now, const std::string& notesPath,
                                      const std::function<bool()>& reminderSound) {
    Tick result;
    const std::string caption = TodayTimeCaption(now.hour, now.minute);
    // Ticks come every two seconds; one that finds a minute or more skipped follows a jump of the clock.
    const bool jumped = m_lastTick && MinuteNumber(now) - MinuteNumber(*m_lastTick) >= 2;
    const TodayList* before = &m_list;
    TodayList beforeJump;
    if (jumped) {
        const ReadResult file = ReadWholeFile(notesPath);
        result.missed = MissedReminders(file.bytes, *m_lastTick, now);
        beforeJump = BuildTodayList(file.bytes, MomentOfMinuteNumber(MinuteNumber(now) - 1));
        before = &beforeJump;
    }
    // A jump of whole days leaves the caption as it was; the minute is a new one all the same.
    if (caption != m_caption || jumped) {
        m_caption = caption;
        result.captionChanged = true;
        for (const std::string* entry : {&before->firstNext, &before->secondNext}) {
            if (!ReminderDue(*entry, caption))
                break;
            result.due.push_back(*entry);
        }
        result.remind = !result.due.empty() && reminderSound && reminderSound();
    }
    m_lastTick = now;
    result.listChanged = rebuildIfStale(now, notesPath, false);
    return result;
}

bool TodayRefresh::rebuild(const TodayStamp& now, const std::string& notesPath) {
    return rebuildIfStale(now, notesPath, true);
}

bool TodayRefresh::rebuildIfStale(const TodayStamp& now, const std::string& notesPath, bool force) {
    // Stat before reading: a change that lands between the two is seen on the next tick.
    const FileStamp stamp = StampOf(notesPath);
    if (!force && m_built && stamp == m_stamp && now == m_builtFor && notesPath == m_builtPath)
        return false;
    m_built = true;
    m_stamp = stamp;
    m_builtFor = now;
    m_builtPath = notesPath;
    // A missing or unreadable file lists nothing; the next tick tries again once it appears.
    TodayList list = stamp.exists ? BuildTodayList(ReadWholeFile(notesPath).bytes, now) : TodayList{};
    if (list == m_list)
        return false;
    m_list = std::move(list);
    return true;
}

} // namespace plandeck
