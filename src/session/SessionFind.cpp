#include "session/Session.h"

#include "calendar/DayColumns.h"
#include "notes/Note.h"

namespace plandeck {

Changes Session::goToDate(const Date& date, const TodayStamp& now) {
    m_nav.GoToDate(date);
    return datesChanged(now);
}

FindResult Session::findNotes(std::string_view query, std::size_t limit) {
    const TextLines& lines = m_notes.lines();
    const TextIndexSource source{m_notes.file().stamp(), m_notes.hasPending(), lines.bytes().size()};
    if (m_textIndexSource != source) {
        m_textIndex.build(lines);
        m_textIndexSource = source;
    }
    FindResult result;
    for (const std::uint32_t i : m_textIndex.find(query, limit, result.total))
        result.notes.push_back(DescribeFoundNote(lines.line(i), static_cast<int>(i) + 1, m_categories, m_language));
    return result;
}

Changes Session::showFoundNote(int line, const TodayStamp& now) {
    const TextLines& lines = m_notes.lines();
    if (line < 1 || static_cast<std::size_t>(line) > lines.size())
        return {};
    const std::string_view text = lines.line(static_cast<std::size_t>(line) - 1);
    if (ClassifyLine(text) != LineKind::Note)
        return {};
    const NoteHeader note(text);
    const std::optional<Date> date = FoundNoteDate(note, ColumnDate(m_nav.columns()[0]));
    if (!date)
        return {};
    // The hours step as the hour buttons step them, until the note lies within them.
    for (;;) {
        if (note.startHour() < m_hours.last && note.endHour() >= m_hours.first)
            break;
        const HourRange next = note.startHour() >= m_hours.last ? m_hours.later() : m_hours.earlier();
        if (next == m_hours)
            break;
        m_hours = next;
    }
    m_nav.GoToDate(*date);
    Changes changes = datesChanged(now);
    for (int c = 0; c < m_nav.days(); ++c)
        if (ColumnDate(m_nav.columns()[static_cast<std::size_t>(c)]) == *date)
            for (const NoteTile& t : m_grid.tiles)
                if (t.visible && t.tag == line && t.column == c)
                    m_selected = t.slot;
    return changes;
}

} // namespace plandeck
